#include "statistics_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace corvale {
namespace {

namespace fs = std::filesystem;

// Eleven fields in file order; tests replace one and join them.
std::vector<std::string> validFields() {
    return {"40", "3.5", "1", "0", "0", "0", "0", "2", "0", "0", "2"};
}

std::string fileWith(const std::vector<std::string>& fields, const std::string& header = "CorvaleStatistics 1") {
    std::string text = header + "\r\n";
    for (std::size_t i = 0; i < fields.size(); ++i) text += (i ? " " : "") + fields[i];
    return text + "\r\n";
}

std::string fileWithField(std::size_t position, const std::string& value) {
    std::vector<std::string> fields = validFields();
    fields[position] = value;
    return fileWith(fields);
}

// A sentinel in every field shows whether a refused parse touched the output.
PlayCounters sentinel() {
    PlayCounters c;
    c.inkDrawn = c.playTime = c.completionTime = c.timeLeftAtCompletion = 77.0;
    c.timedBoards = c.strokesDrawn = c.inkHits = c.wallHits = c.ballHits = c.ballsSunk = c.boardsCleared = 77;
    return c;
}

bool parses(const std::string& text, PlayCounters* result = nullptr) {
    std::istringstream in(text);
    PlayCounters out = sentinel();
    const bool ok = parseStatistics(in, out);
    if (!ok) {
        EXPECT_EQ(out, sentinel()) << "a refused file changed the output";
    }
    if (result) *result = out;
    return ok;
}

bool sameBits(const PlayCounters& a, const PlayCounters& b) {
    return std::bit_cast<std::uint64_t>(a.inkDrawn) == std::bit_cast<std::uint64_t>(b.inkDrawn) &&
           std::bit_cast<std::uint64_t>(a.playTime) == std::bit_cast<std::uint64_t>(b.playTime) &&
           std::bit_cast<std::uint64_t>(a.completionTime) == std::bit_cast<std::uint64_t>(b.completionTime) &&
           std::bit_cast<std::uint64_t>(a.timeLeftAtCompletion) ==
               std::bit_cast<std::uint64_t>(b.timeLeftAtCompletion) &&
           a == b;
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

constexpr std::uint64_t maxCounter = std::numeric_limits<std::uint64_t>::max();

TEST(StatisticsFormat, WritesTheFieldsInFileOrderWithCrLf) {
    PlayCounters c;
    c.inkDrawn = 40;
    c.playTime = 3.5;
    c.strokesDrawn = 1;
    EXPECT_EQ(formatStatistics(c), "CorvaleStatistics 1\r\n40 3.5 1 0 0 0 0 0 0 0 0\r\n");

    c.inkHits = 2, c.wallHits = 3, c.ballHits = 4, c.ballsSunk = 5, c.boardsCleared = 6;
    c.completionTime = 0.1, c.timeLeftAtCompletion = 1e20, c.timedBoards = maxCounter;
    EXPECT_EQ(formatStatistics(c),
              "CorvaleStatistics 1\r\n40 3.5 1 2 3 4 5 6 0.10000000000000001 1e+20 18446744073709551615\r\n");
}

TEST(StatisticsFormat, EveryWrittenValueReadsBackBitForBit) {
    std::mt19937_64 random(12345);
    std::vector<PlayCounters> cases(3);
    cases[1].inkDrawn = 0.1, cases[1].playTime = 1.0 / 3.0, cases[1].completionTime = 5e-324;
    cases[1].timeLeftAtCompletion = std::numeric_limits<double>::max();
    cases[1].boardsCleared = cases[1].timedBoards = maxCounter;
    cases[2].inkDrawn = -0.0, cases[2].playTime = 123456789.125, cases[2].completionTime = 2.2250738585072014e-308;
    for (int i = 0; i < 200; ++i) {
        PlayCounters c;
        // Random bit patterns of finite non-negative doubles cover every exponent.
        auto amount = [&] {
            double d = std::bit_cast<double>(random() & 0x7FEFFFFFFFFFFFFFull);
            return d;
        };
        c.inkDrawn = amount(), c.playTime = amount(), c.completionTime = amount();
        c.timeLeftAtCompletion = amount();
        c.strokesDrawn = random(), c.inkHits = random(), c.wallHits = random(), c.ballHits = random();
        c.ballsSunk = random(), c.boardsCleared = random(), c.timedBoards = c.boardsCleared / 2;
        cases.push_back(c);
    }
    for (const PlayCounters& c : cases) {
        PlayCounters back;
        ASSERT_TRUE(parses(formatStatistics(c), &back)) << formatStatistics(c);
        EXPECT_TRUE(sameBits(back, c)) << formatStatistics(c);
    }
}

TEST(StatisticsReader, ReadsTheFieldsInFileOrder) {
    PlayCounters c;
    ASSERT_TRUE(parses(fileWith({"1.5", "2.5", "3", "4", "5", "6", "7", "9", "10.5", "11.5", "8"}), &c));
    EXPECT_EQ(c.inkDrawn, 1.5);
    EXPECT_EQ(c.playTime, 2.5);
    EXPECT_EQ(c.strokesDrawn, 3u);
    EXPECT_EQ(c.inkHits, 4u);
    EXPECT_EQ(c.wallHits, 5u);
    EXPECT_EQ(c.ballHits, 6u);
    EXPECT_EQ(c.ballsSunk, 7u);
    EXPECT_EQ(c.boardsCleared, 9u);
    EXPECT_EQ(c.completionTime, 10.5);
    EXPECT_EQ(c.timeLeftAtCompletion, 11.5);
    EXPECT_EQ(c.timedBoards, 8u);
}

TEST(StatisticsReader, NeedsExactlyElevenNumbers) {
    std::vector<std::string> fields = validFields();
    EXPECT_TRUE(parses(fileWith(fields)));
    fields.pop_back();
    EXPECT_FALSE(parses(fileWith(fields)));
    fields.push_back("2");
    fields.push_back("0");
    EXPECT_FALSE(parses(fileWith(fields)));
    EXPECT_FALSE(parses("CorvaleStatistics 1\r\n"));
    EXPECT_FALSE(parses(""));
}

TEST(StatisticsReader, CountersAreDigitsAlone) {
    const std::size_t counterPositions[] = {2, 3, 4, 5, 6, 7, 10};
    for (const std::size_t position : counterPositions) {
        for (const char* bad : {"+1", "-1", "1.0", "1.", "1e3", "0x1", "1a", "-0", "\xEF\xBC\x91"}) {
            EXPECT_FALSE(parses(fileWithField(position, bad))) << position << " " << bad;
        }
    }
    PlayCounters c;
    ASSERT_TRUE(parses(fileWithField(3, "007"), &c));
    EXPECT_EQ(c.inkHits, 7u);
    ASSERT_TRUE(parses(fileWithField(4, "0000000000000000000000000018446744073709551615"), &c));
    EXPECT_EQ(c.wallHits, maxCounter);
}

TEST(StatisticsReader, CountersStopAtTheLargest64BitValue) {
    PlayCounters c;
    ASSERT_TRUE(parses(fileWithField(5, "18446744073709551615"), &c));
    EXPECT_EQ(c.ballHits, maxCounter);
    EXPECT_FALSE(parses(fileWithField(5, "18446744073709551616")));
    EXPECT_FALSE(parses(fileWithField(5, "18446744073709551620")));
    EXPECT_FALSE(parses(fileWithField(5, "99999999999999999999")));
    EXPECT_FALSE(parses(fileWithField(5, "184467440737095516150")));
}

TEST(StatisticsReader, AmountsAreFiniteAndNotNegative) {
    const std::size_t doublePositions[] = {0, 1, 8, 9};
    for (const std::size_t position : doublePositions) {
        for (const char* bad :
             {"-1", "-0.0001", "inf", "nan", "1e999", "-1e999", "0x10", "1,5", "1.5x", "1.5+2", "."}) {
            EXPECT_FALSE(parses(fileWithField(position, bad))) << position << " " << bad;
        }
        for (const char* good : {"-0", "+2.5", "1e3", ".5", "7.", "1E-3", "4.9406564584124654e-324"}) {
            EXPECT_TRUE(parses(fileWithField(position, good))) << position << " " << good;
        }
    }
}

// An amount ends where the number ends, not at the next white space; only
// the count and the checks of the values decide whether the file holds.
TEST(StatisticsReader, AmountsStopWhereTheNumberStops) {
    PlayCounters c;
    ASSERT_TRUE(parses(fileWith({"40-0", "1", "0", "0", "0", "0", "2", "0", "0", "2"}), &c));
    EXPECT_EQ(c.inkDrawn, 40.0);
    EXPECT_TRUE(std::signbit(c.playTime));
    EXPECT_EQ(c.strokesDrawn, 1u);

    ASSERT_TRUE(parses(fileWith({"40", "3.5", "1", "0", "0", "0", "0", "2", "0.5+0.25", "2"}), &c));
    EXPECT_EQ(c.completionTime, 0.5);
    EXPECT_EQ(c.timeLeftAtCompletion, 0.25);
    EXPECT_EQ(c.timedBoards, 2u);

    // The version is a number too: "1.5" is version 1 followed by the ink length .5.
    ASSERT_TRUE(parses(fileWith({"3.5", "1", "0", "0", "0", "0", "2", "0", "0", "2"}, "CorvaleStatistics 1.5"), &c));
    EXPECT_EQ(c.inkDrawn, 0.5);
    EXPECT_EQ(c.playTime, 3.5);
}

TEST(StatisticsReader, AnyWhiteSpaceSeparatesTheValues) {
    const std::string numbers = "40 3.5 1 0 0 0 0 2 0 0 2";
    EXPECT_TRUE(parses("CorvaleStatistics 1\n" + numbers + "\n"));
    EXPECT_TRUE(parses("CorvaleStatistics 1 " + numbers));
    EXPECT_TRUE(parses("CorvaleStatistics 1\r" + numbers + "\r"));
    EXPECT_TRUE(parses("  \r\n\tCorvaleStatistics\n1\t40\v3.5\f1 0 0 0 0 2 0\n\n0 2"));
    EXPECT_TRUE(parses(fileWith(validFields()) + "\r\n\r\n\n  \t\r\n"));
    EXPECT_FALSE(parses("CorvaleStatistics 1\r\n" + numbers + "\r\n\x1A"));
    EXPECT_FALSE(parses(std::string("CorvaleStatistics 1\r\n40\0 3.5 1 0 0 0 0 2 0 0 2\r\n", 48)));
}

TEST(StatisticsReader, OnlyTheSignatureAndVersionOneAreAccepted) {
    const std::vector<std::string> fields = validFields();
    EXPECT_TRUE(parses(fileWith(fields, "CorvaleStatistics +1")));
    for (const char* header :
         {"CorvaleStatistics 2", "CorvaleStatistics 0", "CorvaleStatistics -1", "CorvaleStatistics 1.0",
          "CorvaleStatistics1", "corvalestatistics 1",
          "\xEF\xBB\xBF"
          "CorvaleStatistics 1",
          "CorvaleStatistics x", "CorvaleStatistics", "CorvaleStatistics 4294967297", "Statistics 1"}) {
        EXPECT_FALSE(parses(fileWith(fields, header))) << header;
    }
}

TEST(StatisticsReader, TimedBoardsNeverExceedBoardsCleared) {
    std::vector<std::string> fields = validFields();
    fields[7] = "2";
    fields[10] = "3";
    EXPECT_FALSE(parses(fileWith(fields)));
    fields[10] = "2";
    EXPECT_TRUE(parses(fileWith(fields)));
    fields[7] = "18446744073709551615";
    fields[10] = "18446744073709551615";
    EXPECT_TRUE(parses(fileWith(fields)));
}

TEST(StatisticsReader, NothingMayFollowTheLastNumber) {
    const std::string valid = fileWith(validFields());
    EXPECT_TRUE(parses(valid));
    for (const char* tail : {"0", "x", "#", "\r\n0\r\n", ".", "CorvaleStatistics 1"}) {
        EXPECT_FALSE(parses(valid + tail)) << tail;
    }
    EXPECT_FALSE(parses(valid + std::string(1, '\0')));
    EXPECT_FALSE(parses("CorvaleStatistics 1\r\n40 3.5 1 0 0 0 0 2 0 0 2x\r\n"));
}

class StatisticsFileOnDisk : public ::testing::Test {
   protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("corvale-stats-") + test->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = folder / "statistics-v1.dat";
        temporary = folder / "statistics-v1.dat.tmp";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    static PlayCounters someCounters() {
        PlayCounters c;
        c.inkDrawn = 0.1, c.playTime = 12.5, c.strokesDrawn = 3, c.boardsCleared = 2, c.timedBoards = 1;
        return c;
    }
    fs::path folder, path, temporary;
};

TEST_F(StatisticsFileOnDisk, WriteThenReadGivesTheSameCounters) {
    PlayCounters out = sentinel();
    EXPECT_FALSE(readStatisticsFile(path, out));
    EXPECT_EQ(out, sentinel());

    ASSERT_TRUE(writeStatisticsFile(path, someCounters()));
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_EQ(fileBytes(path), formatStatistics(someCounters()));
    ASSERT_TRUE(readStatisticsFile(path, out));
    EXPECT_TRUE(sameBits(out, someCounters()));

    // A second save replaces the first, even over a stale temporary file.
    PlayCounters later = someCounters();
    later.ballsSunk = 9;
    putBytes(temporary, "stale");
    ASSERT_TRUE(writeStatisticsFile(path, later));
    ASSERT_TRUE(readStatisticsFile(path, out));
    EXPECT_EQ(out, later);
}

TEST_F(StatisticsFileOnDisk, TemporaryFileThatCannotBeCreatedLeavesTheOldFile) {
    ASSERT_TRUE(writeStatisticsFile(path, someCounters()));
    const std::string before = fileBytes(path);
    fs::create_directory(temporary);  // nothing can be opened for writing under this name

    PlayCounters later = someCounters();
    later.inkHits = 50;
    EXPECT_FALSE(writeStatisticsFile(path, later));
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(StatisticsFileOnDisk, FailedMoveLeavesTheTargetAndKeepsTheTemporary) {
    fs::create_directories(path / "occupied");  // a non-empty folder cannot be replaced by a file
    EXPECT_FALSE(writeStatisticsFile(path, someCounters()));
    EXPECT_TRUE(fs::is_directory(path / "occupied"));
    EXPECT_EQ(fileBytes(temporary), formatStatistics(someCounters()));
}

TEST_F(StatisticsFileOnDisk, ASaveFailingAtAnyStepLeavesThePreviousFile) {
    ASSERT_TRUE(writeStatisticsFile(path, someCounters()));
    const std::string before = fileBytes(path);
    PlayCounters later = someCounters();
    later.wallHits = 77;

    struct Failure {
        const char* step;
        SaveSteps steps;
    };
    std::vector<Failure> failures(5, Failure{"", systemSaveSteps()});
    failures[0].step = "temporary file not creatable";
    failures[0].steps.open = [](const fs::path&) -> std::FILE* { return nullptr; };
    failures[1].step = "short write";
    failures[1].steps.write = [](const void* bytes, std::size_t size, std::FILE* file) {
        return std::fwrite(bytes, 1, size / 2, file);
    };
    failures[2].step = "buffered bytes lost at close";
    failures[2].steps.close = [](std::FILE* file) {
        std::fclose(file);
        return EOF;
    };
    failures[3].step = "flush to disk";
    failures[3].steps.flushToDisk = [](const fs::path&) { return false; };
    failures[4].step = "move";
    failures[4].steps.moveOver = [](const fs::path&, const fs::path&) { return false; };
    for (const Failure& failure : failures) {
        EXPECT_FALSE(writeStatisticsFile(path, later, failure.steps)) << failure.step;
        EXPECT_EQ(fileBytes(path), before) << failure.step;
    }
    PlayCounters read;
    ASSERT_TRUE(readStatisticsFile(path, read));
    EXPECT_EQ(read, someCounters());
    EXPECT_TRUE(writeStatisticsFile(path, later)) << "and the next good save goes through";
}

TEST_F(StatisticsFileOnDisk, EmptyBinaryAndHugeFilesAreRefusedWhole) {
    const std::string valid = formatStatistics(someCounters());
    std::string binary = valid;
    binary[25] = '\0';  // a NUL inside the numbers
    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    const std::string hugeNumber = "CorvaleStatistics 1\r\n" + std::string(16 << 20, '7') + " 0 0 0 0 0 0 0 0 0 0\r\n";
    const std::string hugeTail = valid + std::string(8 << 20, ' ') + "0";
    for (const std::string& bytes : {std::string(), binary, noise, hugeNumber, hugeTail, valid.substr(0, 30)}) {
        putBytes(path, bytes);
        PlayCounters out = sentinel();
        EXPECT_FALSE(readStatisticsFile(path, out)) << bytes.size() << " bytes";
        EXPECT_EQ(out, sentinel());
    }
    // White space of any length is still only white space.
    putBytes(path, std::string(8 << 20, '\n') + valid);
    PlayCounters out;
    EXPECT_TRUE(readStatisticsFile(path, out));
    EXPECT_EQ(out, someCounters());
}

TEST_F(StatisticsFileOnDisk, MissingFolderCreatesNothing) {
    const fs::path inMissing = folder / "missing" / "statistics-v1.dat";
    EXPECT_FALSE(writeStatisticsFile(inMissing, someCounters()));
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST_F(StatisticsFileOnDisk, ReadsFilesWithLfOnlyAndRefusesBadOnes) {
    putBytes(path, "CorvaleStatistics 1\n40 3.5 1 0 0 0 0 0 0 0 0\n");
    PlayCounters out;
    ASSERT_TRUE(readStatisticsFile(path, out));
    EXPECT_EQ(out.inkDrawn, 40.0);

    putBytes(path, "CorvaleStatistics 2\n40 3.5 1 0 0 0 0 0 0 0 0\n");
    out = sentinel();
    EXPECT_FALSE(readStatisticsFile(path, out));
    EXPECT_EQ(out, sentinel());
    EXPECT_FALSE(readStatisticsFile(folder, out));  // a folder is no file

    // The file is read as text: on Windows a Ctrl-Z ends it, elsewhere it is a stray byte.
    putBytes(path, "CorvaleStatistics 1\r\n40 3.5 1 0 0 0 0 0 0 0 0\r\n\x1A\r\n");
    out = sentinel();
#ifdef _WIN32
    EXPECT_TRUE(readStatisticsFile(path, out));
    EXPECT_EQ(out.inkDrawn, 40.0);
#else
    EXPECT_FALSE(readStatisticsFile(path, out));
#endif
}

}  // namespace
}  // namespace corvale
