#include "kernel/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Large enough that the calls cost nothing beside the copying, small
// enough that the resident part of the mapping stays a few megabytes.
constexpr std::size_t kReleaseStep = std::size_t{8} << 20;

std::size_t page_size()
{
    static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

} // namespace

MappedFile::~MappedFile()
{
    if (data != nullptr) munmap(const_cast<std::uint8_t*>(data), size);
}

bool map_file(MappedFile& file, const std::string& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    struct stat status {};
    bool mapped = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    if (mapped && status.st_size > 0) {
        void* at = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE,
                        descriptor, 0);
        mapped = at != MAP_FAILED;
        if (mapped) {
            file.data = static_cast<const std::uint8_t*>(at);
            file.size = static_cast<std::size_t>(status.st_size);
            // Read front to back: the kernel reads ahead and need not keep pages behind.
            madvise(at, file.size, MADV_SEQUENTIAL);
        }
    }
    close(descriptor);
    return mapped;
}

void release_pages_before(MappedFile& file, std::size_t position)
{
    const std::size_t end = position / page_size() * page_size();
    if (file.data == nullptr || end < file.released + kReleaseStep) return;
    madvise(const_cast<std::uint8_t*>(file.data) + file.released, end - file.released,
            MADV_DONTNEED);
    file.released = end;
}
