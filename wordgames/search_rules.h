#pragma once
// The word search: up to twenty words of the shared word list hidden across or
// down in a 16 by 16 grid of letters, and the child's selection of letters
// checked against them. No Qt here: frmSearch keeps one SearchPuzzle, shows its
// letters and cell states and plays the sounds that its answers call for.
#include <array>
#include <string>
#include <vector>

class SearchPuzzle {
public:
    static constexpr int kSize = 16;       // cells a side
    static constexpr int kMaxPlaced = 20;  // words in one puzzle
    static constexpr int kTries = 99;      // places tried for a word before it is skipped

    // Cell states in Grid.
    static constexpr int kFree = 0, kSelected = 1, kFound = 2, kFoundSelected = 3;

    struct Cell {
        int row, col;
        bool operator==(const Cell&) const = default;
    };

    // [row][column], 1 to kSize: the letter each cell shows once a puzzle is built.
    std::array<std::array<char, kSize + 1>, kSize + 1> Letter{};
    // [row][column], 1 to kSize: kFree, kSelected, kFound or kFoundSelected.
    std::array<std::array<int, kSize + 1>, kSize + 1> Grid{};

    // Placed words 1 to NumPlaced, in placement order (the order of the list);
    // index 0 is unused.
    std::array<std::string, kMaxPlaced + 1> Word;
    std::array<int, kMaxPlaced + 1> WordRow{}, WordCol{};
    // Step from one letter to the next: (0, 1) across, (1, 0) down.
    std::array<int, kMaxPlaced + 1> WordRowStep{}, WordColStep{};
    std::array<int, kMaxPlaced + 1> Found{};
    int NumPlaced = 0;
    int WordsLeft = 0;

    // The selection: ClickCount is 1 plus the number of selected cells, 0 until
    // the first puzzle is built. Its cells run from (SelRow, SelCol) in steps of
    // (SelRowStep, SelColStep), which its second cell sets.
    int ClickCount = 0;
    int SelRow = 0, SelCol = 0;
    int SelRowStep = 0, SelColStep = 0;
    int LastRow = 0, LastCol = 0;
    std::string Selected;

    // One random capital, "A" to "Z", from one draw.
    static char randomLetter();

    // Builds a new puzzle from words positions 1 to count (the window gives it
    // the shared word list). Its draws from Rnd(), in order:
    // - a Shuffle of the whole list;
    // - for each word in that order, while fewer than kMaxPlaced are placed, up
    //   to kTries places (direction, column, row); a word that no grid could
    //   hold (empty, longer than kSize, or not all letters) is passed over
    //   without a draw;
    // - a random letter for each cell left free, row by row.
    void NewPuzzle(const std::vector<std::string>& words, int count);

    // Adds the cell to the selection when it may go there: any cell as the
    // first, a neighbour of the first (diagonals too) as the second, then only
    // the next cell along the line. False, and no change, when it is refused
    // (always, before the first puzzle).
    bool Select(int row, int col);

    // The cells of the selection, first to last.
    std::vector<Cell> SelectionCells() const;
    // Ends the selection: its cells go back to kFree, or kFound where a found
    // word runs through them. Nothing changes when nothing is selected.
    void ClearSelection();

    // The first word not yet found that the selection spells from its first
    // letter in its own direction; it is marked Found and its number returned.
    // 0 when none matches; nothing changes then.
    int CheckWord();

    // The cells of placed word k, first to last.
    std::vector<Cell> WordCells(int k) const;
    // Shows word k as found: the selection ends, the word's cells become kFound
    // and one word fewer is left. The caller has set Found(k).
    void MarkWordFound(int k);

private:
    void resetSelection();
    bool tryPlace(const std::string& w, int slot);
};
