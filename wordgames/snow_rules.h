#pragma once
// Snow-Man: guess a word letter by letter before the snowman melts. The rules
// keep the word, what is revealed and how many wrong letters are left, and
// report each pick as steps that the window turns into sounds and pictures.
#include <array>
#include <string>
#include <vector>

// The snowman's parts, numbered in the order that they melt back to front:
// the body (1) goes last, the stocking (11) first.
enum SnowPart : int {
    kSnowBody = 1,
    kSnowHead = 2,
    kSnowEyes = 3,
    kSnowNose = 4,
    kSnowMouth = 5,
    kSnowButton1 = 6,
    kSnowButton2 = 7,
    kSnowButton3 = 8,
    kSnowHat = 9,
    kSnowArms = 10,
    kSnowStocking = 11
};
constexpr int kSnowParts = 11;
constexpr int kSnowLetters = 26;

// Wrong letters allowed for a word of this length: 14 - length, kept within 5 to 11.
int snowAllowed(int wordLength);

// The parts that the given miss hides when this many misses are allowed, in
// the order they are hidden; empty for a miss that cannot occur.
std::vector<int> snowMeltParts(int allowed, int miss);

// A word of words positions 1 to count (the window gives it the shared word
// list) drawn uniformly with one draw of Rnd; an empty word when the list
// holds none.
std::string chooseComputerWord(const std::vector<std::string>& words, int count);

enum class SnowStepKind {
    Picked,  // the letter's label goes
    Reveal,  // one position of the word is revealed (position, from 1)
    Win,     // every letter of the word is revealed
    Miss,    // a wrong letter: the guesses left and the parts that melt
    SunOut,  // one wrong letter is left
    Loss     // the last allowed wrong letter: the snowman has melted
};

struct SnowStep {
    SnowStepKind kind = SnowStepKind::Picked;
    int position = 0;        // Reveal
    int guessesLeft = 0;     // Miss
    std::vector<int> parts;  // Miss
};

class SnowRules {
public:
    // Starts guessing the word: everything hidden, every letter offered again.
    void newWord(const std::string& word);
    // Picks letter Index (0 for "A" to 25 for "Z"); no step at all when the
    // pick is not allowed (no word under way, letter picked before, no guess left).
    std::vector<SnowStep> pickLetter(int Index);
    // Ends the word under way; what is revealed and picked stays as it is.
    void stop() { GameOn = 0; }

    bool picked(int Index) const;
    int guessesLeft() const { return Allowed - Misses; }

    int GameOn = 0;
    int Allowed = 0;
    int Misses = 0;
    int WordLen = 0;
    int Revealed = 0;
    std::string Word;
    // The word as shown: its letters where found, "*" elsewhere.
    std::string Shown;

private:
    std::array<bool, kSnowLetters> picked_{};
};
