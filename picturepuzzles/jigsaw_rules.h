#pragma once
// Vantrel Puzzles without the window: a square board of n x n cells (n = 2,
// 3 or 4), pieces laid out in a tray in a shuffled order that is never the
// picture's own, and the bookkeeping of lifting pieces and dropping them on
// cells, on other pieces or on the window.
//
// Cells are numbered 1 to NumPieces row by row from the top left, as are the
// pieces' tray places. Piece j shows the part of the picture that belongs on
// cell HomeCell(j); the puzzle is finished when every cell holds the piece
// cut from it. Places are in twips on the window.
#include <array>
#include <vector>

inline constexpr int kJigsawMaxPieces = 16;
// Twips between neighbouring pieces in the tray.
inline constexpr int kJigsawTrayGap = 50;

// What became of a drop.
enum class JigsawDrop {
    Ignored,     // no piece is being dragged
    Refused,     // an occupied cell, or a piece lying on the board: "uhoh.wav"
    Placed,      // the piece lies on the cell now (PlacedCell)
    Finished,    // placed, and every cell holds its own piece
    BackToTray,  // the piece goes back to its tray place
};

class JigsawRules {
public:
    // n, PieceSize and PieceSizePx for the size option 0 to 2 (2 x 2 to 4 x 4),
    // from BoardSize and BoardSizePx, each brought to a whole number on its own.
    void sizeBoard(int sizeIndex);
    // A size option read from the settings file may lie outside 0 to 2: the
    // puzzle is cut, and the window shows it, as the nearest.
    static int clampSize(int sizeIndex);
    // The board's side: in twips, and in its pixel scale.
    int boardWidth() const { return n * PieceSize; }
    int boardScale() const { return n * PieceSizePx; }

    // NumPieces, every piece's tray place, and every piece off the board.
    void layTray();
    // A random order of the pieces, positions 1 to NumPieces, by Shuffle;
    // drawn again for as long as it is the picture's own order.
    std::vector<int> drawOrder() const;
    // The cut, with the board's top left corner in twips: piece order(k) shows
    // cell k's part of the picture; every cell is empty.
    void cut(const std::vector<int>& order, double boardLeft, double boardTop);

    // Lifting piece j: it leaves its cell, if it lay on one, and is dragged.
    void lift(int j);
    // The cell under a point in the board's pixel scale; a point on a grid
    // line counts for the cell to its right or below.
    int cellAt(double x, double y) const;
    // The dragged piece dropped on the board at a point of its pixel scale.
    JigsawDrop dropOnBoard(double x, double y);
    // The dragged piece dropped on piece index: refused when that piece lies
    // on the board, else (a tray piece, or itself) back to the tray.
    JigsawDrop dropOnPiece(int index);
    // The dragged piece dropped on the window: back to its tray place.
    JigsawDrop dropOnWindow();
    // After a refused drop or one that nothing took: the piece lies where it
    // lay, so it takes back the cell it was lifted from, when that is still free.
    void keepLiftedPiece();
    // Every cell holds its own piece.
    bool finished() const;

    int GameOn = 0;
    int BoardSize = 0, BoardSizePx = 0;
    int PieceSize = 0, PieceSizePx = 0;
    int TrayLeft = 0, TrayTop = 0;
    int n = 2;
    int NumPieces = 4;
    std::array<int, kJigsawMaxPieces + 1> Occupant{};
    std::array<int, kJigsawMaxPieces + 1> HomeCell{};
    std::array<int, kJigsawMaxPieces + 1> OnCell{};
    // Left (1) and top (2) of each cell and of each piece's tray place.
    std::array<std::array<int, 3>, kJigsawMaxPieces + 1> CellPos{};
    std::array<std::array<int, 3>, kJigsawMaxPieces + 1> TrayPos{};
    int Dragged = 0;
    // The cell the dragged piece was lifted from, 0 when it came from off the board.
    int LiftedFrom = 0;
    // The cell of the last drop that placed a piece.
    int PlacedCell = 0;
};
