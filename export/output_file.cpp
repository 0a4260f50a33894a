#include "export/output_file.h"

#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
constexpr int kTemporaryNameAttempts = 8;
constexpr std::uint64_t kReserveStepBytes = std::uint64_t{8} << 20;

std::string random_suffix()
{
    static thread_local std::mt19937 generator{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string suffix = ".part-";
    std::uint32_t bits = generator();
    for (int i = 0; i < 8; ++i, bits >>= 4)
        suffix += kDigits[bits & 15];
    return suffix;
}

// Symbolic links are followed so that the link keeps pointing at the file.
std::string resolve_target(const std::string& target_path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(target_path, error)) return target_path;
    const auto resolved = std::filesystem::weakly_canonical(target_path, error);
    return error ? target_path : resolved.string();
}

bool is_special_file(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

// A rename would leave the other names of a hard-linked file on the old
// contents, so such a file is rewritten in place.
bool has_other_links(const std::string& path)
{
    std::error_code error;
    const auto links = std::filesystem::hard_link_count(path, error);
    return !error && links > 1;
}

// The replacement takes the permissions of the file it replaces, not the
// default ones of a new file.
void copy_target_mode(const OutputFile& out)
{
    std::error_code error;
    const auto status = std::filesystem::status(out.target_path, error);
    if (error || !std::filesystem::exists(status)) return;
    std::filesystem::permissions(out.write_path, status.permissions(),
                                 std::filesystem::perm_options::replace, error);
}

// "x" makes the open fail when the name is taken, so an existing file is
// never truncated by a clashing temporary name.
std::FILE* create_temporary(OutputFile& out)
{
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        out.write_path = out.target_path + random_suffix();
        if (std::FILE* stream = std::fopen(out.write_path.c_str(), "wbx")) return stream;
    }
    return nullptr;
}

// Memory file systems would zero-fill reserved pages only to have them
// overwritten, so only files on other file systems reserve space ahead.
bool on_disk_file_system(std::FILE* stream)
{
    struct statfs facts {};
    if (fstatfs(fileno(stream), &facts) != 0) return false;
    return facts.f_type != TMPFS_MAGIC && facts.f_type != RAMFS_MAGIC;
}

// Only a file that replaces none reserves: when a rename replaces a file,
// a disk file system writes out the blocks it has yet to allocate before
// the rename is committed, so that after a crash the name holds the old or
// the new contents whole; reserved blocks would skip that and could leave
// zeros under the name.
bool reserves_ahead(const OutputFile& out)
{
    std::error_code error;
    return out.renames && !std::filesystem::exists(out.target_path, error) && !error &&
           on_disk_file_system(out.stream);
}

// Space beyond the end of the file that is not yet written (the size stays);
// a file system that cannot reserve ends the reserving, not the export.
void reserve_ahead(OutputFile& out)
{
    if (!out.reserves || out.written + out.used <= out.reserved) return;
    const auto offset = static_cast<off_t>(out.reserved);
    if (fallocate(fileno(out.stream), FALLOC_FL_KEEP_SIZE, offset, kReserveStepBytes) != 0) {
        out.reserves = false;
        return;
    }
    out.reserved += kReserveStepBytes;
}

// Gives back the reserved space past the last byte written.
void release_reserve(OutputFile& out)
{
    if (out.reserved > out.written &&
        ftruncate(fileno(out.stream), static_cast<off_t>(out.written)) != 0) {
        out.failed = true;
    }
}

void discard_temporary(OutputFile& out)
{
    if (out.renames) std::remove(out.write_path.c_str());
}

} // namespace

OutputFile::~OutputFile()
{
    if (!stream) return;
    std::fclose(stream);
    discard_temporary(*this);
}

bool open_output(OutputFile& out, const std::string& target_path)
{
    out.target_path = resolve_target(target_path);
    out.renames = !is_special_file(out.target_path) && !has_other_links(out.target_path);
    if (out.renames) {
        out.stream = create_temporary(out);
        if (out.stream) copy_target_mode(out);
    } else {
        out.write_path = out.target_path;
        out.stream = std::fopen(out.write_path.c_str(), "wb");
    }
    if (!out.stream) return false;
    // The own buffer already batches the writes; a second one only copies.
    std::setvbuf(out.stream, nullptr, _IONBF, 0);
    out.buffer.resize(kBufferBytes);
    out.used = 0;
    out.failed = false;
    out.reserves = reserves_ahead(out);
    out.written = 0;
    out.reserved = 0;
    return true;
}

void flush_output(OutputFile& out)
{
    if (out.used == 0) return;
    reserve_ahead(out);
    if (!out.failed && std::fwrite(out.buffer.data(), 1, out.used, out.stream) != out.used) {
        out.failed = true;
    }
    out.written += out.used;
    out.used = 0;
}

void append_bytes(OutputFile& out, const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const std::size_t room = out.buffer.size() - out.used;
        if (room == 0) {
            flush_output(out);
            continue;
        }
        const std::size_t chunk = size < room ? size : room;
        std::memcpy(out.buffer.data() + out.used, bytes, chunk);
        out.used += chunk;
        bytes += chunk;
        size -= chunk;
    }
}

bool finish_output(OutputFile& out)
{
    if (!out.stream) return false;
    flush_output(out);
    if (std::fflush(out.stream) != 0 || std::ferror(out.stream)) out.failed = true;
    release_reserve(out);
    if (std::fclose(out.stream) != 0) out.failed = true;
    out.stream = nullptr;
    if (!out.failed && out.renames &&
        std::rename(out.write_path.c_str(), out.target_path.c_str()) != 0) {
        out.failed = true;
    }
    if (out.failed) discard_temporary(out);
    return !out.failed;
}
