#include "picturepuzzles/jigsaw_rules.h"

#include <algorithm>

#include "launcher/shared_routines.h"
#include "platform/vbmath.h"

namespace {
std::size_t at(int i) { return static_cast<std::size_t>(i); }
}  // namespace

int JigsawRules::clampSize(int sizeIndex) { return std::clamp(sizeIndex, 0, 2); }

void JigsawRules::sizeBoard(int sizeIndex) {
    n = clampSize(sizeIndex) + 2;
    PieceSize = CInt(static_cast<double>(BoardSize) / n);
    PieceSizePx = CInt(static_cast<double>(BoardSizePx) / n);
}

void JigsawRules::layTray() {
    NumPieces = n * n;
    int k = 0;
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            ++k;
            TrayPos[at(k)] = {0, TrayLeft + (c - 1) * (PieceSize + kJigsawTrayGap),
                              TrayTop + (r - 1) * (PieceSize + kJigsawTrayGap)};
            OnCell[at(k)] = 0;
        }
    }
}

std::vector<int> JigsawRules::drawOrder() const {
    std::vector<int> order(at(NumPieces + 1), 0);
    auto identity = [&] {
        for (int k = 1; k <= NumPieces; ++k)
            if (order[at(k)] != k) return false;
        return true;
    };
    do {
        Shuffle(NumPieces, order);
    } while (identity());
    return order;
}

void JigsawRules::cut(const std::vector<int>& order, double boardLeft, double boardTop) {
    int k = 0;
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
            ++k;
            Occupant[at(k)] = 0;
            HomeCell[at(order[at(k)])] = k;
            CellPos[at(k)] = {0, CInt(boardLeft + (c - 1) * PieceSize), CInt(boardTop + (r - 1) * PieceSize)};
        }
    }
    Dragged = 0;
    LiftedFrom = 0;
}

void JigsawRules::lift(int j) {
    if (j < 1 || j > NumPieces) return;
    LiftedFrom = OnCell[at(j)];
    if (LiftedFrom != 0) {
        Occupant[at(LiftedFrom)] = 0;
        OnCell[at(j)] = 0;
    }
    Dragged = j;
}

int JigsawRules::cellAt(double x, double y) const {
    // A drop on the board's last pixel row or column, or just outside it,
    // still counts for the board's own edge cells.
    const int column = std::clamp(Int(x / PieceSizePx) + 1, 1, n);
    const int row = std::clamp(Int(y / PieceSizePx) + 1, 1, n);
    return n * (row - 1) + column;
}

JigsawDrop JigsawRules::dropOnBoard(double x, double y) {
    if (Dragged == 0) return JigsawDrop::Ignored;
    const int cell = cellAt(x, y);
    if (Occupant[at(cell)] != 0) return JigsawDrop::Refused;
    Occupant[at(cell)] = HomeCell[at(Dragged)];
    OnCell[at(Dragged)] = cell;
    PlacedCell = cell;
    LiftedFrom = 0;
    return finished() ? JigsawDrop::Finished : JigsawDrop::Placed;
}

JigsawDrop JigsawRules::dropOnPiece(int index) {
    if (Dragged == 0) return JigsawDrop::Ignored;
    if (index >= 1 && index <= NumPieces && OnCell[at(index)] != 0) return JigsawDrop::Refused;
    LiftedFrom = 0;
    return JigsawDrop::BackToTray;
}

JigsawDrop JigsawRules::dropOnWindow() {
    if (Dragged == 0) return JigsawDrop::Ignored;
    LiftedFrom = 0;
    return JigsawDrop::BackToTray;
}

void JigsawRules::keepLiftedPiece() {
    if (Dragged == 0 || LiftedFrom == 0) return;
    if (Occupant[at(LiftedFrom)] == 0) {
        Occupant[at(LiftedFrom)] = HomeCell[at(Dragged)];
        OnCell[at(Dragged)] = LiftedFrom;
    }
    LiftedFrom = 0;
}

bool JigsawRules::finished() const {
    for (int k = 1; k <= NumPieces; ++k)
        if (Occupant[at(k)] != k) return false;
    return true;
}
