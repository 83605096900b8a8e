#include "launcher/shared_settings.h"

std::int16_t gMatchPlayers = 0, gMatchPairs = 0, gMatchVsComputer = 0, gMatchDifficulty = 0;
std::int16_t gRudolphPeek = 0, gRudolphCount = 0;
std::int16_t gTrimPlayers = 0, gTrimDifficulty = 0, gTrimFirst = 0;
std::int16_t gFrostyPlayers = 0;
std::array<std::string, 5> gFrostyNames;
std::int16_t gPuzzleSize = 0;
std::int16_t gSledAbility = 0;
std::int16_t gFightPlayers = 0, gFightBalls = 0, gFightDifficulty = 0;
std::int16_t gSnowComputerWord = 0;
std::int16_t gSPuzSize = 0, gSPuzDifficulty = 0;
std::int16_t gMancPlayers = 0, gMancDifficulty = 0, gMancFirst = 0;
std::int16_t gDropHighScore = 0;
std::int16_t gDreidPlayers = 0;
std::array<std::string, 5> gDreidNames;
