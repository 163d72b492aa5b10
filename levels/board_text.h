// The plain-text form of one board, the form the board sources are kept in
// (resources/boards/README.md describes it). The board compiler, the
// decompiler and the tests share this reader and writer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "level.h"

namespace corvale {

// Text of one cell: the primary code's token, and for a breakable wall its
// revealed code after a colon ("Br:..").
std::string cellToken(const TileCell& cell);

// The token of a single code, as used in the revealed position too: a
// breakable wall here has no colon part. Invalid codes are written as hex.
std::string codeToken(std::uint16_t code);

// Reads a single code token (no colon part). Returns nothing when the text is
// not a token or names an invalid code.
std::optional<std::uint16_t> parseCodeToken(std::string_view token);

// Reads a whole cell token. Throws std::runtime_error with a sentence that
// says what is wrong (no file or line: the caller adds those).
TileCell parseCellToken(std::string_view token);

// The board as text, canonical: reading it back gives the same level, and
// writing that again gives the same text. The id, difficulty and kind appear
// in a comment only; they come from the board's place in the set.
std::string writeBoardText(const Level& level);

// Reads a board's text. `sourceName` names the file in error messages, which
// read "<file>:<line>: <what is wrong>". Header values are held to the ranges
// the level resource can be read back with. The id, difficulty and bonus flag
// are left for the caller to set.
Level readBoardText(std::string_view text, const std::string& sourceName);

// Colour names of the header ("gray", "red", ...) and the one-letter colour
// of cell tokens ('-', 'r', 'b', 'g', 'y').
std::string colorWord(int color);
char colorLetter(int color);

}  // namespace corvale
