#include "actiongames/drop_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/vbmath.h"

namespace {

// The draw that gives a speed of s (3 to 11), and a picture of k (0 to 4).
float speedDraw(int s) { return (static_cast<float>(s - 3) + 0.5f) / 9.0f; }
float kindDraw(int k) { return (static_cast<float>(k) + 0.5f) / 5.0f; }

// The field inside a 3-D border at the design size, 49 x 57 pictures and an 89 x 9 catcher.
DropRules exampleField() {
    DropRules rules;
    rules.setField(405, 357, 49, 57, 89, 9);
    return rules;
}

// A running game with every object far above the field, falling slowly.
DropRules runningGame() {
    DropRules rules = exampleField();
    rules.GameOn = 1;
    rules.ObjY.fill(-500);
    rules.Speed.fill(3);
    return rules;
}

TEST(DropRulesTest, LanesAndCatcherAreLaidOutFromTheFieldSize) {
    DropRules rules = exampleField();
    EXPECT_EQ(rules.LaneX, (std::array<int, 5>{27, 103, 179, 255, 331}));
    EXPECT_EQ(rules.CatcherY, 348);
    rules.centreCatcher();
    EXPECT_EQ(rules.CatcherX, 158);

    // Half-way results go to the even neighbour: a gap of 1.5 gives 2, a centre of 159.5 gives 160.
    rules.setField(254, 357, 49, 57, 89, 9);
    EXPECT_EQ(rules.LaneX, (std::array<int, 5>{2, 53, 104, 155, 206}));
    rules.setField(408, 360, 49, 57, 89, 9);
    EXPECT_EQ(rules.CatcherY, 351);
    rules.centreCatcher();
    EXPECT_EQ(rules.CatcherX, 160);
}

TEST(DropRulesTest, ArrowKeysMoveTheCatcherAndStopItAtTheEdges) {
    DropRules rules = exampleField();
    rules.centreCatcher();
    rules.moveCatcher(DropRules::kKeyRight);
    EXPECT_EQ(rules.CatcherX, 168);
    for (int i = 0; i < 30; ++i) rules.moveCatcher(DropRules::kKeyRight);
    EXPECT_EQ(rules.CatcherX, 316);
    rules.moveCatcher(DropRules::kKeyLeft);
    EXPECT_EQ(rules.CatcherX, 306);
    for (int i = 0; i < 40; ++i) rules.moveCatcher(DropRules::kKeyLeft);
    EXPECT_EQ(rules.CatcherX, 0);
    // Up, Down and letters leave it where it is.
    for (int key : {38, 40, int('A'), 32}) rules.moveCatcher(key);
    EXPECT_EQ(rules.CatcherX, 0);
}

TEST(DropRulesTest, AnObjectStartsAgainStaggeredWhenIdleAndJustAboveTheFieldInAGame) {
    DropRules rules = exampleField();
    {
        // Idle: height, speed, picture, in that order.
        ScriptedRandom random{0.0f, speedDraw(3), 0.79f,        0.9999999f, 0.9999999f,
                              0.8f, 0.5f,         speedDraw(7), 0.0f};
        ScopedRandom scoped(random);
        rules.ResetObject(0);
        EXPECT_EQ(rules.ObjY[0], -57);  // one picture height
        EXPECT_EQ(rules.Speed[0], 3);
        EXPECT_EQ(rules.Kind[0], 3);
        rules.ResetObject(1);
        EXPECT_EQ(rules.ObjY[1], -228);  // four picture heights
        EXPECT_EQ(rules.Speed[1], 11);
        EXPECT_EQ(rules.Kind[1], DropRules::kSack);
        rules.ResetObject(2);
        EXPECT_EQ(rules.ObjY[2], -142);  // 142.5 rounds to the even 142
        EXPECT_EQ(rules.Speed[2], 7);
        EXPECT_EQ(rules.Kind[2], 0);
        EXPECT_EQ(random.remaining(), 0u);
    }
    {
        // In a game: no height is drawn.
        rules.GameOn = 1;
        ScriptedRandom random{speedDraw(9), kindDraw(2)};
        ScopedRandom scoped(random);
        rules.ResetObject(4);
        EXPECT_EQ(rules.ObjY[4], -57);
        EXPECT_EQ(rules.Speed[4], 9);
        EXPECT_EQ(rules.Kind[4], 2);
        EXPECT_EQ(random.draws(), 2);
    }
}

TEST(DropRulesTest, NewGameStaggersTheObjectsAndDropsOneAtOnce) {
    DropRules rules = exampleField();
    rules.HalfTime = -1;
    ScriptedRandom random;
    const std::array<float, 5> heights{0.0f, 0.25f, 0.5f, 0.75f, 0.999f};
    for (int i = 0; i < 5; ++i) {
        random.push(heights[static_cast<std::size_t>(i)]);
        random.push(speedDraw(3 + 2 * i));
        random.push(kindDraw(4 - i));
    }
    random.push(kindDraw(3));  // the object that falls at once
    ScopedRandom scoped(random);
    rules.startGame();
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(random.draws(), 16);
    // Object 3 would have started three and a quarter heights up; it is just above instead.
    EXPECT_EQ(rules.ObjY, (std::array<int, 5>{-57, -100, -142, -57, -228}));
    EXPECT_EQ(rules.Speed, (std::array<int, 5>{3, 5, 7, 9, 11}));
    EXPECT_EQ(rules.Kind, (std::array<int, 5>{4, 3, 2, 1, 0}));
    EXPECT_EQ(rules.GameOn, 1);
    EXPECT_EQ(rules.HalfTime, 0);
}

TEST(DropRulesTest, AnObjectLandsOnlyWhenItsBottomPassesThreeQuartersOfTheCatcher) {
    // The line lies at 357 - 0.75 x 9 = 350.25: a bottom edge at 350 has not reached it.
    DropRules rules = runningGame();
    rules.ObjY[2] = 290;
    EXPECT_TRUE(rules.fallStep().empty());
    EXPECT_EQ(rules.ObjY[2], 293);
    EXPECT_EQ(rules.ObjY[0], -497);

    ScriptedRandom random{speedDraw(5), kindDraw(0)};
    ScopedRandom scoped(random);
    const std::vector<DropLanding> landings = rules.fallStep();
    ASSERT_EQ(landings.size(), 1u);
    EXPECT_EQ(landings[0].lane, 2);
    // Landed, it starts again just above the field.
    EXPECT_EQ(rules.ObjY[2], -57);
    EXPECT_EQ(rules.Speed[2], 5);
}

TEST(DropRulesTest, OnlyAnObjectWhollyWithinTheCatcherIsCaught) {
    // Lane 2 spans 179 to 228; the catcher is 89 wide.
    const std::array<std::pair<int, bool>, 4> cases{{{139, true}, {179, true}, {138, false}, {180, false}}};
    for (const auto& [catcherX, caught] : cases) {
        DropRules rules = runningGame();
        rules.CatcherX = catcherX;
        rules.ObjY[2] = 300;
        rules.Kind[2] = 1;
        ScriptedRandom random{speedDraw(3), kindDraw(0)};
        ScopedRandom scoped(random);
        const std::vector<DropLanding> landings = rules.fallStep();
        ASSERT_EQ(landings.size(), 1u);
        EXPECT_EQ(landings[0], (DropLanding{2, caught, caught ? 1 : 0})) << "catcher at " << catcherX;
    }
}

TEST(DropRulesTest, ObjectsLandingTogetherAreJudgedAndRestartedInLaneOrder) {
    DropRules rules = runningGame();
    rules.CatcherX = 255 + 49 - 89;  // under lane 3 only
    for (int lane : {1, 3, 4}) rules.ObjY[static_cast<std::size_t>(lane)] = 300;
    rules.Kind[1] = DropRules::kSack;
    rules.Kind[3] = DropRules::kSack;
    rules.Kind[4] = 0;
    ScriptedRandom random{speedDraw(4), kindDraw(0), speedDraw(6), kindDraw(1), speedDraw(8), kindDraw(2)};
    ScopedRandom scoped(random);
    const std::vector<DropLanding> landings = rules.fallStep();
    EXPECT_EQ(landings, (std::vector<DropLanding>{{1, false, 0}, {3, true, 3}, {4, false, 0}}));
    EXPECT_EQ(rules.Speed[1], 4);
    EXPECT_EQ(rules.Speed[3], 6);
    EXPECT_EQ(rules.Speed[4], 8);
    EXPECT_EQ(rules.Kind, (std::array<int, 5>{0, 0, 0, 1, 2}));
    EXPECT_EQ(rules.ObjY, (std::array<int, 5>{-497, -57, -497, -57, -57}));
}

TEST(DropRulesTest, TheTimeBarShowsTheShareOfNinetySecondsLeft) {
    DropRules rules;
    rules.StartTime = 36000;
    EXPECT_EQ(rules.timeLeftPercent(36000.0f), 100);
    EXPECT_EQ(rules.timeLeftPercent(36045.0f), 50);
    EXPECT_EQ(rules.timeLeftPercent(36090.0f), 0);
    EXPECT_EQ(rules.timeLeftPercent(36100.0f), 0);
    // The start is rounded to a whole second, so the clock may read a little before it.
    EXPECT_EQ(rules.timeLeftPercent(35999.5f), 100);
    // Whole percents, halves to even: 2.5 % shows 2, 7.5 % shows 8.
    EXPECT_EQ(rules.timeLeftPercent(36087.75f), 2);
    EXPECT_EQ(rules.timeLeftPercent(36083.25f), 8);

    EXPECT_EQ(DropRules::wholeSecond(36000.5), 36000);
    EXPECT_EQ(DropRules::wholeSecond(36001.5), 36002);
}

TEST(DropRulesTest, TheTimeBarKeepsCountingDownPastMidnight) {
    DropRules rules;
    rules.StartTime = 86380;
    EXPECT_EQ(rules.timeLeftPercent(86399.0f), 79);
    // 60 seconds in, 40 of them after midnight: a third of the game is left.
    EXPECT_EQ(rules.timeLeftPercent(40.0f), 33);
    EXPECT_EQ(rules.timeLeftPercent(80.0f), 0);
    // Started a hair before midnight, the start rounds up to 86400.
    rules.StartTime = DropRules::wholeSecond(86399.75);
    EXPECT_EQ(rules.StartTime, 86400);
    EXPECT_EQ(rules.timeLeftPercent(45.0f), 50);
}

}  // namespace
