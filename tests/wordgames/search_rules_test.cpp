#include "wordgames/search_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/data_file.h"
#include "platform/vbmath.h"
#include "support/listed_words.h"
#include "support/seeded_random.h"
#include "wordgames/word_list.h"

namespace {

using Words = std::vector<std::string>;
using Cell = SearchPuzzle::Cell;
using Cells = std::vector<Cell>;

// The draw that makes Int(n x Rnd) + 1 come out as position p (1 to n).
float pick(int p, int n) { return (static_cast<float>(p) - 0.5f) / static_cast<float>(n); }
constexpr float kAcross = 0.9f, kDown = 0.1f;
constexpr float kLetterZ = 0.99f;

class SearchRulesTest : public ::testing::Test {
protected:
    void useWords(const Words& words) { words_.use(words); }
    void newPuzzle() { p.NewPuzzle(words_.list, words_.count); }

    // CAT across from (2, 2), COW down from (2, 2) sharing its C, and a second
    // CAT on the very cells of the first; every other cell is a Z.
    void buildSmall() {
        useWords({"CAT", "COW", "CAT"});
        ScriptedRandom rnd{0.99f,   0.99f,                      // the order stays as listed
                           kAcross, pick(2, 13), pick(2, 16),   // CAT
                           kDown,   pick(2, 16), pick(2, 13),   // COW
                           kAcross, pick(2, 13), pick(2, 16)};  // CAT again
        for (int i = 0; i < 256 - 5; ++i) rnd.push(kLetterZ);
        ScopedRandom use(rnd);
        newPuzzle();
        ASSERT_EQ(rnd.remaining(), 0u);
        ASSERT_EQ(p.NumPlaced, 3);
    }

    bool selectAll(const Cells& cells) {
        bool all = true;
        for (const Cell& c : cells) all = p.Select(c.row, c.col) && all;
        return all;
    }

    SearchPuzzle p;

private:
    ListedWords words_;
};

std::string rowText(const SearchPuzzle& p, int row) {
    std::string s;
    for (int c = 1; c <= SearchPuzzle::kSize; ++c) s += p.Letter[row][c];
    return s;
}

}  // namespace

TEST_F(SearchRulesTest, ABuildDrawsTheOrderThenPlacesThenFillsRowByRow) {
    useWords({"CAT", "DOG"});
    ScriptedRandom rnd{0.9f,                                 // Shuffle: DOG stays second
                       kAcross, pick(13, 13), pick(16, 16),  // CAT across, last start column, row 16
                       kDown,   pick(16, 16), pick(1, 13)};  // DOG down from (1, 16)
    // Filler letters A, B, C, ... in the order the free cells are drawn.
    for (int i = 0; i < 256 - 6; ++i) rnd.push((static_cast<float>(i % 26) + 0.5f) / 26.0f);
    ScopedRandom use(rnd);
    newPuzzle();
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(rnd.draws(), 1 + 3 + 3 + 250);

    ASSERT_EQ(p.NumPlaced, 2);
    EXPECT_EQ(p.WordsLeft, 2);
    EXPECT_EQ(p.Word[1], "CAT");
    EXPECT_EQ(p.Word[2], "DOG");
    // An across word never reaches the last column: 13 is the last start of CAT.
    EXPECT_EQ((Cell{p.WordRow[1], p.WordCol[1]}), (Cell{16, 13}));
    EXPECT_EQ((Cell{p.WordRowStep[1], p.WordColStep[1]}), (Cell{0, 1}));
    EXPECT_EQ((Cell{p.WordRow[2], p.WordCol[2]}), (Cell{1, 16}));
    EXPECT_EQ((Cell{p.WordRowStep[2], p.WordColStep[2]}), (Cell{1, 0}));

    EXPECT_EQ(rowText(p, 1), "ABCDEFGHIJKLMNOD");
    EXPECT_EQ(rowText(p, 2), "PQRSTUVWXYZABCDO");
    EXPECT_EQ(rowText(p, 3), "EFGHIJKLMNOPQRSG");
    EXPECT_EQ(rowText(p, 16).substr(12, 3), "CAT");

    // Ready for the child: nothing found, nothing selected.
    EXPECT_EQ(p.ClickCount, 1);
    EXPECT_EQ(p.Selected, "");
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= 16; ++c) EXPECT_EQ(p.Grid[r][c], SearchPuzzle::kFree);
}

TEST_F(SearchRulesTest, WordsCrossOnlyWhereTheirLettersAgree) {
    useWords({"CAT", "COW", "DOG"});
    ScriptedRandom rnd{0.99f, 0.99f,       kAcross,     pick(1, 13), pick(1, 16),  // CAT across from (1, 1)
                       kDown, pick(1, 16), pick(1, 13),   // COW down from (1, 1): shares the C
                       kDown, pick(2, 16), pick(1, 13),   // DOG down from (1, 2): D on the A, refused
                       kDown, pick(2, 16), pick(2, 13)};  // DOG down from (2, 2)
    for (int i = 0; i < 256 - 8; ++i) rnd.push(kLetterZ);
    ScopedRandom use(rnd);
    newPuzzle();
    EXPECT_EQ(rnd.remaining(), 0u);
    ASSERT_EQ(p.NumPlaced, 3);
    EXPECT_EQ(rowText(p, 1), "CATZZZZZZZZZZZZZ");
    EXPECT_EQ(rowText(p, 2), "ODZZZZZZZZZZZZZZ");
    EXPECT_EQ(rowText(p, 3), "WOZZZZZZZZZZZZZZ");
    EXPECT_EQ(rowText(p, 4), "ZGZZZZZZZZZZZZZZ");
    EXPECT_EQ((Cell{p.WordRow[3], p.WordCol[3]}), (Cell{2, 2}));
}

TEST_F(SearchRulesTest, AWordWithNoPlaceIn99TriesIsSkippedAndTheNextTakesItsSlot) {
    useWords({"ABCDEFGHIJKLMNOP", "BB", "CC"});
    ScriptedRandom rnd{0.99f, 0.99f, kAcross, 0.7f, pick(1, 16)};  // the 16 letters fill row 1, from column 1
    for (int t = 0; t < 99; ++t)
        for (float v : {kDown, pick(1, 16), pick(1, 14)}) rnd.push(v);  // BB over the A, every time
    for (float v : {kAcross, pick(1, 14), pick(5, 16)}) rnd.push(v);    // CC on row 5
    for (int i = 0; i < 256 - 18; ++i) rnd.push(kLetterZ);
    ScopedRandom use(rnd);
    newPuzzle();
    EXPECT_EQ(rnd.remaining(), 0u);
    ASSERT_EQ(p.NumPlaced, 2);
    EXPECT_EQ(p.Word[1], "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(rowText(p, 1), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(p.Word[2], "CC");
    EXPECT_EQ((Cell{p.WordRow[2], p.WordCol[2]}), (Cell{5, 1}));
    EXPECT_EQ(p.Word[3], "");
}

TEST_F(SearchRulesTest, WordsNoGridCouldHoldArePassedOverWithoutADraw) {
    // Shuffle over all four positions, then only "abc" (as ABC) is tried.
    useWords({"", "abc", "ICE-CREAM", "ABCDEFGHIJKLMNOPQ"});
    ScriptedRandom rnd{0.99f, 0.99f, 0.99f, kAcross, pick(1, 13), pick(1, 16)};
    for (int i = 0; i < 256 - 3; ++i) rnd.push(kLetterZ);
    ScopedRandom use(rnd);
    newPuzzle();
    EXPECT_EQ(rnd.remaining(), 0u);
    ASSERT_EQ(p.NumPlaced, 1);
    EXPECT_EQ(p.Word[1], "ABC");

    // An empty list: no word, every cell a random letter.
    useWords({});
    ScriptedRandom empty;
    for (int i = 0; i < 256; ++i) empty.push(0.0f);
    ScopedRandom useEmpty(empty);
    newPuzzle();
    EXPECT_EQ(empty.remaining(), 0u);
    EXPECT_EQ(p.NumPlaced, 0);
    EXPECT_EQ(p.WordsLeft, 0);
    EXPECT_EQ(rowText(p, 7), std::string(16, 'A'));
    EXPECT_EQ(p.CheckWord(), 0);
}

TEST_F(SearchRulesTest, EveryBuildHidesItsWordsInsideTheGrid) {
    std::vector<std::string> words =
        parseWordList(readWholeFile(QUENVALE_SOURCE_DIR "/assets/words.txt").value_or(""));
    ASSERT_GT(words.size(), 100u);
    words.push_back("ABCDEFGHIJKLMNOP");
    for (const Words& list : {words, Words{"SNOW", "SLED", "STAR", "BELL", "TREE"}}) {
        useWords(list);
        const std::set<std::string> known(list.begin(), list.end());
        for (unsigned seed = 1; seed <= 200; ++seed) {
            SeededRandom rnd(seed);
            ScopedRandom use(rnd);
            newPuzzle();
            const int expected = std::min<int>(20, static_cast<int>(list.size()));
            // With a list this size each word finds a place within its tries.
            ASSERT_EQ(p.NumPlaced, expected) << seed;
            std::set<std::pair<int, int>> starts;
            for (int k = 1; k <= p.NumPlaced; ++k) {
                const std::string& w = p.Word[k];
                ASSERT_TRUE(known.count(w)) << w;
                const bool across = p.WordColStep[k] == 1;
                ASSERT_EQ(p.WordRowStep[k], across ? 0 : 1);
                const Cells cells = p.WordCells(k);
                ASSERT_EQ(cells.size(), w.size());
                for (std::size_t i = 0; i < cells.size(); ++i) {
                    const Cell& c = cells[i];
                    ASSERT_TRUE(c.row >= 1 && c.row <= 16 && c.col >= 1 && c.col <= 16)
                        << w << " seed " << seed;
                    EXPECT_EQ(p.Letter[c.row][c.col], w[i]) << w << " seed " << seed;
                }
                // Only a 16-letter word reaches the last column or row.
                if (w.size() < 16) {
                    EXPECT_LT(across ? cells.back().col : cells.back().row, 16) << w;
                }
            }
            for (int r = 1; r <= 16; ++r)
                for (int c = 1; c <= 16; ++c) ASSERT_TRUE(p.Letter[r][c] >= 'A' && p.Letter[r][c] <= 'Z');
        }
    }
}

TEST_F(SearchRulesTest, ASelectionRunsFromItsFirstCellToANeighbourAndOnInThatLine) {
    // Before the first puzzle every cell is refused.
    EXPECT_FALSE(p.Select(1, 1));
    EXPECT_EQ(p.ClickCount, 0);

    buildSmall();
    EXPECT_TRUE(p.Select(5, 5));
    EXPECT_EQ(p.Grid[5][5], SearchPuzzle::kSelected);
    // The first cell again, or a cell two away, is no second cell.
    EXPECT_FALSE(p.Select(5, 5));
    EXPECT_FALSE(p.Select(7, 5));
    EXPECT_EQ(p.ClickCount, 2);
    // A diagonal neighbour sets the line; only its next cell may follow.
    EXPECT_TRUE(p.Select(4, 6));
    EXPECT_EQ((Cell{p.SelRowStep, p.SelColStep}), (Cell{-1, 1}));
    EXPECT_FALSE(p.Select(4, 7));
    EXPECT_FALSE(p.Select(3, 6));
    EXPECT_TRUE(p.Select(3, 7));
    EXPECT_EQ(p.ClickCount, 4);
    EXPECT_EQ(p.Selected, "ZZZ");
    EXPECT_EQ(p.SelectionCells(), (Cells{{5, 5}, {4, 6}, {3, 7}}));
    // Off the grid is refused, not read.
    EXPECT_FALSE(p.Select(2, 17));
    EXPECT_FALSE(p.Select(0, 0));

    p.ClearSelection();
    EXPECT_EQ(p.ClickCount, 1);
    EXPECT_EQ(p.Selected, "");
    EXPECT_EQ(p.Grid[4][6], SearchPuzzle::kFree);
    EXPECT_TRUE(p.SelectionCells().empty());
    // Clearing with nothing selected changes nothing.
    p.ClearSelection();
    EXPECT_EQ(p.ClickCount, 1);
}

TEST_F(SearchRulesTest, OnlyAWordReadFromItsFirstLetterInItsOwnDirectionCounts) {
    buildSmall();
    // COW backwards: every cell is taken, the check refuses it.
    EXPECT_TRUE(selectAll({{4, 2}, {3, 2}, {2, 2}}));
    EXPECT_EQ(p.Selected, "WOC");
    EXPECT_EQ(p.CheckWord(), 0);
    EXPECT_EQ(p.ClickCount, 4);
    p.ClearSelection();
    // CA of CAT: right start, too short.
    selectAll({{2, 2}, {2, 3}});
    EXPECT_EQ(p.CheckWord(), 0);
    p.ClearSelection();
    // A diagonal never matches.
    selectAll({{2, 2}, {3, 3}, {4, 4}});
    EXPECT_EQ(p.CheckWord(), 0);
    p.ClearSelection();
    // Nothing selected: no word, nothing changes.
    EXPECT_EQ(p.CheckWord(), 0);
    EXPECT_EQ(p.ClickCount, 1);

    selectAll({{2, 2}, {3, 2}, {4, 2}});
    EXPECT_EQ(p.CheckWord(), 2);
    EXPECT_EQ(p.Found[2], 1);
    p.MarkWordFound(2);
    EXPECT_EQ(p.WordsLeft, 2);
    EXPECT_EQ(p.ClickCount, 1);
    for (const Cell& c : p.WordCells(2)) EXPECT_EQ(p.Grid[c.row][c.col], SearchPuzzle::kFound);

    // A found word cannot be counted again.
    selectAll({{2, 2}, {3, 2}, {4, 2}});
    EXPECT_EQ(p.CheckWord(), 0);
}

TEST_F(SearchRulesTest, TwoCopiesOfAWordOnTheSameCellsAreFoundOneAfterTheOther) {
    buildSmall();
    const Cells cat{{2, 2}, {2, 3}, {2, 4}};
    selectAll(cat);
    EXPECT_EQ(p.CheckWord(), 1);
    p.MarkWordFound(1);
    selectAll(cat);
    // Selected over a found word, the cells remember both.
    EXPECT_EQ(p.Grid[2][3], SearchPuzzle::kFoundSelected);
    EXPECT_EQ(p.CheckWord(), 3);
    p.MarkWordFound(3);
    EXPECT_EQ(p.WordsLeft, 1);
    selectAll(cat);
    EXPECT_EQ(p.CheckWord(), 0);

    // Clearing gives the found cells back, not free ones.
    p.ClearSelection();
    for (const Cell& c : cat) EXPECT_EQ(p.Grid[c.row][c.col], SearchPuzzle::kFound);
}

TEST_F(SearchRulesTest, AOneLetterWordCannotBeChecked) {
    useWords({"I"});
    ScriptedRandom rnd{kAcross, pick(3, 15), pick(3, 16)};
    for (int i = 0; i < 255; ++i) rnd.push(kLetterZ);
    ScopedRandom use(rnd);
    newPuzzle();
    ASSERT_EQ(p.NumPlaced, 1);
    EXPECT_EQ(p.Letter[3][3], 'I');
    p.Select(3, 3);
    EXPECT_EQ(p.Selected, "I");
    EXPECT_EQ(p.CheckWord(), 0);
}
