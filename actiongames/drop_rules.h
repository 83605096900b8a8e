#pragma once
// Gift Drop without its window: the five lanes, the falling gifts and sacks,
// the catcher and its keys, the fall step with its catch test, and the time
// bar's percentage. No Qt here; the window turns each landing the rules report
// into a sound and a score, and draws the scene from the positions kept here.
#include <array>
#include <vector>

// An object that reached the catcher's line during a fall step.
struct DropLanding {
    int lane = 0;  // the object and its lane, 0 to 4
    bool caught = false;
    int points = 0;  // 3 for a caught sack, 1 for a caught gift, 0 when missed
    bool operator==(const DropLanding&) const = default;
};

class DropRules {
public:
    static constexpr int kObjects = 5;
    static constexpr int kSack = 4;  // Kind of the sack; 0 to 3 are the gifts
    static constexpr int kCatcherStep = 10;
    static constexpr int kKeyLeft = 37, kKeyRight = 39;
    // The game clock's interval in milliseconds; it fires twice a game.
    static constexpr int kGameInterval = 45000;

    // Sizes in pixels: the field's inside (single precision, as its scale
    // reports them), one object picture, and the catcher.
    float Wf = 0, Hf = 0;
    int w = 0, h = 0, cw = 0, ch = 0;

    int GameOn = 0;
    int HalfTime = 0;                   // 0 at New Game, -1 once half the game has gone
    long StartTime = 0;                 // whole seconds since midnight at New Game
    int CatcherX = 0;                   // left edge, 0 to Wf - cw
    int CatcherY = 0;                   // top edge, on the field's bottom
    std::array<int, kObjects> LaneX{};  // left edge of each lane
    std::array<int, kObjects> ObjY{};   // top edge of each object; negative above the field
    std::array<int, kObjects> Speed{};  // pixels a fall step, 3 to 11
    std::array<int, kObjects> Kind{};   // picture, 0 to 3 a gift, kSack the sack

    // Takes the sizes and lays out the five lanes and the catcher's row.
    void setField(float fieldW, float fieldH, int picW, int picH, int catcherW, int catcherH);

    // Starts object i again with a new speed and picture: just above the field
    // while a game runs, else staggered one to four picture heights above it.
    // Draws three numbers when no game runs, two while one does.
    void ResetObject(int i);

    // The rules' part of New Game: every object staggered above the field,
    // then one of them, drawn at random, just above it so it shows at once;
    // the game is on, in its first half. 16 draws.
    void startGame();
    // The catcher in the middle of the field's bottom.
    void centreCatcher();

    // Left and Right move the catcher 10 pixels, stopping at the field's
    // edges; other keys leave it where it is.
    void moveCatcher(int KeyCode);

    // One fall step: each object, in lane order, moves down by its speed; one
    // that reaches the catcher's line is judged and starts again.
    std::vector<DropLanding> fallStep();

    // Whole percent of the game left at clock T (seconds since midnight), for
    // a game started at StartTime, 0 to 100.
    int timeLeftPercent(float T) const;

    // The clock as New Game keeps it: whole seconds, halves to even.
    static long wholeSecond(double secondsSinceMidnight);
};
