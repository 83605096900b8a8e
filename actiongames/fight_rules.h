#pragma once
// Snowball Toss without its window: the throwers, the gliding obstacles, the
// snowballs in flight, the counts and scores, the 22 ms game step with its hit
// test, and the computer thrower's decisions. No Qt here. The window frmFight
// owns one FightRules for its whole life (its fields outlive an unload: a toss
// asked for in the last moments of a game is thrown at the first step of the
// next one), copies the live sizes of its pictures into it at load, and turns
// the steps that a game step reports into pictures, markers, sounds and scores.
#include <array>
#include <cstdint>
#include <vector>

// A picture's place on the field, in twips with the origin at the field's top
// left corner. A snowball flies exactly while it is visible.
struct FightSprite {
    float Left = 0, Top = 0, Width = 480, Height = 480;
    bool Visible = true;
};

// The two pictures an obstacle can wear.
enum class FightPicture { Snowman, Tree };

// One thing that happened during a game step, in the order it happened.
// What the window does for each kind:
//   Picture   obstacle `index` takes `picture`.
//   Toss      side `index` threw: its marker `marker` is hidden (when 0 to 29),
//             its snowball shown; the whoosh sound, not waited for.
//   Stopped   side `index`'s snowball met an obstacle or left the field: hidden, silently.
//   Hit       side `index`'s snowball hit the other thrower: hidden; the hit
//             sound, not waited for; the side's score shows `score`.
//   GameOver  both sides have thrown everything and nothing flies: the game
//             ends as the Stop button ends it.
// The positions of all pictures are read from the rules after the step.
enum class FightStepKind { Picture, Toss, Stopped, Hit, GameOver };

struct FightStep {
    FightStepKind kind = FightStepKind::GameOver;
    int index = 0;  // the obstacle (Picture) or the side, 0 left and 1 right
    FightPicture picture = FightPicture::Snowman;
    int marker = 0;
    int score = 0;
    bool operator==(const FightStep&) const = default;
};

// Where marker i (0 to 29) of a side stands in its box (left, top, width,
// height of the box): two columns of fifteen from the bottom up, first column first.
struct FightBox {
    float Left = 0, Top = 0, Width = 0, Height = 0;
};
FightBox fightMarkerPlace(const FightBox& box, int i);

class FightRules {
public:
    static constexpr int kMarkers = 30;
    static constexpr float kThrowerStep = 45;
    static constexpr float kSnowballStep = 300;
    static constexpr int kGameTick = 22;         // ms
    static constexpr int kComputerDelay = 2000;  // ms before the computer's first decision
    // Key codes: the left thrower's and the right thrower's.
    static constexpr int kKeyA = 65, kKeyZ = 90, kKeySpace = 32;
    static constexpr int kKeyUp = 38, kKeyDown = 40, kKeyEnter = 13;

    // The field's outer size and the size of its inside, in twips.
    float FieldWidth = 6135, FieldHeight = 3735;
    float InnerWidth = 6135, InnerHeight = 3735;

    // 0 the left thrower (the child with one player), 1 the right one.
    std::array<FightSprite, 2> Player{};
    std::array<FightSprite, 2> Cactus{};
    std::array<FightPicture, 2> CactusPicture{FightPicture::Snowman, FightPicture::Tree};
    // The left snowball (0) flies right, the right one (1) flies left.
    std::array<FightSprite, 2> Bullet{};

    std::array<std::int16_t, 2> Score{};
    std::array<std::int16_t, 2> Ammo{};
    std::array<bool, 2> TossRequest{};
    std::array<std::int16_t, 2> ObstacleSpeed{};
    float RandomMoveChance = 0;
    std::int16_t ComputerTick = 0;

    // The places at load: the throwers centred up and down, the obstacles side
    // by side on the centre line at a third and two thirds of the field's
    // height, starting at 30 twips a step up and down, wearing their first
    // pictures; no snowball flies. Sizes must have been set before.
    void placeForLoad();

    // New Game: the computer's parameters from the difficulty (1 to 4; any
    // other value keeps the last ones), both counts to balls, both scores to 0.
    // Everything else continues from where the last game left it.
    void newGame(int difficulty, int balls);

    // A key press during a game: A, Z and Space for the left thrower; the
    // arrows and Enter for the right one only with two players.
    void keyDown(int KeyCode, int players);
    // Up, down or toss for the right thrower: the second player's keys and the computer's moves.
    void RightThrowerKey(int KeyCode);

    // One step of the game loop.
    std::vector<FightStep> tick();

    // The computer's next move as a key for RightThrowerKey, or 0 to stand still.
    int computerDecision() const;

    // Whether two pictures overlap, as the platform's rectangle intersection
    // sees it (right and bottom edges exclusive).
    static bool Collided(const FightSprite& a, const FightSprite& b);

private:
    void moveThrower(int side, int KeyCode);
    void moveObstacle(int i, std::vector<FightStep>& steps);
    void toss(int side, std::vector<FightStep>& steps);
    void fly(int side, std::vector<FightStep>& steps);
};
