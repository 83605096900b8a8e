#pragma once
// The words the word games share: the word list, loaded by the first word game
// opened and changed by the word list editor, and the word Snow-Man is to
// guess. No Qt here, so the games' rules can use it.
#include <string>
#include <vector>

// The shared word list: words at positions 1 to gWordCount; 0 means not loaded yet.
constexpr int kMaxWords = 500;
extern std::vector<std::string> gWordList;  // kMaxWords + 1 entries
extern int gWordCount;
// The word that Snow-Man is to guess.
extern std::string gSnowWord;
