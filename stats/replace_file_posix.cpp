#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "replace_file.h"

namespace corvale {
namespace {

bool syncFile(const char* path, int flags) {
    const int fd = ::open(path, flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return (::close(fd) == 0) && synced;
}

}  // namespace

std::FILE* openForWriting(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "wb");
}

bool flushFileToDisk(const std::filesystem::path& path) {
    return syncFile(path.c_str(), O_RDONLY);
}

bool moveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    // The rename itself lives in the directory. Some file systems refuse to
    // sync a directory; the file is replaced by then, so that is no failure.
    std::filesystem::path folder = to.parent_path();
    if (folder.empty()) folder = ".";
    syncFile(folder.c_str(), O_RDONLY | O_DIRECTORY);
    return true;
}

}  // namespace corvale
