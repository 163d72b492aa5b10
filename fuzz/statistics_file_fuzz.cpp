// Any bytes: the reader either refuses them or yields counters that keep the
// record's invariants and survive a write and a second read bit for bit.
// The first 88 bytes, taken as eleven raw words, also feed the writer.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "statistics_file.h"

namespace {

using corvale::PlayCounters;

bool sameBits(const PlayCounters& a, const PlayCounters& b) {
    return std::memcmp(&a, &b, sizeof(PlayCounters)) == 0;
}

bool parse(const std::string& text, PlayCounters& out) {
    std::istringstream in(text);
    return corvale::parseStatistics(in, out);
}

void checkRoundTrip(const PlayCounters& counters) {
    PlayCounters back;
    if (!parse(corvale::formatStatistics(counters), back) || !sameBits(back, counters)) std::abort();
}

// Raw words made into a record the game could hold: finite, not negative,
// timedBoards <= boardsCleared.
PlayCounters validCountersFrom(const std::uint8_t* data) {
    PlayCounters c;
    static_assert(sizeof(PlayCounters) == 88);
    std::memcpy(&c, data, sizeof c);
    for (double* d : {&c.inkDrawn, &c.playTime, &c.completionTime, &c.timeLeftAtCompletion}) {
        if (!std::isfinite(*d)) *d = 0.0;
        *d = std::fabs(*d);
    }
    if (c.timedBoards > c.boardsCleared) c.timedBoards = c.boardsCleared;
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    PlayCounters read;
    std::memset(&read, 0xA5, sizeof read);
    const PlayCounters before = read;
    if (parse(text, read)) {
        for (double d : {read.inkDrawn, read.playTime, read.completionTime, read.timeLeftAtCompletion}) {
            if (!std::isfinite(d) || d < 0.0) std::abort();
        }
        if (read.timedBoards > read.boardsCleared) std::abort();
        checkRoundTrip(read);
    } else if (!sameBits(read, before)) {
        std::abort();  // a refused input must leave the output untouched
    }

    if (size >= sizeof(PlayCounters)) checkRoundTrip(validCountersFrom(data));
    return 0;
}
