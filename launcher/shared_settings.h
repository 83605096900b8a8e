#pragma once
// The shared settings, read at start-up from "vantrel5.ini" and written at
// exit; the games and their options dialogs read and change them in between.
// No Qt here, so the games' rules can use it.
#include <array>
#include <cstdint>
#include <string>

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
