// A child for the process-runner tests: each mode makes the runner face one
// situation (argument passing, heavy output on both streams, standard input,
// a child that lingers until the test lets it go).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

void write_all(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put <= 0)
            std::exit(3);
        data += put;
        size -= static_cast<std::size_t>(put);
    }
}

// Every argv entry, argv[0] included, one per line.
int print_args(int argc, char** argv)
{
    for (int i = 0; i < argc; ++i) {
        write_all(1, argv[i], std::strlen(argv[i]));
        write_all(1, "\n", 1);
    }
    return 0;
}

// `count` bytes of the pattern k % 251 (NULs included) on standard output and
// on standard error, alternating in small chunks so both pipes fill together.
int flood(std::size_t count)
{
    std::string pattern(count, '\0');
    for (std::size_t k = 0; k < count; ++k)
        pattern[k] = static_cast<char>(k % 251);
    const std::size_t chunk = 4096;
    for (std::size_t at = 0; at < count; at += chunk) {
        const std::size_t size = count - at < chunk ? count - at : chunk;
        write_all(2, pattern.data() + at, size);
        write_all(1, pattern.data() + at, size);
    }
    return 0;
}

int count_stdin()
{
    char buffer[4096];
    std::size_t total = 0;
    ssize_t got;
    while ((got = ::read(0, buffer, sizeof buffer)) > 0)
        total += static_cast<std::size_t>(got);
    const std::string text = std::to_string(total);
    write_all(1, text.data(), text.size());
    return 0;
}

// Blocks until the test opens the FIFO for writing and closes it again.
int wait_fifo(const char* path)
{
    const int fd = ::open(path, O_RDONLY);
    if (fd < 0)
        return 2;
    char buffer[64];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
    ::close(fd);
    write_all(1, "released", 8);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 1;
    const std::string mode = argv[1];
    if (mode == "args")
        return print_args(argc, argv);
    if (mode == "flood" && argc == 3)
        return flood(std::strtoul(argv[2], nullptr, 10));
    if (mode == "stdin")
        return count_stdin();
    if (mode == "wait-fifo" && argc == 3)
        return wait_fifo(argv[2]);
    return 1;
}
