#pragma once
// The shared module: the program's folder, the shared settings, the word list
// storage and the routines every game calls. No Qt here, so the games' rules
// can use it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The program's folder followed by one separator; every data file is named by
// joining it with a plain file name.
extern std::string gAppPath;

// The shared settings, read at start-up from "vantrel5.ini" and written at exit.
extern std::int16_t gMatchPlayers, gMatchPairs, gMatchVsComputer, gMatchDifficulty;
extern std::int16_t gRudolphPeek, gRudolphCount;
extern std::int16_t gTrimPlayers, gTrimDifficulty, gTrimFirst;
extern std::int16_t gFrostyPlayers;
extern std::array<std::string, 5> gFrostyNames;  // positions 1 to 4
extern std::int16_t gPuzzleSize;
extern std::int16_t gSledAbility;
extern std::int16_t gFightPlayers, gFightBalls, gFightDifficulty;
extern std::int16_t gSnowComputerWord;
extern std::int16_t gSPuzSize, gSPuzDifficulty;
extern std::int16_t gMancPlayers, gMancDifficulty, gMancFirst;
extern std::int16_t gDropHighScore;
extern std::int16_t gDreidPlayers;
extern std::array<std::string, 5> gDreidNames;  // positions 1 to 4

// The shared word list: words at positions 1 to gWordCount; 0 means not loaded yet.
constexpr int kMaxWords = 500;
extern std::vector<std::string> gWordList;  // kMaxWords + 1 entries
extern int gWordCount;
// The word that Snow-Man is to guess.
extern std::string gSnowWord;

std::string FullPath(const std::string& fileName);

// Plays a sound file: nothing at all for an empty name; otherwise stops the
// sound still playing, then plays. Flags 0 waits until it ends, 1 returns at once.
void PlaySoundFile(const std::string& soundFile, int flags);

// Fills Order at positions 1 to N with a random order of 1 to N, drawing
// exactly N - 1 numbers from Rnd (for j = N down to 2). Order must have room
// for position N; other positions are left alone.
void Shuffle(int N, std::vector<int>& Order);
void Shuffle(int N, int* Order);

// Returns after the given seconds without handling other events.
void Delay(double seconds);
