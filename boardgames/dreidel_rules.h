#pragma once
// Dreidel Game without the window: the turns, the four faces and their
// points, the winners at the end of a round, and the texts the window shows
// (whose line breaks differ: see each one).
#include <array>
#include <string>
#include <vector>

inline constexpr int kDreidelMaxPlayers = 4;
inline constexpr int kDreidelStartScore = 20;
inline constexpr int kDreidelWinningScore = 50;

// The faces r = 1 to 4 (position 0, the spinning view, has none).
struct DreidelFace {
    const char* firstLine;
    const char* secondLine;
    int points;
    const char* sound;
};
inline constexpr std::array<DreidelFace, 5> kDreidelFaces = {{
    {"", "", 0, ""},
    {"Gimel stands for ganz or all.", "You win 10 points!", 10, "tada.wav"},
    {"Hay stands for halb or half.", "You win 5 points!", 5, "tada.wav"},
    {"Nun stands for nisht or none.", "Nothing happens!", 0, "miss.wav"},
    {"Shin stands for shtel or put in.", "You lose 5 points ...", -5, "uhoh.wav"},
}};

enum class DreidelNext {
    Turn,      // the next player of the round spins
    NewRound,  // the round is over without a winner: player 1 again
    Winners,   // the round is over and the winners are listed
};

class DreidelRules {
public:
    // New Game for 1 to 4 players: everyone at 20 points, player 1 first.
    void newGame(int players);
    // A number of players read from the settings file may lie outside 1 to 4:
    // the game plays, and the window shows, the nearest.
    static int clampPlayers(int players);

    // The picture of a spin tick, 0 to 4 (one draw).
    static int spinPicture();
    // The face the dreidel stops on, 1 to 4 (one draw).
    static int spin();
    // The face's points for the current player; a score never goes below 0.
    void score(int face);

    // Passes the turn on; at the end of a round, back to player 1 and the
    // winners (everyone at 50 or more) are known.
    DreidelNext nextPlayer();
    const std::vector<int>& winners() const { return Winners; }
    // True from the listing of the winners until the game ends.
    bool over() const { return !Winners.empty(); }

    int GameOn = 0;
    int Player = 1;
    int Players = 1;
    std::array<int, kDreidelMaxPlayers + 1> Score{};  // position 0 unused
    std::vector<int> Winners;
};

// The turn prompt: CR LF, "Player n:", CR, the name, CR, "Your Turn - Click Dreidel".
std::string dreidelTurnText(int player, const std::string& name);
// A face's result: CR LF, its first line, CR LF, its second line.
std::string dreidelResultText(int face);
// "Game Over - Winner(s):" and, for each winner, CR LF and the name.
std::string dreidelWinnersText(const std::vector<int>& winners, const std::array<std::string, 5>& names);
// What the window shows while no game runs (lines joined by CR).
std::string dreidelIdleText();
