// Board sources are text a person edits: any text is either refused with
// "<file>:<line>: <sentence>" or read into a board that writes back to a
// canonical text, reads back to the same board, and stores in the level
// resource and reads back from it unchanged.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "board_text.h"
#include "fuzz_check.h"
#include "level.h"

namespace {

using corvale::Level;
using corvale::fuzz::check;

bool sameBoard(const Level& a, const Level& b) {
    if (a.timeLimit != b.timeLimit || a.launchInterval != b.launchInterval || a.minSpeed != b.minSpeed ||
        a.maxSpeed != b.maxSpeed || a.randomizeQueue != b.randomizeQueue || a.queue != b.queue ||
        a.trailingBytes != b.trailingBytes)
        return false;
    for (std::size_t i = 0; i < a.cells.size(); ++i)
        if (a.cells[i].code != b.cells[i].code || a.cells[i].revealedCode != b.cells[i].revealedCode) return false;
    return true;
}

void checkRefusal(std::string_view message, std::string_view text) {
    const std::string_view prefix = "fuzz.board:";
    check(message.substr(0, prefix.size()) == prefix, "a refusal names the file");
    const std::string_view rest = message.substr(prefix.size());
    const std::size_t colon = rest.find(": ");
    check(colon != std::string_view::npos && colon > 0 && rest.size() > colon + 2, "then a line and a sentence");
    std::size_t line = 0;
    for (char c : rest.substr(0, colon)) {
        check(c >= '0' && c <= '9', "the line is a number");
        line = line * 10 + static_cast<std::size_t>(c - '0');
    }
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    check(line <= lines, "the line exists");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Level level;
    try {
        level = corvale::readBoardText(text, "fuzz.board");
    } catch (const std::runtime_error& error) {
        checkRefusal(error.what(), text);
        return 0;
    }
    const std::string written = corvale::writeBoardText(level);
    const Level again = corvale::readBoardText(written, "written.board");
    check(sameBoard(level, again), "the written text reads back to the same board");
    check(corvale::writeBoardText(again) == written, "the written text is canonical");

    // The header ranges are the resource's: the board always stores (this
    // throws otherwise), and one accepted text in 64 also reads back from a
    // whole resource, which costs a thousand times the rest of the target.
    const std::vector<std::uint8_t> record = corvale::serializeLevel(level);
    check(record.size() >= 2 + 9 + 2 * corvale::boardCellCount, "a record holds the header and every cell");
    if (std::hash<std::string_view>{}(text) % 64 != 0) return 0;
    const std::vector<Level> set(corvale::levelCount, level);
    const std::vector<std::uint8_t> bytes = corvale::serializeLevelResource(set);
    const std::vector<Level> read = corvale::parseLevelResource(bytes);
    check(sameBoard(read.front(), level) && sameBoard(read.back(), level), "the resource keeps the board");
    return 0;
}
