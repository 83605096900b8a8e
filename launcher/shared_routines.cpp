#include "launcher/shared_routines.h"

#include <algorithm>
#include <utility>

#include "platform/seam.h"
#include "platform/vbmath.h"

std::string gAppPath;

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
