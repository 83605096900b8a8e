#include "boardgames/frosty_rules.h"

#include <algorithm>

#include "platform/vbmath.h"

namespace {
constexpr char CR = '\r';
}

int FrostyRules::clampPlayers(int players) { return std::clamp(players, 1, kFrostyMaxPlayers); }

void FrostyRules::newGame(int players) {
    Players = clampPlayers(players);
    GameOn = 1;
    for (int p = 1; p <= Players; ++p) {
        PartCount[p] = 0;
        HasPart[p].fill(0);
    }
    Finished.fill(0);
    Player = 1;
}

int FrostyRules::flashPart() { return Int(Rnd() * kFrostyParts) + 1; }

std::vector<int> FrostyRules::shownParts(int n) {
    switch (n) {
        case 3:
            return {1, 3};
        case 4:
            return {2, 4};
        case 5:
            return {1, 5};
        default:
            return {n};
    }
}

FrostyStop FrostyRules::drawStop() const {
    const int p = Player;
    const int c = PartCount[p];
    const auto& has = HasPart[p];
    FrostyStop stop;
    if (static_cast<double>(Rnd()) < kFrostyUsefulChance) {
        stop.useful = true;
        if (c == 0) {
            stop.part = 1;
        } else if (c == 1) {
            stop.part = 2;
        } else {
            // The x-th of the parts 3 to 6 still missing.
            int x = Int(Rnd() * (kFrostyParts - c)) + 1;
            for (int k = 3; k <= kFrostyParts && stop.part == 0; ++k)
                if (has[k] == 0 && --x == 0) stop.part = k;
        }
        return stop;
    }
    if (c == 0) {
        stop.part = Int(Rnd() * 5) + 2;
    } else if (c == 1) {
        stop.part = Int(Rnd() * 4) + 3;
        if (Rnd() < 0.2f) stop.part = 1;
    } else {
        // The x-th of the parts already owned.
        int x = Int(Rnd() * c) + 1;
        for (int k = 1; k <= kFrostyParts && stop.part == 0; ++k)
            if (has[k] != 0 && --x == 0) stop.part = k;
    }
    return stop;
}

void FrostyRules::addPart(int player, int part) {
    if (part < 1 || part > kFrostyParts || HasPart[player][part] != 0) return;
    HasPart[player][part] = 1;
    PartCount[player] += 1;
}

FrostyNext FrostyRules::nextPlayer() {
    Player += 1;
    if (Player <= Players) return FrostyNext::Turn;
    Player = 1;
    Finished.fill(0);
    bool anyone = false;
    for (int p = 1; p <= Players; ++p) {
        if (PartCount[p] == kFrostyParts) {
            Finished[p] = 1;
            anyone = true;
        }
    }
    return anyone ? FrostyNext::GameOver : FrostyNext::NewRound;
}

std::string frostyTurnText(int player, const std::string& name) {
    return std::string(1, CR) + "Player" + Str(player) + ":" + CR + name + CR + "Your Turn";
}

std::string frostyIdleText() {
    return std::string(1, CR) + "Choose Number of" + CR + "Players, Enter Names" + CR + "Click New Game";
}
