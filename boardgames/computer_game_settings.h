#pragma once
// The settings of the board games played against the computer (Mancala, Trim a
// Tree), read one way by the options dialog that shows them and by the rules
// that play them.

struct ComputerGameSettings {
    int Players = 1;     // 1: the child against the computer; 2: two children
    int Difficulty = 1;  // the computer's, 1 "Easiest" to 4 "Difficult"
    int First = 0;       // 1: the computer moves first

    // What the stored values stand for: a value from outside its range (a
    // settings file edited by hand) stands for the nearest choice, and only a
    // First of 1 for "Computer".
    ComputerGameSettings chosen() const;
};

// How often the computer moves at random instead of playing its best move, by
// a chosen difficulty: always at 1 (the easiest), half the time at 2, a
// quarter at 3, never at 4.
float moveChanceFor(int difficulty);
