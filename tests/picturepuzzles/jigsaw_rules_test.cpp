#include "picturepuzzles/jigsaw_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/vbmath.h"

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// Shuffle draws that leave the order as it is (position j swaps with itself).
void pushIdentity(ScriptedRandom& random, int n) {
    for (int j = n; j >= 2; --j) random.push(0.999f);
}

// A 2 x 2 puzzle cut in the order 2, 1, 4, 3 (positions swapped pairwise).
JigsawRules twoByTwo() {
    JigsawRules r;
    r.BoardSize = 4095;
    r.BoardSizePx = 273;
    r.TrayLeft = 4680;
    r.TrayTop = 240;
    r.sizeBoard(0);
    r.layTray();
    r.cut({0, 2, 1, 4, 3}, 359.5, 299.5);
    r.GameOn = 1;
    return r;
}

void place(JigsawRules& r, int piece, int cell) {
    r.lift(piece);
    const int row = (cell - 1) / r.n, col = (cell - 1) % r.n;
    ASSERT_NE(r.dropOnBoard((col + 0.5) * r.PieceSizePx, (row + 0.5) * r.PieceSizePx), JigsawDrop::Refused);
}

}  // namespace

TEST(JigsawRulesTest, BoardSizesAndTrayPlaces) {
    JigsawRules r;
    r.BoardSize = 4095;
    r.BoardSizePx = 273;
    r.TrayLeft = 4680;
    r.TrayTop = 240;
    const int sides[3] = {2048, 1365, 1024}, sidesPx[3] = {136, 91, 68};
    for (int i = 0; i < 3; ++i) {
        r.sizeBoard(i);
        EXPECT_EQ(r.n, i + 2);
        EXPECT_EQ(r.PieceSize, sides[i]);
        EXPECT_EQ(r.PieceSizePx, sidesPx[i]);
    }
    EXPECT_EQ(r.boardWidth(), 4096);
    r.sizeBoard(0);
    EXPECT_EQ(r.boardWidth(), 4096);
    r.layTray();
    EXPECT_EQ(r.NumPieces, 4);
    EXPECT_EQ(r.TrayPos[1], (std::array<int, 3>{0, 4680, 240}));
    EXPECT_EQ(r.TrayPos[2], (std::array<int, 3>{0, 4680 + 2098, 240}));
    EXPECT_EQ(r.TrayPos[3], (std::array<int, 3>{0, 4680, 240 + 2098}));
}

TEST(JigsawRulesTest, TheTrayOrderIsNeverThePicturesOwn) {
    JigsawRules r;
    r.BoardSize = 4095;
    r.BoardSizePx = 273;
    r.sizeBoard(0);
    r.layTray();
    ScriptedRandom random;
    pushIdentity(random, 4);
    pushIdentity(random, 4);
    random.push(0.0f);  // j = 4 swaps with 1
    random.push(0.999f);
    random.push(0.999f);
    ScopedRandom scoped(random);
    EXPECT_EQ(r.drawOrder(), (std::vector<int>{0, 4, 2, 3, 1}));
    EXPECT_EQ(random.draws(), 9);
}

TEST(JigsawRulesTest, CutRecordsHomesAndCellCornersRoundedToEven) {
    JigsawRules r = twoByTwo();
    EXPECT_EQ(r.HomeCell[2], 1);
    EXPECT_EQ(r.HomeCell[1], 2);
    EXPECT_EQ(r.HomeCell[4], 3);
    EXPECT_EQ(r.HomeCell[3], 4);
    // 359.5 and 299.5 go to the even 360 and 300.
    EXPECT_EQ(r.CellPos[1], (std::array<int, 3>{0, 360, 300}));
    EXPECT_EQ(r.CellPos[4], (std::array<int, 3>{0, 360 + 2048, 300 + 2048}));
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(r.Occupant[at(k)], 0);
        EXPECT_EQ(r.OnCell[at(k)], 0);
    }
}

TEST(JigsawRulesTest, APointOnAGridLineCountsForTheCellRightOrBelow) {
    JigsawRules r = twoByTwo();
    EXPECT_EQ(r.cellAt(135.9, 0), 1);
    EXPECT_EQ(r.cellAt(136, 0), 2);
    EXPECT_EQ(r.cellAt(0, 136), 3);
    EXPECT_EQ(r.cellAt(136, 136), 4);
    // The board's far edge, or a hair beyond it, is still its last cell.
    EXPECT_EQ(r.cellAt(272, 272), 4);
    EXPECT_EQ(r.cellAt(280, -1), 2);
}

TEST(JigsawRulesTest, FinishedOnlyWhenEveryCellHoldsItsOwnPiece) {
    JigsawRules r = twoByTwo();
    // Wrong pieces fill the board: every cell occupied, none finished.
    place(r, 1, 1);
    place(r, 2, 2);
    place(r, 3, 3);
    r.lift(4);
    EXPECT_EQ(r.dropOnBoard(200, 200), JigsawDrop::Placed);
    EXPECT_FALSE(r.finished());

    for (int piece = 1; piece <= 4; ++piece) {
        r.lift(piece);
        r.dropOnWindow();
    }
    place(r, 2, 1);
    place(r, 1, 2);
    place(r, 4, 3);
    r.lift(3);
    EXPECT_EQ(r.dropOnBoard(200, 200), JigsawDrop::Finished);
}
