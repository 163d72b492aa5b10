#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings.h"
#include "settings_values.h"
#include "statistics_file.h"

namespace corvale {
namespace {

constexpr DWORD environmentBufferSize = 32768;  // the longest value Windows allows, plus the terminator
constexpr DWORD highScoreBufferSize = 64;

// Empty when LOCALAPPDATA is unset, too long or the folder cannot be made.
std::wstring dataFolder() {
    std::vector<wchar_t> buffer(environmentBufferSize);
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer.data(), environmentBufferSize);
    if (length == 0 || length > environmentBufferSize - 1) return {};
    std::wstring folder(buffer.data(), length);
    folder += L"\\Corvale-Reconstructed";
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};
    return folder;
}

// Only a name that is certainly absent counts as missing; anything we cannot
// look at is treated as present, so it is never overwritten by mistake.
bool pathMayExist(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

void loadStatisticsFile(Settings& settings) {
    if (readStatisticsFile(std::filesystem::path(settings.statisticsPath), settings.lifetime)) return;
    settings.lifetime = PlayCounters{};
    if (!pathMayExist(settings.statisticsPath)) return;
    // A file we refuse may still hold years of play: move it aside before a
    // save can replace it with counters that start from zero.
    const std::wstring aside = settings.statisticsPath + L".bad";
    if (!MoveFileExW(settings.statisticsPath.c_str(), aside.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        settings.keepStatisticsFile = true;
    }
}

int readInt(const Settings& settings, const wchar_t* section, const wchar_t* key, int fallback) {
    // The profile function answers unsigned; a "-3" in the file comes back as 2^32 - 3.
    return static_cast<int>(GetPrivateProfileIntW(section, key, fallback, settings.settingsPath.c_str()));
}

std::uint64_t readHighScore(const Settings& settings) {
    wchar_t text[highScoreBufferSize] = {};
    GetPrivateProfileStringW(L"Game", L"HighScore", L"5000", text, highScoreBufferSize, settings.settingsPath.c_str());
    return highScoreSetting(text);
}

bool writeValue(const Settings& settings, const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    return WritePrivateProfileStringW(section, key, value.c_str(), settings.settingsPath.c_str()) != 0;
}

}  // namespace

void loadSettings(Settings& settings) {
    const std::wstring folder = dataFolder();
    if (folder.empty()) return;
    settings.settingsPath = folder + L"\\settings.ini";
    settings.statisticsPath = folder + L"\\statistics-v1.dat";

    loadStatisticsFile(settings);

    settings.difficulty = difficultySetting(readInt(settings, L"Game", L"Difficulty", 0));

    settings.showFps = readInt(settings, L"Display", L"ShowFPS", 0) != 0;

    settings.strokeLimit = strokeLimitSetting(readInt(settings, L"Ink", L"StrokeLimit", settingsDefaultStrokeLimit));

    settings.highScore = readHighScore(settings);
}

bool saveSettings(const Settings& settings, std::int32_t difficulty, std::uint64_t highScore,
                  const StatisticsSnapshot& snapshot) {
    if (settings.settingsPath.empty()) return false;

    // Non-short-circuit: every write is attempted even after one failed.
    bool ok = writeValue(settings, L"Game", L"Difficulty", std::to_wstring(difficulty));
    ok &= writeValue(settings, L"Game", L"HighScore", std::to_wstring(highScore));
    ok &= writeValue(settings, L"Display", L"ShowFPS", settings.showFps ? L"1" : L"0");
    ok &= !settings.keepStatisticsFile &&
          writeStatisticsFile(std::filesystem::path(settings.statisticsPath), snapshot.lifetimeCounters);
    ok &= writeValue(settings, L"Ink", L"StrokeLimit", std::to_wstring(settings.strokeLimit));
    return ok;
}

}  // namespace corvale
