// Recordings are text that people keep, edit and pass between tools: any
// text is either refused with "Line N: sentence" naming a line the text has,
// or read into a well-formed recording whose written text reads back to the
// same values and writes the same again. The bytes, taken as raw numbers,
// also make a well-formed recording that must survive the writer and reader.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "recording.h"

namespace {

using corvale::InputKind;
using corvale::RecordedInput;
using corvale::Recording;
using corvale::fuzz::check;

constexpr std::int64_t maxTick = 1000000LL * corvale::ticksPerSecond;

// Every sentence the reader may say, as its fixed start and end (the middle
// quotes what the text had).
constexpr std::pair<std::string_view, std::string_view> sentences[] = {
    {"this is not a Corvale recording (expected \"corvale-recording 1\").", ""},
    {"expected \"board ID\".", ""},
    {"expected \"seed NUMBER\".", ""},
    {"expected \"mode human\" or \"mode free\".", ""},
    {"expected \"finish TIME\".", ""},
    {"expected \"stroke TIME X Y\".", ""},
    {"expected \"point TIME X Y\".", ""},
    {"expected \"block TIME X Y\".", ""},
    {"expected \"end TIME\".", ""},
    {"expected \"hash\" and 16 hex digits.", ""},
    {"The board \"", "\" must be a whole number from 0 to 65535."},
    {"The seed \"", "\" must be a whole number from 1 to 4294967295."},
    {"The time \"", "\" is not a number."},
    {"The x coordinate \"", "\" is not a number."},
    {"The y coordinate \"", "\" is not a number."},
    {"The time ", " is outside 0..1000000 seconds."},
    {"The time ", " is not on the 1/120 s tick of play."},
    {"the finish comes before the last input.", ""},
    {"this input comes before the one above it.", ""},
    {"unknown input \"", "\" (expected stroke, point, end, block or finish)."},
    {"nothing may follow the hash.", ""},
    {"the recording ends without the \"corvale-recording 1\" line.", ""},
    {"the recording ends without the board.", ""},
    {"the recording ends without the seed.", ""},
    {"the recording ends without the mode.", ""},
    {"the recording ends without the finish.", ""},
    {"the recording ends without the hash.", ""},
};

bool documented(std::string_view sentence) {
    for (const auto& [start, end] : sentences) {
        if (end.empty() ? sentence == start
                        : sentence.size() >= start.size() + end.size() && sentence.starts_with(start) &&
                              sentence.ends_with(end))
            return true;
    }
    return false;
}

// The lines std::getline yields for the text.
std::size_t lineCount(std::string_view text) {
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return lines + (text.empty() || text.back() == '\n' ? 0 : 1);
}

void checkRefusal(std::string_view message, std::string_view text) {
    check(message.starts_with("Line "), "a refusal names the line");
    const std::string_view rest = message.substr(5);
    const std::size_t colon = rest.find(": ");
    check(colon != std::string_view::npos && colon > 0, "then a colon and a sentence");
    std::size_t line = 0;
    for (char c : rest.substr(0, colon)) {
        check(c >= '0' && c <= '9' && line < 100000000, "the line is a number");
        line = line * 10 + static_cast<std::size_t>(c - '0');
    }
    const std::string_view sentence = rest.substr(colon + 2);
    check(documented(sentence), "the sentence is one of the reader's");
    // Something missing at the end is reported on the line after the last.
    const std::size_t last = lineCount(text) + (sentence.starts_with("the recording ends") ? 1 : 0);
    check(line >= 1 && line <= last, "the named line exists");
}

// Where each line of the text starts, so an input's line is found at once.
std::vector<std::size_t> lineStarts(std::string_view text) {
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') starts.push_back(i + 1);
    return starts;
}

std::string_view lineAt(std::string_view text, const std::vector<std::size_t>& starts, int line) {
    if (line < 1 || static_cast<std::size_t>(line) > starts.size()) return {};
    const std::size_t start = starts[static_cast<std::size_t>(line) - 1];
    return text.substr(start, text.find('\n', start) - start);
}

void checkWellFormed(const Recording& r) {
    check(r.boardId >= 0 && r.boardId <= 65535, "the board is in range");
    check(r.seed >= 1, "the seed is at least 1");
    std::int64_t last = 0;
    for (const RecordedInput& input : r.inputs) {
        check(input.tick >= last && input.tick <= maxTick, "inputs are in time order and in range");
        check(std::isfinite(input.point.x) && std::isfinite(input.point.y), "points are finite");
        last = input.tick;
    }
    check(r.finishTick >= last && r.finishTick <= maxTick, "the finish is not before the last input");
}

bool sameValues(const Recording& a, const Recording& b) {
    if (a.boardId != b.boardId || a.seed != b.seed || a.humanLimits != b.humanLimits || a.finishTick != b.finishTick ||
        a.finalHash != b.finalHash || a.inputs.size() != b.inputs.size())
        return false;
    for (std::size_t i = 0; i < a.inputs.size(); ++i) {
        const RecordedInput& x = a.inputs[i];
        const RecordedInput& y = b.inputs[i];
        if (x.kind != y.kind || x.tick != y.tick) return false;
        // An end has no point to keep; a point keeps its sign of zero too.
        if (x.kind != InputKind::EndStroke && (std::memcmp(&x.point.x, &y.point.x, sizeof(double)) != 0 ||
                                               std::memcmp(&x.point.y, &y.point.y, sizeof(double)) != 0))
            return false;
    }
    return true;
}

void checkRoundTrip(const Recording& r) {
    const std::string written = corvale::writeRecording(r);
    Recording again;
    try {
        again = corvale::readRecording(written);
    } catch (const std::runtime_error&) {
        corvale::fuzz::fail("a written recording reads back");
    }
    check(sameValues(r, again), "the written text reads back to the same values");
    check(corvale::writeRecording(again) == written, "the written text is canonical");
}

// Raw bytes made into a recording the reader must accept once written.
class Bytes {
   public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool has(std::size_t n) const { return size_ - at_ >= n; }
    template <typename T>
    T take() {
        T value{};
        std::memcpy(&value, data_ + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }

   private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

Recording recordingFrom(Bytes& bytes) {
    Recording r;
    r.boardId = bytes.take<std::uint16_t>();
    const auto seed = bytes.take<std::uint32_t>();
    r.seed = seed == 0 ? 1 : seed;
    r.humanLimits = (bytes.take<std::uint8_t>() & 1) != 0;
    r.finalHash = bytes.take<std::uint64_t>();
    std::int64_t tick = 0;
    while (bytes.has(1 + 2 + 16)) {
        RecordedInput input;
        input.kind = static_cast<InputKind>(bytes.take<std::uint8_t>() % 4);
        const auto gap = bytes.take<std::uint16_t>();
        // A gap of 0xFFFF jumps to the last tick the format allows.
        tick = gap == 0xFFFF ? maxTick : std::min<std::int64_t>(maxTick, tick + gap);
        input.tick = tick;
        input.point = {finiteOrZero(bytes.take<double>()), finiteOrZero(bytes.take<double>())};
        if (input.kind == InputKind::EndStroke) input.point = {};
        r.inputs.push_back(input);
    }
    r.finishTick = tick;
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const Recording r = corvale::readRecording(text);
        checkWellFormed(r);
        const std::vector<std::size_t> starts = lineStarts(text);
        for (const RecordedInput& input : r.inputs) {
            const std::string_view line = lineAt(text, starts, input.line);
            const std::size_t start = line.find_first_not_of(" \t\r");
            check(start != std::string_view::npos && line.substr(start).starts_with(corvale::inputKeyword(input.kind)),
                  "an input names the line it was read from");
        }
        checkRoundTrip(r);
    } catch (const std::runtime_error& error) {
        checkRefusal(error.what(), text);
    }

    Bytes bytes(data, size);
    if (bytes.has(2 + 4 + 1 + 8)) checkRoundTrip(recordingFrom(bytes));
    return 0;
}
