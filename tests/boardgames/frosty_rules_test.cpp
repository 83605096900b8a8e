#include "boardgames/frosty_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/vbmath.h"
#include "support/seeded_random.h"

namespace {

class FrostyRulesTest : public ::testing::Test {
protected:
    // Player 1 of a one-player game owning the given parts.
    void owns(std::initializer_list<int> parts) {
        rules.newGame(1);
        for (int k : parts) rules.addPart(1, k);
    }
    FrostyStop stop(std::initializer_list<float> draws) {
        for (float d : draws) random.push(d);
        const FrostyStop s = rules.drawStop();
        EXPECT_EQ(random.remaining(), 0u) << "every scripted draw is taken";
        return s;
    }

    ScriptedRandom random;
    ScopedRandom scoped{random};
    FrostyRules rules;
};

TEST_F(FrostyRulesTest, AUsefulStopBuildsBodyThenHeadThenAMissingPart) {
    owns({});
    FrostyStop s = stop({0.0f});
    EXPECT_TRUE(s.useful);
    EXPECT_EQ(s.part, 1);
    // Just below the chance is still useful.
    s = stop({0.6999f});
    EXPECT_EQ(s.part, 1);

    owns({1});
    s = stop({0.5f});
    EXPECT_TRUE(s.useful);
    EXPECT_EQ(s.part, 2);

    // Missing 3, 5 and 6: the draw picks the first, second or third of them.
    owns({1, 2, 4});
    EXPECT_EQ(stop({0.1f, 0.0f}).part, 3);
    EXPECT_EQ(stop({0.1f, 0.5f}).part, 5);
    EXPECT_EQ(stop({0.1f, 0.99f}).part, 6);

    // With one part left it is always that part.
    owns({1, 2, 3, 4, 6});
    EXPECT_EQ(stop({0.1f, 0.99f}).part, 5);
}

TEST_F(FrostyRulesTest, AUselessStopShowsAPartThatCannotBeUsed) {
    owns({});
    // 0.7 as a draw lies just below 0.7 as a number: still a useful stop.
    EXPECT_TRUE(stop({0.7f}).useful);
    FrostyStop s = stop({0.70000005f, 0.0f});
    EXPECT_FALSE(s.useful);
    EXPECT_EQ(s.part, 2);
    EXPECT_EQ(stop({0.9f, 0.99f}).part, 6);

    // With only the body: arms, face, buttons or hat, or the body again.
    owns({1});
    EXPECT_EQ(stop({0.8f, 0.0f, 0.5f}).part, 3);
    EXPECT_EQ(stop({0.8f, 0.99f, 0.2f}).part, 6);
    EXPECT_EQ(stop({0.8f, 0.5f, 0.19f}).part, 1);

    // Otherwise one of the parts already owned.
    owns({1, 2, 5});
    EXPECT_EQ(stop({0.8f, 0.0f}).part, 1);
    EXPECT_EQ(stop({0.8f, 0.4f}).part, 2);
    EXPECT_EQ(stop({0.8f, 0.99f}).part, 5);
    EXPECT_EQ(rules.PartCount[1], 3) << "nothing is recorded by a stop";
}

TEST_F(FrostyRulesTest, OverManyGamesAUsefulPartIsAlwaysMissingAndAUselessOneNeverIs) {
    SeededRandom seeded(7);
    ScopedRandom scopedSeeded(seeded);
    int useful = 0, stops = 0;
    for (int game = 0; game < 300; ++game) {
        rules.newGame(1);
        while (rules.PartCount[1] < kFrostyParts) {
            const int c = rules.PartCount[1];
            const FrostyStop s = rules.drawStop();
            ++stops;
            ASSERT_GE(s.part, 1);
            ASSERT_LE(s.part, kFrostyParts);
            if (s.useful) {
                ++useful;
                ASSERT_EQ(rules.HasPart[1][s.part], 0);
                if (c < 2) {
                    ASSERT_EQ(s.part, c + 1);
                }
                rules.addPart(1, s.part);
                ASSERT_EQ(rules.PartCount[1], c + 1);
            } else if (c == 0) {
                ASSERT_NE(s.part, 1);
            } else if (c == 1) {
                ASSERT_NE(s.part, 2) << "the head never shows before it can be had";
            } else {
                ASSERT_EQ(rules.HasPart[1][s.part], 1);
            }
        }
    }
    EXPECT_NEAR(static_cast<double>(useful) / stops, 0.7, 0.03);
}

TEST_F(FrostyRulesTest, ThePictureShowsEachPartAsItLooksOnASnowman) {
    EXPECT_EQ(FrostyRules::shownParts(1), (std::vector<int>{1}));
    EXPECT_EQ(FrostyRules::shownParts(2), (std::vector<int>{2}));
    EXPECT_EQ(FrostyRules::shownParts(3), (std::vector<int>{1, 3}));
    EXPECT_EQ(FrostyRules::shownParts(4), (std::vector<int>{2, 4}));
    EXPECT_EQ(FrostyRules::shownParts(5), (std::vector<int>{1, 5}));
    EXPECT_EQ(FrostyRules::shownParts(6), (std::vector<int>{6}));
    random.push(0.0f);
    random.push(0.99f);
    EXPECT_EQ(FrostyRules::flashPart(), 1);
    EXPECT_EQ(FrostyRules::flashPart(), 6);
}

TEST_F(FrostyRulesTest, TheGameEndsOnlyAfterTheLastPlayerOfTheRound) {
    rules.newGame(3);
    for (int k = 1; k <= 5; ++k) rules.addPart(1, k);
    for (int k = 1; k <= 5; ++k) rules.addPart(3, k);
    rules.addPart(1, 6);  // player 1 completes his snowman on his turn
    EXPECT_EQ(rules.nextPlayer(), FrostyNext::Turn);
    EXPECT_EQ(rules.Player, 2);
    EXPECT_EQ(rules.nextPlayer(), FrostyNext::Turn);
    EXPECT_EQ(rules.Player, 3);
    rules.addPart(3, 6);  // and player 3 on the same round
    EXPECT_EQ(rules.nextPlayer(), FrostyNext::GameOver);
    EXPECT_EQ(rules.Player, 1);
    EXPECT_EQ(rules.finished(), (std::array<int, 5>{0, 1, 0, 1, 0}));
}

TEST_F(FrostyRulesTest, PlayersOutsideTheGameNeverFinishAndANewGameStartsEmpty) {
    // A four-player game where player 4 completed, then a game of two.
    rules.newGame(4);
    for (int k = 1; k <= 6; ++k) rules.addPart(4, k);
    rules.newGame(2);
    EXPECT_EQ(rules.PartCount[1], 0);
    EXPECT_EQ(rules.HasPart[2][1], 0);
    EXPECT_EQ(rules.nextPlayer(), FrostyNext::Turn);
    EXPECT_EQ(rules.nextPlayer(), FrostyNext::NewRound);
    EXPECT_EQ(rules.finished(), (std::array<int, 5>{}));

    // One player alone has every turn until the snowman is complete.
    rules.newGame(1);
    EXPECT_EQ(rules.nextPlayer(), FrostyNext::NewRound);
    EXPECT_EQ(rules.Player, 1);
    for (int k = 1; k <= 6; ++k) rules.addPart(1, k);
    EXPECT_EQ(rules.nextPlayer(), FrostyNext::GameOver);
    EXPECT_EQ(rules.finished(), (std::array<int, 5>{0, 1, 0, 0, 0}));
}

TEST_F(FrostyRulesTest, TheTextsJoinTheirLinesWithASingleCarriageReturn) {
    EXPECT_EQ(frostyTurnText(2, "Bob"), "\rPlayer 2:\rBob\rYour Turn");
    EXPECT_EQ(frostyTurnText(1, ""), "\rPlayer 1:\r\rYour Turn");
    EXPECT_EQ(frostyIdleText(), "\rChoose Number of\rPlayers, Enter Names\rClick New Game");
}

}  // namespace
