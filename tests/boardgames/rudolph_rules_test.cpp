#include "boardgames/rudolph_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "platform/vbmath.h"

namespace {

class RudolphRulesTest : public ::testing::Test {
protected:
    // A game whose doors hold reindeer 1 to 9 in order (Shuffle's draws leave it as it is).
    void start(int peek, int count) {
        settings_ = {count, peek};
        for (int j = 9; j >= 2; --j) random.push(0.99f);
        rules.newGame(settings_);
        ASSERT_EQ(random.remaining(), 0u);
    }
    // Asks with a draw that picks the k-th door not found yet, of N.
    int ask(int k, int N) {
        random.push((k - 0.5f) / N);
        return rules.Next_One(N);
    }

    RudolphRules::Settings settings_;
    ScriptedRandom random;
    ScopedRandom scoped{random};
    RudolphRules rules;
};

TEST_F(RudolphRulesTest, NewGameHidesADifferentReindeerBehindEveryDoorAndReadsTheSettings) {
    settings_ = {4, 0};
    // The first draw swaps the first and last door; the rest leave the order.
    random.push(0.0f);
    for (int j = 8; j >= 2; --j) random.push(0.99f);
    rules.newGame(settings_);
    EXPECT_EQ(random.draws(), 8);
    EXPECT_EQ(rules.Order, (std::array<int, 10>{0, 9, 2, 3, 4, 5, 6, 7, 8, 1}));
    EXPECT_EQ(rules.GameOn, 1);
    EXPECT_EQ(rules.Count, 4);
    EXPECT_EQ(rules.DoorsLeft, 4);
    EXPECT_EQ(rules.Guesses, 0);
    EXPECT_EQ(rules.Peeking, 0);
}

TEST_F(RudolphRulesTest, SettingsOutsideTheirRangesStillGiveAPlayableGame) {
    start(1, 12);
    EXPECT_EQ(rules.Count, 9);
    EXPECT_EQ(rules.DoorsLeft, 9);
    EXPECT_EQ(rules.Peeking, 1);
    start(7, 1);
    EXPECT_EQ(rules.Count, 2);
    EXPECT_EQ(rules.Peeking, 0);  // only 1 means peek
    start(0, -3);
    EXPECT_EQ(rules.Count, 2);
}

TEST_F(RudolphRulesTest, TheNextQuestionIsAnyDoorNotFoundYetCountedInDoorOrder) {
    start(0, 5);
    rules.Found[1] = rules.Found[3] = 1;
    rules.DoorsLeft = 3;
    // The doors still hidden are 2, 4 and 5: each third of the draw's range picks one.
    for (auto [draw, door] : {std::pair{0.0f, 2}, std::pair{0.33f, 2}, std::pair{0.34f, 4},
                              std::pair{0.66f, 4}, std::pair{0.67f, 5}, std::pair{0.99999f, 5}}) {
        random.push(draw);
        EXPECT_EQ(rules.RandomOpenDoor(3), door) << draw;
    }
    // Next_One makes it the target and names the reindeer behind it.
    rules.Order[4] = 8;
    EXPECT_EQ(ask(2, 3), 8);
    EXPECT_EQ(rules.Target, 4);
    // The same door may be asked for again.
    EXPECT_EQ(ask(2, 3), 8);
    EXPECT_EQ(rules.Target, 4);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(RudolphRulesTest, ClicksThatAreNoMoveAreNotCountedAndDrawNothing) {
    // Before any game.
    EXPECT_EQ(rules.pickDoor(1).outcome, DoorOutcome::Ignored);

    start(1, 3);
    // While the peek shows.
    EXPECT_EQ(rules.pickDoor(1).outcome, DoorOutcome::Ignored);
    rules.closeDoors();
    ask(1, 3);
    ASSERT_EQ(rules.Target, 1);
    // Doors outside the game.
    for (int i : {0, 4, 9, 10, -1}) EXPECT_EQ(rules.pickDoor(i).outcome, DoorOutcome::Ignored) << i;
    EXPECT_EQ(rules.Guesses, 0);

    // A found door.
    random.push(0.0f);
    EXPECT_EQ(rules.pickDoor(1).outcome, DoorOutcome::Right);
    EXPECT_EQ(rules.pickDoor(1).outcome, DoorOutcome::Ignored);
    EXPECT_EQ(rules.Guesses, 1);

    // After the game has been stopped.
    ask(1, 2);
    rules.endGame();
    EXPECT_EQ(rules.GameOn, 0);
    EXPECT_EQ(rules.pickDoor(rules.Target).outcome, DoorOutcome::Ignored);
    EXPECT_EQ(rules.Guesses, 1);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(RudolphRulesTest, AWrongDoorCountsButFindsNothingAndARightOnePicksAPraise) {
    start(0, 4);
    ask(3, 4);
    ASSERT_EQ(rules.Target, 3);

    const DoorClick wrong = rules.pickDoor(2);
    EXPECT_EQ(wrong.outcome, DoorOutcome::Wrong);
    EXPECT_EQ(rules.Guesses, 1);
    EXPECT_EQ(rules.DoorsLeft, 4);
    EXPECT_EQ(rules.Found[2], 0);
    EXPECT_EQ(random.remaining(), 0u);  // no praise drawn for a wrong door

    // Each third of the draw's range picks one of the three praises.
    int door = 3;
    for (auto [draw, praise] : {std::pair{0.0f, 0}, std::pair{0.5f, 1}, std::pair{0.99f, 2}}) {
        random.push(draw);
        const DoorClick right = rules.pickDoor(door);
        EXPECT_EQ(right.outcome, DoorOutcome::Right);
        EXPECT_EQ(right.praise, praise);
        EXPECT_EQ(rules.Found[door], 1);
        ask(1, rules.DoorsLeft);
        door = rules.Target;
    }
    EXPECT_EQ(rules.DoorsLeft, 1);
    EXPECT_EQ(rules.Guesses, 4);
    EXPECT_EQ(rules.Found, (std::array<int, 10>{0, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rules.Target, 4);
}

TEST_F(RudolphRulesTest, APerfectGameEndsWithOneGuessPerReindeer) {
    for (int n : {2, 5, 9}) {
        start(0, n);
        DoorClick click;
        for (int left = n; left >= 1; --left) {
            ask(left, left);  // always the last door still hidden
            random.push(0.5f);
            click = rules.pickDoor(rules.Target);
            if (left > 1) {
                EXPECT_EQ(click.outcome, DoorOutcome::Right);
            }
        }
        EXPECT_EQ(click.outcome, DoorOutcome::LastFound) << n;
        EXPECT_EQ(rules.Guesses, n);
        EXPECT_EQ(rules.DoorsLeft, 0);
        EXPECT_EQ(random.remaining(), 0u);
        // The rules leave the end to the window (it stops the game).
        EXPECT_EQ(rules.GameOn, 1);
    }
}

}  // namespace
