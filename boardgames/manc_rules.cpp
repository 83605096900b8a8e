#include "boardgames/manc_rules.h"

#include "platform/vbmath.h"

bool MancRules::ownsPit(int p, int cell) { return p == 1 ? cell >= 8 && cell <= 13 : cell >= 1 && cell <= 6; }

int MancRules::seedsOnSide(int p) const {
    const int first = p == 1 ? 8 : 1;
    int n = 0;
    for (int cell = first; cell < first + 6; ++cell) n += Seeds[cell];
    return n;
}

void MancRules::newGame(const Settings& settings) {
    const Settings chosen = settings.chosen();
    Players = chosen.Players;
    ComputerFirst = chosen.First;

    GameOn = 1;
    Ended = 0;
    SeedColor = Int(Rnd() * 6) + 10;
    MoveChance = moveChanceFor(chosen.Difficulty);
    for (int cell = 1; cell <= kMancCells; ++cell) Seeds[cell] = ownsPit(1, cell) || ownsPit(2, cell) ? 3 : 0;
    Score[1] = Score[2] = 0;
}

bool MancRules::canMove(int cell) const { return ownsPit(Player, cell) && Seeds[cell] > 0; }

// A store's count is its owner's score: seeds sown, captured or swept into it
// all count, so the two figures always agree.
void MancRules::addToStore(int p, int seeds) {
    Seeds[store(p)] += seeds;
    Score[p] = Seeds[store(p)];
}

std::vector<MancStep> MancRules::SowSeeds(int p, int pit, bool& freeTurn) {
    std::vector<MancStep> steps;
    freeTurn = false;
    const int n = Seeds[pit];
    Seeds[pit] = 0;
    steps.push_back({MancStepKind::Clear, pit});

    int j = pit;
    for (int k = 0; k < n; ++k) {
        ++j;
        if (p == 1 && j == 7) {
            j = 8;  // player 1 skips the opponent's store
        } else if (p == 2 && j == 14) {
            j = 1;  // and player 2 skips player 1's
        } else if (j > kMancCells) {
            j -= kMancCells;
        }
        Seeds[j] += 1;
        steps.push_back({MancStepKind::Sow, j, Seeds[j]});
        if (j == store(p)) {
            Score[p] = Seeds[j];
            steps.push_back({MancStepKind::Score, 0, 0, p});
        }
    }

    if (n > 0 && ownsPit(p, j) && Seeds[j] == 1) {
        steps.push_back({MancStepKind::Capture});
        const int t = Seeds[j] + Seeds[opposite(j)];
        for (int k = 1; k <= t; ++k) steps.push_back({MancStepKind::Store, store(p), Seeds[store(p)] + k});
        addToStore(p, t);
        Seeds[j] = 0;
        Seeds[opposite(j)] = 0;
        steps.push_back({MancStepKind::Clear, j});
        steps.push_back({MancStepKind::Clear, opposite(j)});
    } else if (n > 0 && j == store(p)) {
        steps.push_back({MancStepKind::FreeTurn});
        freeTurn = true;
    }
    steps.push_back({MancStepKind::Score, 0, 0, p});
    return steps;
}

std::vector<MancStep> MancRules::CheckGameEnd() {
    std::vector<MancStep> steps;
    const int a = seedsOnSide(1);
    const int b = seedsOnSide(2);
    if (a != 0 && b != 0) return steps;

    // The side that still has seeds goes to its owner.
    const int owner = a == 0 ? 2 : 1;
    const int left = a == 0 ? b : a;
    const int first = owner == 1 ? 8 : 1;
    for (int cell = first; cell < first + 6; ++cell) steps.push_back({MancStepKind::Clear, cell});
    Player = owner;
    for (int k = 1; k <= left; ++k)
        steps.push_back({MancStepKind::Store, store(owner), Seeds[store(owner)] + k});
    addToStore(owner, left);
    for (int cell = first; cell < first + 6; ++cell) Seeds[cell] = 0;
    steps.push_back({MancStepKind::Score, 0, 0, owner});
    Ended = 1;
    return steps;
}

int MancRules::randomPit() const {
    int pit = 0;
    do {
        pit = Int(Rnd() * 6) + 1;
    } while (Seeds[pit] == 0);
    return pit;
}

int MancRules::ChooseComputerPit() const {
    // Never draw for a pit that cannot be found.
    if (seedsOnSide(2) == 0) return 0;

    if (Rnd() < MoveChance) return randomPit();

    // A last seed that lands in store 7 earns another turn; the pit nearest
    // the store is tried first.
    for (int pit = 6; pit >= 1; --pit)
        if (Seeds[pit] == 7 - pit) return pit;

    // A last seed landing alone in an empty pit of its own side, short of the
    // store. The best kept counts the capturing seed too, so a later capture
    // must take two seeds more than the chosen one to replace it.
    int best = 0;
    int chosen = 0;
    for (int pit = 1; pit <= 6; ++pit) {
        for (int j = pit + 1; j <= 6; ++j) {
            if (Seeds[pit] == j - pit && Seeds[j] == 0 && Seeds[opposite(j)] > best) {
                chosen = pit;
                best = Seeds[opposite(j)] + 1;
            }
        }
    }
    if (chosen > 0) return chosen;

    return randomPit();
}

std::string MancRules::resultText() const {
    if (Score[1] > Score[2]) return onePlayer() ? "You Win!" : "Player 1 Wins!";
    if (Score[1] == Score[2]) return "It's A Draw!";
    return onePlayer() ? "Computer Wins!" : "Player 2 Wins!";
}
