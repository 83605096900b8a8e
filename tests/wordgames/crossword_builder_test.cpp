#include "wordgames/crossword_builder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/data_file.h"
#include "platform/vbmath.h"
#include "support/listed_words.h"
#include "support/seeded_random.h"
#include "wordgames/word_list.h"

namespace {

using Words = std::vector<std::string>;

// The words a test builds its puzzles from.
class CrosswordTest : public ::testing::Test {
protected:
    void useWords(const Words& words) { words_.use(words); }
    void newPuzzle(CrossPuzzle& p) const { p.NewPuzzle(words_.list, words_.count); }

private:
    ListedWords words_;
};

struct Placed {
    int row, col;
    bool across;
    std::string text;
};

// What a child sees of the word's place: its cells, (row, column) each.
std::vector<std::pair<int, int>> cellsOf(const CrossPuzzle& p, int i) {
    std::vector<std::pair<int, int>> cells;
    for (int j = 0; j < p.WordLen[i]; ++j)
        cells.emplace_back(p.WordRow[i] + j * p.WordDown[i], p.WordCol[i] + j * p.WordAcross[i]);
    return cells;
}

std::vector<Placed> placedWords(const CrossPuzzle& p) {
    std::vector<Placed> words;
    for (int i = 1; i <= p.NumPlaced; ++i)
        words.push_back({p.WordRow[i], p.WordCol[i], p.WordAcross[i] == 1, p.Word[i]});
    return words;
}

bool operator==(const Placed& a, const Placed& b) {
    return a.row == b.row && a.col == b.col && a.across == b.across && a.text == b.text;
}
std::ostream& operator<<(std::ostream& os, const Placed& w) {
    return os << w.text << (w.across ? " across at (" : " down at (") << w.row << ", " << w.col << ")";
}

// Checks a finished puzzle from what the window reads, without the builder's
// working grid: the words lie in the grid and interlock as a crossword must.
::testing::AssertionResult isSoundCrossword(const CrossPuzzle& p, const std::set<std::string>& list) {
    auto fail = [] { return ::testing::AssertionFailure(); };
    if (p.NumPlaced < 1 || p.NumPlaced > CrossPuzzle::kMaxPlaced)
        return fail() << "NumPlaced " << p.NumPlaced;
    if (p.WordsLeft != p.NumPlaced) return fail() << "WordsLeft " << p.WordsLeft;

    char letter[18][18] = {};
    int acrossOwner[18][18] = {}, downOwner[18][18] = {};
    std::set<std::pair<int, int>> starts;
    for (int i = 1; i <= p.NumPlaced; ++i) {
        const std::string& w = p.Word[i];
        bool across = p.WordAcross[i] == 1 && p.WordDown[i] == 0;
        bool down = p.WordAcross[i] == 0 && p.WordDown[i] == 1;
        if (!across && !down) return fail() << "word " << i << " has no direction";
        if (!list.contains(w)) return fail() << w << " is not in the list";
        if (p.WordLen[i] != static_cast<int>(w.size())) return fail() << w << " has length " << p.WordLen[i];
        if (p.WordSolved[i] != 0) return fail() << w << " is marked solved";
        if (!starts.insert({p.WordRow[i], p.WordCol[i]}).second)
            return fail() << w << " shares its first cell";
        auto cells = cellsOf(p, i);
        bool crosses = false;
        for (std::size_t j = 0; j < cells.size(); ++j) {
            auto [r, c] = cells[j];
            if (r < 1 || r > 16 || c < 1 || c > 16) return fail() << w << " leaves the grid";
            int& same = across ? acrossOwner[r][c] : downOwner[r][c];
            int other = across ? downOwner[r][c] : acrossOwner[r][c];
            if (same != 0) return fail() << w << " lies along word " << same << " at " << r << "," << c;
            if (letter[r][c] != 0 && letter[r][c] != w[j])
                return fail() << w << " crosses a different letter at " << r << "," << c;
            if (other != 0) crosses = true;
            same = i;
            letter[r][c] = w[j];
        }
        if (i > 1 && !crosses) return fail() << w << " crosses no earlier word";
    }

    for (int r = 1; r <= 16; ++r) {
        for (int c = 1; c <= 16; ++c) {
            int expected = letter[r][c] != 0 ? 0 : CrossPuzzle::kNoWord;
            if (p.CellState[r][c] != expected)
                return fail() << "CellState " << r << "," << c << " is " << p.CellState[r][c];
            // Cells next to each other must be letters of one word running that way.
            if (c < 16 && letter[r][c] && letter[r][c + 1] &&
                (acrossOwner[r][c] == 0 || acrossOwner[r][c] != acrossOwner[r][c + 1]))
                return fail() << "words side by side at " << r << "," << c << " and the cell to its right";
            if (r < 16 && letter[r][c] && letter[r + 1][c] &&
                (downOwner[r][c] == 0 || downOwner[r][c] != downOwner[r + 1][c]))
                return fail() << "words side by side at " << r << "," << c << " and the cell below";
        }
    }
    for (int i = 1; i <= p.NumPlaced; ++i) {
        int br = p.WordRow[i] - p.WordDown[i], bc = p.WordCol[i] - p.WordAcross[i];
        int ar = p.WordRow[i] + p.WordLen[i] * p.WordDown[i],
            ac = p.WordCol[i] + p.WordLen[i] * p.WordAcross[i];
        if (letter[br][bc] != 0 || letter[ar][ac] != 0)
            return fail() << p.Word[i] << " runs on into another word";
    }

    std::set<int> listed;
    for (int pos = 1; pos <= p.NumPlaced; ++pos) {
        int w = p.ListOrder[pos];
        if (w < 1 || w > p.NumPlaced || !listed.insert(w).second)
            return fail() << "ListOrder is no permutation";
        if (pos > 1) {
            int prev = p.ListOrder[pos - 1];
            if (p.WordLen[prev] > p.WordLen[w] || (p.WordLen[prev] == p.WordLen[w] && prev > w))
                return fail() << "ListOrder out of order at " << pos;
        }
    }
    return ::testing::AssertionSuccess();
}

// Builds the grid by hand: word k of the puzzle at (r, c).
void put(CrossPuzzle& p, const std::string& w, int r, int c, bool across) {
    int k = ++p.NumPlaced;
    p.Word[k] = w;
    p.WordRow[k] = r;
    p.WordCol[k] = c;
    p.WordAcross[k] = across ? 1 : 0;
    p.WordDown[k] = across ? 0 : 1;
    p.WordLen[k] = static_cast<int>(w.size());
    p.PlaceWord(k);
}

constexpr bool kAcross = true, kDown = false;

}  // namespace

TEST_F(CrosswordTest, OneWordIsPlacedAtRandomAndListed) {
    useWords({"snow"});
    {
        // Down: the column is drawn first, then the row, which may end the word on row 16.
        ScriptedRandom random{0.7f, 0.25f, 0.99f};
        ScopedRandom scope(random);
        CrossPuzzle p;
        newPuzzle(p);
        EXPECT_EQ(random.draws(), 3);
        EXPECT_EQ(placedWords(p), (std::vector<Placed>{{13, 5, kDown, "SNOW"}}));
        EXPECT_EQ(p.ListOrder[1], 1);
        EXPECT_EQ(p.WordsLeft, 1);
        EXPECT_TRUE(isSoundCrossword(p, {"SNOW"}));
    }
    {
        // Across: row first, then the column, up to 17 - 4 = 13.
        ScriptedRandom random{0.2f, 0.0f, 0.99f};
        ScopedRandom scope(random);
        CrossPuzzle p;
        newPuzzle(p);
        EXPECT_EQ(placedWords(p), (std::vector<Placed>{{1, 13, kAcross, "SNOW"}}));
        EXPECT_EQ(random.remaining(), 0u);
    }
}

TEST_F(CrosswordTest, TwoWordsSharingNoLetterGiveOnlyTheFirst) {
    useWords({"SNOW", "BIG"});
    // Shuffle keeps the order; SNOW across at row 9, column 5; BIG tries down first and fails everywhere.
    ScriptedRandom random{0.9f, 0.1f, 0.5f, 0.35f, 0.6f};
    ScopedRandom scope(random);
    CrossPuzzle p;
    newPuzzle(p);
    EXPECT_EQ(random.draws(), 5);
    EXPECT_EQ(placedWords(p), (std::vector<Placed>{{9, 5, kAcross, "SNOW"}}));
    EXPECT_TRUE(isSoundCrossword(p, {"SNOW", "BIG"}));
}

TEST_F(CrosswordTest, SearchTakesTheFirstFittingPlaceInTheDrawnDirectionFirst) {
    // SNOW across at (9, 5); NOW can only go down, and of its three crossings the
    // one highest up comes first; TOWN fits across at (7, 5) and down at (6, 6).
    useWords({"SNOW", "NOW", "TOWN"});
    for (float townDraw : {0.1f, 0.9f}) {
        ScriptedRandom random{0.9f, 0.9f, 0.1f, 0.5f, 0.35f, 0.1f, townDraw};
        ScopedRandom scope(random);
        CrossPuzzle p;
        newPuzzle(p);
        EXPECT_EQ(random.remaining(), 0u);
        Placed town = townDraw < 0.5f ? Placed{7, 5, kAcross, "TOWN"} : Placed{6, 6, kDown, "TOWN"};
        EXPECT_EQ(placedWords(p), (std::vector<Placed>{{9, 5, kAcross, "SNOW"}, {7, 8, kDown, "NOW"}, town}));
        // Equal lengths keep their placement order in the list: NOW, SNOW, TOWN.
        EXPECT_EQ(p.ListOrder[1], 2);
        EXPECT_EQ(p.ListOrder[2], 1);
        EXPECT_EQ(p.ListOrder[3], 3);
        EXPECT_TRUE(isSoundCrossword(p, {"SNOW", "NOW", "TOWN"}));
    }
}

TEST_F(CrosswordTest, AWordThatFitsNowhereYetIsPlacedInALaterPass) {
    // BIG shares no letter with SNOW, so it fails in the first pass; NIGHT then
    // crosses SNOW, and the second pass, with BIG alone, lays it across NIGHT.
    useWords({"SNOW", "BIG", "NIGHT"});
    ScriptedRandom random{0.9f, 0.9f, 0.1f, 0.5f, 0.35f, 0.1f, 0.1f, 0.1f};
    ScopedRandom scope(random);
    CrossPuzzle p;
    newPuzzle(p);
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(placedWords(p), (std::vector<Placed>{
                                  {9, 5, kAcross, "SNOW"}, {9, 6, kDown, "NIGHT"}, {11, 4, kAcross, "BIG"}}));
    EXPECT_EQ(p.ListOrder[1], 3);
    EXPECT_EQ(p.ListOrder[2], 1);
    EXPECT_EQ(p.ListOrder[3], 2);
    EXPECT_TRUE(isSoundCrossword(p, {"SNOW", "BIG", "NIGHT"}));
}

TEST_F(CrosswordTest, NewPuzzleStartsAfresh) {
    CrossPuzzle p;
    useWords({"SNOW", "NOW", "TOWN"});
    {
        ScriptedRandom random{0.9f, 0.9f, 0.1f, 0.5f, 0.35f, 0.1f, 0.1f};
        ScopedRandom scope(random);
        newPuzzle(p);
    }
    ASSERT_EQ(p.NumPlaced, 3);
    p.WordSolved[2] = 1;
    p.WordsLeft = 0;
    p.CellState[9][5] = 'S';

    useWords({"STAR"});
    ScriptedRandom random{0.1f, 0.0f, 0.0f};
    ScopedRandom scope(random);
    newPuzzle(p);
    EXPECT_EQ(placedWords(p), (std::vector<Placed>{{1, 1, kAcross, "STAR"}}));
    EXPECT_TRUE(p.Word[2].empty());
    EXPECT_EQ(p.WordSolved[2], 0);
    EXPECT_TRUE(isSoundCrossword(p, {"STAR"}));
}

TEST_F(CrosswordTest, WordsNoGridCanHoldAreLeftOut) {
    // An empty word, and one longer than the grid, are never drawn.
    useWords({"", "ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOP"});
    {
        ScriptedRandom random{0.2f, 0.5f, 0.99f};
        ScopedRandom scope(random);
        CrossPuzzle p;
        newPuzzle(p);
        EXPECT_EQ(random.remaining(), 0u);
        EXPECT_EQ(placedWords(p), (std::vector<Placed>{{9, 1, kAcross, "ABCDEFGHIJKLMNOP"}}));
    }

    // With nothing usable the puzzle is empty and nothing is drawn.
    useWords({"", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"});
    ScriptedRandom none;
    ScopedRandom scope(none);
    CrossPuzzle p;
    newPuzzle(p);
    EXPECT_EQ(p.NumPlaced, 0);
    EXPECT_EQ(p.WordsLeft, 0);
    EXPECT_EQ(none.draws(), 0);
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= 16; ++c) EXPECT_EQ(p.CellState[r][c], CrossPuzzle::kNoWord);
}

TEST(CrosswordPlacement, NoWordRunsOnFromOrIntoAnother) {
    // MAD would cross TAN at its A; SNOW ends just before MAD would begin.
    CrossPuzzle p;
    put(p, "TAN", 8, 10, kDown);
    EXPECT_TRUE(p.wordFits("MAD", 9, 9, kAcross));
    put(p, "SNOW", 9, 5, kAcross);
    EXPECT_FALSE(p.wordFits("MAD", 9, 9, kAcross));

    // ARM would cross CAT at its A, and end just above the N of SNOW.
    CrossPuzzle q;
    put(q, "CAT", 5, 3, kAcross);
    EXPECT_TRUE(q.wordFits("ARM", 5, 4, kDown));
    put(q, "SNOW", 8, 3, kAcross);
    EXPECT_FALSE(q.wordFits("ARM", 5, 4, kDown));
}

TEST(CrosswordPlacement, CrossingsOnlyWhereLettersAgreeAndNeverAtAFirstCell) {
    CrossPuzzle p;
    put(p, "CAT", 5, 3, kAcross);
    EXPECT_TRUE(p.wordFits("OAK", 4, 4, kDown));
    EXPECT_FALSE(p.wordFits("OWL", 4, 4, kDown));
    // Crossing at CAT's first letter, with only the cell after it occupied.
    EXPECT_TRUE(p.wordFits("ICE", 4, 3, kDown));
    EXPECT_FALSE(p.wordFits("IVY", 4, 3, kDown));
    // COW would cross fairly at the C, but CAT starts there already.
    EXPECT_FALSE(p.wordFits("COW", 5, 3, kDown));
    // A word that crosses nothing never fits.
    EXPECT_FALSE(p.wordFits("DOG", 10, 10, kDown));
    EXPECT_FALSE(p.wordFits("DOG", 10, 10, kAcross));
}

TEST(CrosswordPlacement, NoWordsSideBySideExceptWhereTheyCross) {
    // OPEN crosses HEN at its N; with CAT above it, OPEN's O would lie beside the T.
    CrossPuzzle p;
    put(p, "HEN", 4, 8, kDown);
    EXPECT_TRUE(p.wordFits("OPEN", 6, 5, kAcross));
    // WISH crosses HEN at its H; with CAT below, the W would lie on top of the T.
    EXPECT_TRUE(p.wordFits("WISH", 4, 5, kAcross));
    put(p, "CAT", 5, 3, kAcross);
    EXPECT_FALSE(p.wordFits("OPEN", 6, 5, kAcross));
    EXPECT_FALSE(p.wordFits("WISH", 4, 5, kAcross));
    // Down, the sides are left and right: NOTE crosses TEN at its N, and HOP
    // would lie along its left side.
    CrossPuzzle q;
    put(q, "TEN", 3, 2, kAcross);
    EXPECT_TRUE(q.wordFits("NOTE", 3, 4, kDown));
    put(q, "HOP", 5, 3, kDown);
    EXPECT_FALSE(q.wordFits("NOTE", 3, 4, kDown));
}

TEST(CrosswordPlacement, AWordNeverCoversAnotherRunningTheSameWay) {
    // ARE lies across, each of its letters crossed by a word going down; CARES
    // would cross all three and swallow ARE, hiding where ARE begins.
    CrossPuzzle p;
    put(p, "SEA", 2, 5, kDown);
    put(p, "TREE", 1, 7, kDown);
    put(p, "ARE", 4, 5, kAcross);
    put(p, "RUN", 4, 6, kDown);
    EXPECT_FALSE(p.wordFits("CARES", 4, 4, kAcross));
    EXPECT_FALSE(p.wordFits("CARE", 4, 4, kAcross));
    // The same letters crossed where only down words run are fine.
    CrossPuzzle q;
    put(q, "SEA", 2, 5, kDown);
    put(q, "TREE", 1, 7, kDown);
    put(q, "RUN", 4, 6, kDown);
    EXPECT_TRUE(q.wordFits("CARES", 4, 4, kAcross));
}

TEST_F(CrosswordTest, EveryBuildFromTheShippedListIsASoundCrossword) {
    std::optional<std::string> text = readWholeFile(QUENVALE_SOURCE_DIR "/assets/words.txt");
    ASSERT_TRUE(text.has_value());
    Words words = parseWordList(*text);
    ASSERT_GE(words.size(), 250u);
    useWords(words);
    std::set<std::string> list(words.begin(), words.end());

    int full = 0, ties = 0;
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        SeededRandom random(seed);
        ScopedRandom scope(random);
        CrossPuzzle p;
        newPuzzle(p);
        ASSERT_TRUE(isSoundCrossword(p, list)) << "seed " << seed;
        if (p.NumPlaced == CrossPuzzle::kMaxPlaced) ++full;
        for (int pos = 2; pos <= p.NumPlaced; ++pos)
            if (p.WordLen[p.ListOrder[pos]] == p.WordLen[p.ListOrder[pos - 1]]) ++ties;
    }
    // A long list nearly always fills the puzzle, and equal lengths were really checked.
    EXPECT_GT(full, 1400);
    EXPECT_GT(ties, 0);
}

TEST_F(CrosswordTest, EveryBuildFromSmallAndStrangeListsIsASoundCrossword) {
    // Short lists of random words need several passes and often leave words out.
    std::mt19937 gen(2024);
    for (unsigned seed = 1; seed <= 600; ++seed) {
        int count = 1 + static_cast<int>(gen() % 40);
        Words words;
        for (int i = 0; i < count; ++i) {
            int len = 1 + static_cast<int>(gen() % 16);
            std::string w;
            // Few letters, so that words cross often and crowd the grid.
            for (int j = 0; j < len; ++j) w += static_cast<char>('A' + gen() % 6);
            words.push_back(w);
        }
        useWords(words);
        std::set<std::string> list(words.begin(), words.end());
        SeededRandom random(seed);
        ScopedRandom scope(random);
        CrossPuzzle p;
        newPuzzle(p);
        ASSERT_TRUE(isSoundCrossword(p, list)) << "seed " << seed;
    }
}
