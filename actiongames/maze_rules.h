#pragma once
// Santa's Maze without its window: the cell table, the maze generator, the
// drawing of the walls and Santa's steps. No Qt here; the window turns what
// these report into drawing and sounds.
#include <array>

// Where DrawMaze draws: the field on the screen or the printed page.
struct MazeCanvas {
    virtual ~MazeCanvas() = default;
    // A box filled in the given colour (a number of the sixteen-colour
    // palette), from one corner to the other, both included, in the target's
    // current scale.
    virtual void fillBox(double x1, double y1, double x2, double y2, int color) = 0;
    // The picture of Santa or of the bag over the whole cell whose top-left
    // corner is (MazeRules::cellX(col), MazeRules::cellY(row)).
    virtual void drawSanta(int row, int col) = 0;
    virtual void drawBag(int row, int col) = 0;
};

// A box by its corners, both included, in field units.
struct MazeBox {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const MazeBox&) const = default;
};

enum class MazeStep {
    Nothing,  // a wall, or a key that is not an arrow: no drawing, no sound
    Moved,    // onto a passage: erase, draw Santa, play the ding
    TookBag,  // onto the bag: erase, draw Santa, the good sound, then open the exit
    Won,      // up through the open exit: erase, then the game ends as a win
};

// What one key press did, with the boxes the window fills with the field's
// background colour.
struct MazeMove {
    MazeStep step = MazeStep::Nothing;
    // Moved and TookBag: Santa's old cell with a margin that wipes any spill of
    // his picture; Santa is then drawn at (SantaRow, SantaCol). Won: exactly
    // the cell Santa left the maze from, so he vanishes.
    MazeBox erase;
    // TookBag: the outer-wall cell that is now the exit, filled after the
    // message and the arrow are shown.
    MazeBox exitGap;
};

class MazeRules {
public:
    static constexpr int kRows = 21;  // rows 0 to 20
    static constexpr int kCols = 29;  // columns 0 to 28

    // Cell codes.
    static constexpr int kSanta = 1;
    static constexpr int kBag = 15;
    static constexpr int kBorder = 32;
    static constexpr int kWall = 72;
    static constexpr int kPassage = 80;
    // While carving only: the direction a room was entered from, so that the
    // way back needs no stack (81 entered moving down, 82 left, 83 up, 84
    // right), and the room carving started from.
    static constexpr int kEnteredDown = 81;
    static constexpr int kEnteredLeft = 82;
    static constexpr int kEnteredUp = 83;
    static constexpr int kEnteredRight = 84;
    static constexpr int kStartRoom = 85;

    static constexpr int kSantaStartRow = 18, kSantaStartCol = 26;
    static constexpr int kExitRow = 1, kExitCol = 4;

    // Palette numbers for MazeColor.
    static constexpr int kScreenColor = 14;  // yellow
    static constexpr int kPrintColor = 8;    // dark grey

    // The arrow keys' codes as the window's key handler receives them.
    static constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;

    // Maze[row][column].
    std::array<std::array<int, kCols>, kRows> Maze{};
    int CellW = 0, CellH = 0;  // one cell in the field's units
    int SantaRow = 0, SantaCol = 0;
    int BagRow = 0, BagCol = 0;  // kept after the bag is taken
    int GotBag = 0;              // 0 in the maze, 1 carried, 2 out through the exit
    int Printing = 0;            // 1 while printing: no pictures are drawn
    int MazeColor = kScreenColor;

    // Builds a new maze, places the bag and Santa, and sets MazeColor to the
    // screen's colour. Draws nothing: the window clears its field first and
    // calls DrawMaze afterwards.
    void GenerateMaze();

    // Draws every wall of rows 1 to 19 and columns 1 to 27 in MazeColor, row
    // by row, then Santa (while GotBag < 2), then the bag (while GotBag is 0);
    // no pictures while Printing is 1. Re-establishes the codes of Santa's and
    // the bag's cells. Draws nothing before the first maze.
    void DrawMaze(MazeCanvas& target);

    // One arrow key while a solve runs: moves Santa and updates the cells,
    // GotBag and the exit. Does nothing once Santa has left the maze.
    MazeMove moveSanta(int keyCode);

    // Before printing: puts Santa back in the start room (his present cell
    // becomes a passage unless he has already left the maze).
    void putSantaAtStart();

    // The top-left corner of a cell in the field's units.
    int cellX(int col) const { return (col - 1) * CellW; }
    int cellY(int row) const { return (row - 1) * CellH; }

private:
    void carve();
    void placeBag();
    void drawWall(MazeCanvas& target, int row, int col);
    bool isWallNeighbour(int row, int col) const;

    bool generated_ = false;
};
