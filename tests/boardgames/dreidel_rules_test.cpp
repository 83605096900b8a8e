#include "boardgames/dreidel_rules.h"

#include <gtest/gtest.h>

#include "platform/vbmath.h"

namespace {

class DreidelRulesTest : public ::testing::Test {
protected:
    int spin(float draw) {
        random.push(draw);
        return DreidelRules::spin();
    }

    ScriptedRandom random;
    ScopedRandom scoped{random};
    DreidelRules rules;
};

TEST_F(DreidelRulesTest, EachFaceIsAQuarterOfTheDrawAndTheSpinShowsAnyOfFivePictures) {
    EXPECT_EQ(spin(0.0f), 1);
    EXPECT_EQ(spin(0.2499f), 1);
    EXPECT_EQ(spin(0.25f), 2);
    EXPECT_EQ(spin(0.5f), 3);
    EXPECT_EQ(spin(0.99f), 4);
    random.push(0.0f);
    random.push(0.99f);
    EXPECT_EQ(DreidelRules::spinPicture(), 0);
    EXPECT_EQ(DreidelRules::spinPicture(), 4);
    EXPECT_EQ(random.draws(), 7);
}

TEST_F(DreidelRulesTest, PointsGoOnlyToTheSpinnerAndNeverBelowZero) {
    rules.newGame(2);
    EXPECT_EQ(rules.Score[1], 20);
    EXPECT_EQ(rules.Score[2], 20);
    rules.score(1);
    EXPECT_EQ(rules.Score[1], 30);
    rules.score(2);
    EXPECT_EQ(rules.Score[1], 35);
    rules.score(3);
    EXPECT_EQ(rules.Score[1], 35);
    rules.score(4);
    EXPECT_EQ(rules.Score[1], 30);
    EXPECT_EQ(rules.Score[2], 20);

    rules.Score[1] = 3;
    rules.score(4);
    EXPECT_EQ(rules.Score[1], 0);
    rules.score(4);
    EXPECT_EQ(rules.Score[1], 0);
}

TEST_F(DreidelRulesTest, WinnersAreEveryoneAtFiftyWhenTheRoundEnds) {
    rules.newGame(3);
    rules.Score[2] = 55;  // reached in the middle of the round
    EXPECT_EQ(rules.nextPlayer(), DreidelNext::Turn);
    EXPECT_FALSE(rules.over());
    EXPECT_EQ(rules.nextPlayer(), DreidelNext::Turn);
    EXPECT_EQ(rules.Player, 3);
    rules.Score[3] = 50;
    rules.Score[1] = 49;
    EXPECT_EQ(rules.nextPlayer(), DreidelNext::Winners);
    EXPECT_EQ(rules.Player, 1);
    EXPECT_EQ(rules.winners(), (std::vector<int>{2, 3}));
    EXPECT_TRUE(rules.over());

    // A new game starts everyone at 20 again, with nobody over.
    rules.newGame(3);
    EXPECT_FALSE(rules.over());
    EXPECT_EQ(rules.Score[2], 20);
    EXPECT_EQ(rules.nextPlayer(), DreidelNext::Turn);
    EXPECT_EQ(rules.nextPlayer(), DreidelNext::Turn);
    EXPECT_EQ(rules.nextPlayer(), DreidelNext::NewRound);

    // One player alone spins every turn.
    rules.newGame(1);
    EXPECT_EQ(rules.nextPlayer(), DreidelNext::NewRound);
    EXPECT_EQ(rules.Player, 1);
}

TEST_F(DreidelRulesTest, TheTextsKeepTheirOwnLineBreaks) {
    EXPECT_EQ(dreidelTurnText(2, "Bob"), "\r\nPlayer 2:\rBob\rYour Turn - Click Dreidel");
    EXPECT_EQ(dreidelResultText(1), "\r\nGimel stands for ganz or all.\r\nYou win 10 points!");
    EXPECT_EQ(dreidelResultText(2), "\r\nHay stands for halb or half.\r\nYou win 5 points!");
    EXPECT_EQ(dreidelResultText(3), "\r\nNun stands for nisht or none.\r\nNothing happens!");
    EXPECT_EQ(dreidelResultText(4), "\r\nShin stands for shtel or put in.\r\nYou lose 5 points ...");
    const std::array<std::string, 5> names{"", "Ann", "Bob", "Cid", "Dee"};
    EXPECT_EQ(dreidelWinnersText({1, 3}, names), "Game Over - Winner(s):\r\nAnn\r\nCid");
    EXPECT_EQ(dreidelWinnersText({4}, names), "Game Over - Winner(s):\r\nDee");
    EXPECT_EQ(dreidelIdleText(), "\rChoose Number of Players\rEnter Names\rClick New Game");
}

}  // namespace
