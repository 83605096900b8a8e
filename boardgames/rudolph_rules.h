#pragma once
// Where's Rudolph without the window: which reindeer hides behind which door,
// which one is asked for next, and what a door click means. The window
// frmRudolph owns one RudolphRules for its whole life and turns each answer
// into drawing, sounds and pauses.
#include <array>

inline constexpr int kRudolphDoors = 9;
inline constexpr int kRudolphMinCount = 2;

// The reindeer, by number 1 to 9 (position 0 unused): name and the sound that
// says it, in the program's folder.
inline constexpr std::array<const char*, kRudolphDoors + 1> kReindeerNames = {
    "", "Comet", "Cupid", "Blitzen", "Vixen", "Dasher", "Dancer", "Prancer", "Donner", "Rudolph"};
inline constexpr std::array<const char*, kRudolphDoors + 1> kReindeerSounds = {
    "",           "Comet.wav",  "Cupid.wav",   "Blitzen.wav", "Vixen.wav",
    "Dasher.wav", "Dancer.wav", "Prancer.wav", "Donner.wav",  "Rudolph.wav"};
// Played, one of them at random, when the right door is found.
inline constexpr std::array<const char*, 3> kRudolphPraise = {"hohoho.wav", "thanks.wav", "good.wav"};

// What a click on a door turned out to be.
enum class DoorOutcome {
    Ignored,    // no game, the peek still showing, a found door or a door not in play: not counted
    Wrong,      // counted; the reindeer asked for hides elsewhere
    Right,      // counted and found; others are still hidden
    LastFound,  // counted and found, and it was the last one: the game is won
};

struct DoorClick {
    DoorOutcome outcome = DoorOutcome::Ignored;
    int praise = 0;  // Right and LastFound: which of kRudolphPraise to play
};

class RudolphRules {
public:
    // The options dialog's choices, as the window reads them from the shared
    // settings: the reindeer in play and whether the doors open for a peek (1).
    struct Settings {
        int Count = kRudolphMinCount;
        int Peek = 0;

        // What the stored values stand for, as the options dialog shows them
        // and the game plays them: a count from outside its range (a settings
        // file edited by hand) stands for the nearest count, and only a Peek of
        // 1 for "Yes".
        Settings chosen() const;
    };

    // New Game with the given settings: clears every door, puts a different
    // reindeer behind each of the nine doors through Shuffle (8 draws) and
    // resets the counters. The caller then shows the peek or asks for the
    // first reindeer.
    void newGame(const Settings& settings);

    // The peek is over: door clicks count from now on.
    void closeDoors();

    // A door not found yet, each equally likely (one draw), for N doors left.
    int RandomOpenDoor(int N) const;
    // Chooses the door to ask for next among the DoorsLeft not found and makes
    // it the Target; returns the reindeer behind it.
    int Next_One(int N);

    // The rules of a click on door i (one draw for the praise when it is right).
    DoorClick pickDoor(int i);

    // The end of a game, by the last reindeer or by Stop.
    void endGame();

    // The game's state under the window's names; doors 1 to 9 (position 0 unused).
    int GameOn = 0;
    std::array<int, kRudolphDoors + 1> Order{};
    std::array<int, kRudolphDoors + 1> Found{};
    int DoorsLeft = 0;
    int Target = 0;
    int Guesses = 0;
    // Doors in play in the game under way (read at New Game) and whether they
    // still stand open for a peek.
    int Count = kRudolphMinCount;
    int Peeking = 0;
};
