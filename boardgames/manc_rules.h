#pragma once
// Mancala without the window: the ring of pits and stores, sowing, captures,
// free turns, the sweep at the end of a game and the computer's choice of a
// pit. The window frmManc owns one MancRules for its whole life, runs the turn
// flow, and turns the steps that a sowing or a sweep reports into drawing,
// scores and sounds, in order.
#include <array>
#include <string>
#include <vector>

#include "boardgames/computer_game_settings.h"

// The ring, numbered in sowing order: pits 1 to 6 and store 7 belong to
// player 2 (the computer in a one-player game), pits 8 to 13 and store 14 to
// player 1 (the child).
inline constexpr int kMancCells = 14;
inline constexpr int kMancSeedsPerPit = 3;

// One thing that happened to the board, in the order it happened.
// What the window does for each kind:
//   Clear    the box of cell is cleared, drawn large again, and repainted.
//   Sow      AddSeedToPit(cell, count), then the bubble sound played to its end.
//   Store    AddSeedToPit(cell, count) on a store, without a sound (captures, the sweep).
//   Score    ShowScore(player).
//   Capture  the capture sound, started without waiting.
//   FreeTurn the free-turn sound, started without waiting.
enum class MancStepKind { Clear, Sow, Store, Score, Capture, FreeTurn };

struct MancStep {
    MancStepKind kind;
    int cell = 0;    // Clear, Sow, Store
    int count = 0;   // Sow, Store: the cell's seeds with this one
    int player = 0;  // Score
    bool operator==(const MancStep&) const = default;
};

class MancRules {
public:
    // The store of player p: 14 for player 1, 7 for player 2.
    static constexpr int store(int p) { return 21 - 7 * p; }
    // Whether cell is one of player p's six pits.
    static bool ownsPit(int p, int cell);
    // The pit across the board.
    static constexpr int opposite(int pit) { return 14 - pit; }

    // The options dialog's choices, as the window reads them from the shared
    // settings.
    using Settings = ComputerGameSettings;

    // New Game with the given settings: draws the seed colour (one draw), sets
    // MoveChance, puts three seeds in every pit and empties the stores. Player
    // is left for the turn flow to set.
    void newGame(const Settings& settings);

    // Whether a click on cell is a move for the player whose turn it is: one
    // of his own pits, not empty.
    bool canMove(int cell) const;

    // Sows pit for player p; freeTurn tells whether the last seed fell into
    // p's own store.
    std::vector<MancStep> SowSeeds(int p, int pit, bool& freeTurn);

    // When a side is empty, sweeps the other side into its owner's store, sets
    // Player to that owner and Ended to 1; otherwise reports nothing.
    std::vector<MancStep> CheckGameEnd();

    // The computer's pit for player 2 (one draw for the random roll, then
    // more only for a random pit). 0 only if pits 1 to 6 are all empty,
    // which the turn flow never lets happen.
    int ChooseComputerPit() const;

    // "You Win!", "Computer Wins!", "Player 1 Wins!", "Player 2 Wins!" or
    // "It's A Draw!", by the stores.
    std::string resultText() const;

    bool onePlayer() const { return Players == 1; }
    int seedsOnSide(int p) const;

    int GameOn = 0;
    int Ended = 0;
    int Player = 1;
    std::array<int, kMancCells + 1> Seeds{};  // cells 1 to 14
    std::array<int, 3> Score{};               // players 1 and 2: the seeds in their stores
    float MoveChance = 0.0f;
    int SeedColor = 10;  // palette number 10 to 15

    // The settings of the game under way, read at New Game (the options
    // dialog cannot change them while a game runs).
    int Players = 1;
    int ComputerFirst = 0;

private:
    void addToStore(int p, int seeds);
    int randomPit() const;
};
