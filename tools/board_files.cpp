#include "board_files.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "board_text.h"

namespace corvale {
namespace {

std::string readTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("The board source " + path.string() + " could not be opened.");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::vector<std::uint8_t> readBinaryFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("The file " + path.string() + " could not be opened.");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBinaryFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("The file " + path.string() + " could not be written.");
}

void writeTextFile(const std::filesystem::path& path, const std::string& text) {
    // Binary mode: the sources have the same bytes on every system.
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) throw std::runtime_error("The file " + path.string() + " could not be written.");
}

std::string boardFileName(int id) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.board", id);
    return name;
}

std::vector<Level> loadBoardSources(const std::filesystem::path& folder) {
    if (!std::filesystem::is_directory(folder)) {
        throw std::runtime_error("The board folder " + folder.string() + " does not exist.");
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".board") continue;
        bool known = false;
        for (int id = 0; id < levelCount && !known; ++id) known = entry.path().filename() == boardFileName(id);
        if (!known) {
            throw std::runtime_error("The board source " + entry.path().string() +
                                     " is not one of the set (000.board to 550.board).");
        }
    }
    std::vector<Level> levels;
    levels.reserve(levelCount);
    for (int id = 0; id < levelCount; ++id) {
        const std::filesystem::path path = folder / boardFileName(id);
        if (!std::filesystem::exists(path)) throw std::runtime_error("The board source " + path.string() + " is missing.");
        Level level = readBoardText(readTextFile(path), path.string());
        level.id = id;
        classifyLevelId(id, level.difficulty, level.bonus);
        levels.push_back(std::move(level));
    }
    return levels;
}

void writeBoardSources(const std::filesystem::path& folder, const std::vector<Level>& levels) {
    std::filesystem::create_directories(folder);
    for (const Level& level : levels) writeTextFile(folder / boardFileName(level.id), writeBoardText(level));
}

}  // namespace corvale
