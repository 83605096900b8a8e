#include "launcher/module1.h"

#include <algorithm>
#include <utility>

#include "platform/seam.h"
#include "platform/vbmath.h"

std::string gAppPath;

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

std::vector<std::string> gWordList(kMaxWords + 1);
int gWordCount = 0;
std::string gSnowWord;

std::string FullPath(const std::string& fileName) { return gAppPath + fileName; }

void PlaySoundFile(const std::string& soundFile, int flags) {
    if (soundFile.empty()) return;
    seam().stopSound();
    seam().playSound(soundFile, flags == 0);
}

void Shuffle(int N, int* Order) {
    for (int i = 1; i <= N; ++i) Order[i] = i;
    for (int j = N; j >= 2; --j) {
        // Single precision, as the draw itself: a draw just below 1 still gives j at most.
        int k = std::min(Int(Rnd() * static_cast<float>(j)) + 1, j);
        std::swap(Order[k], Order[j]);
    }
}

void Shuffle(int N, std::vector<int>& Order) {
    if (static_cast<int>(Order.size()) < N + 1) Order.resize(N + 1);
    Shuffle(N, Order.data());
}

void Delay(double seconds) { seam().delay(seconds); }
