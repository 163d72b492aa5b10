// The file-system steps of a durable save. One body per platform:
// replace_file_win32.cpp, replace_file_posix.cpp.
#pragma once

#include <cstdio>
#include <filesystem>

namespace corvale {

// Opens `path` for writing in binary mode, creating or emptying it.
std::FILE* openForWriting(const std::filesystem::path& path);

// Flushes the written file `path` to the disk.
bool flushFileToDisk(const std::filesystem::path& path);

// Renames `from` to `to`, replacing an existing file; `to` is untouched when
// it fails (a rename is atomic).
bool moveFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace corvale
