#include <windows.h>

#include "replace_file.h"

namespace corvale {
namespace {

bool flushToDisk(const wchar_t* path) {
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    return (CloseHandle(file) != 0) && flushed;
}

}  // namespace

bool replaceFileDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
    // The content must be on disk before the name points at it, or a crash
    // right after the move can leave an empty file under the real name.
    if (!flushToDisk(from.c_str())) return false;
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace corvale
