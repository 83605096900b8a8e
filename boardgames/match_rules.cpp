#include "boardgames/match_rules.h"

#include <algorithm>
#include <utility>

#include "launcher/shared_routines.h"
#include "platform/vbmath.h"

namespace {

constexpr char CR = '\r';

MatchStep promptStep(MatchStepKind kind, int player, std::string text) {
    MatchStep s{kind};
    s.player = player;
    s.text = std::move(text);
    return s;
}

}  // namespace

MatchRules::Settings MatchRules::Settings::chosen() const {
    // The board has room for 15 pairs only, and a game needs at least two.
    return {std::clamp(Players, 1, 2), std::clamp(Pairs, kMatchMinPairs, kMatchMaxPairs),
            VsComputer == 1 ? 1 : 0, std::clamp(Difficulty, 1, 4)};
}

MatchHeadings MatchRules::counterHeadings(const Settings& settings) {
    const Settings chosen = settings.chosen();
    if (chosen.Players == 2) return {"Player 1", "Player 2"};
    return {"You", chosen.VsComputer == 1 ? "Computer" : "Guesses"};
}

std::string MatchRules::newGame(const Settings& settings) {
    const Settings chosen = settings.chosen();
    Pairs = chosen.Pairs;
    Players = chosen.Players;
    VsComputer = chosen.VsComputer;

    GameOn = 1;
    switch (chosen.Difficulty) {
        case 1:
            ForgetChance = 0.75f;
            break;
        case 2:
            ForgetChance = 0.5f;
            break;
        case 3:
            ForgetChance = 0.25f;
            break;
        default:
            ForgetChance = 0.0f;
            break;
    }
    for (int s = 1; s <= kMatchMaxSlots; ++s) {
        Seen[s] = 0;
        Up[s] = 0;
    }

    // Shuffling 1 to 2N and folding the upper half down puts each toy in
    // exactly two slots, with the deal decided by Shuffle's draws alone.
    Shuffle(2 * Pairs, Card.data());
    for (int s = 1; s <= 2 * Pairs; ++s) {
        if (Card[s] > Pairs) Card[s] -= Pairs;
    }

    Guesses = 0;
    Matches[1] = Matches[2] = 0;
    CardsLeft = 2 * Pairs;
    Player = 1;
    PickNo = 1;
    return twoPlayers() ? std::string("Player 1") + CR + "Pick a Gift" : std::string(1, CR) + "Pick a Gift";
}

std::vector<MatchStep> MatchRules::pickCard(int i) {
    std::vector<MatchStep> steps;
    if (GameOn == 0 || i < 1 || i > 2 * Pairs || Up[i] == 1) return steps;

    steps.emplace_back(MatchStepKind::Beep);
    Guesses += 1;
    if (playingAlone()) {
        MatchStep c{MatchStepKind::Counter};
        c.counter = 2;
        c.text = Format(Guesses, "##");
        steps.push_back(c);
    }
    MatchStep shown{MatchStepKind::ShowToy};
    shown.slot = i;
    shown.toy = Card[i];
    steps.push_back(shown);

    if (PickNo == 1) {
        Up[i] = 1;
        Pick[1] = i;
        Seen[i] = Card[i];
        PickNo = 2;
        if (twoPlayers()) {
            steps.push_back(
                promptStep(MatchStepKind::Prompt, Player, "Player" + Str(Player) + CR + "Pick Another Gift"));
        } else if (Player == 1) {
            steps.push_back(
                promptStep(MatchStepKind::Prompt, Player, std::string(1, CR) + "Pick Another Gift"));
        } else {
            KnownCard = 0;
            steps.push_back(promptStep(MatchStepKind::ComputerSecondCard, Player,
                                       std::string(1, CR) + "Picking Another"));
        }
        return steps;
    }

    Pick[2] = i;
    Seen[i] = Card[i];
    const int first = Pick[1];
    if (Card[first] == Card[i]) {
        MatchStep pair{MatchStepKind::Pair};
        pair.first = first;
        pair.second = i;
        steps.push_back(pair);
        Up[i] = 1;
        CardsLeft -= 2;
        Seen[first] = 0;
        Seen[i] = 0;
        Matches[Player] += 1;
        MatchStep c{MatchStepKind::Counter};
        c.counter = Player;
        c.text = Format(Matches[Player], "#");
        steps.push_back(c);

        if (CardsLeft == 0) {
            MatchStep over{MatchStepKind::GameOver};
            over.text = endGame();
            steps.push_back(over);
            return steps;
        }
        PickNo = 1;
        if (twoPlayers()) {
            steps.push_back(
                promptStep(MatchStepKind::Prompt, Player, "Player" + Str(Player) + CR + "Pick Again"));
        } else if (Player == 1) {
            steps.push_back(promptStep(MatchStepKind::Prompt, Player, std::string(1, CR) + "Pick A Gift"));
        } else {
            // KnownCard stays: after a pair from memory the computer skips its
            // next forget roll.
            steps.push_back(
                promptStep(MatchStepKind::ComputerTurn, Player, std::string(1, CR) + "Picking Again"));
        }
        return steps;
    }

    MatchStep miss{MatchStepKind::Miss};
    miss.first = first;
    miss.second = i;
    steps.push_back(miss);
    // Seen stays as it is: the computer remembers both cards.
    Up[first] = 0;
    Up[i] = 0;
    if (!playingAlone()) {
        Player = 3 - Player;
        MatchStep passed{MatchStepKind::TurnPassed};
        passed.player = Player;
        steps.push_back(passed);
    }
    PickNo = 1;
    if (twoPlayers()) {
        steps.push_back(
            promptStep(MatchStepKind::Prompt, Player, "Player" + Str(Player) + CR + "Pick a Gift"));
    } else if (Player == 1) {
        steps.push_back(promptStep(MatchStepKind::Prompt, Player, std::string(1, CR) + "Pick a Gift"));
    } else {
        KnownCard = 0;
        steps.push_back(
            promptStep(MatchStepKind::ComputerTurn, Player, std::string("Computer") + CR + "Picking"));
    }
    return steps;
}

std::string MatchRules::resultText() const {
    if (CardsLeft != 0) return "";
    if (playingAlone()) return "";
    if (Matches[1] == Matches[2]) return "It's a Tie!";
    const bool firstWins = Matches[1] > Matches[2];
    if (againstComputer()) return firstWins ? "You Win!" : "Computer Wins!";
    return firstWins ? "Player 1 Wins!" : "Player 2 Wins!";
}

std::string MatchRules::endGame() {
    GameOn = 0;
    return std::string("Game Over") + CR + resultText();
}

void MatchRules::FindKnownPair() {
    KnownCard = 0;
    for (int t = 1; t <= Pairs; ++t) ToyCount[t] = 0;
    for (int s = 1; s <= 2 * Pairs; ++s) {
        if (Seen[s] == 0) continue;
        ToyCount[Card[s]] += 1;
        if (ToyCount[Card[s]] == 2) {
            KnownCard = s;
            return;
        }
    }
}

int MatchRules::RandomPick() {
    const int M = PickNo == 1 ? CardsLeft : CardsLeft - 1;
    // The product is taken in single precision, as the draw itself is.
    int k = Int(Rnd() * static_cast<float>(M)) + 1;
    k = std::clamp(k, 1, std::max(M, 1));
    int count = 0;
    int last = 0;
    for (int s = 1; s <= 2 * Pairs; ++s) {
        if (Up[s] != 0) continue;
        last = s;
        if (++count == k) return s;
    }
    // Only reached if CardsLeft disagrees with the board; a face-down card is
    // still a legal move, where a slot past the board would stall the turn.
    return last;
}

int MatchRules::ComputerPick() {
    const float r = Rnd();
    if (r < ForgetChance && KnownCard == 0) return RandomPick();

    FindKnownPair();
    if (PickNo == 1) return KnownCard != 0 ? KnownCard : RandomPick();

    if (KnownCard == 0) return RandomPick();
    if (KnownCard == Pick[1]) {
        // The turn's first card is the later one of a known pair: its partner
        // is the first slot with the same toy.
        for (int s = 1; s <= 2 * Pairs; ++s) {
            if (Card[s] == Card[Pick[1]]) return s;
        }
    }
    // Another known pair can come first in the scan; the computer then turns
    // a card of that pair and misses, as designed.
    return KnownCard;
}
