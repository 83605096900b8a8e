#pragma once
// Builds a fill-in crossword of up to fifteen words of the shared word list on a
// 16 by 16 grid, every word after the first crossing an earlier one. No Qt here:
// frmCross keeps one CrossPuzzle, calls NewPuzzle and shows and plays what it
// finds in the fields, which keep the window's names.
#include <array>
#include <string>
#include <vector>

class CrossPuzzle {
public:
    static constexpr int kSize = 16;       // cells a side
    static constexpr int kMaxPlaced = 15;  // words in one puzzle
    static constexpr int kNoWord = 99;     // CellState of a cell outside every word

    // Words are numbered 1 to NumPlaced in the order they were placed; index 0 of
    // the word arrays is unused. Rows and columns run 1 to kSize from the top left.
    int NumPlaced = 0;
    int WordsLeft = 0;                             // NumPlaced after a build; play counts it down
    std::array<std::string, kMaxPlaced + 1> Word;  // the placed words' text
    std::array<int, kMaxPlaced + 1> WordRow{}, WordCol{};
    // Column and row steps from one letter to the next: 1, 0 across; 0, 1 down.
    std::array<int, kMaxPlaced + 1> WordAcross{}, WordDown{};
    std::array<int, kMaxPlaced + 1> WordLen{};
    std::array<int, kMaxPlaced + 1> WordSolved{};  // all 0 after a build; play sets them
    // [row][column], 1 to kSize: kNoWord outside every word, 0 for an empty cell of
    // a word after a build; play puts the letter's code there once it is fixed.
    std::array<std::array<int, kSize + 1>, kSize + 1> CellState{};
    // Positions 1 to NumPlaced: the word numbers in the order the list shows them,
    // shortest first, words of one length in the order they were placed.
    std::array<int, kMaxPlaced + 1> ListOrder{};

    // Builds a new puzzle from words positions 1 to count (the window gives it
    // the shared word list), drawing from Rnd(). Words that no grid could hold (empty, or longer than kSize)
    // are left out of the draw; with no word left the puzzle is empty (NumPlaced 0).
    void NewPuzzle(const std::vector<std::string>& words, int count);

    // The working grid of the last build, rows and columns 0 to kSize + 1; the
    // outer ring stays empty, so the cells before and after any word can be read.
    // Letters holds 0 or a letter's code; Used tells which way the words through
    // a cell run (kAcross, kDown or both).
    static constexpr int kAcross = 1, kDown = 2;
    std::array<std::array<int, kSize + 2>, kSize + 2> Letters{};
    std::array<std::array<int, kSize + 2>, kSize + 2> Used{};

    // Writes the letters of word k (Word, WordRow, WordCol, WordAcross, WordDown,
    // WordLen) into Letters and marks its cells used.
    void PlaceWord(int k);

    // Whether w may be placed with its first letter at (r, c), which must lie
    // inside the grid, running across (across = true) or down, given the words
    // placed so far:
    // - no placed word starts there;
    // - the cells just before and after it are empty;
    // - at each letter, a cell beside it across the word is occupied only where
    //   the letter crosses a word running the other way, holding the same letter;
    // - and it crosses at least once.
    bool wordFits(const std::string& w, int r, int c, bool across) const;

private:
    void clear();
    void finish();
};
