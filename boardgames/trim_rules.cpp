#include "boardgames/trim_rules.h"

#include <algorithm>

#include "launcher/shared_routines.h"
#include "platform/vbmath.h"

namespace {

constexpr char CR = '\r';
constexpr int kFewestToAdd = 15;
constexpr int kFewestMostToAdd = 3;

// Int(Rnd x n): the product is taken in single precision, as the draws are.
int drawBelow(int n) { return Int(Rnd() * static_cast<float>(n)); }

}  // namespace

std::vector<TrimStep> TrimRules::newGame(const Settings& settings) {
    const Settings chosen = settings.chosen();
    Players = chosen.Players;
    ComputerFirst = chosen.First;
    MoveChance = moveChanceFor(chosen.Difficulty);
    GameOn = 1;

    Total = drawBelow(27) + kFewestToAdd;
    MaxAdd = drawBelow(5) + kFewestMostToAdd;

    std::vector<TrimStep> steps;
    Shuffle(kTrimSpots - 1, Order.data());
    for (int j = 1; j <= kTrimSpots - Total; ++j) steps.push_back(placeOrnament(Order[j]));
    Added = 0;

    if (Players == 1 && ComputerFirst == 1) {
        steps.emplace_back(TrimStepKind::ComputerTurn);
        return steps;
    }
    Player = 1;
    TrimStep prompt{TrimStepKind::Prompt};
    prompt.text = turnPrompt();
    steps.push_back(prompt);
    return steps;
}

std::vector<TrimStep> TrimRules::move(int Index) {
    std::vector<TrimStep> steps;
    if (GameOn == 0) return steps;
    const int c = Index + 1;
    if (Added + c > Total) {
        steps.emplace_back(TrimStepKind::TooMany);
        return steps;
    }

    for (int i = 0; i < c; ++i) {
        Added += 1;
        TrimStep s = placeOrnament(Added < Total ? Order[kTrimSpots - Total + Added] : kTrimStarSpot);
        s.left = Format(Total - Added, "#0");
        steps.push_back(s);
    }

    if (Added == Total) {
        Winner = Player;
        steps.emplace_back(TrimStepKind::Won);
        return steps;
    }

    Player = 3 - Player;
    if (Players == 1 && Player == 2) {
        steps.emplace_back(TrimStepKind::ComputerTurn);
        return steps;
    }
    TrimStep prompt{TrimStepKind::Prompt};
    prompt.text = turnPrompt();
    steps.push_back(prompt);
    return steps;
}

int TrimRules::keyMove(int KeyAscii) const {
    if (GameOn == 0 || KeyAscii < '1' || KeyAscii > '0' + MaxAdd) return -1;
    return KeyAscii - '1';
}

TrimComputerMove TrimRules::ComputerMove() {
    Player = 2;
    const int L = Total - Added;
    const int Limit = std::max(1, std::min(MaxAdd, L));
    // The winning move leaves the opponent a multiple of MaxAdd + 1; from such
    // a multiple it comes out as MaxAdd + 1, which is no move at all.
    int k = (L - 1) % (MaxAdd + 1) + 1;
    const float r = Rnd();
    if (k > MaxAdd || k < 1 || r < MoveChance) k = drawBelow(Limit) + 1;
    return {k, std::string("Computer's Turn") + CR + "Adding" + Str(k)};
}

TrimEnd TrimRules::endGame() {
    GameOn = 0;
    TrimEnd end;
    end.text = std::string("Game Over") + CR;
    if (Winner == 1) {
        end.text += onePlayer() ? "You Win!" : "Player 1 Wins!";
        end.fanfare = true;
    } else if (Winner == 2) {
        end.text += onePlayer() ? "Computer Wins!" : "Player 2 Wins!";
        end.fanfare = true;
    } else {
        end.text = CR + end.text;
    }
    Winner = 0;
    return end;
}

TrimStep TrimRules::placeOrnament(int spot) const {
    TrimStep s{TrimStepKind::Ornament};
    s.spot = spot;
    s.picture = spot == kTrimStarSpot ? kTrimStar : drawBelow(kTrimOrnamentKinds);
    return s;
}

std::string TrimRules::turnPrompt() const {
    if (Players == 1) return std::string(1, CR) + "Your Turn";
    return std::string(1, CR) + "Player" + Str(Player) + "'s Turn";
}
