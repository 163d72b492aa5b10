// Files of the board tools: the board sources (one text file per board,
// named by its id) and the binary level resource.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "level.h"

namespace corvale {

std::vector<std::uint8_t> readBinaryFile(const std::filesystem::path& path);
void writeBinaryFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void writeTextFile(const std::filesystem::path& path, const std::string& text);

// "000.board" .. "550.board".
std::string boardFileName(int id);

// All 551 sources of a folder, ids, difficulties and kinds set from their
// names. A missing source, or a .board file that is not one of the set,
// is an error.
std::vector<Level> loadBoardSources(const std::filesystem::path& folder);

// Writes one source per level, named by its id; the folder is created.
void writeBoardSources(const std::filesystem::path& folder, const std::vector<Level>& levels);

}  // namespace corvale
