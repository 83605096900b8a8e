#include "boardgames/dreidel_rules.h"

#include <algorithm>

#include "platform/vbmath.h"

namespace {
constexpr char CR = '\r';
constexpr const char* CRLF = "\r\n";
}  // namespace

int DreidelRules::clampPlayers(int players) { return std::clamp(players, 1, kDreidelMaxPlayers); }

void DreidelRules::newGame(int players) {
    Players = clampPlayers(players);
    GameOn = 1;
    for (int p = 1; p <= Players; ++p) Score[p] = kDreidelStartScore;
    Winners.clear();
    Player = 1;
}

int DreidelRules::spinPicture() { return Int(Rnd() * 5); }

int DreidelRules::spin() { return Int(Rnd() * 4) + 1; }

void DreidelRules::score(int face) {
    Score[Player] = std::max(0, Score[Player] + kDreidelFaces[face].points);
}

DreidelNext DreidelRules::nextPlayer() {
    Player += 1;
    if (Player <= Players) return DreidelNext::Turn;
    Player = 1;
    Winners.clear();
    for (int p = 1; p <= Players; ++p)
        if (Score[p] >= kDreidelWinningScore) Winners.push_back(p);
    return Winners.empty() ? DreidelNext::NewRound : DreidelNext::Winners;
}

std::string dreidelTurnText(int player, const std::string& name) {
    return CRLF + ("Player" + Str(player) + ":" + CR + name + CR + "Your Turn - Click Dreidel");
}

std::string dreidelResultText(int face) {
    const DreidelFace& f = kDreidelFaces[face];
    return CRLF + (f.firstLine + (CRLF + std::string(f.secondLine)));
}

std::string dreidelWinnersText(const std::vector<int>& winners, const std::array<std::string, 5>& names) {
    std::string text = "Game Over - Winner(s):";
    for (int p : winners) text += CRLF + names[p];
    return text;
}

std::string dreidelIdleText() {
    return std::string(1, CR) + "Choose Number of Players" + CR + "Enter Names" + CR + "Click New Game";
}
