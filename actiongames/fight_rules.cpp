#include "actiongames/fight_rules.h"

#include <algorithm>
#include <limits>

#include "platform/vbmath.h"

namespace {

struct ComputerLevel {
    float randomMoveChance;
    std::int16_t tick;  // ms between decisions
};
// "Easiest", "Simple", "Hard", "Difficult": the harder, the less it wanders and the faster it thinks.
constexpr std::array<ComputerLevel, 4> kLevels = {{{0.8f, 120}, {0.6f, 100}, {0.4f, 80}, {0.2f, 60}}};

FightPicture drawPicture() { return Rnd() < 0.5f ? FightPicture::Snowman : FightPicture::Tree; }

// A new speed of 21 to 40 twips a step.
std::int16_t drawSpeed() {
    const float x = 20 * Rnd();
    return static_cast<std::int16_t>(40 - Int(x));
}

}  // namespace

FightBox fightMarkerPlace(const FightBox& box, int i) {
    const float w = (box.Width - 10) / 2;
    const float h = (box.Height - 10) / 15;
    FightBox m{box.Left + 5, box.Top + box.Height - h - 5, w, h};
    if (i < 15) {
        // Each one directly above the one before it.
        for (int k = 1; k <= i; ++k) m.Top -= h;
    } else {
        m.Left += w;
        m.Top = box.Top + box.Height - static_cast<float>(i - 14) * h - 5;
    }
    return m;
}

void FightRules::placeForLoad() {
    for (FightSprite& p : Player) p.Top = (FieldHeight - p.Height) * 0.5f;
    Cactus[0].Top = FieldHeight * 0.33f - Cactus[0].Height * 0.5f;
    Cactus[1].Top = FieldHeight * 0.67f - Cactus[1].Height * 0.5f;
    Cactus[0].Left = FieldWidth * 0.5f - Cactus[0].Width;
    Cactus[1].Left = FieldWidth * 0.5f;
    ObstacleSpeed = {-30, 30};
    CactusPicture = {FightPicture::Snowman, FightPicture::Tree};
    for (FightSprite& b : Bullet) b.Visible = false;
}

void FightRules::newGame(int difficulty, int balls) {
    if (difficulty >= 1 && difficulty <= 4) {
        const ComputerLevel& level = kLevels[static_cast<std::size_t>(difficulty - 1)];
        RandomMoveChance = level.randomMoveChance;
        ComputerTick = level.tick;
    }
    Ammo[0] = static_cast<std::int16_t>(balls);
    Ammo[1] = Ammo[0];
    Score = {0, 0};
}

void FightRules::moveThrower(int side, int KeyCode) {
    FightSprite& p = Player[static_cast<std::size_t>(side)];
    const bool up = KeyCode == kKeyA || KeyCode == kKeyUp;
    if (up) {
        p.Top -= kThrowerStep;
        if (p.Top < 0) p.Top = 0;
    } else {
        p.Top += kThrowerStep;
        if (p.Top > InnerHeight - p.Height) p.Top = InnerHeight - p.Height;
    }
}

void FightRules::keyDown(int KeyCode, int players) {
    switch (KeyCode) {
        case kKeyA:
        case kKeyZ:
            moveThrower(0, KeyCode);
            break;
        case kKeySpace:
            TossRequest[0] = true;
            break;
        case kKeyUp:
        case kKeyDown:
        case kKeyEnter:
            if (players == 2) RightThrowerKey(KeyCode);
            break;
        default:
            break;
    }
}

void FightRules::RightThrowerKey(int KeyCode) {
    if (KeyCode == kKeyUp || KeyCode == kKeyDown)
        moveThrower(1, KeyCode);
    else if (KeyCode == kKeyEnter)
        TossRequest[1] = true;
}

void FightRules::moveObstacle(int i, std::vector<FightStep>& steps) {
    const auto k = static_cast<std::size_t>(i);
    FightSprite& c = Cactus[k];
    std::int16_t& speed = ObstacleSpeed[k];
    c.Top += speed;
    if (speed < 0 && c.Top < -c.Height) {
        // Gone out at the top.
        CactusPicture[k] = drawPicture();
        steps.push_back({FightStepKind::Picture, i, CactusPicture[k]});
        if (Rnd() < 0.5f)
            c.Top = FieldHeight;
        else
            speed = drawSpeed();
    }
    if (speed >= 0 && c.Top > FieldHeight) {
        // Gone out at the bottom.
        CactusPicture[k] = drawPicture();
        steps.push_back({FightStepKind::Picture, i, CactusPicture[k]});
        if (Rnd() < 0.5f)
            c.Top = -c.Height;
        else
            speed = static_cast<std::int16_t>(-drawSpeed());
    }
}

void FightRules::toss(int side, std::vector<FightStep>& steps) {
    const auto s = static_cast<std::size_t>(side);
    if (!TossRequest[s]) return;
    TossRequest[s] = false;
    FightSprite& ball = Bullet[s];
    if (ball.Visible) return;
    // The count goes on below 0 for every toss asked for with nothing left,
    // but stops at its lowest value rather than wrapping round to a full box.
    if (Ammo[s] == std::numeric_limits<std::int16_t>::min()) return;
    Ammo[s] = static_cast<std::int16_t>(Ammo[s] - 1);
    if (Ammo[s] < 0) return;
    const FightSprite& thrower = Player[s];
    ball.Top = thrower.Top;
    ball.Left = side == 0 ? thrower.Left + thrower.Width / 2 : thrower.Left - thrower.Width / 2;
    ball.Visible = true;
    FightStep step{FightStepKind::Toss, side};
    step.marker = Ammo[s];
    steps.push_back(step);
}

void FightRules::fly(int side, std::vector<FightStep>& steps) {
    const auto s = static_cast<std::size_t>(side);
    FightSprite& ball = Bullet[s];
    if (!ball.Visible) return;
    bool outside = false;
    if (side == 0) {
        ball.Left += kSnowballStep;
        outside = ball.Left > InnerWidth;
    } else {
        ball.Left -= kSnowballStep;
        outside = ball.Left < -ball.Width;
    }
    // An obstacle stops the snowball before it can reach the thrower behind it.
    if (Collided(ball, Cactus[0]) || Collided(ball, Cactus[1]) || outside) {
        ball.Visible = false;
        steps.push_back({FightStepKind::Stopped, side});
    } else if (Collided(ball, Player[1 - s])) {
        ball.Visible = false;
        Score[s] = static_cast<std::int16_t>(Score[s] + 1);
        FightStep step{FightStepKind::Hit, side};
        step.score = Score[s];
        steps.push_back(step);
    }
}

std::vector<FightStep> FightRules::tick() {
    std::vector<FightStep> steps;
    moveObstacle(0, steps);
    moveObstacle(1, steps);
    toss(0, steps);
    toss(1, steps);
    fly(0, steps);
    fly(1, steps);
    if (Ammo[0] <= 0 && Ammo[1] <= 0 && !Bullet[0].Visible && !Bullet[1].Visible)
        steps.push_back({FightStepKind::GameOver});
    return steps;
}

int FightRules::computerDecision() const {
    const float T0 = Player[0].Top, T1 = Player[1].Top;
    const double H0 = Player[0].Height, H1 = Player[1].Height;
    const bool mayToss = Ammo[1] >= Ammo[0];
    if (Rnd() < RandomMoveChance) {
        const float x = 20 * Rnd();
        const int k = Int(x);
        if (k == 0) return mayToss ? kKeyEnter : 0;
        return k <= 9 ? kKeyUp : kKeyDown;
    }
    if (Ammo[1] <= 0 || Bullet[0].Visible) {
        // Dodge: keep out of the child's line, turning back near the edges.
        const int d = Int(static_cast<double>(T0 - T1));
        if (d > 0) return T0 < 1.5 * H0 ? kKeyDown : kKeyUp;
        if (d < 0) return T0 > FieldHeight - 2.5 * H1 ? kKeyUp : kKeyDown;
        return T0 == 0 ? kKeyDown : kKeyUp;
    }
    // Aim: step towards the child until level with it, then throw.
    const float diff = T0 - T1;
    if (diff < -0.8 * H0) return kKeyUp;
    if (diff > 0.8 * H0) return kKeyDown;
    return mayToss ? kKeyEnter : 0;
}

bool FightRules::Collided(const FightSprite& a, const FightSprite& b) {
    struct Rect {
        long left, top, right, bottom;
    };
    auto rect = [](const FightSprite& s) {
        return Rect{CLng(s.Left), CLng(s.Top), CLng(s.Left + s.Width - 1), CLng(s.Top + s.Height - 1)};
    };
    const Rect r = rect(a), q = rect(b);
    return std::max(r.left, q.left) < std::min(r.right, q.right) &&
           std::max(r.top, q.top) < std::min(r.bottom, q.bottom);
}
