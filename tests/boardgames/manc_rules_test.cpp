#include "boardgames/manc_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/vbmath.h"

namespace {

using Log = std::vector<std::string>;

// The steps as short lines, so a whole move reads at a glance.
Log describe(const std::vector<MancStep>& steps) {
    Log out;
    for (const MancStep& s : steps) {
        switch (s.kind) {
            case MancStepKind::Clear:
                out.push_back("clear " + std::to_string(s.cell));
                break;
            case MancStepKind::Sow:
                out.push_back("sow " + std::to_string(s.cell) + "=" + std::to_string(s.count));
                break;
            case MancStepKind::Store:
                out.push_back("store " + std::to_string(s.cell) + "=" + std::to_string(s.count));
                break;
            case MancStepKind::Score:
                out.push_back("score " + std::to_string(s.player));
                break;
            case MancStepKind::Capture:
                out.push_back("capture");
                break;
            case MancStepKind::FreeTurn:
                out.push_back("free");
                break;
        }
    }
    return out;
}

class MancRulesTest : public ::testing::Test {
protected:
    // An empty board with the given seeds: {cell, seeds} pairs.
    void board(std::initializer_list<std::pair<int, int>> cells) {
        rules.Seeds.fill(0);
        rules.Score.fill(0);
        for (auto [cell, seeds] : cells) rules.Seeds[static_cast<std::size_t>(cell)] = seeds;
        rules.Score[1] = rules.Seeds[14];
        rules.Score[2] = rules.Seeds[7];
    }
    Log sow(int player, int pit) {
        freeTurn = false;
        return describe(rules.SowSeeds(player, pit, freeTurn));
    }

    MancRules rules;
    bool freeTurn = false;
    ScriptedRandom random;
    ScopedRandom scoped{random};
    MancRules::Settings settings_;
};

TEST_F(MancRulesTest, SowingSkipsTheOpponentsStoreOnEveryLap) {
    board({{13, 2}, {6, 2}});
    EXPECT_EQ(sow(1, 13), (Log{"clear 13", "sow 14=1", "score 1", "sow 1=1", "score 1"}));
    EXPECT_FALSE(freeTurn);
    EXPECT_EQ(rules.Seeds[13], 0);
    EXPECT_EQ(rules.Score[1], 1);
    EXPECT_EQ(sow(2, 6), (Log{"clear 6", "sow 7=1", "score 2", "sow 8=1", "score 2"}));
    EXPECT_EQ(rules.Score[2], 1);

    // Nine seeds round the corner: past the own store, over the opponent's.
    board({{13, 9}, {9, 2}});
    const Log p1 = sow(1, 13);
    EXPECT_EQ(p1.back(), "score 1");
    EXPECT_EQ(p1[p1.size() - 2], "sow 9=3");
    EXPECT_EQ(rules.Seeds[7], 0);
    EXPECT_EQ(rules.Seeds[14], 1);
    board({{6, 9}, {2, 2}});
    const Log p2 = sow(2, 6);
    EXPECT_EQ(p2[p2.size() - 2], "sow 2=3");
    EXPECT_EQ(rules.Seeds[14], 0);
    EXPECT_EQ(rules.Seeds[7], 1);

    // Thirteen seeds go once round the ring, the last back into the empty
    // pit it came from: alone there, it captures.
    board({{8, 13}, {6, 1}, {10, 1}});
    sow(1, 8);
    for (int cell = 1; cell <= 13; ++cell) {
        if (cell == 7 || cell == 8 || cell == 6) continue;
        EXPECT_EQ(rules.Seeds[cell], cell == 10 ? 2 : 1) << cell;
    }
    EXPECT_EQ(rules.Seeds[8], 0);
    EXPECT_EQ(rules.Seeds[6], 0);
    EXPECT_EQ(rules.Score[1], 1 + 1 + 2);  // the store's own seed, then the capture of 1 + 2
    int total = 0;
    for (int cell = 1; cell <= 14; ++cell) total += rules.Seeds[cell];
    EXPECT_EQ(total, 15);
}

TEST_F(MancRulesTest, ALastSeedAloneInAnOwnPitCapturesEvenAnEmptyOpposite) {
    // Opposite pit 5 holds 4: all five go to the store.
    board({{8, 1}, {5, 4}, {14, 2}});
    EXPECT_EQ(sow(1, 8), (Log{"clear 8", "sow 9=1", "capture", "store 14=3", "store 14=4", "store 14=5",
                              "store 14=6", "store 14=7", "clear 9", "clear 5", "score 1"}));
    EXPECT_FALSE(freeTurn);
    EXPECT_EQ(rules.Seeds[9], 0);
    EXPECT_EQ(rules.Seeds[5], 0);
    EXPECT_EQ(rules.Score[1], 7);
    EXPECT_EQ(rules.Seeds[14], 7);

    // Opposite empty: the lone seed alone scores.
    board({{3, 2}});
    EXPECT_EQ(sow(2, 3), (Log{"clear 3", "sow 4=1", "sow 5=1", "capture", "store 7=1", "clear 5", "clear 9",
                              "score 2"}));
    EXPECT_EQ(rules.Seeds[5], 0);
    EXPECT_EQ(rules.Score[2], 1);

    // In the opponent's empty pit nothing is captured; in an own pit that
    // already held seeds, neither.
    board({{12, 3}, {11, 2}, {3, 5}});
    EXPECT_EQ(sow(1, 12), (Log{"clear 12", "sow 13=1", "sow 14=1", "score 1", "sow 1=1", "score 1"}));
    EXPECT_EQ(rules.Seeds[1], 1);
    EXPECT_EQ(rules.Seeds[13], 1);
    board({{8, 1}, {9, 1}, {5, 4}});
    EXPECT_EQ(sow(1, 8), (Log{"clear 8", "sow 9=2", "score 1"}));
    EXPECT_EQ(rules.Seeds[5], 4);
}

TEST_F(MancRulesTest, TheLastSeedInTheOwnStoreGivesAFreeTurnAndTheStoreKeepsEveryCapture) {
    board({{4, 3}, {7, 5}});
    EXPECT_EQ(sow(2, 4), (Log{"clear 4", "sow 5=1", "sow 6=1", "sow 7=6", "score 2", "free", "score 2"}));
    EXPECT_TRUE(freeTurn);
    board({{13, 1}});
    sow(1, 13);
    EXPECT_TRUE(freeTurn);
    EXPECT_EQ(rules.Score[1], 1);

    // A capture, then a seed sown into the store: the score counts them all.
    board({{8, 1}, {5, 4}, {13, 1}});
    sow(1, 8);
    sow(1, 13);
    EXPECT_EQ(rules.Score[1], 6);
    EXPECT_EQ(rules.Seeds[14], 6);
}

TEST_F(MancRulesTest, AnEmptySideEndsTheGameAndTheOtherSideGoesToItsOwner) {
    board({{9, 1}, {2, 4}});
    EXPECT_EQ(describe(rules.CheckGameEnd()), Log{});
    EXPECT_EQ(rules.Ended, 0);

    // Player 1's side empty: player 2 gets the seeds of its own side.
    rules.Player = 1;
    board({{2, 2}, {6, 1}, {7, 4}, {14, 9}});
    EXPECT_EQ(describe(rules.CheckGameEnd()),
              (Log{"clear 1", "clear 2", "clear 3", "clear 4", "clear 5", "clear 6", "store 7=5", "store 7=6",
                   "store 7=7", "score 2"}));
    EXPECT_EQ(rules.Ended, 1);
    EXPECT_EQ(rules.Player, 2);
    EXPECT_EQ(rules.Score[2], 7);
    EXPECT_EQ(rules.Seeds[2] + rules.Seeds[6], 0);

    // Player 2's side empty: the same for player 1.
    rules.Ended = 0;
    board({{8, 3}, {7, 2}, {14, 1}});
    rules.CheckGameEnd();
    EXPECT_EQ(rules.Ended, 1);
    EXPECT_EQ(rules.Player, 1);
    EXPECT_EQ(rules.Score[1], 4);
    EXPECT_EQ(rules.Seeds[8], 0);
}

TEST_F(MancRulesTest, TheResultNamesTheLargerStoreOrADraw) {
    rules.Players = 1;
    rules.Score = {0, 20, 16};
    EXPECT_EQ(rules.resultText(), "You Win!");
    rules.Score = {0, 16, 20};
    EXPECT_EQ(rules.resultText(), "Computer Wins!");
    rules.Score = {0, 18, 18};
    EXPECT_EQ(rules.resultText(), "It's A Draw!");
    rules.Players = 2;
    EXPECT_EQ(rules.resultText(), "It's A Draw!");
    rules.Score = {0, 19, 17};
    EXPECT_EQ(rules.resultText(), "Player 1 Wins!");
    rules.Score = {0, 1, 35};
    EXPECT_EQ(rules.resultText(), "Player 2 Wins!");
}

TEST_F(MancRulesTest, NewGameDrawsTheSeedColourAndReadsTheSettings) {
    const float chances[] = {1.0f, 0.5f, 0.25f, 0.0f};
    for (int difficulty = 1; difficulty <= 4; ++difficulty) {
        settings_ = {1, difficulty, 1};
        random.push(difficulty == 1 ? 0.0f : 0.999f);
        rules.newGame(settings_);
        EXPECT_EQ(rules.MoveChance, chances[difficulty - 1]);
        EXPECT_EQ(rules.SeedColor, difficulty == 1 ? 10 : 15);
    }
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(rules.GameOn, 1);
    EXPECT_EQ(rules.Ended, 0);
    EXPECT_TRUE(rules.onePlayer());
    EXPECT_EQ(rules.ComputerFirst, 1);
    for (int cell = 1; cell <= 14; ++cell)
        EXPECT_EQ(rules.Seeds[cell], cell == 7 || cell == 14 ? 0 : 3) << cell;
    EXPECT_EQ(rules.Score[1] + rules.Score[2], 0);

    // Values from a hand-edited file play as the nearest choice, as the
    // options dialog shows them; any "first" but 1 means the child.
    settings_ = {7, 9, 5};
    random.push(0.5f);
    rules.newGame(settings_);
    EXPECT_FALSE(rules.onePlayer());
    EXPECT_EQ(rules.MoveChance, 0.0f);
    EXPECT_EQ(rules.ComputerFirst, 0);
    settings_ = {0, -3, 0};
    random.push(0.5f);
    rules.newGame(settings_);
    EXPECT_TRUE(rules.onePlayer());
    EXPECT_EQ(rules.MoveChance, 1.0f);
}

TEST_F(MancRulesTest, TheComputerTakesAFreeTurnFirstScanningFromTheStore) {
    rules.MoveChance = 0.0f;
    board({{6, 1}, {5, 2}, {1, 6}});
    random.push(0.3f);
    EXPECT_EQ(rules.ChooseComputerPit(), 6);
    board({{6, 2}, {5, 2}, {1, 6}});
    random.push(0.3f);
    EXPECT_EQ(rules.ChooseComputerPit(), 5);
    board({{6, 2}, {1, 6}});
    random.push(0.3f);
    EXPECT_EQ(rules.ChooseComputerPit(), 1);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(MancRulesTest, TheComputerPrefersACaptureOnlyWhenItTakesTwoMoreSeeds) {
    rules.MoveChance = 0.0f;
    // Pit 1 with 2 lands in empty 3 (opposite 11); pit 2 with 3 lands in empty 5 (opposite 9).
    board({{1, 2}, {2, 3}, {11, 3}, {9, 4}});
    random.push(0.9f);
    EXPECT_EQ(rules.ChooseComputerPit(), 1);
    board({{1, 2}, {2, 3}, {11, 3}, {9, 5}});
    random.push(0.9f);
    EXPECT_EQ(rules.ChooseComputerPit(), 2);
    // Equal captures keep the lower pit.
    board({{1, 2}, {2, 3}, {11, 3}, {9, 3}});
    random.push(0.9f);
    EXPECT_EQ(rules.ChooseComputerPit(), 1);

    // Only an empty opposite pit to take, and no free turn: a random pit,
    // drawn again until it holds seeds.
    board({{1, 1}, {4, 9}});
    for (float r : {0.9f, 0.99f, 0.2f, 0.0f}) random.push(r);
    EXPECT_EQ(rules.ChooseComputerPit(), 1);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(MancRulesTest, RandomMovesFollowTheChanceOfTheDifficulty) {
    // Easiest: always random, even with a free turn in reach.
    rules.MoveChance = 1.0f;
    board({{6, 1}, {3, 2}});
    for (float r : {0.999f, 0.0f, 0.4f}) random.push(r);
    EXPECT_EQ(rules.ChooseComputerPit(), 3);
    EXPECT_EQ(random.remaining(), 0u);

    // Simple: a roll under one half is random, at one half or more it thinks.
    rules.MoveChance = 0.5f;
    for (float r : {0.49f, 0.4f}) random.push(r);
    EXPECT_EQ(rules.ChooseComputerPit(), 3);
    random.push(0.5f);
    EXPECT_EQ(rules.ChooseComputerPit(), 6);
    EXPECT_EQ(random.remaining(), 0u);

    // A side without seeds is never searched, so no draw can loop for ever.
    board({{9, 3}});
    EXPECT_EQ(rules.ChooseComputerPit(), 0);
    EXPECT_EQ(random.draws(), 6);
}

}  // namespace
