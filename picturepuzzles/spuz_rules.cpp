#include "picturepuzzles/spuz_rules.h"

#include <algorithm>

#include "platform/vbmath.h"

int SPuzRules::clampSize(int sizeIndex) { return std::clamp(sizeIndex, 0, 3); }

int SPuzRules::clampDifficulty(int difficulty) { return std::clamp(difficulty, 0, 3); }

void SPuzRules::setSize(int sizeIndex) {
    static constexpr int kRows[4] = {2, 3, 3, 4};
    static constexpr int kCols[4] = {3, 3, 4, 4};
    const int i = clampSize(sizeIndex);
    Rows = kRows[i];
    Cols = kCols[i];
    NumPieces = Rows * Cols;
}

void SPuzRules::sizeBoard() {
    PieceWidth = CInt(static_cast<double>(BoardSize) / Cols);
    PieceWidthPx = CInt(static_cast<double>(BoardSizePx) / Cols);
    PieceHeight = CInt(static_cast<double>(BoardSize) / Rows);
    PieceHeightPx = CInt(static_cast<double>(BoardSizePx) / Rows);
}

int SPuzRules::scrambleCountFor(int numPieces, int difficulty) {
    switch (difficulty) {
        case 0:
            return CInt(numPieces * 1.5);
        case 1:
            return numPieces * 3;
        case 2:
            return CInt(numPieces * 4.5);
        default:
            return numPieces * 6;
    }
}

void SPuzRules::cut() {
    for (int k = 1; k <= NumPieces; ++k) PieceAt[static_cast<std::size_t>(k)] = k;
    Hole = NumPieces;
    CanMove = 0;
}

void SPuzRules::beginScramble(int difficulty) {
    ScrambleCount = std::min(scrambleCountFor(NumPieces, clampDifficulty(difficulty)), kSPuzMaxMoves);
}

std::vector<int> SPuzRules::neighbours(int pos) const {
    std::vector<int> next;
    const int rowStart = Int(static_cast<double>(pos - 1) / Cols) * Cols + 1;
    if (pos - Cols >= 1) next.push_back(pos - Cols);
    if (pos + Cols <= NumPieces) next.push_back(pos + Cols);
    if (pos - 1 >= rowStart) next.push_back(pos - 1);
    if (pos + 1 <= rowStart + Cols - 1) next.push_back(pos + 1);
    return next;
}

int SPuzRules::scrambleTarget(int i) {
    const std::vector<int> next = neighbours(Hole);
    const int count = static_cast<int>(next.size());
    const int pick = std::min(Int(Rnd() * count) + 1, count);
    ScrambleLog[static_cast<std::size_t>(i)] = Hole;
    return next[static_cast<std::size_t>(pick - 1)];
}

void SPuzRules::movePiece(int t) {
    PieceAt[static_cast<std::size_t>(Hole)] = PieceAt[static_cast<std::size_t>(t)];
    PieceAt[static_cast<std::size_t>(t)] = NumPieces;
    Hole = t;
}

bool SPuzRules::piecesHome() const {
    for (int p = 1; p < NumPieces; ++p)
        if (PieceAt[static_cast<std::size_t>(p)] != p) return false;
    return true;
}

bool SPuzRules::finishIfSolved() {
    if (CanMove != 1 || !piecesHome()) return false;
    CanMove = 0;
    return true;
}

SPuzClick SPuzRules::click(int Index) {
    if (Index < 1 || Index > NumPieces || CanMove == 0) return SPuzClick::Ignored;
    const std::vector<int> next = neighbours(Index);
    const auto hole = std::find_if(next.begin(), next.end(), [this](int p) {
        return PieceAt[static_cast<std::size_t>(p)] == NumPieces;
    });
    if (hole == next.end()) return SPuzClick::Refused;
    if (MoveCount + 1 > kSPuzMaxMoves) return SPuzClick::TooMany;
    ++MoveCount;
    MoveLog[static_cast<std::size_t>(MoveCount)] = Hole;
    return SPuzClick::Move;
}

void SPuzRules::startReplay() {
    ReplayLeft = MoveCount + ScrambleCount;
    CanMove = 0;
}

int SPuzRules::replayTarget() const {
    const int k = ReplayLeft;
    if (k > ScrambleCount) return MoveLog[static_cast<std::size_t>(k - ScrambleCount)];
    return ScrambleLog[static_cast<std::size_t>(k)];
}

bool SPuzRules::replayStepDone() {
    if (ReplayLeft > 0) --ReplayLeft;
    return ReplayLeft == 0;
}
