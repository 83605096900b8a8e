#include "launcher/settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "launcher/item_reader.h"
#include "launcher/module1.h"
#include "support/temp_dir.h"

namespace {

const char* kGood =
    "2,5,1,4\r\n0,4\r\n1,3,0\r\n1\r\n\"Player 1\"\r\n\"Player 2\"\r\n\"Player 3\"\r\n\"Player 4\"\r\n"
    "1\r\n2\r\n2,30,2\r\n1\r\n0,0\r\n1,4,0\r\n52\r\n2\r\n\"Ann\"\r\n\"Bo\"\r\n\"Cy\"\r\n\"Di\"\r\n";

std::string readBack(const std::string& path) { return readWholeFile(path).value_or("<missing>"); }

}  // namespace

TEST(Settings, GoodFileReadsEveryItemAndWritesBackTheSameBytes) {
    ASSERT_TRUE(parseSettings(kGood));
    EXPECT_EQ(gMatchPlayers, 2);
    EXPECT_EQ(gMatchPairs, 5);
    EXPECT_EQ(gMatchDifficulty, 4);
    EXPECT_EQ(gTrimDifficulty, 3);
    EXPECT_EQ(gFrostyNames[1], "Player 1");
    EXPECT_EQ(gFightBalls, 30);
    EXPECT_EQ(gMancDifficulty, 4);
    EXPECT_EQ(gDropHighScore, 52);
    EXPECT_EQ(gDreidNames[4], "Di");
    EXPECT_EQ(formatSettings(), kGood);
}

TEST(Settings, ItemsOnOneLineOrWithBlanksAndExtraLinesReadAlike) {
    ASSERT_TRUE(parseSettings(kGood));
    const std::string expected = formatSettings();
    std::string oneLine = kGood;
    for (std::size_t p; (p = oneLine.find("\r\n")) != std::string::npos;) oneLine.replace(p, 2, ",");
    ASSERT_TRUE(parseSettings(oneLine));
    EXPECT_EQ(formatSettings(), expected);

    ASSERT_TRUE(parseSettings(std::string(kGood) + "\"extra\"\r\n99,98\r\n"));
    EXPECT_EQ(formatSettings(), expected);

    std::string blanks =
        "  2,  5,1,4\n0,4\n1,3,0\n1\n  \"Player 1\"\n\"Player 2\"\n\"Player 3\"\n\"Player 4\"\n"
        "1\n2\n2,30,2\n1\n0,0\n1,4,0\n52\n2\n\"Ann\"\n\"Bo\"\n\"Cy\"\n\"Di\"";
    ASSERT_TRUE(parseSettings(blanks));
    EXPECT_EQ(formatSettings(), expected);
}

TEST(Settings, ShortOrUnreadableFilesFail) {
    std::string text = kGood;
    // Nineteen lines.
    std::string nineteen = text.substr(0, text.rfind("\"Di\""));
    EXPECT_FALSE(parseSettings(nineteen));
    // One item short on the first line shifts everything: the file ends one item early.
    std::string shortItem = text;
    shortItem.replace(0, 9, "2,5,1\r\n");
    EXPECT_FALSE(parseSettings(shortItem));
    EXPECT_FALSE(parseSettings(""));

    std::string notNumber = text;
    notNumber.replace(0, 1, "x");
    EXPECT_FALSE(parseSettings(notNumber));
    std::string tooBig = text;
    tooBig.replace(0, 1, "40000");
    EXPECT_FALSE(parseSettings(tooBig));
    std::string edge = text;
    edge.replace(0, 1, "-32768");
    EXPECT_TRUE(parseSettings(edge));
    EXPECT_EQ(gMatchPlayers, -32768);
    EXPECT_FALSE(ReadSettings("/nonexistent/vantrel5.ini"));
}

TEST(Settings, EmptyItemsReadAsZeroOrEmptyName) {
    std::string text = kGood;
    text.replace(text.find("\"Player 2\""), 10, "");
    text.replace(0, 1, "");
    ASSERT_TRUE(parseSettings(text));
    EXPECT_EQ(gMatchPlayers, 0);
    EXPECT_EQ(gFrostyNames[2], "");
    EXPECT_NE(formatSettings().find("\r\n\"\"\r\n"), std::string::npos);
}

TEST(Settings, NamesWithCommasEmptyOrQuotesSurviveAWriteAndARead) {
    TempDir dir;
    ASSERT_TRUE(parseSettings(kGood));
    gFrostyNames[1] = "Smith, Anna";
    gFrostyNames[2] = "";
    gDreidNames[3] = "Bo \"the best\"";
    const std::string path = dir.file("vantrel5.ini");
    ASSERT_TRUE(WriteSettings(path));
    gFrostyNames[1] = gFrostyNames[2] = gDreidNames[3] = "changed";
    ASSERT_TRUE(ReadSettings(path));
    EXPECT_EQ(gFrostyNames[1], "Smith, Anna");
    EXPECT_EQ(gFrostyNames[2], "");
    // The file has no escape for a quote: it is kept readable with an apostrophe.
    EXPECT_EQ(gDreidNames[3], "Bo 'the best'");
    EXPECT_EQ(gDreidNames[4], "Di");
}

TEST(Settings, FailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string path = dir.file("vantrel5.ini");
    std::ofstream(path, std::ios::binary) << kGood;
    // A folder where the temporary file must go makes the write fail.
    std::filesystem::create_directory(path + ".tmp");
    ASSERT_TRUE(parseSettings(kGood));
    gMatchPairs = 9;
    EXPECT_FALSE(WriteSettings(path));
    EXPECT_EQ(readBack(path), kGood);
}

TEST(Settings, ValuesOutsideTheirRangesAreBroughtIntoRange) {
    ASSERT_TRUE(parseSettings(kGood));
    gMatchPairs = 40;
    gMatchDifficulty = 0;
    gRudolphCount = 1;
    gFightBalls = -5;
    gDropHighScore = -1;
    gSPuzSize = 7;
    ClampSettings();
    EXPECT_EQ(gMatchPairs, 15);
    EXPECT_EQ(gMatchDifficulty, 1);
    EXPECT_EQ(gRudolphCount, 2);
    EXPECT_EQ(gFightBalls, 1);
    EXPECT_EQ(gDropHighScore, 0);
    EXPECT_EQ(gSPuzSize, 3);
    EXPECT_EQ(gMatchPlayers, 2);  // in range: untouched
}

TEST(Settings, ShippedFileReads) {
    auto text = readWholeFile(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini");
    ASSERT_TRUE(text);
    ASSERT_TRUE(parseSettings(*text));
    EXPECT_EQ(formatSettings(), *text);
    EXPECT_EQ(gDropHighScore, 52);
}
