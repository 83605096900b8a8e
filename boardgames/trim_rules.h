#pragma once
// Trim a Tree without the window: a take-away game dressed as decorating a
// tree. Some of the 41 spots are filled at New Game; the players then add 1 to
// MaxAdd ornaments in turn, and whoever adds the last one, the star, wins.
//
// The window frmTrim owns one TrimRules for its whole life and turns the steps
// it is given into pictures, chimes, prompts and pauses. Every random draw of
// the game is made here, in the designed order.
#include <array>
#include <string>
#include <vector>

#include "boardgames/computer_game_settings.h"

inline constexpr int kTrimSpots = 41;  // spot 41 is the star's
inline constexpr int kTrimStarSpot = kTrimSpots;
inline constexpr int kTrimOrnamentKinds = 9;  // pictures 0 to 8
inline constexpr int kTrimStar = -1;          // the picture of the star spot
inline constexpr int kTrimMostToAdd = 7;      // buttons "1" to "7"

// One thing that happened, in the order it happened. What the window does for
// each kind (CR is one carriage return):
//   Ornament      spot gets picture (0 to 8, or kTrimStar) and loses its frame. After
//                 a move (not at New Game) it is followed at once by the chime, waited
//                 for, and lblLeft showing left, redrawn at once.
//   TooMany       PlaySoundFile(UhOhSound, 0); the same player moves again.
//   Won           Winner is set: the window runs cmdexit_Click, the end of the game.
//   Prompt        lblMessage = text; the child's (or children's) turn.
//   ComputerTurn  the computer moves now: ComputerTurn in the window.
enum class TrimStepKind { Ornament, TooMany, Won, Prompt, ComputerTurn };

struct TrimStep {
    explicit TrimStep(TrimStepKind k) : kind(k) {}
    TrimStepKind kind;
    int spot = 0;      // Ornament: 1 to 41
    int picture = 0;   // Ornament: 0 to 8, or kTrimStar
    std::string left;  // Ornament after a move: the ornaments still to add, as lblLeft shows them
    std::string text;  // Prompt
};

// The computer's chosen move and the message that announces it.
struct TrimComputerMove {
    int count = 0;  // 1 to MaxAdd: the move of button count - 1
    std::string text;
};

// The closing text of a game and whether the fanfare follows it.
struct TrimEnd {
    std::string text;
    bool fanfare = false;
};

class TrimRules {
public:
    // The options dialog's choices, as the window reads them from the shared
    // settings.
    using Settings = ComputerGameSettings;

    // New Game with the given settings: draws Total, then MaxAdd, then the
    // order of the spots (Shuffle of 40), then one picture for each spot filled
    // before play. Returns those fillings, then the opening Prompt, or
    // ComputerTurn when the computer goes first.
    std::vector<TrimStep> newGame(const Settings& settings);

    // A move of Index + 1 ornaments by whoever's turn it is (cmdPick_Click).
    // Empty when no game runs.
    std::vector<TrimStep> move(int Index);

    // The button index a typed key stands for during a game, or -1: the digits
    // "1" up to the digit of MaxAdd.
    int keyMove(int KeyAscii) const;

    // The computer's move: it takes the turn (Player = 2), plays the winning
    // move unless its roll says to move at random, and draws one number for the
    // roll and one more for a random move.
    TrimComputerMove ComputerMove();

    // The end of the game, at the star or by Stop: GameOn = 0, Winner back to 0.
    TrimEnd endGame();

    // The ornaments still to add.
    int left() const { return Total - Added; }
    bool onePlayer() const { return Players == 1; }

    // The game's state under the window's names; Order uses positions 1 to 40.
    int GameOn = 0;
    int Total = 0;
    int MaxAdd = 0;
    int Added = 0;
    std::array<int, kTrimSpots> Order{};
    int Player = 1;
    int Winner = 0;
    float MoveChance = 0.0f;

    // The settings of the game under way, read at New Game (the options dialog
    // cannot change them while a game runs).
    int Players = 1;
    int ComputerFirst = 0;

private:
    TrimStep placeOrnament(int spot) const;
    std::string turnPrompt() const;
};
