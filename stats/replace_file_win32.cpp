#include <windows.h>

#include <cstdio>

#include "replace_file.h"

namespace corvale {

std::FILE* openForWriting(const std::filesystem::path& path) {
    return _wfopen(path.c_str(), L"wb");
}

bool flushFileToDisk(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    return (CloseHandle(file) != 0) && flushed;
}

bool moveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace corvale
