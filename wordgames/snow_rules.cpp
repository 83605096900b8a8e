#include "wordgames/snow_rules.h"

#include <algorithm>

#include "platform/vbmath.h"

namespace {

using Step = std::vector<int>;

// What each miss melts, for 5 to 11 misses allowed. Fewer guesses melt some
// parts together, so that the last allowed miss always takes the body.
const std::vector<Step>& meltTable(int allowed) {
    static const std::array<std::vector<Step>, 7> table = {{
        /* 5 */ {{11, 10, 9}, {8, 7, 6}, {5, 4, 3}, {2}, {1}},
        /* 6 */ {{11, 10}, {9}, {8, 7, 6}, {5, 4, 3}, {2}, {1}},
        /* 7 */ {{11}, {10}, {9}, {8, 7, 6}, {5, 4, 3}, {2}, {1}},
        /* 8 */ {{11, 10}, {9}, {8, 7, 6}, {5}, {4}, {3}, {2}, {1}},
        /* 9 */ {{11}, {10}, {9}, {8, 7, 6}, {5}, {4}, {3}, {2}, {1}},
        /* 10 */ {{11, 10}, {9}, {8}, {7}, {6}, {5}, {4}, {3}, {2}, {1}},
        /* 11 */ {{11}, {10}, {9}, {8}, {7}, {6}, {5}, {4}, {3}, {2}, {1}},
    }};
    return table[static_cast<std::size_t>(allowed - 5)];
}

SnowStep makeStep(SnowStepKind kind, int position = 0) {
    SnowStep step;
    step.kind = kind;
    step.position = position;
    return step;
}

}  // namespace

int snowAllowed(int wordLength) { return std::clamp(14 - wordLength, 5, 11); }

std::vector<int> snowMeltParts(int allowed, int miss) {
    if (allowed < 5 || allowed > 11) return {};
    const std::vector<Step>& steps = meltTable(allowed);
    if (miss < 1 || miss > static_cast<int>(steps.size())) return {};
    return steps[static_cast<std::size_t>(miss - 1)];
}

std::string chooseComputerWord(const std::vector<std::string>& words, int count) {
    // Single precision, as the draw itself: a draw just below 1 still gives the last word.
    const int k = std::min(Int(Rnd() * static_cast<float>(count)) + 1, count);
    if (k < 1 || k >= static_cast<int>(words.size())) return "";
    return words[static_cast<std::size_t>(k)];
}

void SnowRules::newWord(const std::string& word) {
    Word = word;
    WordLen = static_cast<int>(word.size());
    Allowed = snowAllowed(WordLen);
    Misses = 0;
    Shown.assign(word.size(), '*');
    Revealed = 0;
    GameOn = 1;
    picked_.fill(false);
}

bool SnowRules::picked(int Index) const {
    return Index >= 0 && Index < kSnowLetters && picked_[static_cast<std::size_t>(Index)];
}

std::vector<SnowStep> SnowRules::pickLetter(int Index) {
    std::vector<SnowStep> steps;
    if (Index < 0 || Index >= kSnowLetters) return steps;
    if (Misses >= Allowed || picked(Index) || GameOn == 0) return steps;

    picked_[static_cast<std::size_t>(Index)] = true;
    steps.push_back(makeStep(SnowStepKind::Picked));
    const char letter = static_cast<char>('A' + Index);

    if (Word.find(letter) != std::string::npos) {
        for (int j = 1; j <= WordLen; ++j) {
            if (Word[static_cast<std::size_t>(j - 1)] != letter) continue;
            Shown[static_cast<std::size_t>(j - 1)] = letter;
            ++Revealed;
            steps.push_back(makeStep(SnowStepKind::Reveal, j));
        }
        if (Revealed >= WordLen) steps.push_back(makeStep(SnowStepKind::Win));
        return steps;
    }

    ++Misses;
    SnowStep miss = makeStep(SnowStepKind::Miss);
    miss.guessesLeft = guessesLeft();
    miss.parts = snowMeltParts(Allowed, Misses);
    steps.push_back(miss);
    if (guessesLeft() == 1) steps.push_back(makeStep(SnowStepKind::SunOut));
    if (Misses >= Allowed) steps.push_back(makeStep(SnowStepKind::Loss));
    return steps;
}
