// Replacing a file in one move that has reached the disk when it returns.
// One body per platform: replace_file_win32.cpp, replace_file_posix.cpp.
#pragma once

#include <filesystem>

namespace corvale {

// Flushes `from` to disk, then renames it to `to`, replacing an existing file.
// False when either step failed; `to` is then untouched (a rename is atomic).
bool replaceFileDurably(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace corvale
