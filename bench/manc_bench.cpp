// How long the computer takes to choose its pit at the hardest level.
#include <benchmark/benchmark.h>

#include <vector>

#include "boardgames/manc_rules.h"
#include "launcher/shared_routines.h"
#include "platform/vbmath.h"

namespace {

// Positions from real play: random games from the opening, a position kept
// wherever the computer is to move.
std::vector<MancRules> positions() {
    Randomize(7);
    std::vector<MancRules> out;
    while (out.size() < 256) {
        MancRules r;
        r.newGame({2, 1, 0});
        r.Player = 1;
        while (r.Ended == 0) {
            if (r.Player == 2) out.push_back(r);
            int pit = 0;
            do {
                pit = Int(Rnd() * 6) + (r.Player == 1 ? 8 : 1);
            } while (!r.canMove(pit));
            bool freeTurn = false;
            r.SowSeeds(r.Player, pit, freeTurn);
            r.CheckGameEnd();
            if (!freeTurn) r.Player = r.Player == 1 ? 2 : 1;
        }
    }
    for (MancRules& r : out) r.MoveChance = 0.0f;  // "Difficult": never a random move by choice
    return out;
}

void BM_ChooseComputerPitDifficult(benchmark::State& state) {
    const std::vector<MancRules> boards = positions();
    Randomize(1);
    std::size_t i = 0;
    long sum = 0;
    for (auto _ : state) {
        sum += boards[i].ChooseComputerPit();
        i = (i + 1) % boards.size();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ChooseComputerPitDifficult);

}  // namespace

BENCHMARK_MAIN();
