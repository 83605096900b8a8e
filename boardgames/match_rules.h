#pragma once
// Gift Match without the window: the deal, the turn flow of a card click for
// playing alone, against the computer and between two players, the end of the
// game, and the computer's memory and choices. The window frmMatch owns one
// MatchRules for its whole life (its fields outlive an unload, and KnownCard
// must carry over from one game to the next) and turns the steps it is given
// into drawing, prompts, sounds and pauses.
#include <array>
#include <string>
#include <vector>

// The toys, by number 1 to 15 (position 0 unused): picture file in the
// program's folder and the palette colour behind the toy while it is face up.
inline constexpr std::array<const char*, 16> kMatchToyPictures = {
    "",         "ball.wmf",  "bike.wmf",  "trike.wmf", "duck.wmf",  "buggy.wmf", "wagon.wmf", "doll.wmf",
    "drum.wmf", "horse.wmf", "block.wmf", "top.wmf",   "skate.wmf", "yoyo.wmf",  "jack.wmf",  "bear.wmf"};
inline constexpr std::array<int, 16> kMatchToyColors = {0,  14, 11, 14, 9,  13, 10, 14,
                                                        14, 12, 14, 12, 13, 9,  14, 11};
// The back of every card.
inline constexpr const char* kMatchCardBack = "gift.wmf";

inline constexpr int kMatchMaxPairs = 15;
inline constexpr int kMatchMinPairs = 2;
inline constexpr int kMatchMaxSlots = 2 * kMatchMaxPairs;

// One thing that happened during a card click, in the order it happened.
// What the window does for each kind (CR is one carriage return):
//   Beep                the warning beep.
//   Counter             lblMatch(counter) shows text, repainted at once.
//   ShowToy             ShowToy(picHidden(slot), toy).
//   Pair                PlaySoundFile(WowSound, 1); Delay(1); RemoveCard(first); RemoveCard(second).
//   Miss                PlaySoundFile(BoingSound, 1); Delay(1); CoverCard(first); CoverCard(second).
//   TurnPassed          nothing to show: player now has the turn (the prompt follows).
//   GameOver            the game has already ended (GameOn is 0): the frame's end of a game
//                       (buttons, "E&xit"), lblMessage = text; then PlaySoundFile(TadaSound, 0).
//                       Do not run cmdexit_Click here: with no game running it leaves the window.
//   Prompt              lblMessage = text; the click handler returns and waits for the next click.
//   ComputerSecondCard  Delay(0.5); lblMessage = text, repainted; Delay(1); then the computer's card.
//   ComputerTurn        lblMessage = text, repainted; Delay(1); then the computer's card.
// "The computer's card" is picHidden_Click(ComputerPick()): the window plays the
// slot the rules choose through its own click handler, exactly as a click.
enum class MatchStepKind {
    Beep,
    Counter,
    ShowToy,
    Pair,
    Miss,
    TurnPassed,
    GameOver,
    Prompt,
    ComputerSecondCard,
    ComputerTurn
};

struct MatchStep {
    explicit MatchStep(MatchStepKind k) : kind(k) {}
    MatchStepKind kind;
    int slot = 0;   // ShowToy
    int toy = 0;    // ShowToy
    int first = 0;  // Pair, Miss: the slots of the turn's two cards
    int second = 0;
    int counter = 0;   // Counter: which lblMatch, 1 or 2
    int player = 0;    // TurnPassed, Prompt, ComputerSecondCard, ComputerTurn: whose turn it is
    std::string text;  // Counter, GameOver and the prompts
};

// The two counter headings, lblP(1) and lblP(2).
struct MatchHeadings {
    std::string player1;
    std::string player2;
};

class MatchRules {
public:
    // The options dialog's choices, as the window reads them from the shared
    // settings: one or two players, the pairs dealt, whether one player plays
    // against the computer (1), and its difficulty 1 to 4.
    struct Settings {
        int Players = 1;
        int Pairs = 2;
        int VsComputer = 0;
        int Difficulty = 1;

        // What the stored values stand for, as the options dialog shows them
        // and the game plays them: a value from outside its range (a settings
        // file edited by hand) stands for the nearest choice, and only a
        // VsComputer of 1 for "Play Computer".
        Settings chosen() const;
    };

    // The headings for the settings' players and opponent: "You" over
    // "Guesses" or "Computer", or "Player 1" over "Player 2".
    static MatchHeadings counterHeadings(const Settings& settings);

    // New Game with the given settings: sets ForgetChance, clears every slot,
    // deals through Shuffle (2N - 1 draws), resets the counters and gives
    // player 1 the first pick. Returns the opening prompt. KnownCard is left as
    // it was.
    std::string newGame(const Settings& settings);

    // The rules of picHidden_Click(slot): what happened, in order. Empty when
    // the click is not a move (no game, a face-up or removed card, a slot the
    // game does not use). When the last step is ComputerSecondCard or
    // ComputerTurn the computer picks next (see MatchStep).
    std::vector<MatchStep> pickCard(int slot);

    // The end of a game, by the last pair or by Stop: GameOn = 0 and the text
    // for lblMessage, "Game Over" & CR and, only when no cards are left, the result.
    std::string endGame();

    // The computer's choice of its next card; the caller plays it through
    // picHidden_Click. Draws the forget roll first, then one more number when
    // the card is picked at random.
    int ComputerPick();
    // Sets KnownCard to the later card of the first fully known pair in slot
    // order, or 0.
    void FindKnownPair();
    // A face-down slot chosen at random (one draw).
    int RandomPick();

    bool playingAlone() const { return Players == 1 && VsComputer == 0; }
    bool againstComputer() const { return Players == 1 && VsComputer == 1; }
    bool twoPlayers() const { return Players == 2; }

    // The game's state under the window's names; slots 1 to 30, toys 1 to 15,
    // players 1 and 2 (position 0 of each array is unused).
    int GameOn = 0;
    std::array<int, kMatchMaxSlots + 1> Card{};
    std::array<int, kMatchMaxSlots + 1> Up{};
    std::array<int, kMatchMaxSlots + 1> Seen{};
    std::array<int, kMatchMaxPairs + 1> ToyCount{};
    int KnownCard = 0;
    std::array<int, 3> Pick{};
    int PickNo = 1;
    int Player = 1;
    int CardsLeft = 0;
    int Guesses = 0;
    std::array<int, 3> Matches{};
    float ForgetChance = 0.0f;

    // The settings of the game under way, read at New Game (the options dialog
    // cannot change them while a game runs).
    int Pairs = 2;
    int Players = 1;
    int VsComputer = 0;

private:
    std::string resultText() const;
};
