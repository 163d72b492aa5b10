// The recording's text form: written with the shortest decimal that reads
// back to the same double, read with line numbers in every complaint.
#include "recording.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace corvale {
namespace {

constexpr const char* header = "corvale-recording 1";

std::string number(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string seconds(std::int64_t tick) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", static_cast<double>(tick) / ticksPerSecond);
    return buffer;
}

// A word of the text as a complaint quotes it: control bytes (a NUL would cut
// the message short) are shown as \xNN.
std::string shown(const std::string& word) {
    std::string result;
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            result += escaped;
        } else {
            result += c;
        }
    }
    return result;
}

[[noreturn]] void fail(int line, const std::string& what) {
    throw std::runtime_error("Line " + std::to_string(line) + ": " + what);
}

// The words of one line, split at spaces and tabs.
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) result.push_back(line.substr(start, i - start));
    }
    return result;
}

double parseNumber(const std::string& text, int line, const char* what) {
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
        fail(line, std::string(what) + " \"" + shown(text) + "\" is not a number.");
    return value;
}

std::int64_t parseWhole(const std::string& text, int line, const char* what, std::int64_t low, std::int64_t high) {
    std::int64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < low || value > high)
        fail(line, std::string(what) + " \"" + shown(text) + "\" must be a whole number from " + std::to_string(low) +
                       " to " + std::to_string(high) + ".");
    return value;
}

std::int64_t parseTick(const std::string& text, int line) {
    const double t = parseNumber(text, line, "The time");
    if (t < 0 || t > 1e6) fail(line, "The time " + text + " is outside 0..1000000 seconds.");
    const double ticks = t * ticksPerSecond;
    const double whole = std::round(ticks);
    if (std::fabs(ticks - whole) > 0.01) fail(line, "The time " + text + " is not on the 1/120 s tick of play.");
    return static_cast<std::int64_t>(whole);
}

BoardPoint parsePoint(const std::vector<std::string>& w, int line) {
    return {parseNumber(w[2], line, "The x coordinate"), parseNumber(w[3], line, "The y coordinate")};
}

void expectWords(const std::vector<std::string>& w, std::size_t count, int line, const char* form) {
    if (w.size() != count) fail(line, std::string("expected \"") + form + "\".");
}

}  // namespace

const char* inputKeyword(InputKind kind) {
    switch (kind) {
        case InputKind::BeginStroke:
            return "stroke";
        case InputKind::ExtendStroke:
            return "point";
        case InputKind::EndStroke:
            return "end";
        case InputKind::PlaceBlock:
            return "block";
    }
    return "?";
}

std::string writeRecording(const Recording& r) {
    std::ostringstream out;
    out << header << "\n";
    out << "board " << r.boardId << "\n";
    out << "seed " << r.seed << "\n";
    out << "mode " << (r.humanLimits ? "human" : "free") << "\n";
    for (const RecordedInput& input : r.inputs) {
        out << inputKeyword(input.kind) << ' ' << seconds(input.tick);
        if (input.kind != InputKind::EndStroke) out << ' ' << number(input.point.x) << ' ' << number(input.point.y);
        out << "\n";
    }
    out << "finish " << seconds(r.finishTick) << "\n";
    char hash[32];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(r.finalHash));
    out << "hash " << hash << "\n";
    return out.str();
}

Recording readRecording(const std::string& text) {
    Recording r;
    std::istringstream in(text);
    std::string raw;
    int line = 0;
    int stage = 0;  // 0 header, 1 board, 2 seed, 3 mode, 4 inputs, 5 after finish, 6 after hash
    std::int64_t lastTick = 0;
    while (std::getline(in, raw)) {
        ++line;
        const std::vector<std::string> w = words(raw);
        if (w.empty() || w[0][0] == '#') continue;
        const std::string& key = w[0];
        if (stage == 0) {
            if (w.size() != 2 || key != "corvale-recording" || w[1] != "1")
                fail(line, "this is not a Corvale recording (expected \"corvale-recording 1\").");
        } else if (stage == 1) {
            if (key != "board") fail(line, "expected \"board ID\".");
            expectWords(w, 2, line, "board ID");
            r.boardId = static_cast<int>(parseWhole(w[1], line, "The board", 0, 65535));
        } else if (stage == 2) {
            if (key != "seed") fail(line, "expected \"seed NUMBER\".");
            expectWords(w, 2, line, "seed NUMBER");
            r.seed = static_cast<std::uint32_t>(parseWhole(w[1], line, "The seed", 1, 4294967295LL));
        } else if (stage == 3) {
            if (key != "mode" || w.size() != 2 || (w[1] != "human" && w[1] != "free"))
                fail(line, "expected \"mode human\" or \"mode free\".");
            r.humanLimits = w[1] == "human";
        } else if (stage == 4) {
            RecordedInput input;
            if (key == "finish") {
                expectWords(w, 2, line, "finish TIME");
                r.finishTick = parseTick(w[1], line);
                if (r.finishTick < lastTick) fail(line, "the finish comes before the last input.");
                ++stage;
                continue;
            }
            if (key == "stroke" || key == "point" || key == "block") {
                expectWords(w, 4, line, (key + " TIME X Y").c_str());
                input.kind = key == "stroke"  ? InputKind::BeginStroke
                             : key == "point" ? InputKind::ExtendStroke
                                              : InputKind::PlaceBlock;
                input.point = parsePoint(w, line);
            } else if (key == "end") {
                expectWords(w, 2, line, "end TIME");
                input.kind = InputKind::EndStroke;
            } else {
                fail(line, "unknown input \"" + shown(key) + "\" (expected stroke, point, end, block or finish).");
            }
            input.tick = parseTick(w[1], line);
            input.line = line;
            if (input.tick < lastTick) fail(line, "this input comes before the one above it.");
            lastTick = input.tick;
            r.inputs.push_back(input);
            continue;
        } else if (stage == 5) {
            if (key != "hash" || w.size() != 2 || w[1].size() != 16) fail(line, "expected \"hash\" and 16 hex digits.");
            std::uint64_t value = 0;
            const auto result = std::from_chars(w[1].data(), w[1].data() + 16, value, 16);
            if (result.ec != std::errc() || result.ptr != w[1].data() + 16)
                fail(line, "expected \"hash\" and 16 hex digits.");
            r.finalHash = value;
        } else {
            fail(line, "nothing may follow the hash.");
        }
        ++stage;
    }
    if (stage < 6) {
        static const char* const missing[] = {
            "the \"corvale-recording 1\" line", "the board", "the seed", "the mode", "the finish", "the hash"};
        fail(line + 1, std::string("the recording ends without ") + missing[stage] + ".");
    }
    return r;
}

}  // namespace corvale
