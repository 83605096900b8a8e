// How long "New Puzzle" in Word Search keeps a child waiting: one build from a
// full list of 500 words.
#include <benchmark/benchmark.h>

#include "bench/word_lists.h"
#include "wordgames/search_rules.h"

namespace {

using namespace benchwords;

void BM_SearchFromShippedList(benchmark::State& state) {
    buildFrom(state, shippedWordsTo500(), &SearchPuzzle::Letter);
}
void BM_SearchFromMadeUpWords(benchmark::State& state) {
    buildFrom(state, madeUpWords(kMaxWords, 11), &SearchPuzzle::Letter);
}

}  // namespace

BENCHMARK(BM_SearchFromShippedList)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SearchFromMadeUpWords)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
