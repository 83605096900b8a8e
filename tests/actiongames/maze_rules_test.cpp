#include "actiongames/maze_rules.h"

#include <gtest/gtest.h>

#include "support/seeded_random.h"

#include <algorithm>
#include <array>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "platform/vbmath.h"

namespace {

using R = MazeRules;
constexpr int W = 20, H = 10;  // cell size in the drawing tests


MazeRules seededMaze(unsigned seed) {
    SeededRandom random(seed);
    ScopedRandom scoped(random);
    MazeRules m;
    m.CellW = W;
    m.CellH = H;
    m.GenerateMaze();
    return m;
}

float rowDraw(int row) { return (row - 2 + 0.5f) / 17; }
float colDraw(int col) { return (col - 2 + 0.5f) / 25; }

bool isRoom(int row, int col) { return row % 2 == 0 && col % 2 == 0; }

struct RecordingCanvas : MazeCanvas {
    std::vector<MazeBox> boxes;
    std::vector<int> colors;
    std::vector<std::string> log;
    void fillBox(double x1, double y1, double x2, double y2, int color) override {
        boxes.push_back({x1, y1, x2, y2});
        colors.push_back(color);
        log.push_back("box");
    }
    void drawSanta(int row, int col) override { log.push_back("santa " + cell(row, col)); }
    void drawBag(int row, int col) override { log.push_back("bag " + cell(row, col)); }
    static std::string cell(int row, int col) { return std::to_string(row) + "," + std::to_string(col); }

    std::vector<MazeBox> in(int row, int col) const {
        std::vector<MazeBox> found;
        for (const MazeBox& b : boxes)
            if (int(b.x1) / W + 1 == col && int(b.y1) / H + 1 == row) found.push_back(b);
        return found;
    }
};

RecordingCanvas drawn(MazeRules& m) {
    RecordingCanvas canvas;
    m.DrawMaze(canvas);
    return canvas;
}

// Bars relative to a cell's top-left corner (W 20, H 10: the centre band is 8..12 across, 4..6 down).
MazeBox hBar(int row, int col, double from, double to) {
    const double x = (col - 1) * W, y = (row - 1) * H;
    return {x + from, y + 4, x + to, y + 6};
}
MazeBox vBar(int row, int col, double from, double to) {
    const double x = (col - 1) * W, y = (row - 1) * H;
    return {x + 8, y + from, x + 12, y + to};
}
using Boxes = std::vector<MazeBox>;
using Cell = std::pair<int, int>;

// The arrow keys that lead Santa along the maze's one path to a cell.
std::vector<int> keysTo(const MazeRules& m, int row, int col) {
    const int keys[4] = {R::kKeyLeft, R::kKeyUp, R::kKeyRight, R::kKeyDown};
    const int dr[4] = {0, -1, 0, 1}, dc[4] = {-1, 0, 1, 0};
    int from[R::kRows][R::kCols] = {};
    std::deque<std::pair<int, int>> queue{{m.SantaRow, m.SantaCol}};
    from[m.SantaRow][m.SantaCol] = -1;
    while (!queue.empty()) {
        auto [r, c] = queue.front();
        queue.pop_front();
        for (int k = 0; k < 4; ++k) {
            const int nr = r + dr[k], nc = c + dc[k];
            if (nr < 2 || nr > 18 || nc < 2 || nc > 26 || m.Maze[nr][nc] == R::kWall || from[nr][nc])
                continue;
            from[nr][nc] = k + 1;
            queue.push_back({nr, nc});
        }
    }
    std::vector<int> path;
    for (int r = row, c = col; from[r][c] != -1;) {
        const int k = from[r][c] - 1;
        path.push_back(keys[k]);
        r -= dr[k];
        c -= dc[k];
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// Walks Santa to a cell; every step but the last must be an ordinary move.
MazeStep walkTo(MazeRules& m, int row, int col) {
    MazeStep last = MazeStep::Nothing;
    const std::vector<int> keys = keysTo(m, row, col);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        last = m.moveSanta(keys[i]).step;
        if (i + 1 < keys.size()) {
            EXPECT_EQ(last, MazeStep::Moved);
        }
    }
    EXPECT_EQ(m.SantaRow * 100 + m.SantaCol, row * 100 + col);
    return last;
}

TEST(MazeGenerator, MakesAPerfectMazeWithTheBagAndSantaInPlace) {
    int bagsOnOpenedWalls = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        MazeRules m = seededMaze(seed);
        int open = 0, bags = 0, santas = 0;
        for (int r = 0; r < R::kRows; ++r)
            for (int c = 0; c < R::kCols; ++c) {
                const int v = m.Maze[r][c];
                const bool border = r == 0 || r == 20 || c == 0 || c == 28;
                const bool alwaysWall =
                    !border && ((r % 2 && c % 2) || r == 1 || r == 19 || c == 1 || c == 27);
                if (border) {
                    ASSERT_EQ(v, R::kBorder);
                }
                if (alwaysWall) {
                    ASSERT_EQ(v, R::kWall);
                }
                ASSERT_TRUE(v == R::kBorder || v == R::kWall || v == R::kPassage || v == R::kBag ||
                            v == R::kSanta);
                if (!border && v != R::kWall) ++open;
                bags += v == R::kBag;
                santas += v == R::kSanta;
            }
        EXPECT_EQ(open, 233);
        EXPECT_EQ(bags, 1);
        EXPECT_EQ(santas, 1);
        EXPECT_EQ(m.Maze[18][26], R::kSanta);
        EXPECT_TRUE(m.SantaRow == 18 && m.SantaCol == 26);
        EXPECT_EQ(m.Maze[m.BagRow][m.BagCol], R::kBag);
        EXPECT_FALSE(m.BagRow == 18 && m.BagCol == 26);
        EXPECT_EQ(m.MazeColor, R::kScreenColor);
        bagsOnOpenedWalls += !isRoom(m.BagRow, m.BagCol);

        // 233 cells reached from the first room, 117 of them rooms: connected with one opening fewer
        // than rooms, so the passages form a tree.
        int reached = 0, rooms = 0;
        bool seen[R::kRows][R::kCols] = {};
        std::vector<std::pair<int, int>> stack{{2, 2}};
        seen[2][2] = true;
        while (!stack.empty()) {
            auto [r, c] = stack.back();
            stack.pop_back();
            ++reached;
            rooms += isRoom(r, c);
            const Cell next[] = {{r + 1, c}, {r - 1, c}, {r, c + 1}, {r, c - 1}};
            for (auto [nr, nc] : next)
                if (m.Maze[nr][nc] != R::kWall && m.Maze[nr][nc] != R::kBorder && !seen[nr][nc]) {
                    seen[nr][nc] = true;
                    stack.push_back({nr, nc});
                }
        }
        EXPECT_EQ(reached, 233);
        EXPECT_EQ(rooms, 117);
    }
    // Rooms and opened walls are about equally likely to hold the bag.
    EXPECT_GT(bagsOnOpenedWalls, 100);
    EXPECT_LT(bagsOnOpenedWalls, 200);
}

// With every draw 0, each room tries down, left, up, right in that order: the carving runs down
// column 2, up column 4, down column 6 and so on, through all rooms in one path, then steps back
// all the way; 233 draws in all.
ScriptedRandom columnSnake() {
    ScriptedRandom script;
    for (int i = 0; i < 233; ++i) script.push(0.0f);
    // The bag: Santa's start room and a pillar are refused, a closed wall too, then an opened wall.
    const Cell tries[] = {{18, 26}, {3, 3}, {2, 3}, {3, 2}};
    for (auto [r, c] : tries) {
        script.push(rowDraw(r));
        script.push(colDraw(c));
    }
    return script;
}

MazeRules snakeMaze() {
    ScriptedRandom script = columnSnake();
    ScopedRandom scoped(script);
    MazeRules m;
    m.CellW = W;
    m.CellH = H;
    m.GenerateMaze();
    EXPECT_EQ(script.draws(), 233 + 8);
    EXPECT_EQ(script.remaining(), 0u);
    return m;
}

TEST(MazeGenerator, CarvesDrawForDrawAndPlacesTheBagByRepeatedDraws) {
    MazeRules m = snakeMaze();
    for (int r = 2; r <= 18; ++r)
        for (int c = 2; c <= 26; ++c) {
            if ((r + c) % 2 == 0) continue;  // rooms and pillars
            const bool opened = (c % 2 == 0) || (c % 4 == 3 ? r == 18 : r == 2);
            SCOPED_TRACE(testing::Message() << r << "," << c);
            EXPECT_EQ(m.Maze[r][c] != R::kWall, opened);
        }
    EXPECT_TRUE(m.BagRow == 3 && m.BagCol == 2);
    EXPECT_EQ(m.Maze[3][2], R::kBag);
}

TEST(MazeDrawing, DrawsWallsRowByRowThenSantaThenTheBagAndRestoresTheirCells) {
    MazeRules m = seededMaze(7);
    RecordingCanvas screen = drawn(m);
    ASSERT_GE(screen.log.size(), 3u);
    EXPECT_EQ(screen.log[screen.log.size() - 2], "santa 18,26");
    EXPECT_EQ(screen.log.back(), "bag " + RecordingCanvas::cell(m.BagRow, m.BagCol));
    EXPECT_EQ(std::count(screen.log.begin(), screen.log.end(), "box"), long(screen.log.size()) - 2);
    EXPECT_TRUE(std::all_of(screen.colors.begin(), screen.colors.end(), [](int c) { return c == 14; }));
    int lastCell = 0;
    for (const MazeBox& b : screen.boxes) {
        const int row = int(b.y1) / H + 1, col = int(b.x1) / W + 1;
        EXPECT_EQ(m.Maze[row][col], R::kWall) << row << "," << col;
        EXPECT_GE(row * 100 + col, lastCell);
        lastCell = row * 100 + col;
        EXPECT_TRUE(b.x2 <= col * W - 1 && b.y2 <= row * H - 1 && b.x1 < b.x2 && b.y1 < b.y2);
    }
    EXPECT_EQ(m.Maze[18][26], R::kSanta);
    EXPECT_EQ(m.Maze[m.BagRow][m.BagCol], R::kBag);
    // Below Santa the outer wall sees an open cell: a plain bar, no stub up into his room.
    EXPECT_EQ(screen.in(19, 26), (Boxes{hBar(19, 26, 0, 19)}));

    // On paper: the same walls in the printing colour, no pictures, the codes still restored.
    m.Printing = 1;
    m.MazeColor = R::kPrintColor;
    RecordingCanvas paper = drawn(m);
    EXPECT_EQ(paper.boxes, screen.boxes);
    EXPECT_EQ(paper.log.size(), screen.log.size() - 2);
    EXPECT_TRUE(std::all_of(paper.colors.begin(), paper.colors.end(), [](int c) { return c == 8; }));
    EXPECT_EQ(m.Maze[18][26], R::kSanta);
    EXPECT_EQ(m.Maze[m.BagRow][m.BagCol], R::kBag);

    // The bag lying on an opened wall: the outer wall beside it is a plain upright bar.
    MazeRules snake = snakeMaze();
    EXPECT_EQ(drawn(snake).in(3, 1), (Boxes{vBar(3, 1, 0, 9)}));
}

TEST(MazeDrawing, CornersJoinAndEveryWallMeetsItsNeighbours) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        MazeRules m = seededMaze(seed);
        RecordingCanvas canvas = drawn(m);
        EXPECT_EQ(canvas.in(1, 1), (Boxes{hBar(1, 1, 8, 19), vBar(1, 1, 4, 9)}));        // right, down
        EXPECT_EQ(canvas.in(1, 27), (Boxes{hBar(1, 27, 0, 12), vBar(1, 27, 4, 9)}));     // left, down
        EXPECT_EQ(canvas.in(19, 1), (Boxes{hBar(19, 1, 8, 19), vBar(19, 1, 0, 6)}));     // up, right
        EXPECT_EQ(canvas.in(19, 27), (Boxes{hBar(19, 27, 0, 12), vBar(19, 27, 0, 6)}));  // left, up
        for (int c = 2; c <= 26; ++c) {
            Boxes top{hBar(1, c, 0, 19)};
            if (m.Maze[2][c] == R::kWall) top.push_back(vBar(1, c, 4, 9));
            EXPECT_EQ(canvas.in(1, c), top) << c;
        }
        // Every wall by the rule: bars on the centre band; with wall neighbours along one axis only,
        // one bar across the whole cell; otherwise a bar reaches exactly the edges that have a wall
        // neighbour and stops at the band elsewhere. So neighbouring bars always meet.
        for (int r = 1; r <= 19; ++r)
            for (int c = 1; c <= 27; ++c) {
                if (m.Maze[r][c] != R::kWall) continue;
                SCOPED_TRACE(testing::Message() << r << "," << c);
                const double x = (c - 1) * W, y = (r - 1) * H;
                const std::array<bool, 4> wall{m.Maze[r][c - 1] == R::kWall, m.Maze[r - 1][c] == R::kWall,
                                               m.Maze[r][c + 1] == R::kWall, m.Maze[r + 1][c] == R::kWall};
                const bool across = wall[0] || wall[2], along = wall[1] || wall[3];
                std::array<bool, 4> touches{};
                const Boxes boxes = canvas.in(r, c);
                for (const MazeBox& b : boxes) {
                    const bool horizontal = b.y1 == y + 4 && b.y2 == y + 6 && (b.x1 == x || b.x1 == x + 8) &&
                                            (b.x2 == x + 12 || b.x2 == x + W - 1);
                    const bool vertical = b.x1 == x + 8 && b.x2 == x + 12 && (b.y1 == y || b.y1 == y + 4) &&
                                          (b.y2 == y + 6 || b.y2 == y + H - 1);
                    EXPECT_TRUE(horizontal || vertical);
                    touches[0] = touches[0] || b.x1 == x;
                    touches[1] = touches[1] || b.y1 == y;
                    touches[2] = touches[2] || b.x2 == x + W - 1;
                    touches[3] = touches[3] || b.y2 == y + H - 1;
                }
                if (across && along) {
                    EXPECT_EQ(touches, wall);
                } else if (across || along) {
                    EXPECT_EQ(boxes.size(), 1u);
                    EXPECT_EQ(touches, (std::array<bool, 4>{across, along, across, along}));
                } else {
                    EXPECT_TRUE(boxes.empty());
                }
            }
    }
}

TEST(MazePlay, StepsIntoWallsOrWithOtherKeysChangeNothing) {
    MazeRules m = seededMaze(11);
    std::mt19937 keys(5);
    for (int i = 0; i < 2000 && m.GotBag == 0; ++i) {
        const int key = std::array{R::kKeyLeft, R::kKeyUp, R::kKeyRight, R::kKeyDown, 65}[keys() % 5];
        const auto before = m.Maze;
        const int row = m.SantaRow, col = m.SantaCol;
        const int tr = row + (key == R::kKeyDown) - (key == R::kKeyUp);
        const int tc = col + (key == R::kKeyRight) - (key == R::kKeyLeft);
        const MazeMove move = m.moveSanta(key);
        if (key == 65 || before[tr][tc] == R::kWall) {
            ASSERT_EQ(move.step, MazeStep::Nothing);
            ASSERT_EQ(m.Maze, before);
            ASSERT_TRUE(m.SantaRow == row && m.SantaCol == col);
        } else if (move.step == MazeStep::Moved) {
            const double x = (col - 1) * W, y = (row - 1) * H;
            ASSERT_EQ(move.erase, (MazeBox{x - 2, y - 3, x + W + 2, y + H + 3}));
            ASSERT_TRUE(m.Maze[row][col] == R::kPassage && m.Maze[tr][tc] == R::kSanta);
            ASSERT_TRUE(m.SantaRow == tr && m.SantaCol == tc);
        } else {
            ASSERT_EQ(move.step, MazeStep::TookBag);
        }
    }
}

TEST(MazePlay, TheBagOpensTheExitAndOnlyUpThroughItWins) {
    MazeRules m = snakeMaze();
    // Before the bag is taken, up from the room below the exit meets the outer wall.
    EXPECT_EQ(walkTo(m, 2, 4), MazeStep::Moved);
    EXPECT_EQ(m.moveSanta(R::kKeyUp).step, MazeStep::Nothing);
    EXPECT_EQ(m.Maze[1][4], R::kWall);

    // The bag lies on the opened wall between rooms (2, 2) and (4, 2).
    EXPECT_EQ(walkTo(m, 4, 2), MazeStep::Moved);
    const MazeMove took = m.moveSanta(R::kKeyUp);
    EXPECT_EQ(took.step, MazeStep::TookBag);
    EXPECT_EQ(took.erase, (MazeBox{20 - 2, 30 - 3, 40 + 2, 40 + 3}));
    EXPECT_EQ(took.exitGap, (MazeBox{60, 0, 80, 10}));
    EXPECT_EQ(m.GotBag, 1);
    EXPECT_EQ(m.Maze[3][2], R::kSanta);
    EXPECT_EQ(m.Maze[1][4], R::kPassage);

    // Up from any other room of the top row never leaves the maze.
    EXPECT_EQ(walkTo(m, 2, 26), MazeStep::Moved);
    EXPECT_EQ(m.moveSanta(R::kKeyUp).step, MazeStep::Nothing);
    EXPECT_EQ(m.moveSanta(R::kKeyRight).step, MazeStep::Nothing);

    EXPECT_EQ(walkTo(m, 2, 4), MazeStep::Moved);
    const MazeMove won = m.moveSanta(R::kKeyUp);
    EXPECT_EQ(won.step, MazeStep::Won);
    EXPECT_EQ(won.erase, (MazeBox{60, 10, 80, 20}));
    EXPECT_EQ(m.GotBag, 2);
    EXPECT_EQ(m.Maze[2][4], R::kPassage);
    EXPECT_EQ(m.moveSanta(R::kKeyDown).step, MazeStep::Nothing);
}

TEST(MazePlay, RedrawsShowTheOpenExitAndWhoIsStillInTheMaze) {
    // Mazes whose top-left rooms are walled off on both sides show the gap's edges best.
    for (unsigned seed = 1, games = 0; games < 5; ++seed) {
        ASSERT_LT(seed, 2000u);
        MazeRules m = seededMaze(seed);
        if (m.Maze[2][3] != R::kWall || m.Maze[2][5] != R::kWall) continue;
        ++games;
        SCOPED_TRACE(seed);
        EXPECT_EQ(drawn(m).in(1, 4), (Boxes{hBar(1, 4, 0, 19)}));  // closed

        EXPECT_EQ(walkTo(m, m.BagRow, m.BagCol), MazeStep::TookBag);
        RecordingCanvas carrying = drawn(m);
        EXPECT_TRUE(carrying.in(1, 4).empty());
        EXPECT_EQ(carrying.in(1, 3), (Boxes{hBar(1, 3, 0, 12), vBar(1, 3, 4, 9)}));
        EXPECT_EQ(carrying.in(1, 5), (Boxes{hBar(1, 5, 8, 19), vBar(1, 5, 4, 9)}));
        EXPECT_EQ(carrying.log.back(), "santa " + RecordingCanvas::cell(m.SantaRow, m.SantaCol));
        EXPECT_EQ(m.Maze[m.SantaRow][m.SantaCol], R::kSanta);

        // Stopped while carrying, then printed: Santa goes back to his start room.
        const int stoppedRow = m.SantaRow, stoppedCol = m.SantaCol;
        m.putSantaAtStart();
        EXPECT_EQ(m.Maze[stoppedRow][stoppedCol], R::kPassage);
        EXPECT_EQ(drawn(m).log.back(), "santa 18,26");
        EXPECT_EQ(walkTo(m, 2, 4), MazeStep::Moved);

        EXPECT_EQ(m.moveSanta(R::kKeyUp).step, MazeStep::Won);
        RecordingCanvas won = drawn(m);
        EXPECT_EQ(won.log.back(), "box");
        EXPECT_EQ(won.boxes, carrying.boxes);
        const Cell passages[] = {{2, 4}, {18, 26}, {m.BagRow, m.BagCol}};
        for (auto [r, c] : passages) EXPECT_EQ(m.Maze[r][c], R::kPassage);
    }
}

}  // namespace
