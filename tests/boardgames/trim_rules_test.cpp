#include "boardgames/trim_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/vbmath.h"
#include "support/seeded_random.h"

namespace {

using Log = std::vector<std::string>;

std::string describe(const TrimStep& s) {
    switch (s.kind) {
        case TrimStepKind::Ornament:
            return "spot " + std::to_string(s.spot) + " " +
                   (s.picture == kTrimStar ? std::string("star") : std::to_string(s.picture)) +
                   (s.left.empty() ? "" : " left " + s.left);
        case TrimStepKind::TooMany:
            return "too many";
        case TrimStepKind::Won:
            return "won";
        case TrimStepKind::Prompt: {
            std::string t = s.text;
            std::replace(t.begin(), t.end(), '\r', '|');
            return "prompt " + t;
        }
        case TrimStepKind::ComputerTurn:
            return "computer";
    }
    return "?";
}

Log describe(const std::vector<TrimStep>& steps) {
    Log log;
    for (const TrimStep& s : steps) log.push_back(describe(s));
    return log;
}

// The draw that makes Int(Rnd x n) come out as value.
float pick(int value, int n) { return (static_cast<float>(value) + 0.5f) / static_cast<float>(n); }

class TrimRulesTest : public ::testing::Test {
protected:
    // Starts a game of the given size with the spots in their own order
    // (spot j is Order(j)); pictures are drawn for the pre-filled spots in turn.
    Log start(int players, int difficulty, int first, int total, int maxAdd, std::vector<int> pictures = {}) {
        settings_ = {players, difficulty, first};
        random.push(pick(total - 15, 27));
        random.push(pick(maxAdd - 3, 5));
        for (int j = 40; j >= 2; --j) random.push(0.99f);
        for (int j = 0; j < 41 - total; ++j)
            random.push(
                pick(j < static_cast<int>(pictures.size()) ? pictures[static_cast<std::size_t>(j)] : 0, 9));
        Log log = describe(rules.newGame(settings_));
        EXPECT_EQ(random.remaining(), 0u);
        return log;
    }

    // A move of count ornaments, with a picture draw scripted for each one but the star.
    Log move(int count, int picture = 0) {
        const int after = rules.Added + count;
        const int draws = after > rules.Total ? 0 : after == rules.Total ? count - 1 : count;
        for (int i = 0; i < draws; ++i) random.push(pick(picture, 9));
        Log log = describe(rules.move(count - 1));
        EXPECT_EQ(random.remaining(), 0u);
        return log;
    }

    TrimRules::Settings settings_;
    ScriptedRandom random;
    ScopedRandom scoped{random};
    TrimRules rules;
};

TEST_F(TrimRulesTest, NewGameDrawsSizeThenLargestMoveThenOrderThenOnePicturePerFilledSpot) {
    EXPECT_EQ(start(1, 4, 0, 39, 5, {7, 2}), (Log{"spot 1 7", "spot 2 2", "prompt |Your Turn"}));
    EXPECT_EQ(random.draws(), 2 + 39 + 2);
    EXPECT_EQ(rules.GameOn, 1);
    EXPECT_EQ(rules.Total, 39);
    EXPECT_EQ(rules.MaxAdd, 5);
    EXPECT_EQ(rules.Added, 0);
    EXPECT_EQ(rules.Player, 1);
    EXPECT_EQ(rules.left(), 39);
    for (int j = 1; j <= 40; ++j) EXPECT_EQ(rules.Order[static_cast<std::size_t>(j)], j);

    // The smallest game: 26 spots filled before play, and moves of 1 to 3.
    Log smallest = start(2, 4, 0, 15, 3);
    ASSERT_EQ(smallest.size(), 27u);
    EXPECT_EQ(smallest[25], "spot 26 0");
    EXPECT_EQ(smallest.back(), "prompt |Player 1's Turn");
    EXPECT_EQ(rules.Total, 15);
    EXPECT_EQ(rules.MaxAdd, 3);

    // The largest: nothing filled, all 41 to add, moves of 1 to 7.
    EXPECT_EQ(start(2, 4, 0, 41, 7), (Log{"prompt |Player 1's Turn"}));
    EXPECT_EQ(rules.Total, 41);
    EXPECT_EQ(rules.MaxAdd, 7);

    // The very ends of the draws stay inside the ranges.
    random.push(0.0f);
    random.push(0.99999994f);
    for (int j = 40; j >= 2; --j) random.push(0.5f);
    for (int j = 0; j < 26; ++j) random.push(0.99999994f);
    const std::vector<TrimStep> steps = rules.newGame(settings_);
    EXPECT_EQ(rules.Total, 15);
    EXPECT_EQ(rules.MaxAdd, 7);
    std::vector<int> spots;
    for (const TrimStep& s : steps) {
        if (s.kind != TrimStepKind::Ornament) continue;
        EXPECT_EQ(s.picture, 8);
        spots.push_back(s.spot);
    }
    ASSERT_EQ(spots.size(), 26u);
    // Whatever the order, the filled spots are its first 26 and all different.
    for (std::size_t j = 0; j < spots.size(); ++j) EXPECT_EQ(spots[j], rules.Order[j + 1]);
    std::sort(spots.begin(), spots.end());
    EXPECT_EQ(std::unique(spots.begin(), spots.end()), spots.end());
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(TrimRulesTest, DifficultySetsTheChanceOfARandomMoveAndOddSettingsReadAsTheNearestChoice) {
    const std::vector<std::pair<int, float>> chances = {{1, 1.0f}, {2, 0.5f}, {3, 0.25f},
                                                        {4, 0.0f}, {0, 1.0f}, {9, 0.0f}};
    for (const auto& [difficulty, chance] : chances) {
        start(1, difficulty, 0, 41, 3);
        EXPECT_EQ(rules.MoveChance, chance) << difficulty;
    }
    // Players 0 plays alone against the computer, players 5 as two; a "first" of 7 means the child.
    EXPECT_EQ(start(0, 4, 1, 41, 3), Log{"computer"});
    EXPECT_EQ(start(5, 4, 1, 41, 3), Log{"prompt |Player 1's Turn"});
    EXPECT_EQ(start(1, 4, 7, 41, 3), Log{"prompt |Your Turn"});
}

TEST_F(TrimRulesTest, TwoPlayersFillTheOrderInTurnAndWhoeverAddsTheStarWins) {
    start(2, 4, 0, 17, 4);
    EXPECT_EQ(move(4, 3), (Log{"spot 25 3 left 16", "spot 26 3 left 15", "spot 27 3 left 14",
                               "spot 28 3 left 13", "prompt |Player 2's Turn"}));
    EXPECT_EQ(move(4), (Log{"spot 29 0 left 12", "spot 30 0 left 11", "spot 31 0 left 10", "spot 32 0 left 9",
                            "prompt |Player 1's Turn"}));
    move(4);
    EXPECT_EQ(move(3),
              (Log{"spot 37 0 left 4", "spot 38 0 left 3", "spot 39 0 left 2", "prompt |Player 1's Turn"}));

    // Passing the star is refused: nothing changes and the same player goes again.
    EXPECT_EQ(move(3), Log{"too many"});
    EXPECT_EQ(rules.Added, 15);
    EXPECT_EQ(rules.Player, 1);

    // The last ornament is the star, always on spot 41, and needs no picture draw.
    EXPECT_EQ(move(2, 5), (Log{"spot 40 5 left 1", "spot 41 star left 0", "won"}));
    EXPECT_EQ(rules.Winner, 1);
    EXPECT_EQ(rules.GameOn, 1);  // until the window ends it

    const TrimEnd end = rules.endGame();
    EXPECT_EQ(end.text, "Game Over\rPlayer 1 Wins!");
    EXPECT_TRUE(end.fanfare);
    EXPECT_EQ(rules.GameOn, 0);
    EXPECT_EQ(rules.Winner, 0);
    // After the end no move is made.
    EXPECT_EQ(describe(rules.move(0)), Log{});
    EXPECT_EQ(rules.Added, 17);
}

TEST_F(TrimRulesTest, OnePlayerAlternatesWithTheComputerAndTheEndNamesWhoWon) {
    start(1, 4, 0, 41, 3);
    EXPECT_EQ(move(2), (Log{"spot 1 0 left 40", "spot 2 0 left 39", "computer"}));
    // 39 left, moves of 1 to 3: the winning move leaves a multiple of 4.
    random.push(0.0f);
    const TrimComputerMove m = rules.ComputerMove();
    EXPECT_EQ(rules.Player, 2);
    EXPECT_EQ(m.count, 3);
    EXPECT_EQ(m.text, "Computer's Turn\rAdding 3");
    EXPECT_EQ(move(m.count),
              (Log{"spot 3 0 left 38", "spot 4 0 left 37", "spot 5 0 left 36", "prompt |Your Turn"}));
    EXPECT_EQ(rules.Player, 1);

    rules.Added = 39;
    rules.Player = 2;
    EXPECT_EQ(move(2).back(), "won");
    const TrimEnd won = rules.endGame();
    EXPECT_EQ(won.text, "Game Over\rComputer Wins!");
    EXPECT_TRUE(won.fanfare);

    start(1, 4, 0, 41, 3);
    rules.Added = 40;
    EXPECT_EQ(move(1).back(), "won");
    EXPECT_EQ(rules.endGame().text, "Game Over\rYou Win!");

    // A stopped game names nobody and has no fanfare.
    start(1, 4, 1, 41, 3);
    const TrimEnd stopped = rules.endGame();
    EXPECT_EQ(stopped.text, "\rGame Over\r");
    EXPECT_FALSE(stopped.fanfare);
    start(2, 4, 0, 41, 3);
    rules.Winner = 2;
    EXPECT_EQ(rules.endGame().text, "Game Over\rPlayer 2 Wins!");
}

TEST_F(TrimRulesTest, TheComputerRollsFirstAndDrawsAgainOnlyForARandomMove) {
    start(1, 4, 0, 41, 3);
    struct Case {
        float chance;
        int left, maxAdd;
        std::vector<float> draws;
        int expected;
    };
    const std::vector<Case> cases = {
        {0.0f, 10, 3, {0.0f}, 2},               // Difficult: leaves 8
        {0.0f, 8, 3, {0.0f, pick(2, 3)}, 3},    // a lost position: any legal move
        {0.25f, 10, 3, {0.3f}, 2},              // Hard, the roll says play well
        {0.25f, 10, 3, {0.2f, pick(0, 3)}, 1},  // Hard, the roll says at random
        {1.0f, 10, 3, {0.99f, pick(2, 3)}, 3},  // Easiest always moves at random
        {1.0f, 2, 5, {0.5f, 0.99f}, 2},         // never more than are left
        {0.0f, 2, 5, {0.9f}, 2},                // the star itself when it can be reached
        {0.5f, 13, 7, {0.7f}, 5},               // Simple, leaves 8
    };
    for (const Case& c : cases) {
        rules.MoveChance = c.chance;
        rules.MaxAdd = c.maxAdd;
        rules.Added = rules.Total - c.left;
        for (float d : c.draws) random.push(d);
        EXPECT_EQ(rules.ComputerMove().count, c.expected) << c.left << " left, chance " << c.chance;
        EXPECT_EQ(random.remaining(), 0u) << c.left << " left, chance " << c.chance;
    }
}

TEST_F(TrimRulesTest, AtDifficultTheComputerWinsFromEveryPositionThatIsNotAMultiple) {
    SeededRandom seeded(7);
    ScopedRandom useSeeded(seeded);
    for (int maxAdd = 3; maxAdd <= 7; ++maxAdd) {
        for (int total = 1; total <= 41; ++total) {
            rules = TrimRules{};
            for (int j = 1; j <= 40; ++j) rules.Order[static_cast<std::size_t>(j)] = j;
            rules.GameOn = 1;
            rules.Players = 1;
            rules.Total = total;
            rules.MaxAdd = maxAdd;
            rules.MoveChance = 0.0f;
            bool computerToMove = true;
            int turn = 0;
            while (rules.Winner == 0) {
                ASSERT_LT(++turn, 100);
                int count;
                if (computerToMove) {
                    count = rules.ComputerMove().count;
                    ASSERT_GE(count, 1);
                    ASSERT_LE(count, std::min(maxAdd, rules.left()));
                } else {
                    // The child tries every size of move in turn.
                    count = 1 + turn % std::min(maxAdd, rules.left());
                }
                rules.move(count - 1);
                computerToMove = !computerToMove;
            }
            if (total % (maxAdd + 1) != 0) {
                EXPECT_EQ(rules.Winner, 2) << total << " to add, up to " << maxAdd;
            }
        }
    }
}

TEST_F(TrimRulesTest, OnlyTheDigitsOfTheVisibleButtonsAreMoves) {
    start(2, 4, 0, 41, 3);
    EXPECT_EQ(rules.keyMove('1'), 0);
    EXPECT_EQ(rules.keyMove('3'), 2);
    for (int key : {int('0'), int('4'), int('7'), int('9'), int('a'), int(' '), 13})
        EXPECT_EQ(rules.keyMove(key), -1) << key;
    start(2, 4, 0, 41, 7);
    EXPECT_EQ(rules.keyMove('7'), 6);
    EXPECT_EQ(rules.keyMove('8'), -1);
    rules.endGame();
    EXPECT_EQ(rules.keyMove('1'), -1);
}

}  // namespace
