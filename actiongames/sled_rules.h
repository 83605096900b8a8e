#pragma once
// Santa's Sleigh without its window: the driving abilities, the course of
// gates, the timer's steps, judging, scoring, steering and the closing
// message, and the hill's grid. No Qt here; the window turns each step the
// rules report into a cell copy, a scroll, a sound or a pause, in order.
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The four pictures copied into the hill's cells.
enum class SledSprite { Sled, Tree, Rock, Blank };

enum class SledStepKind {
    Beep,        // every tick starts with the short warning beep
    DrawCell,    // copy sprite into cell (col, row)
    Scroll,      // the hill moves up one row, row 25 turns white
    FinishLine,  // the black finish line across the middle of row 25
    Miss,        // outside the gate's trees: the miss sound, not waited for
    Scrape,      // over the rock: the scrape sound, not waited for
    Crash,       // into a tree: the crash sound to its end, one second, then the run ends
    Finished,    // the run-out is over: the jingle to its end, then the run ends
};

struct SledStep {
    SledStepKind kind = SledStepKind::Beep;
    SledSprite sprite = SledSprite::Blank;
    int col = 0, row = 0;
    bool operator==(const SledStep&) const = default;
};

// A steering step: the track mark goes where the sleigh was, the sleigh into
// its (possibly unchanged) column, both in the sleigh's row.
struct SledSteer {
    int fromX = 0, toX = 0, row = 0;
};

// The hill's cells in pixels of its inner area.
struct SledGrid {
    int CellW = 0, CellH = 0, XOffset = 0;
    static constexpr int kCols = 32, kRows = 25;
    static SledGrid forHill(int hillW, int hillH);
    // The top-left pixel of cell (x, y); row 1 loses its top line above the picture.
    int cellLeft(int x) const;
    int cellTop(int y) const;
};

// The designed outline of a sprite: polygons of whole pixels, each closed from
// its last point to its first, with the palette numbers of pen and fill.
struct SledPolygon {
    int pen = 0;
    int fill = 0;
    std::vector<std::pair<int, int>> points;
};
std::vector<SledPolygon> sledSpritePolygons(SledSprite sprite, int W, int H);

class SledRules {
public:
    static constexpr int kMaxGates = 40;
    static constexpr int kSledRow = 11;  // the row the sleigh rides in
    static constexpr int kStartRow = 2;  // where it waits at the top
    static constexpr int kStartCol = 16;
    static constexpr int kGateRow = 25;  // new gates appear at the bottom
    static constexpr int kAbilities = 6;

    // The captions of the driving abilities 1 to 6 (element 0 unused).
    static const std::array<const char*, kAbilities + 1> kAbilityNames;

    int RunOn = 0;         // 1 from New Run until the run stops or ends
    int CommandState = 1;  // what the command button does next: 1 New Run, 0 Go
    int RunEnd = -1;       // -1 stopped by the child, 0 finished, 1 crashed
    int Mode = -1;         // -1 descent, 0 gates, 1 run-out
    int Points = 0;
    int SledX = kStartCol, SledY = kStartRow;
    int LeftBound = 0, RightBound = 0, Spacing = 0, GateCount = 0;
    std::array<int, kMaxGates + 1> LeftTree{}, RightTree{}, Rock{};
    int GatesDrawn = 0, GatesPassed = 0;
    int Countdown = 0, SinceDrawn = 0, Pending = 0;

    // An ability read from the settings file may lie outside 1 to 6.
    static int clampAbility(int ability);

    // New Run: a fresh run waiting at the top of the hill for Go. The window
    // draws the sleigh at (kStartCol, kStartRow).
    void prepareRun();
    // Go: the gates of the given driving ability, two draws from Rnd a gate.
    void go(int ability);
    // One tick of the run's timer.
    std::vector<SledStep> tick();
    // A mouse button on the hill (1 left, 2 right); nothing unless a run is on.
    std::optional<SledSteer> steer(int button);
    // The run is over (stopped, crashed or finished).
    void endRun();

    // 0 to 100: five points a gate give 100.
    int score() const;
    // The message panel's text once a run is over; after a crash one of six
    // pairs of lines is drawn from Rnd. Lines are joined by a carriage return.
    std::string endMessage() const;

private:
    void drawNextGate(std::vector<SledStep>& steps);
    void judgeGate(std::vector<SledStep>& steps);
};
