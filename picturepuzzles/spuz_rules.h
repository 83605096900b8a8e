#pragma once
// Vantrel Sliders without the window: a board of 6, 9, 12 or 16 pieces with
// the bottom right one taken away as the hole, the scramble that slides pieces
// into the hole at random, the child's moves with their log, and the replay
// that undoes every move, newest first, to solve the puzzle.
//
// Board positions and pieces are numbered 1 to NumPieces row by row from the
// top left; piece NumPieces is the hole. The window frmSPuz owns one SPuzRules
// for its whole life and slides the piece pictures as these rules say.
#include <array>
#include <vector>

inline constexpr int kSPuzMaxPieces = 16;
// The child's moves that are counted and logged; the next one hands the
// puzzle to the replay.
inline constexpr int kSPuzMaxMoves = 2000;

// What a click on a board position amounts to.
enum class SPuzClick {
    Ignored,  // not a position, or the child may not move now
    Refused,  // the hole is not next to it: "uhoh.wav", nothing changes
    TooMany,  // the move after the 2000th: not made, the replay takes over
    Move,     // counted and logged; the caller slides the piece (MovePiece)
};

class SPuzRules {
public:
    // Rows, Cols and NumPieces for the size option 0 to 3 (6, 9, 12, 16 pieces).
    void setSize(int sizeIndex);
    // A size option or difficulty read from the settings file may lie outside
    // 0 to 3: the puzzle plays, and the window shows, the nearest.
    static int clampSize(int sizeIndex);
    static int clampDifficulty(int difficulty);
    // The piece sizes for the board's width in twips (BoardSize) and pixels
    // (BoardSizePx), each brought to a whole number on its own (CInt).
    void sizeBoard();

    // Scramble moves for a number of pieces and a difficulty 0 to 3:
    // 1.5, 3, 4.5 or 6 times the pieces, to the nearest whole (halves to even).
    static int scrambleCountFor(int numPieces, int difficulty);

    // The cut picture: every piece at home and the hole at the bottom right;
    // the child may not move yet.
    void cut();
    // Sets ScrambleCount for the difficulty.
    void beginScramble(int difficulty);
    // Scramble move i (1 to ScrambleCount): one draw picks one of the
    // positions next to the hole; ScrambleLog(i) = Hole. Returns the picked
    // position, whose piece MovePiece then slides into the hole.
    int scrambleTarget(int i);
    // The positions next to pos, in the order above, below, left, right, each
    // only where the board has one.
    std::vector<int> neighbours(int pos) const;

    // MovePiece's bookkeeping: the piece at t takes the hole's place and t
    // becomes the hole.
    void movePiece(int t);
    // Every piece but the hole's at home (PieceAt(p) = p for p < NumPieces).
    bool piecesHome() const;
    // After a move by the child: solved, so the child may move no more.
    bool finishIfSolved();

    // The child's click on position Index; for Move the move is counted and
    // logged before the caller makes it.
    SPuzClick click(int Index);

    // The replay of every move, the child's newest first, then the scramble's.
    void startReplay();
    // The position whose piece the next undo step slides back.
    int replayTarget() const;
    // Counts an undo step made; true when it was the last.
    bool replayStepDone();

    // The game's state under the window's names; arrays from position 1.
    int GameOn = 0;
    int CanMove = 0;
    int Rows = 2, Cols = 3, NumPieces = 6;
    std::array<int, kSPuzMaxPieces + 1> PieceAt{};
    int Hole = 0;
    int ScrambleCount = 0;
    std::array<int, kSPuzMaxMoves + 1> ScrambleLog{};
    int MoveCount = 0;
    std::array<int, kSPuzMaxMoves + 1> MoveLog{};
    int ReplayLeft = 0;

    // The board in twips and in pixels as read at load, and the piece sizes.
    int BoardSize = 0, BoardSizePx = 0;
    int PieceWidth = 0, PieceHeight = 0, PieceWidthPx = 0, PieceHeightPx = 0;
};
