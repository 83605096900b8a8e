#include "platform/vbmath.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(NumberHelpers, IntRoundsDownAndCIntRoundsHalvesToEven) {
    EXPECT_EQ(Int(2.7), 2);
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Int(0.9999999), 0);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.6), 3);
    EXPECT_EQ(CLng(-0.5), 0);
    EXPECT_EQ(CLng(1234567.5), 1234568);
}

TEST(NumberHelpers, StrPutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ("Player" + Str(2), "Player 2");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-7), "-7");
}

TEST(NumberHelpers, FormatShowsZeroOnlyWithPatternsEndingInZero) {
    for (const char* p : {"#", "##"}) EXPECT_EQ(Format(0, p), "") << p;
    for (const char* p : {"#0", "##0", "###0"}) EXPECT_EQ(Format(0, p), "0") << p;
    EXPECT_EQ(Format(7, "##"), "7");
    EXPECT_EQ(Format(1234, "#"), "1234");
    EXPECT_EQ(Format(-12, "##0"), "-12");
}

TEST(NumberHelpers, ClockShowsMinutesAndTwoDigitSeconds) {
    EXPECT_EQ(FormatClock(0), "0:00");
    EXPECT_EQ(FormatClock(9), "0:09");
    EXPECT_EQ(FormatClock(65), "1:05");
    EXPECT_EQ(FormatClock(600), "10:00");
}

TEST(RandomSource, DefaultGeneratorStaysInRangeAndRepeatsFromASeed) {
    Randomize(1234.0);
    std::vector<float> first;
    for (int i = 0; i < 1000; ++i) {
        float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        first.push_back(r);
    }
    Randomize(1234.0);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(Rnd(), first[static_cast<std::size_t>(i)]);
    Randomize(1235.0);
    EXPECT_NE(Rnd(), first[0]);
}

TEST(RandomSource, ScriptedSourceGivesItsNumbersThenRefuses) {
    ScriptedRandom script{0.25f, 0.75f};
    {
        ScopedRandom use(script);
        EXPECT_EQ(Rnd(), 0.25f);
        Randomize(5);
        EXPECT_EQ(Rnd(), 0.75f);
        EXPECT_THROW(Rnd(), std::logic_error);
    }
    EXPECT_EQ(script.draws(), 2);
    EXPECT_EQ(script.seeds(), 1);
    // With the guard gone, the shared generator is back.
    EXPECT_NO_THROW(Rnd());
}
