#include "screenshot.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "render_fixture.h"

namespace corvale {
namespace {

std::wstring tempFolder() {
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    std::wstring folder = std::wstring(path) + L"corvale-render-test-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::vector<std::uint8_t> readAll(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Screenshot : public ::testing::Test {
   protected:
    void SetUp() override {
        game.score = 321;
        renderer->render(game);
    }
    void TearDown() override {
        DeleteFileW(path.c_str());
        RemoveDirectoryW(folder.c_str());
    }
    std::unique_ptr<Renderer> renderer = test::makeRenderer();
    Game game = test::floorGame();
    std::wstring folder = tempFolder();
    std::wstring path = folder + L"\\shot.bmp";
};

TEST_F(Screenshot, HeaderIsTheTopDown32BitLayout) {
    const std::uint8_t expected[54] = {
        'B', 'M', 0x36, 0x75, 0x13, 0x00, 0,    0,    0,    0,    54,   0,    0, 0,         // file header
        40,  0,   0,    0,    0x20, 0x02, 0,    0,    0xB6, 0xFD, 0xFF, 0xFF, 1, 0, 32, 0,  // size, planes, depth
        0,   0,   0,    0,    0x00, 0x75, 0x13, 0x00, 0,    0,    0,    0,    0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0};
    const auto header = screenshotHeader();
    EXPECT_TRUE(std::equal(header.begin(), header.end(), std::begin(expected)));
}

TEST_F(Screenshot, FileHoldsTheHeaderAndTheImageTopRowFirst) {
    // An older, longer file is replaced, not overwritten in place.
    std::vector<char> junk(2'000'000, 'x');
    std::ofstream(path.c_str(), std::ios::binary).write(junk.data(), static_cast<std::streamsize>(junk.size()));

    ASSERT_TRUE(renderer->writeScreenshot(path));
    const std::vector<std::uint8_t> bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 1'275'190u);
    const auto header = screenshotHeader();
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    for (int row : {0, 585})
        for (int x = 0; x < gameImageWidth; ++x) {
            const std::size_t at = 54 + (static_cast<std::size_t>(row) * gameImageWidth + x) * 4;
            const std::uint32_t rgb = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16;
            ASSERT_EQ(rgb, test::imageRgb(*renderer, x, row)) << row << ", " << x;
        }
}

TEST_F(Screenshot, EveryPixelIsWrittenOpaque) {
    // Tiles leave 0 in the image's fourth byte and balls 255; image viewers
    // read that byte as alpha, so the file must say opaque everywhere.
    Ball ball;
    ball.x = ball.y = 100;
    ball.radius = 12;
    game.balls.push_back(ball);
    renderer->render(game);
    ASSERT_TRUE(renderer->writeScreenshot(path));
    const std::vector<std::uint8_t> bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 1'275'190u);
    for (std::size_t at = 54 + 3; at < bytes.size(); at += 4) ASSERT_EQ(bytes[at], 255) << (at - 54) / 4;
    // The colours are untouched, the ball's included.
    const std::size_t at = 54 + (static_cast<std::size_t>(142) * gameImageWidth + 100) * 4;
    EXPECT_EQ(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16, test::imageRgb(*renderer, 100, 142));
}

TEST_F(Screenshot, AMissingFolderFailsAndCreatesNothing) {
    const std::wstring missing = folder + L"\\no-such-folder";
    EXPECT_FALSE(renderer->writeScreenshot(missing + L"\\shot.bmp"));
    EXPECT_FALSE(exists(missing));
}

TEST_F(Screenshot, AFailedWriteLeavesNoPartialFile) {
    static int calls;
    calls = 0;
    const FileWriter failsOnPixels = [](HANDLE file, const void* bytes, DWORD count) {
        return ++calls < 3 && writeAllBytes(file, bytes, count);
    };
    EXPECT_FALSE(writeScreenshotFile(path, renderer->gameImagePixels(), failsOnPixels));
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(exists(path));
}

TEST_F(Screenshot, NothingIsWrittenAfterRelease) {
    renderer->release();
    EXPECT_FALSE(renderer->writeScreenshot(path));
    EXPECT_FALSE(exists(path));
}

}  // namespace
}  // namespace corvale
