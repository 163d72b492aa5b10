#include "board_text.h"

#include <cstdio>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace corvale {
namespace {

constexpr const char* colorWords[] = {"gray", "red", "blue", "green", "gold"};
constexpr char colorLetters[] = {'-', 'r', 'b', 'g', 'y'};
constexpr char arrows[] = {'^', 'v', '<', '>'};  // up, down, left, right

std::string hexToken(std::uint16_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(code));
    return text;
}

// Built by appending: GCC 12 warns falsely about "literal" + short temporary.
std::string quoted(std::string_view text) {
    std::string out(1, '"');
    out += text;
    out += '"';
    return out;
}

char hexDigit(int value) { return "0123456789ABCDEF"[value & 0xF]; }

// The readable token of a code, or an empty string when only hex can say it.
std::string niceToken(std::uint16_t code) {
    if (!isValidTileCode(code)) return {};
    const int p0 = tileP0(code), p1 = tileP1(code), p2 = tileP2(code);
    switch (static_cast<TileKind>(tileKindOf(code))) {
        case TileKind::Floor: return code == 0 ? ".." : "";
        case TileKind::Launcher: return code == 0x1FFF ? "L" : "";
        case TileKind::HoleQuadrant:
            if (p2 != 0) return {};
            return {'H', colorLetters[p0], static_cast<char>('0' + p1)};
        case TileKind::Wall:
        case TileKind::BreakableWall:
            if (p1 != 0 || p2 != 0) return {};
            return {tileKindOf(code) == 3 ? 'W' : 'B', colorLetters[p0]};
        case TileKind::OneWayWall:
            if (p2 != 0) return {};
            return {arrows[p1], colorLetters[p0]};
        case TileKind::TimedWall: return {'T', static_cast<char>('0' + p0), hexDigit(p1), hexDigit(p2)};
        case TileKind::KeyholeWall:
            if (p2 != 0) return {};
            return {'K', colorLetters[p0], static_cast<char>('0' + p1)};
        case TileKind::Ramp:
            if (p0 != 0 || p2 != 0) return {};
            return {'R', arrows[p1]};
        case TileKind::PreplacedBall: {
            const int heading = tileHeading(code);
            std::string token{'O', colorLetters[p0]};
            if (heading == 255) return token + '*';
            return token + static_cast<char>('0' + heading / 10) + static_cast<char>('0' + heading % 10);
        }
        case TileKind::TwoWayFilter:
            if (p2 != 0) return {};
            return {'F', colorLetters[p0], p1 == 0 ? '-' : '|'};
    }
    return {};
}

// Every readable token, found by writing every valid code once: the reader
// can then never disagree with the writer.
const std::unordered_map<std::string, std::uint16_t>& tokenTable() {
    static const std::unordered_map<std::string, std::uint16_t> table = [] {
        std::unordered_map<std::string, std::uint16_t> built;
        for (unsigned code = 0; code <= 0xFFFF; ++code) {
            std::string token = niceToken(static_cast<std::uint16_t>(code));
            if (!token.empty()) built.emplace(std::move(token), static_cast<std::uint16_t>(code));
        }
        return built;
    }();
    return table;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// ---- Reading a board file ----

struct LineReader {
    std::string_view text;
    const std::string& sourceName;
    std::size_t position = 0;
    int lineNumber = 0;

    // The next line that is neither blank nor a comment, trimmed; false at the end.
    bool next(std::string_view& line) {
        while (position < text.size()) {
            const std::size_t end = std::min(text.find('\n', position), text.size());
            line = text.substr(position, end - position);
            position = end + 1;
            ++lineNumber;
            const std::size_t first = line.find_first_not_of(" \t\r");
            if (first == std::string_view::npos || line[first] == '#') continue;
            line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
            return true;
        }
        return false;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(sourceName + ":" + std::to_string(lineNumber) + ": " + what);
    }
};

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t p = 0;
    while (true) {
        p = line.find_first_not_of(" \t", p);
        if (p == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t", p), line.size());
        words.push_back(line.substr(p, end - p));
        p = end;
    }
    return words;
}

int readNumber(const LineReader& in, std::string_view word, int low, int high, const std::string& what) {
    if (word.empty() || word.size() > 6 || word.find_first_not_of("0123456789") != std::string_view::npos) {
        in.fail("The " + what + " \"" + std::string(word) + "\" is not a whole number.");
    }
    const int value = std::stoi(std::string(word));
    if (value < low || value > high) {
        in.fail("The " + what + " " + std::to_string(value) + " is outside " + std::to_string(low) + ".." +
                std::to_string(high) + ".");
    }
    return value;
}

void requireCount(const LineReader& in, const std::vector<std::string_view>& words, std::size_t count,
                  const char* usage) {
    if (words.size() != count) in.fail(std::string("Expected \"") + usage + "\".");
}

void readHeaderLine(LineReader& in, const std::vector<std::string_view>& words, Level& level) {
    const std::string_view key = words[0];
    if (key == "time") {
        requireCount(in, words, 2, "time SECONDS or time unlimited");
        level.timeLimit = words[1] == "unlimited" ? 0 : readNumber(in, words[1], 0, 999, "time limit");
    } else if (key == "interval") {
        requireCount(in, words, 2, "interval SECONDS");
        level.launchInterval = readNumber(in, words[1], 0, 60, "launch interval");
    } else if (key == "speed") {
        requireCount(in, words, 3, "speed MIN MAX");
        level.minSpeed = readNumber(in, words[1], 50, 300, "minimum speed");
        level.maxSpeed = readNumber(in, words[2], 50, 300, "maximum speed");
        if (level.minSpeed > level.maxSpeed) in.fail("The minimum speed is above the maximum speed.");
    } else if (key == "randomize") {
        requireCount(in, words, 2, "randomize yes or randomize no");
        if (words[1] != "yes" && words[1] != "no") in.fail("The randomize flag must be \"yes\" or \"no\".");
        level.randomizeQueue = words[1] == "yes";
    } else if (key == "queue") {
        if (words.size() > 65) in.fail("The queue holds more than 64 balls.");
        for (std::size_t i = 1; i < words.size(); ++i) {
            int color = 0;
            while (color < ballColorCount && words[i] != colorWords[color]) ++color;
            if (color == ballColorCount) {
                in.fail(quoted(words[i]) + " is not a ball colour (gray, red, blue, green, gold).");
            }
            level.queue.push_back(color);
        }
    } else if (key == "trailing") {
        for (std::size_t i = 1; i < words.size(); ++i) {
            const std::string_view byte = words[i];
            if (byte.size() != 2 || hexValue(byte[0]) < 0 || hexValue(byte[1]) < 0) {
                in.fail(quoted(byte) + " is not a byte in two hex digits.");
            }
            level.trailingBytes.push_back(static_cast<std::uint8_t>(hexValue(byte[0]) * 16 + hexValue(byte[1])));
        }
    } else {
        in.fail(quoted(key) + " is not a header line (time, interval, speed, randomize, queue, " +
                "trailing, map).");
    }
}

}  // namespace

std::string colorWord(int color) { return color >= 0 && color < ballColorCount ? colorWords[color] : "unknown"; }
char colorLetter(int color) { return color >= 0 && color < ballColorCount ? colorLetters[color] : '?'; }

std::string codeToken(std::uint16_t code) {
    std::string token = niceToken(code);
    return token.empty() ? hexToken(code) : token;
}

std::string cellToken(const TileCell& cell) {
    std::string token = codeToken(cell.code);
    if (tileKindOf(cell.code) == static_cast<int>(TileKind::BreakableWall)) {
        token += ':';
        token += codeToken(cell.revealedCode);
    }
    return token;
}

std::optional<std::uint16_t> parseCodeToken(std::string_view token) {
    if (token.size() == 6 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        unsigned code = 0;
        for (const char c : token.substr(2)) {
            if (hexValue(c) < 0) return std::nullopt;
            code = code * 16 + static_cast<unsigned>(hexValue(c));
        }
        if (!isValidTileCode(static_cast<std::uint16_t>(code))) return std::nullopt;
        return static_cast<std::uint16_t>(code);
    }
    const auto& table = tokenTable();
    const auto found = table.find(std::string(token));
    if (found == table.end()) return std::nullopt;
    return found->second;
}

TileCell parseCellToken(std::string_view token) {
    const std::size_t colon = token.find(':');
    const std::string_view primary = token.substr(0, colon);
    const auto code = parseCodeToken(primary);
    if (!code) throw std::runtime_error(quoted(primary) + " is not a tile token.");
    TileCell cell{*code, 0};
    const bool breakable = tileKindOf(*code) == static_cast<int>(TileKind::BreakableWall);
    if (colon == std::string_view::npos) {
        if (breakable) {
            throw std::runtime_error("The breakable wall \"" + std::string(token) +
                                     "\" needs the tile it reveals after a colon, as in \"" + std::string(token) +
                                     ":..\".");
        }
        return cell;
    }
    if (!breakable) {
        throw std::runtime_error(quoted(token) + " names a revealed tile, but only breakable walls have one.");
    }
    const std::string_view revealed = token.substr(colon + 1);
    const auto revealedCode = parseCodeToken(revealed);
    if (!revealedCode) throw std::runtime_error(quoted(revealed) + " is not a tile token.");
    cell.revealedCode = *revealedCode;
    return cell;
}

std::string writeBoardText(const Level& level) {
    std::string out = "# Board " + std::to_string(level.id) + ": " + difficultyName(level.difficulty) +
                      (level.bonus ? ", bonus board\n" : ", normal board\n");
    out += level.timeLimit == 0 ? std::string("time unlimited\n") : "time " + std::to_string(level.timeLimit) + "\n";
    out += "interval " + std::to_string(level.launchInterval) + "\n";
    out += "speed " + std::to_string(level.minSpeed) + " " + std::to_string(level.maxSpeed) + "\n";
    out += level.randomizeQueue ? "randomize yes\n" : "randomize no\n";
    out += "queue";
    for (const std::int32_t color : level.queue) {
        out += ' ';
        out += colorWord(color);
    }
    out += "\n";
    if (!level.trailingBytes.empty()) {
        out += "trailing";
        for (const std::uint8_t byte : level.trailingBytes) out += {' ', hexDigit(byte >> 4), hexDigit(byte)};
        out += "\n";
    }
    std::vector<std::string> tokens;
    std::size_t width = 0;
    for (const TileCell& cell : level.cells) {
        tokens.push_back(cellToken(cell));
        width = std::max(width, tokens.back().size());
    }
    out += "map\n";
    for (int row = 0; row < boardRows; ++row) {
        std::string line;
        for (int column = 0; column < boardColumns; ++column) {
            const std::string& token = tokens[static_cast<std::size_t>(column + boardColumns * row)];
            line += token;
            if (column + 1 < boardColumns) line.append(width + 1 - token.size(), ' ');
        }
        out += line + "\n";
    }
    return out;
}

Level readBoardText(std::string_view text, const std::string& sourceName) {
    Level level;
    LineReader in{text, sourceName};
    std::vector<std::string> seen;
    std::string_view line;
    bool haveMap = false;
    while (!haveMap && in.next(line)) {
        const std::vector<std::string_view> words = splitWords(line);
        const std::string key(words[0]);
        for (const std::string& earlier : seen) {
            if (earlier == key) in.fail("The header has a second \"" + key + "\" line.");
        }
        seen.push_back(key);
        if (key == "map") {
            requireCount(in, words, 1, "map");
            haveMap = true;
        } else {
            readHeaderLine(in, words, level);
        }
    }
    if (!haveMap) in.fail("The board has no \"map\" line.");
    for (const char* required : {"time", "interval", "speed"}) {
        bool found = false;
        for (const std::string& key : seen) found = found || key == required;
        if (!found) in.fail(std::string("The header has no \"") + required + "\" line.");
    }
    int row = 0;
    while (in.next(line)) {
        if (row == boardRows) in.fail("The map has more than 17 rows.");
        const std::vector<std::string_view> words = splitWords(line);
        if (words.size() != boardColumns) {
            in.fail("Map row " + std::to_string(row) + " has " + std::to_string(words.size()) +
                    " cells; a row has 17.");
        }
        for (int column = 0; column < boardColumns; ++column) {
            try {
                level.cells[static_cast<std::size_t>(column + boardColumns * row)] =
                    parseCellToken(words[static_cast<std::size_t>(column)]);
            } catch (const std::runtime_error& error) {
                in.fail("Column " + std::to_string(column) + ": " + error.what());
            }
        }
        ++row;
    }
    if (row < boardRows) in.fail("The map has " + std::to_string(row) + " rows; a board has 17.");
    return level;
}

}  // namespace corvale
