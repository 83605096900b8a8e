#pragma once
// Build Frosty without the window: whose turn it is, which snowman part a stop
// yields (or shows without giving), the parts each player owns, and the end of
// a round. The window frmFrosty owns one FrostyRules for its whole life, so
// the snowmen of the last game can still be painted after an unload.
#include <array>
#include <string>
#include <vector>

// The six parts by number: 1 body, 2 head, 3 arms, 4 face, 5 buttons, 6 hat.
inline constexpr int kFrostyParts = 6;
inline constexpr int kFrostyMaxPlayers = 4;
// The chance that a stop yields a part the player can use.
// Compared with the single-precision draw widened, as a draw is compared with a plain number.
inline constexpr double kFrostyUsefulChance = 0.7;

// What a stop gave: a part added to the player's snowman, or one he cannot use
// and that is only shown.
struct FrostyStop {
    bool useful = false;
    int part = 0;
};

// What follows a turn.
enum class FrostyNext {
    Turn,      // the next player of the round has the turn
    NewRound,  // the round is over, nobody finished: player 1 again
    GameOver,  // the round is over and at least one snowman is complete
};

class FrostyRules {
public:
    // New Game for the given number of players (1 to 4): no parts, player 1 first.
    void newGame(int players);
    // A number of players read from the settings file may lie outside 1 to 4:
    // the game plays, and the window shows, the nearest.
    static int clampPlayers(int players);

    // A random part for the flashing picture (one draw).
    static int flashPart();
    // The parts that show part n as it would look on a snowman: the arms with
    // the body they hang on, the face on the head, the buttons on the body.
    static std::vector<int> shownParts(int n);

    // The current player's stop: draws the chance, then the part. Nothing is
    // recorded; a useful part is added with addPart.
    FrostyStop drawStop() const;
    void addPart(int player, int part);

    // Passes the turn on. At the end of a round the turn goes back to player 1
    // and the finished flags are set.
    FrostyNext nextPlayer();

    // 1 for each player 1 to 4 in the game whose snowman was complete at the
    // end of the last round, else 0 (position 0 unused).
    const std::array<int, kFrostyMaxPlayers + 1>& finished() const { return Finished; }

    // The game's state under the window's names (position 0 unused).
    int GameOn = 0;
    int Player = 1;
    int Players = 1;
    std::array<int, kFrostyMaxPlayers + 1> PartCount{};
    std::array<std::array<int, kFrostyParts + 1>, kFrostyMaxPlayers + 1> HasPart{};
    std::array<int, kFrostyMaxPlayers + 1> Finished{};
};

// The prompt of a turn: CR, "Player n:", CR, the name, CR, "Your Turn".
std::string frostyTurnText(int player, const std::string& name);
// What the window shows while no game runs.
std::string frostyIdleText();
