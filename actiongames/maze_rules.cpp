#include "actiongames/maze_rules.h"

#include "platform/vbmath.h"

namespace {

// Directions as the generator numbers them: 0 down, 1 left, 2 up, 3 right.
constexpr int kRowStep[4] = {1, 0, -1, 0};
constexpr int kColStep[4] = {0, -1, 0, 1};

// Where a bar ends along its cell: at the edge, on either side of the centre
// band, or at the far edge (W - 1, a whole number, so that neighbouring bars
// meet without overlapping).
enum End : signed char { None = -1, Edge = 0, BandStart = 1, BandEnd = 2, FarEdge = 3 };

struct Bars {
    End h1, h2;  // horizontal bar, x from .. to
    End v1, v2;  // vertical bar, y from .. to
};

// By mask: 1 left, 2 up, 4 right, 8 down. A wall with neighbours along one axis
// only gets one bar across the whole cell; otherwise each bar reaches the edge
// on every side with a neighbour and stops at the centre band elsewhere, so
// corners and tees join cleanly.
constexpr Bars kBars[16] = {
    {None, None, None, None},                  // 0
    {Edge, FarEdge, None, None},               // 1 left
    {None, None, Edge, FarEdge},               // 2 up
    {Edge, BandEnd, Edge, BandEnd},            // 3 left, up
    {Edge, FarEdge, None, None},               // 4 right
    {Edge, FarEdge, None, None},               // 5 left, right
    {BandStart, FarEdge, Edge, BandEnd},       // 6 up, right
    {Edge, FarEdge, Edge, BandEnd},            // 7 left, up, right
    {None, None, Edge, FarEdge},               // 8 down
    {Edge, BandEnd, BandStart, FarEdge},       // 9 left, down
    {None, None, Edge, FarEdge},               // 10 up, down
    {Edge, BandEnd, Edge, FarEdge},            // 11 left, up, down
    {BandStart, FarEdge, BandStart, FarEdge},  // 12 right, down
    {Edge, FarEdge, BandStart, FarEdge},       // 13 left, right, down
    {BandStart, FarEdge, Edge, FarEdge},       // 14 up, right, down
    {Edge, FarEdge, Edge, FarEdge},            // 15 all four
};

double endAt(End end, int size) {
    switch (end) {
        case BandStart:
            return 0.4 * size;
        case BandEnd:
            return 0.6 * size;
        case FarEdge:
            return size - 1;
        default:
            return 0;
    }
}

}  // namespace

void MazeRules::GenerateMaze() {
    for (int col = 0; col < kCols; ++col) Maze[0][col] = Maze[kRows - 1][col] = kBorder;
    for (int row = 0; row < kRows; ++row) Maze[row][0] = Maze[row][kCols - 1] = kBorder;
    for (int row = 1; row <= 19; ++row)
        for (int col = 1; col <= 27; ++col) Maze[row][col] = kWall;

    carve();
    placeBag();
    SantaRow = kSantaStartRow;
    SantaCol = kSantaStartCol;
    Maze[SantaRow][SantaCol] = kSanta;
    // A new maze always has its bag in place, whatever the last game left.
    GotBag = 0;
    MazeColor = kScreenColor;
    generated_ = true;
}

void MazeRules::carve() {
    int row = 2, col = 2;
    Maze[row][col] = kStartRoom;
    for (;;) {
        const int first = Int(4 * Rnd());
        bool moved = false;
        for (int k = 0; k < 4 && !moved; ++k) {
            const int d = (first + k) % 4;
            const int nextRow = row + 2 * kRowStep[d], nextCol = col + 2 * kColStep[d];
            // Rooms beyond the outer wall lie on the border (32), never taken.
            if (Maze[nextRow][nextCol] != kWall) continue;
            Maze[row + kRowStep[d]][col + kColStep[d]] = kPassage;
            Maze[nextRow][nextCol] = kEnteredDown + d;
            row = nextRow;
            col = nextCol;
            moved = true;
        }
        if (moved) continue;

        // A dead end: step back the way this room was entered.
        const int cameBy = Maze[row][col];
        Maze[row][col] = kPassage;
        switch (cameBy) {
            case kEnteredDown:
                row -= 2;
                break;
            case kEnteredLeft:
                col += 2;
                break;
            case kEnteredUp:
                row += 2;
                break;
            case kEnteredRight:
                col -= 2;
                break;
            default:  // back in the start room: every room is joined
                return;
        }
    }
}

void MazeRules::placeBag() {
    // Santa is not placed yet, so his start room is excluded by name; rooms and
    // opened walls all have the same chance.
    int row, col;
    do {
        row = 2 + Int(17.0 * Rnd());
        col = 2 + Int(25.0 * Rnd());
    } while (Maze[row][col] != kPassage || (row == kSantaStartRow && col == kSantaStartCol));
    Maze[row][col] = kBag;
    BagRow = row;
    BagCol = col;
}

bool MazeRules::isWallNeighbour(int row, int col) const {
    const int code = Maze[row][col];
    return code != kPassage && code != kBorder;
}

void MazeRules::drawWall(MazeCanvas& target, int row, int col) {
    const int mask = (isWallNeighbour(row, col - 1) ? 1 : 0) | (isWallNeighbour(row - 1, col) ? 2 : 0) |
                     (isWallNeighbour(row, col + 1) ? 4 : 0) | (isWallNeighbour(row + 1, col) ? 8 : 0);
    const Bars& bars = kBars[mask];
    const double x = cellX(col), y = cellY(row);
    if (bars.h1 != None)
        target.fillBox(x + endAt(bars.h1, CellW), y + 0.4 * CellH, x + endAt(bars.h2, CellW), y + 0.6 * CellH,
                       MazeColor);
    if (bars.v1 != None)
        target.fillBox(x + 0.4 * CellW, y + endAt(bars.v1, CellH), x + 0.6 * CellW, y + endAt(bars.v2, CellH),
                       MazeColor);
}

void MazeRules::DrawMaze(MazeCanvas& target) {
    if (!generated_) return;
    // Walls beside Santa and the bag are drawn as beside any passage.
    Maze[SantaRow][SantaCol] = kPassage;
    Maze[BagRow][BagCol] = kPassage;
    for (int row = 1; row <= 19; ++row)
        for (int col = 1; col <= 27; ++col)
            if (Maze[row][col] != kPassage) drawWall(target, row, col);

    if (GotBag < 2) {
        Maze[SantaRow][SantaCol] = kSanta;
        if (Printing == 0) target.drawSanta(SantaRow, SantaCol);
    }
    if (GotBag == 0) {
        Maze[BagRow][BagCol] = kBag;
        if (Printing == 0) target.drawBag(BagRow, BagCol);
    }
}

MazeMove MazeRules::moveSanta(int keyCode) {
    MazeMove move;
    if (GotBag == 2) return move;  // Santa is no longer in the maze
    int row = SantaRow, col = SantaCol;
    switch (keyCode) {
        case kKeyLeft:
            --col;
            break;
        case kKeyRight:
            ++col;
            break;
        case kKeyUp:
            --row;
            break;
        case kKeyDown:
            ++row;
            break;
        default:
            return move;
    }

    if (row < 2 || row > 18 || col < 2 || col > 26) {
        if (row == kExitRow && col == kExitCol && GotBag == 1) {
            Maze[SantaRow][SantaCol] = kPassage;
            move.step = MazeStep::Won;
            move.erase = {double(cellX(SantaCol)), double(cellY(SantaRow)), double(cellX(SantaCol + 1)),
                          double(cellY(SantaRow + 1))};
            GotBag = 2;
        }
        return move;
    }

    const int target = Maze[row][col];
    if (target != kPassage && target != kBag) return move;

    const int x = cellX(SantaCol), y = cellY(SantaRow);
    move.erase = {double(CInt(x - 2)), double(CInt(y - 3)), double(x + CellW + 2), double(y + CellH + 3)};
    Maze[row][col] = kSanta;
    Maze[SantaRow][SantaCol] = kPassage;
    SantaRow = row;
    SantaCol = col;
    if (target == kPassage) {
        move.step = MazeStep::Moved;
    } else {
        move.step = MazeStep::TookBag;
        GotBag = 1;
        Maze[kExitRow][kExitCol] = kPassage;
        move.exitGap = {double(cellX(kExitCol)), double(cellY(kExitRow)), double(cellX(kExitCol + 1)),
                        double(cellY(kExitRow + 1))};
    }
    return move;
}

void MazeRules::putSantaAtStart() {
    if (GotBag != 2) Maze[SantaRow][SantaCol] = kPassage;
    SantaRow = kSantaStartRow;
    SantaCol = kSantaStartCol;
    Maze[SantaRow][SantaCol] = kSanta;
}
