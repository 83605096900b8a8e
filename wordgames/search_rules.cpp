#include "wordgames/search_rules.h"

#include <algorithm>

#include "launcher/shared_routines.h"
#include "platform/vbmath.h"
#include "wordgames/word_list.h"

namespace {

constexpr char kEmpty = '.';

}  // namespace

char SearchPuzzle::randomLetter() { return static_cast<char>(Int(26 * static_cast<double>(Rnd())) + 'A'); }

void SearchPuzzle::resetSelection() {
    ClickCount = 1;
    SelRowStep = 0;
    SelColStep = 0;
    Selected.clear();
}

bool SearchPuzzle::tryPlace(const std::string& w, int slot) {
    const int L = static_cast<int>(w.size());
    const bool across = Rnd() > 0.5;
    // The start ranges leave the last row and column to 16-letter words only,
    // as the puzzles have always been made.
    const int C = across ? kSize - L : kSize;
    const int R = across ? kSize : kSize - L;
    const int col = Int(C * static_cast<double>(Rnd())) + 1;
    const int row = Int(R * static_cast<double>(Rnd())) + 1;
    const int dr = across ? 0 : 1, dc = across ? 1 : 0;

    for (int i = 0; i < L; ++i) {
        const char here = Letter[row + i * dr][col + i * dc];
        if (here != kEmpty && here != w[static_cast<std::size_t>(i)]) return false;
    }
    for (int i = 0; i < L; ++i) Letter[row + i * dr][col + i * dc] = w[static_cast<std::size_t>(i)];
    Word[slot] = w;
    WordRow[slot] = row;
    WordCol[slot] = col;
    WordRowStep[slot] = dr;
    WordColStep[slot] = dc;
    return true;
}

void SearchPuzzle::NewPuzzle(const std::vector<std::string>& words, int count) {
    const int listed = std::max(0, std::min(count, static_cast<int>(words.size()) - 1));
    std::vector<int> Order(static_cast<std::size_t>(listed) + 1);
    Shuffle(listed, Order);

    for (int r = 1; r <= kSize; ++r) {
        for (int c = 1; c <= kSize; ++c) {
            Grid[r][c] = kFree;
            Letter[r][c] = kEmpty;
        }
    }
    for (int k = 0; k <= kMaxPlaced; ++k) {
        Word[k].clear();
        WordRow[k] = WordCol[k] = WordRowStep[k] = WordColStep[k] = 0;
        Found[k] = 0;
    }

    int s = 1;
    for (int j = 1; j <= listed && s <= kMaxPlaced; ++j) {
        const std::string w =
            upperCaseWord(words[static_cast<std::size_t>(Order[static_cast<std::size_t>(j)])]);
        // A hand-edited list may hold what no grid can: such a word would be
        // written outside the grid, or hidden as nothing at all.
        if (!isListWord(w)) continue;
        for (int tries = 1; tries <= kTries; ++tries) {
            if (tryPlace(w, s)) {
                ++s;
                break;
            }
        }
    }
    NumPlaced = s - 1;

    for (int r = 1; r <= kSize; ++r)
        for (int c = 1; c <= kSize; ++c)
            if (Letter[r][c] == kEmpty) Letter[r][c] = randomLetter();

    resetSelection();
    WordsLeft = NumPlaced;
}

bool SearchPuzzle::Select(int row, int col) {
    if (row < 1 || row > kSize || col < 1 || col > kSize) return false;
    if (ClickCount <= 0) return false;
    if (ClickCount == 1) {
        SelRow = row;
        SelCol = col;
    } else if (ClickCount == 2) {
        const int dr = row - LastRow, dc = col - LastCol;
        if (dr < -1 || dr > 1 || dc < -1 || dc > 1 || (dr == 0 && dc == 0)) return false;
        SelRowStep = dr;
        SelColStep = dc;
    } else if (row - LastRow != SelRowStep || col - LastCol != SelColStep) {
        return false;
    }

    int& state = Grid[row][col];
    state = state == kFree ? kSelected : kFoundSelected;
    LastRow = row;
    LastCol = col;
    Selected += Letter[row][col];
    ++ClickCount;
    return true;
}

std::vector<SearchPuzzle::Cell> SearchPuzzle::SelectionCells() const {
    std::vector<Cell> cells;
    for (int i = 0; i < ClickCount - 1; ++i)
        cells.push_back({SelRow + i * SelRowStep, SelCol + i * SelColStep});
    return cells;
}

void SearchPuzzle::ClearSelection() {
    if (ClickCount <= 1) return;
    for (const Cell& c : SelectionCells()) {
        int& state = Grid[c.row][c.col];
        state = state == kSelected ? kFree : kFound;
    }
    resetSelection();
}

int SearchPuzzle::CheckWord() {
    for (int k = 1; k <= NumPlaced; ++k) {
        if (Found[k] == 0 && WordRow[k] == SelRow && WordCol[k] == SelCol && WordRowStep[k] == SelRowStep &&
            WordColStep[k] == SelColStep && Word[k] == Selected) {
            Found[k] = 1;
            return k;
        }
    }
    return 0;
}

std::vector<SearchPuzzle::Cell> SearchPuzzle::WordCells(int k) const {
    std::vector<Cell> cells;
    if (k < 1 || k > NumPlaced) return cells;
    const int L = static_cast<int>(Word[k].size());
    for (int i = 0; i < L; ++i)
        cells.push_back({WordRow[k] + i * WordRowStep[k], WordCol[k] + i * WordColStep[k]});
    return cells;
}

void SearchPuzzle::MarkWordFound(int k) {
    ClearSelection();
    for (const Cell& c : WordCells(k)) Grid[c.row][c.col] = kFound;
    --WordsLeft;
    resetSelection();
}
