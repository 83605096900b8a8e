#include "picturepuzzles/spuz_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/vbmath.h"
#include "support/seeded_random.h"

namespace {

// A draw that picks candidate `pick` (1-based) of `count`.
float choose(int pick, int count) { return (pick - 0.5f) / count; }

SPuzRules board(int sizeIndex) {
    SPuzRules r;
    r.setSize(sizeIndex);
    r.cut();
    return r;
}

bool allHome(const SPuzRules& r) {
    for (int p = 1; p <= r.NumPieces; ++p)
        if (r.PieceAt[static_cast<std::size_t>(p)] != p) return false;
    return true;
}

// Runs the whole scramble as the window does, one MovePiece per draw.
void scramble(SPuzRules& r, int difficulty) {
    r.beginScramble(difficulty);
    for (int i = 1; i <= r.ScrambleCount; ++i) r.movePiece(r.scrambleTarget(i));
    r.CanMove = 1;
    r.MoveCount = 0;
}

// Replays to the end, as the timer does; returns the steps taken.
int replay(SPuzRules& r) {
    r.startReplay();
    int steps = 0;
    do {
        r.movePiece(r.replayTarget());
        ++steps;
    } while (!r.replayStepDone());
    return steps;
}

}  // namespace

TEST(SPuzRulesTest, SizeOptionsGiveBoardsAndPieceSizesRoundedEachOnItsOwn) {
    struct Case {
        int index, rows, cols, width, height, widthPx, heightPx;
    };
    // 3855 twips and 257 pixels: 1927.5 goes to the even 1928, 85.67 to 86, 128.5 to 128.
    for (const Case& c : {Case{0, 2, 3, 1285, 1928, 86, 128}, Case{1, 3, 3, 1285, 1285, 86, 86},
                          Case{2, 3, 4, 964, 1285, 64, 86}, Case{3, 4, 4, 964, 964, 64, 64}}) {
        SPuzRules r;
        r.BoardSize = 3855;
        r.BoardSizePx = 257;
        r.setSize(c.index);
        r.sizeBoard();
        EXPECT_EQ(r.Rows, c.rows) << c.index;
        EXPECT_EQ(r.Cols, c.cols) << c.index;
        EXPECT_EQ(r.NumPieces, c.rows * c.cols) << c.index;
        EXPECT_EQ(r.PieceWidth, c.width) << c.index;
        EXPECT_EQ(r.PieceHeight, c.height) << c.index;
        EXPECT_EQ(r.PieceWidthPx, c.widthPx) << c.index;
        EXPECT_EQ(r.PieceHeightPx, c.heightPx) << c.index;
    }
}

TEST(SPuzRulesTest, ScrambleLengthsFollowTheDifficultyTable) {
    const int expected[4][4] = {{9, 18, 27, 36}, {14, 27, 40, 54}, {18, 36, 54, 72}, {24, 48, 72, 96}};
    const int pieces[4] = {6, 9, 12, 16};
    for (int p = 0; p < 4; ++p)
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(SPuzRules::scrambleCountFor(pieces[p], d), expected[p][d]) << pieces[p] << " " << d;
}

TEST(SPuzRulesTest, NeighboursStayInsideTheHolesRowAndTheBoard) {
    SPuzRules six = board(0);  // 2 rows of 3
    EXPECT_EQ(six.neighbours(3), (std::vector<int>{6, 2}));
    EXPECT_EQ(six.neighbours(4), (std::vector<int>{1, 5}));
    EXPECT_EQ(six.neighbours(6), (std::vector<int>{3, 5}));
    SPuzRules nine = board(1);
    EXPECT_EQ(nine.neighbours(5), (std::vector<int>{2, 8, 4, 6}));
    EXPECT_EQ(nine.neighbours(1), (std::vector<int>{4, 2}));
    SPuzRules twelve = board(2);  // 3 rows of 4
    EXPECT_EQ(twelve.neighbours(8), (std::vector<int>{4, 12, 7}));
    EXPECT_EQ(twelve.neighbours(9), (std::vector<int>{5, 10}));
}

TEST(SPuzRulesTest, ScrambleDrawsOnceAMoveAndLogsTheHoleBeforeEach) {
    SPuzRules r = board(1);
    ScriptedRandom random;
    // Hole 9: [6, 8] take 8; hole 8: [5, 9, 7] take 5; hole 5: [2, 8, 4, 6] take 6.
    random.push(choose(2, 2));
    random.push(choose(1, 3));
    random.push(choose(4, 4));
    for (int i = 4; i <= 14; ++i) random.push(0.0f);
    ScopedRandom scoped(random);
    r.beginScramble(0);
    ASSERT_EQ(r.ScrambleCount, 14);
    std::vector<int> targets;
    for (int i = 1; i <= r.ScrambleCount; ++i) {
        targets.push_back(r.scrambleTarget(i));
        r.movePiece(targets.back());
    }
    EXPECT_EQ(random.draws(), 14);
    EXPECT_EQ(targets[0], 8);
    EXPECT_EQ(targets[1], 5);
    EXPECT_EQ(targets[2], 6);
    EXPECT_EQ(r.ScrambleLog[1], 9);
    EXPECT_EQ(r.ScrambleLog[2], 8);
    EXPECT_EQ(r.ScrambleLog[3], 5);
    EXPECT_EQ(r.PieceAt[static_cast<std::size_t>(r.Hole)], 9);
}

TEST(SPuzRulesTest, ClicksAwayFromTheHoleAreRefusedAndLeaveNoTrace) {
    SPuzRules r = board(0);
    r.movePiece(3);  // hole at 3
    r.CanMove = 1;
    EXPECT_EQ(r.click(0), SPuzClick::Ignored);
    EXPECT_EQ(r.click(4), SPuzClick::Refused);  // left of 4 is not in 3's row
    EXPECT_EQ(r.click(5), SPuzClick::Refused);  // diagonal
    EXPECT_EQ(r.click(3), SPuzClick::Refused);  // the hole itself
    EXPECT_EQ(r.MoveCount, 0);
    EXPECT_EQ(r.Hole, 3);

    EXPECT_EQ(r.click(2), SPuzClick::Move);
    EXPECT_EQ(r.MoveCount, 1);
    EXPECT_EQ(r.MoveLog[1], 3);

    r.CanMove = 0;
    EXPECT_EQ(r.click(2), SPuzClick::Ignored);
    EXPECT_EQ(r.MoveCount, 1);
}

TEST(SPuzRulesTest, SolvedIsDeclaredOnlyWhileTheChildMoves) {
    SPuzRules r = board(1);
    // Back and forth: the scramble leaves every piece at home.
    ScriptedRandom random;
    for (int i = 0; i < 14; ++i) random.push(i % 2 ? choose(3, 3) : choose(2, 2));
    ScopedRandom scoped(random);
    r.beginScramble(0);
    for (int i = 1; i <= r.ScrambleCount; ++i) {
        r.movePiece(r.scrambleTarget(i));
        EXPECT_FALSE(r.finishIfSolved());
    }
    EXPECT_TRUE(allHome(r));
    r.CanMove = 1;
    ASSERT_EQ(r.click(8), SPuzClick::Move);
    r.movePiece(8);
    EXPECT_FALSE(r.finishIfSolved());
    ASSERT_EQ(r.click(9), SPuzClick::Move);
    r.movePiece(9);
    EXPECT_TRUE(r.finishIfSolved());
    EXPECT_EQ(r.CanMove, 0);
}

TEST(SPuzRulesTest, ReplayAlwaysBringsEveryPieceHome) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SeededRandom random(seed);
        ScopedRandom scoped(random);
        SPuzRules r = board(static_cast<int>(seed % 4));
        scramble(r, static_cast<int>(seed / 4 % 4));
        // The child tries every position in turn: refused clicks mix with moves.
        for (int i = 0; i < 50; ++i) {
            const int t = 1 + Int(Rnd() * r.NumPieces);
            if (r.click(t) == SPuzClick::Move) r.movePiece(t);
        }
        const int moves = r.MoveCount;
        EXPECT_EQ(replay(r), moves + r.ScrambleCount) << seed;
        EXPECT_TRUE(allHome(r)) << seed;
        EXPECT_EQ(r.Hole, r.NumPieces) << seed;
    }
}
