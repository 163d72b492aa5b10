#include "settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "statistics_file.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;

// Each test gets a LOCALAPPDATA of its own, so the profile functions never
// see a file another test wrote.
class SettingsFolder : public ::testing::Test {
   protected:
    void SetUp() override {
        wchar_t saved[32768];
        const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", saved, 32768);
        if (length > 0 && length < 32768) savedAppData = std::wstring(saved, length);

        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() / (std::string("corvale-settings-") + test->name());
        fs::remove_all(root);
        fs::create_directories(root);
        ASSERT_TRUE(SetEnvironmentVariableW(L"LOCALAPPDATA", root.c_str()));
        folder = root / "Corvale-Reconstructed";
        ini = (folder / "settings.ini").wstring();
        statistics = folder / "statistics-v1.dat";
        movedAside = folder / "statistics-v1.dat.bad";
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"LOCALAPPDATA", savedAppData ? savedAppData->c_str() : nullptr);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    void put(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
        fs::create_directories(folder);
        ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, ini.c_str()));
    }
    std::wstring stored(const wchar_t* section, const wchar_t* key) {
        wchar_t text[64] = {};
        GetPrivateProfileStringW(section, key, L"<missing>", text, 64, ini.c_str());
        return text;
    }
    static Settings loaded() {
        Settings settings;
        loadSettings(settings);
        return settings;
    }
    void putStatisticsBytes(const std::string& bytes) {
        fs::create_directories(folder);
        std::ofstream(statistics, std::ios::binary) << bytes;
    }
    static std::string bytesOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static StatisticsSnapshot snapshotWith(double inkDrawn) {
        StatisticsSnapshot snapshot;
        snapshot.lifetimeCounters.inkDrawn = inkDrawn;
        snapshot.lifetimeCounters.strokesDrawn = 4;
        snapshot.boardCounters.strokesDrawn = 99;  // only the lifetime set reaches the file
        return snapshot;
    }

    std::optional<std::wstring> savedAppData;
    fs::path root, folder, statistics, movedAside;
    std::wstring ini;
};

TEST_F(SettingsFolder, FreshFolderGivesDefaultsAndBothPaths) {
    const Settings settings = loaded();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(settings.settingsPath, ini);
    EXPECT_EQ(settings.statisticsPath, statistics.wstring());
    EXPECT_EQ(settings.difficulty, 0);
    EXPECT_EQ(settings.highScore, 5000u);
    EXPECT_FALSE(settings.showFps);
    EXPECT_EQ(settings.strokeLimit, 20);
    EXPECT_EQ(settings.lifetime, PlayCounters{});
    EXPECT_FALSE(settings.keepStatisticsFile);
    EXPECT_FALSE(fs::exists(movedAside));
}

TEST_F(SettingsFolder, StrokeLimitOutsideOneTo4096ReadsAsTwenty) {
    const std::pair<const wchar_t*, int> cases[] = {{L"0", 20},      {L"4097", 20}, {L"text", 20}, {L"-5", 20},
                                                    {L"4096", 4096}, {L"1", 1},     {L"300", 300}};
    for (const auto& [text, expected] : cases) {
        put(L"Ink", L"StrokeLimit", text);
        EXPECT_EQ(loaded().strokeLimit, expected) << text;
    }
}

TEST_F(SettingsFolder, DifficultyIsClampedToTheFiveLevels) {
    const std::pair<const wchar_t*, int> cases[] = {{L"9", 4},  {L"5", 4},  {L"4", 4},  {L"2", 2},
                                                    {L"-1", 0}, {L"-7", 0}, {L"abc", 0}};
    for (const auto& [text, expected] : cases) {
        put(L"Game", L"Difficulty", text);
        EXPECT_EQ(loaded().difficulty, expected) << text;
    }
}

TEST_F(SettingsFolder, HighScoreMustBeAWholeUnsignedNumber) {
    constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    const std::pair<const wchar_t*, std::uint64_t> cases[] = {{L"123abc", 5000},
                                                              {L"-1", 5000},
                                                              {L"-0", 5000},
                                                              {L"", 0},
                                                              {L"42", 42},
                                                              {L"18446744073709551615", max},
                                                              {L"18446744073709551616", 5000},
                                                              {L"99999999999999999999999", 5000},
                                                              {L"1.5", 5000},
                                                              {L"0x10", 5000}};
    for (const auto& [text, expected] : cases) {
        put(L"Game", L"HighScore", text);
        EXPECT_EQ(loaded().highScore, expected) << text;
    }
}

TEST_F(SettingsFolder, CorruptEmptyHugeOrBinarySettingsFilesReadAsDefaults) {
    std::string noise(64 << 10, '\0');
    unsigned state = 12345;
    for (char& c : noise) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    const std::string huge = "[Game]\r\nHighScore=" + std::string(4 << 20, '9') + "\r\nDifficulty=" +
                             std::string(1 << 20, '7') + "\r\n[Ink]\r\nStrokeLimit=-" + std::string(100, '1') + "\r\n";
    const std::string binary = std::string("\xFF\xFE[\0G\0a\0m\0e\0]\0\r\0\n\0", 18) + noise;
    const std::vector<std::string> files{std::string(), noise, huge, binary, std::string("[Game\r\nHighScore")};
    for (const std::string& bytes : files) {
        fs::create_directories(folder);
        std::ofstream(fs::path(ini), std::ios::binary) << bytes;
        const Settings settings = loaded();
        EXPECT_LE(settings.difficulty, 4) << bytes.size() << " bytes";
        EXPECT_GE(settings.difficulty, 0);
        EXPECT_TRUE(settings.strokeLimit == 20 || (settings.strokeLimit >= 1 && settings.strokeLimit <= 4096));
        if (&bytes == &files[2]) EXPECT_EQ(settings.highScore, 5000u) << "63 characters of nines are no score";
    }
}

TEST_F(SettingsFolder, AnyNonZeroShowFpsMeansOn) {
    EXPECT_FALSE(loaded().showFps);
    put(L"Display", L"ShowFPS", L"1");
    EXPECT_TRUE(loaded().showFps);
    put(L"Display", L"ShowFPS", L"7");
    EXPECT_TRUE(loaded().showFps);
    put(L"Display", L"ShowFPS", L"0");
    EXPECT_FALSE(loaded().showFps);
}

TEST_F(SettingsFolder, SaveWritesEveryValueAndTheLifetimeStatistics) {
    Settings settings = loaded();
    settings.showFps = true;
    settings.strokeLimit = 77;
    ASSERT_TRUE(saveSettings(settings, 3, 123456789012ull, snapshotWith(0.1)));
    EXPECT_EQ(stored(L"Game", L"Difficulty"), L"3");
    EXPECT_EQ(stored(L"Game", L"HighScore"), L"123456789012");
    EXPECT_EQ(stored(L"Display", L"ShowFPS"), L"1");
    EXPECT_EQ(stored(L"Ink", L"StrokeLimit"), L"77");
    EXPECT_EQ(bytesOf(statistics), "CorvaleStatistics 1\r\n0.10000000000000001 0 4 0 0 0 0 0 0 0 0\r\n");

    const Settings again = loaded();
    EXPECT_EQ(again.difficulty, 3);
    EXPECT_EQ(again.highScore, 123456789012ull);
    EXPECT_TRUE(again.showFps);
    EXPECT_EQ(again.strokeLimit, 77);
    EXPECT_EQ(again.lifetime, snapshotWith(0.1).lifetimeCounters);

    settings.showFps = false;
    ASSERT_TRUE(saveSettings(settings, -1, 0, snapshotWith(2.0)));
    EXPECT_EQ(stored(L"Game", L"Difficulty"), L"-1");
    EXPECT_EQ(stored(L"Game", L"HighScore"), L"0");
    EXPECT_EQ(stored(L"Display", L"ShowFPS"), L"0");
}

TEST_F(SettingsFolder, WithoutLocalAppDataNothingIsReadOrWritten) {
    put(L"Ink", L"StrokeLimit", L"100");
    ASSERT_TRUE(SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr));
    Settings settings = loaded();
    EXPECT_TRUE(settings.settingsPath.empty());
    EXPECT_TRUE(settings.statisticsPath.empty());
    EXPECT_EQ(settings.strokeLimit, 20);
    EXPECT_EQ(settings.highScore, 5000u);
    settings.strokeLimit = 30;
    EXPECT_FALSE(saveSettings(settings, 2, 9000, snapshotWith(1.0)));
    EXPECT_EQ(stored(L"Ink", L"StrokeLimit"), L"100");
    EXPECT_FALSE(fs::exists(statistics));
}

TEST_F(SettingsFolder, OnlyTheLastFolderLevelIsCreated) {
    const fs::path missingParent = root / "missing" / "deeper";
    ASSERT_TRUE(SetEnvironmentVariableW(L"LOCALAPPDATA", missingParent.c_str()));
    const Settings settings = loaded();
    EXPECT_TRUE(settings.settingsPath.empty());
    EXPECT_FALSE(fs::exists(root / "missing"));
    EXPECT_FALSE(saveSettings(settings, 0, 5000, snapshotWith(1.0)));
}

TEST_F(SettingsFolder, AValidStatisticsFileBecomesTheLifetimeSet) {
    PlayCounters counters;
    counters.playTime = 1234.5;
    counters.boardsCleared = 3;
    counters.timedBoards = 3;
    fs::create_directories(folder);
    ASSERT_TRUE(writeStatisticsFile(statistics, counters));
    EXPECT_EQ(loaded().lifetime, counters);
}

TEST_F(SettingsFolder, ARefusedStatisticsFileIsMovedAsideNotOverwritten) {
    const std::string refused = "CorvaleStatistics 2\r\n500 3.5 1 0 0 0 0 0 0 0 0\r\n";
    putStatisticsBytes(refused);
    std::ofstream(movedAside, std::ios::binary) << "an older refused file";

    const Settings settings = loaded();
    EXPECT_EQ(settings.lifetime, PlayCounters{});
    EXPECT_FALSE(settings.keepStatisticsFile);
    EXPECT_FALSE(fs::exists(statistics));
    EXPECT_EQ(bytesOf(movedAside), refused);

    EXPECT_TRUE(saveSettings(settings, 0, 5000, snapshotWith(1.0)));
    EXPECT_EQ(bytesOf(movedAside), refused);
    PlayCounters written;
    ASSERT_TRUE(readStatisticsFile(statistics, written));
    EXPECT_EQ(written.inkDrawn, 1.0);
}

TEST_F(SettingsFolder, ARefusedFileThatCannotBeMovedIsNeverWritten) {
    const std::string refused = "CorvaleStatistics 1\r\n500 3.5 1 0 0 0 0 2 0 0 3\r\n";
    putStatisticsBytes(refused);
    fs::create_directories(movedAside / "occupied");  // the move aside must fail

    Settings settings = loaded();
    EXPECT_TRUE(settings.keepStatisticsFile);
    settings.strokeLimit = 64;
    EXPECT_FALSE(saveSettings(settings, 1, 6000, snapshotWith(1.0)));
    EXPECT_FALSE(saveSettings(settings, 1, 6000, snapshotWith(1.0)));
    EXPECT_EQ(bytesOf(statistics), refused);
    // The other values are still saved, the one written after the statistics included.
    EXPECT_EQ(stored(L"Game", L"HighScore"), L"6000");
    EXPECT_EQ(stored(L"Ink", L"StrokeLimit"), L"64");
}

TEST_F(SettingsFolder, AFailedStatisticsWriteFailsTheSaveButNotTheOtherValues) {
    Settings settings = loaded();
    fs::create_directory(folder / "statistics-v1.dat.tmp");  // the temporary file cannot be created
    settings.strokeLimit = 55;
    EXPECT_FALSE(saveSettings(settings, 2, 7000, snapshotWith(1.0)));
    EXPECT_FALSE(fs::exists(statistics));
    EXPECT_EQ(stored(L"Game", L"Difficulty"), L"2");
    EXPECT_EQ(stored(L"Ink", L"StrokeLimit"), L"55");
}

}  // namespace
}  // namespace corvale
