#include "actiongames/drop_rules.h"

#include "platform/vbmath.h"

namespace {
constexpr double kSecondsPerDay = 86400;
}  // namespace

void DropRules::setField(float fieldW, float fieldH, int picW, int picH, int catcherW, int catcherH) {
    Wf = fieldW;
    Hf = fieldH;
    w = picW;
    h = picH;
    cw = catcherW;
    ch = catcherH;
    // Six equal gaps: one at each side and one between neighbouring lanes.
    const int gap = CInt((Wf - 5.0f * static_cast<float>(w)) / 6.0f);
    for (int i = 0; i < kObjects; ++i) LaneX[i] = CInt((gap + w) * i + gap);
    CatcherY = CInt(Hf - static_cast<float>(ch));
}

void DropRules::ResetObject(int i) {
    if (GameOn != 0) {
        ObjY[i] = CInt(-h);
    } else {
        const float r = Rnd();
        ObjY[i] = CInt(-(3.0f * r + 1.0f) * static_cast<float>(h));
    }
    Speed[i] = Int(Rnd() * 9.0f) + 3;
    Kind[i] = Int(Rnd() * 5.0f);
}

void DropRules::startGame() {
    for (int i = 0; i < kObjects; ++i) ResetObject(i);
    const int k = Int(Rnd() * 5.0f);
    ObjY[k] = CInt(-h);
    HalfTime = 0;
    GameOn = 1;
}

void DropRules::centreCatcher() { CatcherX = CInt((Wf - static_cast<float>(cw)) * 0.5f); }

void DropRules::moveCatcher(int KeyCode) {
    if (KeyCode == kKeyLeft) {
        CatcherX -= kCatcherStep;
        if (CatcherX < 0) CatcherX = 0;
    } else if (KeyCode == kKeyRight) {
        CatcherX += kCatcherStep;
        if (Wf - static_cast<float>(cw) < static_cast<float>(CatcherX))
            CatcherX = CInt(Wf - static_cast<float>(cw));
    }
}

std::vector<DropLanding> DropRules::fallStep() {
    std::vector<DropLanding> landings;
    const float line = Hf - 0.75f * static_cast<float>(ch);
    for (int i = 0; i < kObjects; ++i) {
        ObjY[i] += Speed[i];
        if (static_cast<float>(ObjY[i] + h) <= line) continue;
        // Caught only when the object lies wholly within the catcher, both edges included.
        const bool caught = LaneX[i] >= CatcherX && CatcherX + cw >= LaneX[i] + w;
        landings.push_back({i, caught, caught ? (Kind[i] == kSack ? 3 : 1) : 0});
        ResetObject(i);
    }
    return landings;
}

int DropRules::timeLeftPercent(float T) const {
    double elapsed = static_cast<double>(T) - static_cast<double>(StartTime);
    // A game that goes on past midnight keeps counting down. Only a clear jump
    // back counts as midnight: the start is kept rounded to a whole second, so
    // right after New Game the clock may read up to half a second before it.
    if (elapsed < -kSecondsPerDay / 2) elapsed += kSecondsPerDay;
    const long whole = 2L * kGameInterval;
    long left = CLng(static_cast<double>(whole) - elapsed * 1000.0);
    if (left < 0) left = 0;
    if (left > whole) left = whole;
    return CInt(static_cast<double>(left) * 50.0 / kGameInterval);
}

long DropRules::wholeSecond(double secondsSinceMidnight) {
    // The clock is read in single precision, as the time bar reads it.
    return CLng(static_cast<float>(secondsSinceMidnight));
}
