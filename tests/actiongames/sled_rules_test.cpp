#include "actiongames/sled_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/vbmath.h"
#include "support/seeded_random.h"

namespace {

using Points = std::vector<std::pair<int, int>>;

// The draw that gives a gate shift of s (-5 to 5).
float shiftDraw(int s) { return (s + 5 + 0.5f) / 11.0f; }
// The draw that puts the rock k columns right of the left tree (1 to width).
float rockDraw(int k, int width) { return (k - 1 + 0.5f) / static_cast<float>(width); }

// Every gate unshifted, the rock right beside the right tree: column 16,
// where the sleigh starts, is clean at every ability.
void pushPlainCourse(ScriptedRandom& random, int gates) {
    for (int i = 0; i < gates; ++i) {
        random.push(shiftDraw(0));
        random.push(0.9999999f);
    }
}

struct RunLog {
    int ticks = 0;
    std::vector<int> judgedAt;  // the tick each gate was judged
    int finishLineAt = 0;
    std::vector<SledStepKind> sounds;
    bool finished = false, crashed = false;
};

// Ticks until the run ends (or the limit), recording what happened when.
RunLog runToEnd(SledRules& rules, int limit = 400) {
    RunLog log;
    while (log.ticks < limit) {
        const int passed = rules.GatesPassed;
        const std::vector<SledStep> steps = rules.tick();
        ++log.ticks;
        EXPECT_EQ(steps.front().kind, SledStepKind::Beep);
        if (rules.GatesPassed != passed) log.judgedAt.push_back(log.ticks);
        for (const SledStep& s : steps) {
            if (s.kind == SledStepKind::FinishLine) log.finishLineAt = log.ticks;
            if (s.kind == SledStepKind::Miss || s.kind == SledStepKind::Scrape) log.sounds.push_back(s.kind);
            if (s.kind == SledStepKind::Finished) log.finished = true;
            if (s.kind == SledStepKind::Crash) log.crashed = true;
        }
        if (log.finished || log.crashed) break;
    }
    return log;
}

SledRules startedRun(int ability, ScriptedRandom& random) {
    SledRules rules;
    rules.prepareRun();
    rules.go(ability);
    EXPECT_EQ(random.remaining(), 0u);
    return rules;
}

}  // namespace

TEST(SledRulesTest, AbilitySetsTheGatesAndTheCourseTakesTwoDrawsAGate) {
    const int expected[7][4] = {{},
                                {10, 23, 11, 15},
                                {11, 22, 10, 20},
                                {12, 21, 9, 25},
                                {13, 20, 8, 30},
                                {14, 19, 7, 35},
                                {15, 18, 6, 40}};
    for (int D = 1; D <= 6; ++D) {
        ScriptedRandom random;
        pushPlainCourse(random, expected[D][3]);
        ScopedRandom scoped(random);
        SledRules rules = startedRun(D, random);
        EXPECT_EQ(rules.LeftBound, expected[D][0]) << D;
        EXPECT_EQ(rules.RightBound, expected[D][1]) << D;
        EXPECT_EQ(rules.Spacing, expected[D][2]) << D;
        EXPECT_EQ(rules.GateCount, expected[D][3]) << D;
        EXPECT_EQ(random.draws(), 2 * expected[D][3]) << D;
    }

    // Shift first, then the rock; the extremes of both draws.
    ScriptedRandom random{0.0f, 0.0f, 0.9999999f, 0.9999999f, shiftDraw(2), rockDraw(3, 12)};
    pushPlainCourse(random, 12);
    ScopedRandom scoped(random);
    SledRules rules = startedRun(1, random);
    auto gate = [&](int i) { return std::array{rules.LeftTree[i], rules.Rock[i], rules.RightTree[i]}; };
    EXPECT_EQ(gate(1), (std::array{5, 6, 18}));
    EXPECT_EQ(gate(2), (std::array{15, 27, 28}));
    EXPECT_EQ(gate(3), (std::array{12, 15, 25}));
}

TEST(SledRulesTest, EveryCourseKeepsTreesOnTheHillAndTheRockBetweenThem) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        SeededRandom random(seed);
        ScopedRandom scoped(random);
        const int D = 1 + static_cast<int>(seed % 6);
        SledRules rules;
        rules.prepareRun();
        rules.go(D);
        for (int i = 1; i <= rules.GateCount; ++i) {
            ASSERT_GE(rules.LeftTree[i], 5);
            ASSERT_LE(rules.RightTree[i], 28);
            ASSERT_GT(rules.Rock[i], rules.LeftTree[i]);
            ASSERT_LT(rules.Rock[i], rules.RightTree[i]);
            if (D == 6) {
                // World's Best: trees three columns apart, one rock column, one column for five points.
                EXPECT_EQ(rules.RightTree[i] - rules.LeftTree[i], 3);
            }
        }
    }
    // An ability outside 1 to 6 (a settings file edited by hand) runs as the nearest one.
    SeededRandom random(7);
    ScopedRandom scoped(random);
    SledRules rules;
    rules.prepareRun();
    rules.go(9);
    EXPECT_EQ(rules.GateCount, 40);
    rules.go(-3);
    EXPECT_EQ(rules.GateCount, 15);
}

TEST(SledRulesTest, ACleanRunLastsAsLongAsItsAbilityAndScoresAHundred) {
    const int ticks[7] = {0, 202, 238, 264, 280, 286, 282};
    for (int D = 1; D <= 6; ++D) {
        ScriptedRandom random;
        pushPlainCourse(random, 5 * (D - 1) + 15);
        ScopedRandom scoped(random);
        SledRules rules = startedRun(D, random);
        const RunLog log = runToEnd(rules);
        EXPECT_TRUE(log.finished) << D;
        EXPECT_EQ(log.ticks, ticks[D]) << D;
        ASSERT_EQ(static_cast<int>(log.judgedAt.size()), rules.GateCount) << D;
        for (int i = 1; i <= rules.GateCount; ++i)
            EXPECT_EQ(log.judgedAt[static_cast<std::size_t>(i - 1)], 23 + (i - 1) * rules.Spacing)
                << D << " " << i;
        // The finish line 5 ticks after the last gate, the end 20 ticks later.
        EXPECT_EQ(log.finishLineAt, log.judgedAt.back() + 5) << D;
        EXPECT_EQ(log.ticks, log.finishLineAt + 20) << D;
        EXPECT_TRUE(log.sounds.empty()) << D;
        EXPECT_EQ(rules.RunEnd, 0);
        EXPECT_EQ(rules.Points, 5 * rules.GateCount);
        EXPECT_EQ(rules.score(), 100);
        EXPECT_EQ(rules.endMessage(), "\rYou're done!\rScore:\r100");
    }
}

TEST(SledRulesTest, OverTheRockScoresTwoAndOutsideTheTreesNothing) {
    // The rock in column 16, where the sleigh rides: 2 points a gate, 40 in all.
    {
        ScriptedRandom random;
        for (int i = 0; i < 15; ++i) {
            random.push(shiftDraw(0));
            random.push(rockDraw(6, 12));
        }
        ScopedRandom scoped(random);
        SledRules rules = startedRun(1, random);
        const RunLog log = runToEnd(rules);
        EXPECT_TRUE(log.finished);
        EXPECT_EQ(log.sounds, std::vector<SledStepKind>(15, SledStepKind::Scrape));
        EXPECT_EQ(rules.score(), 40);
        EXPECT_EQ(rules.endMessage(), "\rYou're done!\rScore:\r40");
    }
    // Steered out to the left edge before the first gate: every gate missed.
    {
        ScriptedRandom random;
        pushPlainCourse(random, 15);
        ScopedRandom scoped(random);
        SledRules rules = startedRun(1, random);
        for (int i = 0; i < 20; ++i) rules.steer(1);
        const RunLog log = runToEnd(rules);
        EXPECT_TRUE(log.finished);
        EXPECT_EQ(log.sounds, std::vector<SledStepKind>(15, SledStepKind::Miss));
        EXPECT_EQ(rules.score(), 0);
        EXPECT_EQ(rules.endMessage(), "\rYou're done!\rScore:\r0");
    }
}

TEST(SledRulesTest, RidingIntoATreeCrashesAtOnceAndJudgesNoMoreGates) {
    // Gate 2 shifted five columns right: its left tree stands in column 15.
    ScriptedRandom random;
    pushPlainCourse(random, 1);
    random.push(shiftDraw(5));
    random.push(0.0f);
    pushPlainCourse(random, 13);
    ScopedRandom scoped(random);
    SledRules rules = startedRun(1, random);
    ASSERT_EQ(rules.LeftTree[2], 15);
    // Steer into the tree's column one tick before the gate reaches the sleigh.
    RunLog first = runToEnd(rules, 33);
    EXPECT_EQ(first.judgedAt, std::vector<int>{23});
    rules.steer(1);
    std::vector<SledStep> steps = rules.tick();
    EXPECT_EQ(rules.GatesPassed, 2);
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().kind, SledStepKind::Crash);
    EXPECT_EQ(rules.RunEnd, 1);
    EXPECT_EQ(rules.Points, 5);
    rules.endRun();
    EXPECT_EQ(rules.RunOn, 0);
    EXPECT_EQ(rules.CommandState, 1);
    EXPECT_FALSE(rules.steer(2).has_value());

    // One of six pairs of lines, by one draw (the window test shows a middle one).
    const std::pair<float, std::string> expected[] = {
        {0.0f, "\rYou hit a tree!\rYou need the\relves' help!"},
        {0.9999999f, "\rYou hit a tree!\rMaybe try an\reasier course!"},
    };
    for (const auto& [draw, text] : expected) {
        ScriptedRandom k{draw};
        ScopedRandom scopedK(k);
        EXPECT_EQ(rules.endMessage(), text);
        EXPECT_EQ(k.draws(), 1);
    }
}

TEST(SledRulesTest, TicksDescendThenScrollAndDrawOnlyWhatChanges) {
    ScriptedRandom random{shiftDraw(-2), 0.0f};
    pushPlainCourse(random, 14);
    ScopedRandom scoped(random);
    SledRules rules = startedRun(1, random);
    using K = SledStepKind;
    using S = SledSprite;
    EXPECT_EQ(rules.tick(), (std::vector<SledStep>{
                                {K::Beep}, {K::DrawCell, S::Blank, 16, 2}, {K::DrawCell, S::Sled, 16, 3}}));
    for (int i = 0; i < 7; ++i) rules.tick();
    // Reaching row 11 brings the first gate in at the bottom: rock, then the two trees.
    EXPECT_EQ(rules.tick(), (std::vector<SledStep>{{K::Beep},
                                                   {K::DrawCell, S::Blank, 16, 10},
                                                   {K::DrawCell, S::Sled, 16, 11},
                                                   {K::DrawCell, S::Rock, 9, 25},
                                                   {K::DrawCell, S::Tree, 8, 25},
                                                   {K::DrawCell, S::Tree, 21, 25}}));
    EXPECT_EQ(rules.Mode, 0);
    rules.steer(2);
    EXPECT_EQ(rules.tick(),
              (std::vector<SledStep>{
                  {K::Beep}, {K::Scroll}, {K::DrawCell, S::Blank, 17, 10}, {K::DrawCell, S::Sled, 17, 11}}));
}

TEST(SledRulesTest, SteeringStopsAtTheEdgesAndNeedsARunAndTheLeftOrRightButton) {
    SledRules rules;
    EXPECT_FALSE(rules.steer(1).has_value());  // no run yet
    rules.prepareRun();
    EXPECT_FALSE(rules.steer(4).has_value());  // the middle button
    EXPECT_FALSE(rules.steer(0).has_value());
    for (int i = 0; i < 15; ++i) rules.steer(1);
    std::optional<SledSteer> s = rules.steer(1);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->fromX, 1);
    EXPECT_EQ(s->toX, 1);  // the mark is drawn and the sleigh redrawn on it
    EXPECT_EQ(s->row, 2);
    for (int i = 0; i < 40; ++i) rules.steer(2);
    s = rules.steer(2);
    EXPECT_EQ(s->fromX, 31);
    EXPECT_EQ(s->toX, 31);
    s = rules.steer(1);
    EXPECT_EQ(s->toX, 30);
}

TEST(SledGridTest, CellsRoundAsDesigned) {
    const SledGrid g = SledGrid::forHill(333, 373);
    EXPECT_EQ(g.CellW, 10);
    EXPECT_EQ(g.CellH, 15);
    EXPECT_EQ(g.XOffset, 6);  // 6.5 rounds to even
    EXPECT_EQ(g.cellLeft(16), 161);
    EXPECT_EQ(g.cellLeft(1), 11);
    EXPECT_EQ(g.cellTop(11), 149);
    EXPECT_EQ(g.cellTop(25), 359);
    EXPECT_EQ(g.cellTop(1), -1);
    const SledGrid ours = SledGrid::forHill(335, 375);
    EXPECT_EQ(ours.XOffset, 8);  // 7.5 rounds to even
}

TEST(SledGridTest, SpriteOutlinesOfATenByFifteenCell) {
    auto points = [](SledSprite s) {
        std::vector<Points> out;
        for (const SledPolygon& p : sledSpritePolygons(s, 10, 15)) out.push_back(p.points);
        return out;
    };
    EXPECT_EQ(points(SledSprite::Blank), (std::vector<Points>{{{3, 8}, {5, 4}, {7, 8}, {5, 10}}}));
    EXPECT_EQ(points(SledSprite::Sled),
              (std::vector<Points>{{{0, 0}, {0, 0}, {0, 14}, {0, 14}},
                                   {{0, 3}, {2, 3}, {2, 4}, {0, 4}},
                                   {{0, 10}, {2, 10}, {2, 12}, {0, 12}},
                                   {{8, 0}, {9, 0}, {9, 14}, {8, 14}},
                                   {{7, 3}, {8, 3}, {8, 4}, {7, 4}},
                                   {{7, 10}, {8, 10}, {8, 12}, {7, 12}},
                                   {{2, 3}, {4, 0}, {5, 0}, {7, 3}, {7, 11}, {5, 14}, {4, 14}, {2, 11}}}));
    EXPECT_EQ(points(SledSprite::Tree), (std::vector<Points>{{{0, 11}, {4, 0}, {5, 0}, {9, 11}},
                                                             {{4, 12}, {5, 12}, {5, 14}, {4, 14}}}));
    EXPECT_EQ(points(SledSprite::Rock),
              (std::vector<Points>{{{0, 8}, {2, 3}, {7, 3}, {9, 8}, {7, 12}, {2, 12}}}));

    // Pen and fill: runners dark grey on black, the body black on light red.
    const std::vector<SledPolygon> sled = sledSpritePolygons(SledSprite::Sled, 10, 15);
    EXPECT_EQ(sled.front().pen, 8);
    EXPECT_EQ(sled.back().pen, 0);
    EXPECT_EQ(sled.back().fill, 12);
}
