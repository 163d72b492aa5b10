#include "statistics_file.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <istream>
#include <limits>
#include <locale>
#include <sstream>
#include <string_view>

#include "replace_file.h"

namespace corvale {
namespace {

// The file's line ends are CR LF on every platform, so the bytes are written
// in binary mode instead of relying on a text-mode stream.
constexpr const char* lineEnd = "\r\n";

bool readWord(std::istream& in, std::string& word) {
    return static_cast<bool>(in >> word);
}

// Digits alone (leading zeros allowed), at most 2^64 - 1.
bool parseCounter(std::string_view word, std::uint64_t& value) {
    if (word.empty()) return false;
    constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t result = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (result > (max - digit) / 10) return false;
        result = result * 10 + digit;
    }
    value = result;
    return true;
}

// A plain stream extraction, which stops where the number stops: "0.5+0.25"
// reads as two amounts. Counters are whole words and cannot run together.
bool readDouble(std::istream& in, double& value) {
    return static_cast<bool>(in >> value);
}

bool readCounter(std::istream& in, std::uint64_t& value) {
    std::string word;
    return readWord(in, word) && parseCounter(word, value);
}

// Negative zero passes: it compares equal to zero.
bool isValidAmount(double value) {
    return std::isfinite(value) && !(value < 0.0);
}

}  // namespace

std::string formatStatistics(const PlayCounters& counters) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(17);  // the default float format with 17 digits is %.17g
    out << statisticsSignature << ' ' << statisticsVersion << lineEnd;
    out << counters.inkDrawn << ' ' << counters.playTime << ' ' << counters.strokesDrawn << ' ' << counters.inkHits
        << ' ' << counters.wallHits << ' ' << counters.ballHits << ' ' << counters.ballsSunk << ' '
        << counters.boardsCleared << ' ' << counters.completionTime << ' ' << counters.timeLeftAtCompletion << ' '
        << counters.timedBoards << lineEnd;
    return out.str();
}

bool parseStatistics(std::istream& in, PlayCounters& out) {
    in.imbue(std::locale::classic());

    std::string word;
    int version = 0;
    if (!readWord(in, word) || word != statisticsSignature) return false;
    if (!(in >> version) || version != statisticsVersion) return false;

    PlayCounters read;
    if (!readDouble(in, read.inkDrawn) || !readDouble(in, read.playTime) || !readCounter(in, read.strokesDrawn) ||
        !readCounter(in, read.inkHits) || !readCounter(in, read.wallHits) || !readCounter(in, read.ballHits) ||
        !readCounter(in, read.ballsSunk) || !readCounter(in, read.boardsCleared) ||
        !readDouble(in, read.completionTime) || !readDouble(in, read.timeLeftAtCompletion) ||
        !readCounter(in, read.timedBoards)) {
        return false;
    }

    if (!isValidAmount(read.inkDrawn) || !isValidAmount(read.playTime) || !isValidAmount(read.completionTime) ||
        !isValidAmount(read.timeLeftAtCompletion) || read.timedBoards > read.boardsCleared) {
        return false;
    }

    in >> std::ws;
    if (in.peek() != std::istream::traits_type::eof() || in.bad()) return false;

    out = read;
    return true;
}

bool readStatisticsFile(const std::filesystem::path& path, PlayCounters& out) {
    // Text mode: on Windows a Ctrl-Z ends the file, as it does for any text
    // file there.
    std::ifstream in(path);
    if (!in) return false;
    return parseStatistics(in, out);
}

SaveSteps systemSaveSteps() {
    return {openForWriting,
            [](const void* bytes, std::size_t size, std::FILE* file) { return std::fwrite(bytes, 1, size, file); },
            [](std::FILE* file) { return std::fclose(file); }, flushFileToDisk, moveFileOver};
}

bool writeStatisticsFile(const std::filesystem::path& path, const PlayCounters& counters, const SaveSteps& steps) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";

    const std::string text = formatStatistics(counters);
    std::FILE* file = steps.open(temporary);
    if (file == nullptr) return false;
    // Nothing here throws, so the file is closed on every path.
    const bool written = steps.write(text.data(), text.size(), file) == text.size();
    const bool closed = steps.close(file) == 0;
    if (!written || !closed) return false;

    // The content must be on disk before the name points at it, or a crash
    // right after the move can leave an empty file under the real name.
    return steps.flushToDisk(temporary) && steps.moveOver(temporary, path);
}

}  // namespace corvale
