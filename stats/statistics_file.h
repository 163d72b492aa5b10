// The lifetime statistics on disk: "statistics-v1.dat", a two-line text file
//
//   CorvaleStatistics 1
//   inkDrawn playTime strokesDrawn inkHits wallHits ballHits ballsSunk
//   boardsCleared completionTime timeLeftAtCompletion timedBoards
//
// (the second line is one line in the file), CR LF line ends, doubles as
// %.17g so they read back bit for bit. The reader is strict: a file that is
// not complete and consistent is refused as a whole, never half used.
#pragma once

#include <cstdio>
#include <filesystem>
#include <iosfwd>
#include <string>

#include "play_counters.h"

namespace corvale {

inline constexpr const char* statisticsSignature = "CorvaleStatistics";
inline constexpr int statisticsVersion = 1;

// The exact bytes of the file for these counters.
std::string formatStatistics(const PlayCounters& counters);

// Parses a whole file's content from the stream (a CR is white space like any
// other). True, with every field of `out` set, only for a valid file; `out` is
// untouched otherwise.
bool parseStatistics(std::istream& in, PlayCounters& out);

// False (with `out` untouched) when the file is missing, unreadable or invalid.
bool readStatisticsFile(const std::filesystem::path& path, PlayCounters& out);

// The file-system steps of a save, so tests can make each one fail.
struct SaveSteps {
    std::FILE* (*open)(const std::filesystem::path& path);                       // nullptr = not creatable
    std::size_t (*write)(const void* bytes, std::size_t size, std::FILE* file);  // bytes written
    int (*close)(std::FILE* file);                                               // 0 = buffered bytes written
    bool (*flushToDisk)(const std::filesystem::path& path);
    bool (*moveOver)(const std::filesystem::path& from, const std::filesystem::path& to);
};

// The real file system.
SaveSteps systemSaveSteps();

// Writes "<path>.tmp", flushes it to disk and moves it over `path`. On false
// the file under `path` is exactly as it was; a stale ".tmp" may remain.
bool writeStatisticsFile(const std::filesystem::path& path, const PlayCounters& counters,
                         const SaveSteps& steps = systemSaveSteps());

}  // namespace corvale
