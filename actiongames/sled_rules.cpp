#include "actiongames/sled_rules.h"

#include <algorithm>

#include "platform/vbmath.h"

namespace {

constexpr char kCR = '\r';

// A gate drawn in row 25 reaches the sleigh's row after this many scrolls.
constexpr int kScrollsToSled = SledRules::kGateRow - SledRules::kSledRow;
// Ticks of the run-out after the last gate, and the tick the finish line is drawn.
constexpr int kRunOutTicks = 25;
constexpr int kFinishLineAt = 20;

int clng(double x) { return static_cast<int>(CLng(x)); }

}  // namespace

const std::array<const char*, SledRules::kAbilities + 1> SledRules::kAbilityNames = {
    "", "Beginner", "Novice", "Intermediate", "Advanced", "Expert", "World's Best"};

SledGrid SledGrid::forHill(int hillW, int hillH) {
    SledGrid g;
    g.CellH = CInt(static_cast<float>(hillH) / static_cast<float>(kRows));
    g.CellW = CInt(static_cast<float>(hillW) / static_cast<float>(kCols));
    g.XOffset = CInt(static_cast<float>(hillW - kCols * g.CellW) / 2.0f);
    return g;
}

int SledGrid::cellLeft(int x) const { return clng((x - 0.5) * CellW + XOffset); }

int SledGrid::cellTop(int y) const { return (y - 1) * CellH - 1; }

std::vector<SledPolygon> sledSpritePolygons(SledSprite sprite, int W, int H) {
    const double w = W, h = H;
    switch (sprite) {
        case SledSprite::Blank:
            return {{9,
                     9,
                     {{clng(0.3 * w), clng(0.5 * h)},
                      {clng(0.5 * w), clng(0.3 * h)},
                      {clng(0.7 * w), clng(0.5 * h)},
                      {clng(0.5 * w), clng(0.7 * h)}}}};
        case SledSprite::Sled: {
            const int l1 = clng(0.05 * w), l0 = clng(0.05 * w - 1), l2 = clng(0.2 * w);
            const int r0 = clng(0.8 * w - 1), r1 = clng(0.95 * w - 1);
            const int y2 = clng(0.2 * h), y3 = clng(0.3 * h), y7 = clng(0.7 * h), y8 = clng(0.8 * h);
            const int top = 0, bottom = H - 1;
            return {
                {8, 0, {{0, 0}, {l1, 0}, {l1, bottom}, {0, bottom}}},
                {8, 0, {{l0, y2}, {l2, y2}, {l2, y3}, {l0, y3}}},
                {8, 0, {{l0, y7}, {l2, y7}, {l2, y8}, {l0, y8}}},
                {8, 0, {{r1, top}, {W - 1, top}, {W - 1, bottom}, {r1, bottom}}},
                {8, 0, {{r0, y2}, {r1, y2}, {r1, y3}, {r0, y3}}},
                {8, 0, {{r0, y7}, {r1, y7}, {r1, y8}, {r0, y8}}},
                {0,
                 12,
                 {{l2, y2},
                  {clng(0.4 * w), top},
                  {clng(0.6 * w - 1), top},
                  {r0, y2},
                  {r0, clng(0.8 * h - 1)},
                  {clng(0.6 * w - 1), bottom},
                  {clng(0.4 * w), bottom},
                  {l2, clng(0.8 * h - 1)}}},
            };
        }
        case SledSprite::Tree:
            return {
                {2,
                 0,
                 {{0, clng(0.75 * h)}, {clng(0.5 * w - 1), 0}, {clng(0.5 * w), 0}, {W - 1, clng(0.75 * h)}}},
                {6,
                 0,
                 {{clng(0.4 * w), clng(0.75 * h + 1)},
                  {clng(0.6 * w - 1), clng(0.75 * h + 1)},
                  {clng(0.6 * w - 1), H - 1},
                  {clng(0.4 * w), H - 1}}},
            };
        case SledSprite::Rock:
            return {{0,
                     8,
                     {{0, clng(0.5 * h)},
                      {clng(0.2 * w), clng(0.2 * h)},
                      {clng(0.8 * w - 1), clng(0.2 * h)},
                      {W - 1, clng(0.5 * h)},
                      {clng(0.8 * w - 1), clng(0.8 * h)},
                      {clng(0.2 * w), clng(0.8 * h)}}}};
    }
    return {};
}

int SledRules::clampAbility(int ability) { return std::clamp(ability, 1, kAbilities); }

void SledRules::prepareRun() {
    RunOn = 1;
    Points = 0;
    RunEnd = -1;
    CommandState = 0;
    Mode = -1;
    GatesPassed = 0;
    GatesDrawn = 0;
    SledX = kStartCol;
    SledY = kStartRow;
}

void SledRules::go(int ability) {
    // The course arrays hold 40 gates: an ability beyond 6 must not overrun them.
    const int D = clampAbility(ability);
    LeftBound = D + 9;
    RightBound = 24 - D;
    Spacing = 12 - D;
    GateCount = 5 * (D - 1) + 15;
    for (int i = 1; i <= GateCount; ++i) {
        const int shift = Int(Rnd() * 11.0) - 5;
        const double r = Rnd();
        Rock[i] = Int((RightBound - LeftBound - 1) * r) + LeftBound + 1 + shift;
        LeftTree[i] = LeftBound + shift;
        RightTree[i] = RightBound + shift;
    }
}

void SledRules::drawNextGate(std::vector<SledStep>& steps) {
    ++GatesDrawn;
    const int g = GatesDrawn;
    steps.push_back({SledStepKind::DrawCell, SledSprite::Rock, Rock[g], kGateRow});
    steps.push_back({SledStepKind::DrawCell, SledSprite::Tree, LeftTree[g], kGateRow});
    steps.push_back({SledStepKind::DrawCell, SledSprite::Tree, RightTree[g], kGateRow});
}

void SledRules::judgeGate(std::vector<SledStep>& steps) {
    const int g = GatesPassed;
    const int x = SledX;
    if (x < LeftTree[g] || x > RightTree[g]) {
        steps.push_back({SledStepKind::Miss});
    } else if (x == Rock[g]) {
        Points += 2;
        steps.push_back({SledStepKind::Scrape});
    } else if (x == LeftTree[g] || x == RightTree[g]) {
        RunEnd = 1;
        steps.push_back({SledStepKind::Crash});
    } else {
        Points += 5;
    }
}

std::vector<SledStep> SledRules::tick() {
    std::vector<SledStep> steps;
    steps.push_back({SledStepKind::Beep});
    auto draw = [&](SledSprite sprite, int col, int row) {
        steps.push_back({SledStepKind::DrawCell, sprite, col, row});
    };
    auto scrollPastSled = [&] {
        steps.push_back({SledStepKind::Scroll});
        // The scroll carried the sleigh up a row; its track mark takes that place.
        draw(SledSprite::Blank, SledX, kSledRow - 1);
        draw(SledSprite::Sled, SledX, SledY);
    };

    switch (Mode) {
        case -1:
            draw(SledSprite::Blank, SledX, SledY);
            ++SledY;
            draw(SledSprite::Sled, SledX, SledY);
            if (SledY == kSledRow) {
                drawNextGate(steps);
                Pending = 1;
                Mode = 0;
                Countdown = kScrollsToSled;
                SinceDrawn = 0;
            }
            break;
        case 0:
            scrollPastSled();
            ++SinceDrawn;
            --Countdown;
            if (Countdown == 0) {
                ++GatesPassed;
                judgeGate(steps);
                --Pending;
                if (RunEnd == 1) return steps;
                Countdown = (kScrollsToSled - SinceDrawn) - (Pending - 1) * Spacing;
                if (GatesPassed == GateCount) {
                    Mode = 1;
                    Countdown = kRunOutTicks;
                    return steps;
                }
            }
            if (SinceDrawn == Spacing) {
                if (GatesDrawn != GateCount) drawNextGate(steps);
                // Counted on after the last gate too, so the countdown above
                // stays right for the gates still on the hill.
                ++Pending;
                SinceDrawn = 0;
            }
            break;
        case 1:
            scrollPastSled();
            --Countdown;
            if (Countdown == kFinishLineAt) {
                steps.push_back({SledStepKind::FinishLine});
            } else if (Countdown == 0) {
                RunEnd = 0;
                steps.push_back({SledStepKind::Finished});
            }
            break;
        default:
            break;
    }
    return steps;
}

std::optional<SledSteer> SledRules::steer(int button) {
    if (RunOn != 1 || (button != 1 && button != 2)) return std::nullopt;
    SledSteer s;
    s.fromX = SledX;
    s.row = SledY;
    if (button == 1)
        SledX = std::max(SledX - 1, 1);
    else
        SledX = std::min(SledX + 1, SledGrid::kCols - 1);
    s.toX = SledX;
    return s;
}

void SledRules::endRun() {
    RunOn = 0;
    CommandState = 1;
}

int SledRules::score() const {
    if (GateCount <= 0) return 0;
    return Int(static_cast<double>(Points) / GateCount * 20);
}

std::string SledRules::endMessage() const {
    std::string text(1, kCR);
    switch (RunEnd) {
        case 0:
            text += std::string("You're done!") + kCR + "Score:" + kCR + Format(score(), "##0");
            break;
        case 1: {
            static const std::array<std::pair<const char*, const char*>, 7> kCrashLines = {{
                {"", ""},
                {"You need the", "elves' help!"},
                {"The sleigh's", "runners broke!"},
                {"You smashed", "Santa's sleigh!"},
                {"Santa ate ten", "pounds of snow!"},
                {"Santa can't 'Ho'", "for a while!"},
                {"Maybe try an", "easier course!"},
            }};
            const int k = Int(Rnd() * 6.0) + 1;
            text += std::string("You hit a tree!") + kCR + kCrashLines[k].first + kCR + kCrashLines[k].second;
            break;
        }
        default:
            text += std::string("You stopped") + kCR + "before finishing" + kCR + "the run.";
            break;
    }
    return text;
}
