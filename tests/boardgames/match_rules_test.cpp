#include "boardgames/match_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/vbmath.h"

namespace {

using Log = std::vector<std::string>;

std::string describe(const MatchStep& s) {
    switch (s.kind) {
        case MatchStepKind::Beep:
            return "beep";
        case MatchStepKind::Counter:
            return "counter " + std::to_string(s.counter) + " " + s.text;
        case MatchStepKind::ShowToy:
            return "show " + std::to_string(s.slot) + " " + std::to_string(s.toy);
        case MatchStepKind::Pair:
            return "pair " + std::to_string(s.first) + " " + std::to_string(s.second);
        case MatchStepKind::Miss:
            return "miss " + std::to_string(s.first) + " " + std::to_string(s.second);
        case MatchStepKind::TurnPassed:
            return "turn " + std::to_string(s.player);
        case MatchStepKind::GameOver:
            return "over " + s.text;
        case MatchStepKind::Prompt:
            return "prompt " + s.text;
        case MatchStepKind::ComputerSecondCard:
            return "computer-another " + s.text;
        case MatchStepKind::ComputerTurn:
            return "computer " + s.text;
    }
    return "?";
}

Log withoutBeeps(Log log) {
    log.erase(std::remove(log.begin(), log.end(), "beep"), log.end());
    return log;
}

class MatchRulesTest : public ::testing::Test {
protected:
    void settings(int players, int pairs, int vsComputer, int difficulty) {
        settings_ = {players, pairs, vsComputer, difficulty};
    }

    // Starts a game and then lays the toys out as given, slot 1 first, so a
    // test reads its board at a glance. The deal's own draws are spent here.
    void start(int players, int vsComputer, int difficulty, const std::vector<int>& layout) {
        settings(players, static_cast<int>(layout.size() / 2), vsComputer, difficulty);
        for (std::size_t i = 1; i < layout.size(); ++i) random.push(0.0f);
        prompt = rules.newGame(settings_);
        ASSERT_EQ(random.remaining(), 0u);
        for (std::size_t i = 0; i < layout.size(); ++i) rules.Card[i + 1] = layout[i];
    }

    // What the window's picHidden_Click does: the rules step, then, while the
    // computer is to pick, its card through the same entry, nested.
    Log click(int slot) {
        Log log;
        play(slot, log);
        return log;
    }

    ScriptedRandom random;
    ScopedRandom scoped{random};
    MatchRules rules;
    MatchRules::Settings settings_;
    std::string prompt;

private:
    void play(int slot, Log& log) {
        const std::vector<MatchStep> steps = rules.pickCard(slot);
        for (const MatchStep& s : steps) log.push_back(describe(s));
        if (steps.empty()) return;
        const MatchStepKind last = steps.back().kind;
        if (last == MatchStepKind::ComputerSecondCard || last == MatchStepKind::ComputerTurn) {
            play(rules.ComputerPick(), log);
        }
    }
};

TEST_F(MatchRulesTest, DealTakesExactlyShufflesDrawsAndPutsEachToyInTwoSlots) {
    // Four cards: j = 4 draws 0.5 (position 3), j = 3 draws 0 (position 1),
    // j = 2 draws 0.99 (position 2): order 4 2 1 3, folded to toys 2 2 1 1.
    settings(1, 2, 0, 1);
    random.push(0.5f);
    random.push(0.0f);
    random.push(0.99f);
    rules.newGame(settings_);
    EXPECT_EQ(random.draws(), 3);
    EXPECT_EQ((std::vector<int>{rules.Card[1], rules.Card[2], rules.Card[3], rules.Card[4]}),
              (std::vector<int>{2, 2, 1, 1}));

    // Fifteen pairs: 29 draws, every toy 1 to 15 twice, all 30 slots used.
    for (int j = 30; j >= 2; --j) random.push(static_cast<float>((j * 7) % 10) / 10.0f);
    settings(1, 15, 0, 1);
    rules.newGame(settings_);
    EXPECT_EQ(random.draws(), 3 + 29);
    EXPECT_EQ(random.remaining(), 0u);
    std::array<int, 16> count{};
    for (int s = 1; s <= 30; ++s) {
        ASSERT_GE(rules.Card[s], 1);
        ASSERT_LE(rules.Card[s], 15);
        ++count[rules.Card[s]];
    }
    for (int toy = 1; toy <= 15; ++toy) EXPECT_EQ(count[toy], 2) << "toy " << toy;
    EXPECT_EQ(rules.CardsLeft, 30);
}

TEST_F(MatchRulesTest, PairsOutsideTheBoardsRangeAreHeldToTwoToFifteen) {
    settings(1, 40, 0, 1);
    for (int i = 0; i < 29; ++i) random.push(0.0f);
    rules.newGame(settings_);
    EXPECT_EQ(rules.Pairs, 15);
    EXPECT_EQ(rules.CardsLeft, 30);
    EXPECT_EQ(random.remaining(), 0u);

    settings(1, 0, 0, 9);
    for (int i = 0; i < 3; ++i) random.push(0.0f);
    rules.newGame(settings_);
    EXPECT_EQ(rules.Pairs, 2);
    EXPECT_EQ(rules.CardsLeft, 4);
    EXPECT_EQ(rules.ForgetChance, 0.0f);  // a difficulty above 4 plays as "Difficult"
    EXPECT_TRUE(rules.pickCard(5).empty());
}

TEST_F(MatchRulesTest, NewGameClearsTheBoardAndCountersButKeepsKnownCard) {
    start(1, 1, 3, {1, 2, 1, 2});
    EXPECT_EQ(prompt, "\rPick a Gift");
    EXPECT_EQ(rules.ForgetChance, 0.25f);
    rules.Seen[7] = 4;
    rules.Up[30] = 1;
    rules.Guesses = 9;
    rules.Matches = {0, 3, 4};
    rules.Player = 2;
    rules.PickNo = 2;
    rules.KnownCard = 3;

    settings(2, 3, 0, 1);
    for (int i = 0; i < 5; ++i) random.push(0.0f);
    EXPECT_EQ(rules.newGame(settings_), "Player 1\rPick a Gift");
    for (int s = 1; s <= 30; ++s) {
        EXPECT_EQ(rules.Seen[s], 0) << s;
        EXPECT_EQ(rules.Up[s], 0) << s;
    }
    EXPECT_EQ(rules.GameOn, 1);
    EXPECT_EQ(rules.Guesses, 0);
    EXPECT_EQ(rules.Matches[1], 0);
    EXPECT_EQ(rules.Matches[2], 0);
    EXPECT_EQ(rules.CardsLeft, 6);
    EXPECT_EQ(rules.Player, 1);
    EXPECT_EQ(rules.PickNo, 1);
    EXPECT_EQ(rules.KnownCard, 3);
    EXPECT_EQ(rules.ForgetChance, 0.75f);

    const float chances[] = {0.75f, 0.5f, 0.25f, 0.0f};
    for (int d = 1; d <= 4; ++d) {
        settings(1, 2, 1, d);
        for (int i = 0; i < 3; ++i) random.push(0.0f);
        rules.newGame(settings_);
        EXPECT_EQ(rules.ForgetChance, chances[d - 1]) << "difficulty " << d;
    }
}

TEST_F(MatchRulesTest, PlayingAloneCountsCardsAndKeepsTheTurn) {
    start(1, 0, 1, {1, 2, 3, 1, 2, 3});
    EXPECT_EQ(click(1), (Log{"beep", "counter 2 1", "show 1 1", "prompt \rPick Another Gift"}));
    EXPECT_TRUE(click(1).empty()) << "the turn's first card again";
    EXPECT_EQ(click(2), (Log{"beep", "counter 2 2", "show 2 2", "miss 1 2", "prompt \rPick a Gift"}));
    EXPECT_EQ(rules.Player, 1);
    EXPECT_EQ(rules.Up[1], 0);
    EXPECT_EQ(rules.Up[2], 0);
    EXPECT_EQ(rules.Seen[1], 1);
    EXPECT_EQ(rules.Seen[2], 2);

    click(1);
    EXPECT_EQ(click(4),
              (Log{"beep", "counter 2 4", "show 4 1", "pair 1 4", "counter 1 1", "prompt \rPick A Gift"}));
    EXPECT_EQ(rules.CardsLeft, 4);
    EXPECT_EQ(rules.Seen[1], 0);
    EXPECT_EQ(rules.Seen[4], 0);

    for (int notAMove : {1, 4, 0, -3, 7, 30, 31}) EXPECT_TRUE(click(notAMove).empty()) << notAMove;
    EXPECT_EQ(rules.Guesses, 4);
}

TEST_F(MatchRulesTest, APerfectGameAloneShowsTwoGuessesPerPair) {
    for (int n : {2, 7, 15}) {
        std::vector<int> layout;
        for (int t = 1; t <= n; ++t) layout.push_back(t);
        for (int t = n; t >= 1; --t) layout.push_back(t);
        start(1, 0, 2, layout);
        Log last;
        for (int t = 1; t <= n; ++t) {
            click(t);
            last = click(2 * n + 1 - t);
        }
        EXPECT_EQ(rules.Guesses, 2 * n);
        EXPECT_EQ(rules.Matches[1], n);
        EXPECT_EQ(last.back(), "over Game Over\r") << "playing alone names no winner";
        EXPECT_EQ(last[1], "counter 2 " + std::to_string(2 * n));
        EXPECT_EQ(rules.GameOn, 0);
        EXPECT_TRUE(click(1).empty()) << "no moves after the end";
    }
}

TEST_F(MatchRulesTest, TwoPlayersAlternateAfterEveryMissWhateverPlayWhoHolds) {
    start(2, 1, 4, {1, 2, 1, 2});
    EXPECT_EQ(prompt, "Player 1\rPick a Gift");
    EXPECT_EQ(click(1), (Log{"beep", "show 1 1", "prompt Player 1\rPick Another Gift"}));
    EXPECT_EQ(withoutBeeps(click(2)),
              (Log{"show 2 2", "miss 1 2", "turn 2", "prompt Player 2\rPick a Gift"}));
    EXPECT_EQ(rules.Player, 2);
    EXPECT_EQ(withoutBeeps(click(2)), (Log{"show 2 2", "prompt Player 2\rPick Another Gift"}));
    EXPECT_EQ(withoutBeeps(click(4)),
              (Log{"show 4 2", "pair 2 4", "counter 2 1", "prompt Player 2\rPick Again"}));
    click(3);
    EXPECT_EQ(withoutBeeps(click(1)),
              (Log{"show 1 1", "pair 3 1", "counter 2 2", "over Game Over\rPlayer 2 Wins!"}));
    EXPECT_EQ(random.draws(), 3) << "no computer ever picks";

    // Two pairs each: player 1 misses with four cards left and player 2 takes the rest.
    start(2, 0, 1, {1, 2, 3, 4, 1, 2, 3, 4});
    for (int s : {1, 5, 2, 6, 3}) click(s);
    EXPECT_EQ(withoutBeeps(click(4)).back(), "prompt Player 2\rPick a Gift");
    for (int s : {3, 7, 4}) click(s);
    EXPECT_EQ(withoutBeeps(click(8)).back(), "over Game Over\rIt's a Tie!");
}

TEST_F(MatchRulesTest, ResultTextsAndStop) {
    struct Case {
        int players, vsComputer, mine, theirs;
        std::string text;
    };
    const Case cases[] = {
        {1, 1, 3, 2, "Game Over\rYou Win!"},
        {1, 1, 2, 3, "Game Over\rComputer Wins!"},
        {1, 1, 2, 2, "Game Over\rIt's a Tie!"},
        {2, 0, 4, 1, "Game Over\rPlayer 1 Wins!"},
        {2, 1, 1, 4, "Game Over\rPlayer 2 Wins!"},
        {2, 0, 3, 3, "Game Over\rIt's a Tie!"},
        {1, 0, 5, 0, "Game Over\r"},
    };
    for (const Case& c : cases) {
        start(c.players, c.vsComputer, 1, std::vector<int>(2 * (c.mine + c.theirs), 1));
        rules.Matches = {0, c.mine, c.theirs};
        rules.CardsLeft = 0;
        EXPECT_EQ(rules.endGame(), c.text);
        EXPECT_EQ(rules.GameOn, 0);
    }

    // Stopped with cards on the board: no winner, even with a lead.
    start(1, 1, 1, {1, 2, 1, 2});
    click(1);
    click(3);
    EXPECT_EQ(rules.Matches[1], 1);
    EXPECT_EQ(rules.endGame(), "Game Over\r");
    EXPECT_TRUE(click(2).empty());
}

TEST_F(MatchRulesTest, FindKnownPairNamesTheLaterCardOfTheFirstPairCompletedInSlotOrder) {
    start(1, 1, 4, {1, 2, 3, 4, 4, 3, 2, 1});
    rules.KnownCard = 5;
    rules.FindKnownPair();
    EXPECT_EQ(rules.KnownCard, 0) << "nothing seen";

    for (int s : {1, 2, 3, 4}) rules.Seen[s] = rules.Card[s];
    rules.FindKnownPair();
    EXPECT_EQ(rules.KnownCard, 0) << "one card of each toy";

    rules.Seen[8] = 1;  // completes toy 1, whose first card is the earliest
    rules.Seen[7] = 2;  // completes toy 2 one slot sooner
    rules.FindKnownPair();
    EXPECT_EQ(rules.KnownCard, 7);

    rules.Seen[7] = 0;
    rules.Seen[5] = 4;
    rules.FindKnownPair();
    EXPECT_EQ(rules.KnownCard, 5);
}

TEST_F(MatchRulesTest, RandomPickCountsOnlyFaceDownCards) {
    start(1, 1, 4, {1, 2, 3, 1, 2, 3});
    // Toy 2 taken off (slots 2 and 5): face down are 1, 3, 4, 6.
    rules.Up[2] = rules.Up[5] = 1;
    rules.CardsLeft = 4;
    for (float r : {0.0f, 0.26f, 0.5f, 0.9999999f}) random.push(r);
    EXPECT_EQ(rules.RandomPick(), 1);
    EXPECT_EQ(rules.RandomPick(), 3);
    EXPECT_EQ(rules.RandomPick(), 4);
    EXPECT_EQ(rules.RandomPick(), 6);

    // A second pick does not count the turn's first card.
    rules.PickNo = 2;
    rules.Pick[1] = 3;
    rules.Up[3] = 1;
    for (float r : {0.5f, 0.9999999f}) random.push(r);
    EXPECT_EQ(rules.RandomPick(), 4);
    EXPECT_EQ(rules.RandomPick(), 6);

    // One face-down card left besides the first card: that card, whatever the draw.
    rules.Up[1] = rules.Up[4] = 1;
    rules.CardsLeft = 2;
    for (float r : {0.0f, 0.9999999f}) random.push(r);
    EXPECT_EQ(rules.RandomPick(), 6);
    EXPECT_EQ(rules.RandomPick(), 6);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(MatchRulesTest, RandomPicksProductIsSinglePrecision) {
    // 11 face-down cards and a draw just below 5/11: in single precision the
    // product rounds to 5 (the sixth card), in double it stays below 5.
    start(1, 1, 4, {1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6});
    rules.PickNo = 2;
    rules.Pick[1] = 1;
    rules.Up[1] = 1;
    random.push(0x1.d1745cp-2f);
    EXPECT_EQ(rules.RandomPick(), 7);
}

TEST_F(MatchRulesTest, ForgetRollIsStrictAndSkippedWhileAKnownCardIsHeld) {
    start(1, 1, 2, {1, 2, 3, 1, 2, 3});
    rules.Player = 2;
    rules.Seen[1] = rules.Seen[4] = 1;  // toy 1 fully known

    random.push(0.49999997f);
    random.push(0.4f);
    EXPECT_EQ(rules.ComputerPick(), 3) << "just under the chance: a random card";
    EXPECT_EQ(random.remaining(), 0u);

    random.push(0.5f);
    EXPECT_EQ(rules.ComputerPick(), 4) << "at the chance: from memory";
    EXPECT_EQ(random.remaining(), 0u);

    // A card kept from the last pair skips the roll's effect, but the roll is drawn.
    rules.KnownCard = 6;
    random.push(0.0f);
    EXPECT_EQ(rules.ComputerPick(), 4);
    EXPECT_EQ(random.remaining(), 0u);

    rules.ForgetChance = 0.0f;
    rules.KnownCard = 0;
    random.push(0.0f);
    EXPECT_EQ(rules.ComputerPick(), 4) << "\"Difficult\" never forgets";
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(MatchRulesTest, SecondPickCompletesAKnownPairOrFollowsTheScan) {
    start(1, 1, 4, {1, 2, 3, 1, 2, 3});
    rules.Player = 2;
    rules.PickNo = 2;
    rules.Seen[1] = rules.Seen[4] = 1;

    // The first card is the later one of its pair: its partner lies earlier.
    rules.Pick[1] = 4;
    rules.Up[4] = 1;
    random.push(0.3f);
    EXPECT_EQ(rules.ComputerPick(), 1);

    // The first card lies before its partner.
    rules.Up[4] = 0;
    rules.Pick[1] = 1;
    rules.Up[1] = 1;
    random.push(0.3f);
    EXPECT_EQ(rules.ComputerPick(), 4);

    // Nothing fully known: a random card among the other face-down ones.
    rules.Seen[4] = 0;
    random.push(0.3f);
    random.push(0.0f);
    EXPECT_EQ(rules.ComputerPick(), 2);
    EXPECT_EQ(random.remaining(), 0u);

    // Another known pair completes sooner in the scan than the first card's
    // own: the computer turns a card of that pair and misses.
    start(1, 1, 4, {1, 2, 3, 2, 1, 3});
    rules.Player = 2;
    rules.Seen[1] = 1;
    rules.Seen[2] = rules.Seen[4] = 2;
    rules.Seen[5] = 1;
    rules.PickNo = 2;
    rules.Pick[1] = 5;
    rules.Up[5] = 1;
    random.push(0.3f);
    EXPECT_EQ(rules.ComputerPick(), 4);
    const Log played = click(4);
    EXPECT_NE(std::find(played.begin(), played.end(), "miss 5 4"), played.end());
    EXPECT_EQ(played.back(), "prompt \rPick a Gift");
    EXPECT_EQ(rules.Up[5], 0) << "a miss covers the first card again";
}

TEST_F(MatchRulesTest, WithNothingSeenTheComputerPicksAtRandomAtEveryDifficulty) {
    for (int d = 1; d <= 4; ++d) {
        start(1, 1, d, {1, 2, 3, 4, 1, 2, 3, 4});
        rules.Player = 2;
        // The roll (forgetting below "Difficult", not at it), then the card:
        // 0.3 of 8 is the third.
        random.push(0.0f);
        random.push(0.3f);
        EXPECT_EQ(rules.ComputerPick(), 3) << "difficulty " << d;
        rules.pickCard(3);
        // Only the first card seen: 0.3 of the 7 others is the third of 1, 2, 4, ...
        random.push(0.0f);
        random.push(0.3f);
        EXPECT_EQ(rules.ComputerPick(), 4) << "difficulty " << d;
        EXPECT_EQ(random.remaining(), 0u);
    }
}

TEST_F(MatchRulesTest, DifficultTakesEveryKnownPairOneAfterAnotherAndEndsInItsOwnTurn) {
    start(1, 1, 4, {1, 2, 3, 4, 1, 2, 3, 4});
    // Toys 1 and 2 were both turned over earlier in the game.
    for (int s : {1, 2, 5, 6}) rules.Seen[s] = rules.Card[s];
    click(3);

    // The computer's whole turn runs inside the child's click.
    for (float r : {0.0f, 0.0f, 0.0f, 0.0f,   // toys 1 and 2 from memory
                    0.0f, 0.5f, 0.0f,         // a random card (7, toy 3), then its partner from memory
                    0.0f, 0.0f, 0.0f, 0.0f})  // two random cards, the last two
        random.push(r);
    const Log turn = withoutBeeps(click(4));
    EXPECT_EQ(turn, (Log{
                        "show 4 4",    "miss 3 4",
                        "turn 2",      "computer Computer\rPicking",
                        "show 5 1",    "computer-another \rPicking Another",
                        "show 1 1",    "pair 5 1",
                        "counter 2 1", "computer \rPicking Again",
                        "show 6 2",    "computer-another \rPicking Another",
                        "show 2 2",    "pair 6 2",
                        "counter 2 2", "computer \rPicking Again",
                        "show 7 3",    "computer-another \rPicking Another",
                        "show 3 3",    "pair 7 3",
                        "counter 2 3", "computer \rPicking Again",
                        "show 4 4",    "computer-another \rPicking Another",
                        "show 8 4",    "pair 4 8",
                        "counter 2 4", "over Game Over\rComputer Wins!",
                    }));
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(rules.GameOn, 0);
    EXPECT_EQ(rules.CardsLeft, 0);
}

TEST_F(MatchRulesTest, KnownCardIsResetOnlyWhereDesignedAndTheComputerRemembersItsMisses) {
    start(1, 1, 1, {1, 2, 3, 1, 2, 3});
    rules.Seen[1] = rules.Seen[4] = 1;  // toy 1 turned over earlier
    rules.KnownCard = 6;                // left over from an earlier game
    click(2);
    // The child misses. KnownCard goes back to 0, so the "Easiest" computer can
    // forget: 0.1 is under 0.75 and both its cards are random (6, then 1).
    for (float r : {0.1f, 0.9f, 0.1f, 0.0f}) random.push(r);
    EXPECT_EQ(withoutBeeps(click(3)), (Log{"show 3 3", "miss 2 3", "turn 2", "computer Computer\rPicking",
                                           "show 6 3", "computer-another \rPicking Another", "show 1 1",
                                           "miss 6 1", "turn 1", "prompt \rPick a Gift"}));
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(rules.KnownCard, 0);

    // The child misses again. Rolls of 0.9 play from memory; after each pair the
    // computer keeps KnownCard, so its rolls of 0.1 no longer make it forget,
    // and it clears the board, remembering the card 6 it turned itself.
    click(5);
    for (float r : {0.9f, 0.9f, 0.1f, 0.9f, 0.1f, 0.9f}) random.push(r);
    EXPECT_EQ(withoutBeeps(click(1)), (Log{
                                          "show 1 1",    "miss 5 1",
                                          "turn 2",      "computer Computer\rPicking",
                                          "show 4 1",    "computer-another \rPicking Another",
                                          "show 1 1",    "pair 4 1",
                                          "counter 2 1", "computer \rPicking Again",
                                          "show 5 2",    "computer-another \rPicking Another",
                                          "show 2 2",    "pair 5 2",
                                          "counter 2 2", "computer \rPicking Again",
                                          "show 6 3",    "computer-another \rPicking Another",
                                          "show 3 3",    "pair 6 3",
                                          "counter 2 3", "over Game Over\rComputer Wins!",
                                      }));
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(rules.GameOn, 0);
}

}  // namespace
