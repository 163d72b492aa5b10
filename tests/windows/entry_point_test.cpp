#include "entry_point.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "embedded_levels.h"
#include "text.h"

namespace corvale {
namespace {

std::vector<std::wstring> boxes;
std::vector<std::wstring> debugLines;

void recordBox(const std::wstring& text) {
    boxes.push_back(text);
}
void recordDebugLine(const std::wstring& line) {
    debugLines.push_back(line);
}

class FatalErrorReport : public ::testing::Test {
   protected:
    void SetUp() override {
        boxes.clear();
        debugLines.clear();
    }
    ErrorChannels channels{recordBox, recordDebugLine};
};

TEST_F(FatalErrorReport, WindowedRunShowsBoxAndWritesDebugLine) {
    EXPECT_EQ(reportFatalError(channels, "Broken \xC3\xA9tat.", false), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"Broken \u00e9tat.");
    ASSERT_EQ(debugLines.size(), 1u);
    EXPECT_EQ(debugLines[0], L"Corvale: Broken \u00e9tat.\n");
}

TEST_F(FatalErrorReport, HeadlessRunWritesOnlyTheDebugLine) {
    EXPECT_EQ(reportFatalError(channels, "The screenshot file could not be written.", true), 1);
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(debugLines.size(), 1u);
    EXPECT_EQ(debugLines[0], L"Corvale: The screenshot file could not be written.\n");
}

TEST(Utf8ToWide, ConvertsAndReplacesInvalidBytes) {
    EXPECT_EQ(utf8ToWide(""), L"");
    EXPECT_EQ(utf8ToWide("Gold \xE2\x86\x92 hole"), L"Gold \u2192 hole");
    const std::wstring replaced = utf8ToWide("bad \xFF byte");
    EXPECT_NE(replaced.find(L'\uFFFD'), std::wstring::npos);
    EXPECT_EQ(replaced.substr(0, 4), L"bad ");
}

TEST(EmbeddedLevels, TheExecutableCarriesAllBoards) {
    const std::vector<Level> levels = loadEmbeddedLevels(GetModuleHandleW(nullptr));
    ASSERT_EQ(levels.size(), 551u);
    EXPECT_EQ(levels[186].difficulty, 1);
    EXPECT_TRUE(levels[550].bonus);
}

TEST(EmbeddedLevels, AModuleWithoutTheResourceIsReported) {
    try {
        loadEmbeddedLevels(GetModuleHandleW(L"kernel32.dll"));
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "The original level resource is missing from this executable.");
    }
}

}  // namespace
}  // namespace corvale
