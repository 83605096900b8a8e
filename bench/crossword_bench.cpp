// How long "New" in Crosswords keeps a child waiting: one build from a full
// list of 500 words.
#include <benchmark/benchmark.h>

#include "bench/word_lists.h"
#include "wordgames/crossword_builder.h"

namespace {

using namespace benchwords;

void BM_CrosswordFromShippedList(benchmark::State& state) {
    buildFrom(state, shippedWordsTo500(), &CrossPuzzle::ListOrder);
}
void BM_CrosswordFromMadeUpWords(benchmark::State& state) {
    buildFrom(state, madeUpWords(kMaxWords, 11), &CrossPuzzle::ListOrder);
}

}  // namespace

BENCHMARK(BM_CrosswordFromShippedList)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CrosswordFromMadeUpWords)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
