#include "platform/files.h"

#include "platform/trace.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens `path` for reading only when it is a regular file. O_NONBLOCK keeps a
// FIFO without a writer from blocking the open itself.
int open_regular_file(const std::string& path, struct stat& info)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool read_all(int fd, std::string& contents)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

bool write_all(int fd, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t put = ::write(fd, text.data() + written, text.size() - written);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace

std::string read_text_file(std::string path)
{
    struct stat info {};
    const int fd = open_regular_file(path, info);
    std::string contents;
    bool read_ok = false;
    if (fd >= 0) {
        contents.reserve(static_cast<std::size_t>(info.st_size));
        read_ok = read_all(fd, contents);
        ::close(fd);
    }
    if (!read_ok) {
        trace_line("Error Parsing File : " + path + " : Failed To Read File Data.");
        return std::string();
    }
    return contents;
}

bool write_text_file(std::string text, std::string path)
{
    // O_NONBLOCK makes opening a FIFO without a reader fail instead of hang.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && write_all(fd, text);
    if (::close(fd) != 0) ok = false;
    return ok;
}

std::int64_t file_size(const std::string& path)
{
    struct stat info {};
    const int fd = open_regular_file(path, info);
    if (fd < 0) return -1;
    ::close(fd);
    return static_cast<std::int64_t>(info.st_size);
}
