#include "actiongames/fight_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/vbmath.h"

namespace {

using Steps = std::vector<FightStep>;
constexpr int kUp = FightRules::kKeyUp, kDown = FightRules::kKeyDown, kToss = FightRules::kKeyEnter;

FightStep step(FightStepKind kind, int index = 0) { return FightStep{kind, index}; }
FightStep picture(int obstacle, FightPicture p) { return FightStep{FightStepKind::Picture, obstacle, p}; }
FightStep toss(int side, int marker) {
    FightStep s{FightStepKind::Toss, side};
    s.marker = marker;
    return s;
}
FightStep hit(int side, int score) {
    FightStep s{FightStepKind::Hit, side};
    s.score = score;
    return s;
}

// The field as the window measures it: 6135 x 3735 outside, a one-pixel border inside.
FightRules field() {
    FightRules r;
    r.InnerWidth = 6105;
    r.InnerHeight = 3705;
    r.Player[0].Left = 120;
    r.Player[1].Left = 5520;
    r.placeForLoad();
    return r;
}

// Obstacles far out of every snowball's way, standing still for a few steps.
void parkObstacles(FightRules& r) {
    r.Cactus[0].Top = r.Cactus[1].Top = 1000;
    r.Cactus[0].Left = r.Cactus[1].Left = -5000;
    r.ObstacleSpeed = {0, 0};
}

TEST(FightRules, MarkersFillTwoColumnsOfFifteenFromTheBottomUp) {
    const FightBox box{120, 960, 495, 3735};
    const FightBox first = fightMarkerPlace(box, 0);
    EXPECT_FLOAT_EQ(first.Width, 242.5f);
    EXPECT_FLOAT_EQ(first.Height, 3725.0f / 15);
    EXPECT_FLOAT_EQ(first.Left, 125);
    EXPECT_FLOAT_EQ(first.Top, 960 + 3735 - first.Height - 5);
    // Each of the first column directly above the one before; the fifteenth at the top margin.
    EXPECT_FLOAT_EQ(fightMarkerPlace(box, 1).Top, first.Top - first.Height);
    EXPECT_FLOAT_EQ(fightMarkerPlace(box, 14).Left, 125);
    EXPECT_NEAR(fightMarkerPlace(box, 14).Top, 965, 0.01);
    // The second column starts again at the bottom, one marker to the right.
    EXPECT_FLOAT_EQ(fightMarkerPlace(box, 15).Left, 125 + 242.5f);
    EXPECT_FLOAT_EQ(fightMarkerPlace(box, 15).Top, first.Top);
    EXPECT_NEAR(fightMarkerPlace(box, 29).Top, 965, 0.01);
}

TEST(FightRules, KeysMoveTheThrowersByOneClampedStep) {
    FightRules r = field();
    r.keyDown(FightRules::kKeyZ, 1);
    EXPECT_FLOAT_EQ(r.Player[0].Top, 1627.5f + 45);

    // At the top an up step stays at 0; at the bottom a down step stops at the inside's height.
    r.Player[0].Top = 30;
    r.keyDown(FightRules::kKeyA, 1);
    EXPECT_FLOAT_EQ(r.Player[0].Top, 0);
    r.keyDown(FightRules::kKeyA, 1);
    EXPECT_FLOAT_EQ(r.Player[0].Top, 0);
    r.Player[0].Top = 3200;
    r.keyDown(FightRules::kKeyZ, 1);
    EXPECT_FLOAT_EQ(r.Player[0].Top, 3705 - 480);

    // Space asks for a toss; other keys do nothing.
    r.keyDown(FightRules::kKeySpace, 1);
    EXPECT_TRUE(r.TossRequest[0]);
    r.keyDown('Q', 2);
    EXPECT_FLOAT_EQ(r.Player[0].Top, 3705 - 480);

    // The arrows and Enter drive the right thrower only with two players.
    for (int key : {kUp, kDown, kToss}) r.keyDown(key, 1);
    EXPECT_FLOAT_EQ(r.Player[1].Top, 1627.5f);
    EXPECT_FALSE(r.TossRequest[1]);
    r.keyDown(kToss, 2);
    EXPECT_TRUE(r.TossRequest[1]);
    r.Player[1].Top = 3700;
    r.RightThrowerKey(kDown);
    EXPECT_FLOAT_EQ(r.Player[1].Top, 3705 - 480);
    r.Player[1].Top = 10;
    r.RightThrowerKey(kUp);
    EXPECT_FLOAT_EQ(r.Player[1].Top, 0);
}

TEST(FightRules, ATossUsesUpASnowballAndFliesInTheSameStep) {
    FightRules r = field();
    parkObstacles(r);
    r.newGame(1, 3);
    r.TossRequest = {true, true};
    EXPECT_EQ(r.tick(), (Steps{toss(0, 2), toss(1, 2)}));
    EXPECT_EQ(r.Ammo[0], 2);
    EXPECT_FALSE(r.TossRequest[0]);
    EXPECT_TRUE(r.Bullet[0].Visible);
    EXPECT_FLOAT_EQ(r.Bullet[0].Top, r.Player[0].Top);
    EXPECT_FLOAT_EQ(r.Bullet[0].Left, 120 + 240 + 300);
    EXPECT_FLOAT_EQ(r.Bullet[1].Left, 5520 - 240 - 300);

    // Asked for while the snowball flies: dropped, not kept for later.
    r.TossRequest[0] = true;
    EXPECT_EQ(r.tick(), Steps{});
    EXPECT_FALSE(r.TossRequest[0]);
    EXPECT_EQ(r.Ammo[0], 2);
    EXPECT_FLOAT_EQ(r.Bullet[0].Left, 120 + 240 + 600);
}

TEST(FightRules, AnObstacleStopsASnowballBeforeTheThrowerBehindIt) {
    FightRules r = field();
    parkObstacles(r);
    r.newGame(1, 5);
    // After one move the snowball overlaps both the obstacle and the thrower: no score, no sound.
    r.Player[0].Top = 1000;
    r.Player[0].Left = 4800;
    r.Bullet[1] = {5400, 1000, 480, 480, true};
    r.Cactus[1].Left = 4900;
    EXPECT_EQ(r.tick(), Steps{step(FightStepKind::Stopped, 1)});
    EXPECT_EQ(r.Score[1], 0);
    EXPECT_FALSE(r.Bullet[1].Visible);
    // Without the obstacle the same move is a hit.
    r.Bullet[1] = {5400, 1000, 480, 480, true};
    r.Cactus[1].Left = -5000;
    EXPECT_EQ(r.tick(), Steps{hit(1, 1)});
}

TEST(FightRules, TossesWithNothingLeftThrowNothingAndStillEndTheGame) {
    FightRules r = field();
    parkObstacles(r);
    r.newGame(1, 0);
    r.TossRequest[0] = true;
    EXPECT_EQ(r.tick(), Steps{step(FightStepKind::GameOver)});
    EXPECT_EQ(r.Ammo[0], -1);
    EXPECT_FALSE(r.Bullet[0].Visible);
    // The count stops at its lowest value instead of wrapping round to a full box.
    r.Ammo[0] = -32768;
    r.TossRequest[0] = true;
    r.tick();
    EXPECT_EQ(r.Ammo[0], -32768);
    EXPECT_FALSE(r.Bullet[0].Visible);
}

TEST(FightRules, ObstaclesLeavingTheFieldReEnterOrTurnBack) {
    FightRules r = field();
    r.newGame(1, 5);
    // Out at the top: a new picture, then re-entry at the bottom with the same speed.
    r.Cactus[0].Top = -470;
    r.ObstacleSpeed = {-30, 0};
    r.Cactus[1].Top = 1000;
    {
        ScriptedRandom random{0.7f, 0.2f};
        ScopedRandom scoped(random);
        EXPECT_EQ(r.tick(), Steps{picture(0, FightPicture::Tree)});
        EXPECT_EQ(random.remaining(), 0u);
    }
    EXPECT_FLOAT_EQ(r.Cactus[0].Top, 3735);
    EXPECT_EQ(r.ObstacleSpeed[0], -30);
    EXPECT_EQ(r.CactusPicture[0], FightPicture::Tree);

    // Out at the top, turning back: 40 - Int(20 x draw) downwards; 0.5 is not "below 0.5".
    r.Cactus[0].Top = -470;
    {
        ScriptedRandom random{0.1f, 0.5f, 0.999f};
        ScopedRandom scoped(random);
        EXPECT_EQ(r.tick().front(), picture(0, FightPicture::Snowman));
    }
    EXPECT_EQ(r.ObstacleSpeed[0], 21);
    EXPECT_FLOAT_EQ(r.Cactus[0].Top, -500);

    // Out at the bottom: re-entry just above the top edge, or turning back upwards.
    r.Cactus[1].Top = 3730;
    r.ObstacleSpeed[1] = 30;
    r.Cactus[0].Top = 1000;
    r.ObstacleSpeed[0] = 0;
    {
        ScriptedRandom random{0.5f, 0.49f};
        ScopedRandom scoped(random);
        EXPECT_EQ(r.tick().front(), picture(1, FightPicture::Tree));
    }
    EXPECT_FLOAT_EQ(r.Cactus[1].Top, -480);
    EXPECT_EQ(r.ObstacleSpeed[1], 30);
    r.Cactus[1].Top = 3730;
    {
        ScriptedRandom random{0.0f, 0.9f, 0.0f};
        ScopedRandom scoped(random);
        r.tick();
    }
    EXPECT_EQ(r.ObstacleSpeed[1], -40);
    EXPECT_FLOAT_EQ(r.Cactus[1].Top, 3760);
    // Inside the field nothing is drawn (a draw would throw from an empty script).
    ScriptedRandom none;
    ScopedRandom scoped(none);
    r.tick();
    EXPECT_FLOAT_EQ(r.Cactus[1].Top, 3720);
}

TEST(FightRules, PicturesCollideOnlyWhenOverlappingByTwoTwipsBothWays) {
    const FightSprite a{1000, 1000, 480, 480, true};
    EXPECT_TRUE(FightRules::Collided(a, {1478, 1478, 480, 480, true}));
    EXPECT_FALSE(FightRules::Collided(a, {1479, 1000, 480, 480, true}));
    EXPECT_FALSE(FightRules::Collided(a, {1000, 1479, 480, 480, true}));
    EXPECT_FALSE(FightRules::Collided(a, {-1000, 1000, 480, 480, true}));
    // Edges round to the nearest whole twip, halves to even: 1478.5 to 1478, 1478.7 to 1479.
    EXPECT_TRUE(FightRules::Collided(a, {1478.5f, 1000, 480, 480, true}));
    EXPECT_FALSE(FightRules::Collided(a, {1478.7f, 1000, 480, 480, true}));
}

TEST(FightRules, NewGameSetsTheComputerFromTheDifficultyAndRefillsTheCounts) {
    FightRules r = field();
    const struct {
        int level;
        float chance;
        int tick;
    } table[] = {{1, 0.8f, 120}, {2, 0.6f, 100}, {3, 0.4f, 80}, {4, 0.2f, 60}};
    for (const auto& row : table) {
        r.newGame(row.level, 12);
        EXPECT_FLOAT_EQ(r.RandomMoveChance, row.chance) << row.level;
        EXPECT_EQ(r.ComputerTick, row.tick) << row.level;
    }
    // A difficulty outside the table keeps the last parameters.
    r.newGame(2, 5);
    r.newGame(7, 5);
    EXPECT_FLOAT_EQ(r.RandomMoveChance, 0.6f);
    EXPECT_EQ(r.ComputerTick, 100);

    r.Score = {3, 4};
    r.TossRequest = {true, false};
    r.Player[0].Top = 77;
    r.newGame(3, 17);
    EXPECT_EQ(r.Ammo[0], 17);
    EXPECT_EQ(r.Ammo[1], 17);
    EXPECT_EQ(r.Score[0], 0);
    EXPECT_EQ(r.Score[1], 0);
    // A request left over from the last game stays for the first step of this one.
    EXPECT_TRUE(r.TossRequest[0]);
    EXPECT_FLOAT_EQ(r.Player[0].Top, 77);
}

class ComputerThrower : public ::testing::Test {
protected:
    ComputerThrower() {
        r = field();
        r.newGame(4, 10);
    }
    int decide(std::initializer_list<float> draws) {
        ScriptedRandom random(draws);
        ScopedRandom scoped(random);
        const int key = r.computerDecision();
        EXPECT_EQ(random.remaining(), 0u);
        return key;
    }
    FightRules r;
};

TEST_F(ComputerThrower, RandomMovesAreOneTossNineUpsAndTenDowns) {
    EXPECT_EQ(decide({0.19f, 0.0f}), kToss);
    EXPECT_EQ(decide({0.19f, 0.049f}), kToss);
    EXPECT_EQ(decide({0.0f, 0.05f}), kUp);
    EXPECT_EQ(decide({0.0f, 0.499f}), kUp);
    EXPECT_EQ(decide({0.0f, 0.5f}), kDown);
    EXPECT_EQ(decide({0.0f, 0.999f}), kDown);
    // No toss while it has fewer snowballs left than the child: it stands still.
    r.Ammo[1] = 9;
    EXPECT_EQ(decide({0.0f, 0.0f}), 0);
}

TEST_F(ComputerThrower, AimsAtTheChildAndTossesWhenLevel) {
    // 0.2 is not below "Difficult"'s chance of 0.2: no random move.
    r.Player[0].Top = 1000;
    r.Player[1].Top = 1000 + 0.8f * 480 + 1;
    EXPECT_EQ(decide({0.2f}), kUp);
    r.Player[1].Top = 1000 - 0.8f * 480 - 1;
    EXPECT_EQ(decide({0.5f}), kDown);
    r.Player[1].Top = 1000 + 0.8f * 480;
    EXPECT_EQ(decide({0.5f}), kToss);
    r.Ammo[1] = 9;
    EXPECT_EQ(decide({0.5f}), 0);
}

TEST_F(ComputerThrower, DodgesWhileTheChildsSnowballFliesOrItHasNoneLeft) {
    r.Bullet[0].Visible = true;
    // The child lower: down while the child is near the top, else up.
    r.Player[0].Top = 700;
    r.Player[1].Top = 100;
    EXPECT_EQ(decide({0.5f}), kDown);
    r.Player[0].Top = 720;
    EXPECT_EQ(decide({0.5f}), kUp);
    // The child higher: up while the child is near the bottom, else down.
    r.Player[0].Top = 2536;
    r.Player[1].Top = 3000;
    EXPECT_EQ(decide({0.5f}), kUp);
    r.Player[0].Top = 2535;
    EXPECT_EQ(decide({0.5f}), kDown);
    // Level to within a twip: up, unless the child is at the very top.
    r.Player[0].Top = 1000.5f;
    r.Player[1].Top = 1000;
    EXPECT_EQ(decide({0.5f}), kUp);
    r.Player[0].Top = r.Player[1].Top = 0;
    EXPECT_EQ(decide({0.5f}), kDown);

    // With nothing left it dodges even when level and nothing flies: never a toss.
    r.Bullet[0].Visible = false;
    r.Ammo = {0, 0};
    r.Player[0].Top = r.Player[1].Top = 1500;
    EXPECT_EQ(decide({0.5f}), kUp);
}

}  // namespace
