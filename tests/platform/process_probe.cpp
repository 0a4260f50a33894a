// A child for the process-runner tests; each mode makes the runner face one
// situation: "args" prints every argv entry (argv[0] included) one per line;
// "flood N" writes N bytes of the pattern k % 251 (NULs included) to standard
// output and error in alternating chunks, so both pipes fill together;
// "stdin" prints how many bytes standard input held; "wait-fifo PATH"
// lingers until the test opens the FIFO for writing and closes it again.

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
        if (put <= 0) std::exit(3);
        data += put;
        size -= static_cast<std::size_t>(put);
    }
}

void write_all(int fd, const std::string& text)
{
    write_all(fd, text.data(), text.size());
}

// Reads `fd` to its end; returns the number of bytes.
std::size_t drain(int fd)
{
    char buffer[4096];
    std::size_t total = 0;
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        total += static_cast<std::size_t>(got);
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "args") {
        for (int i = 0; i < argc; ++i)
            write_all(1, std::string(argv[i]) + "\n");
    } else if (mode == "flood" && argc == 3) {
        const std::size_t count = std::strtoul(argv[2], nullptr, 10);
        std::string pattern(count, '\0');
        for (std::size_t k = 0; k < count; ++k)
            pattern[k] = static_cast<char>(k % 251);
        for (std::size_t at = 0; at < count; at += 4096) {
            const std::size_t size = count - at < 4096 ? count - at : 4096;
            write_all(2, pattern.data() + at, size);
            write_all(1, pattern.data() + at, size);
        }
    } else if (mode == "stdin") {
        write_all(1, std::to_string(drain(0)));
    } else if (mode == "wait-fifo" && argc == 3) {
        const int fd = ::open(argv[2], O_RDONLY);
        if (fd < 0) return 2;
        drain(fd);
        ::close(fd);
        write_all(1, "released");
    } else {
        return 1;
    }
    return 0;
}
