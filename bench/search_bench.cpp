// How long "New Puzzle" in Word Search keeps a child waiting: one build from a
// full list of 500 words.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "launcher/item_reader.h"
#include "launcher/module1.h"
#include "platform/vbmath.h"
#include "wordgames/search_rules.h"
#include "wordgames/word_list.h"

namespace {

// Made-up words of consonants and vowels, 3 to 12 letters, always the same.
std::vector<std::string> madeUpWords(std::size_t count, unsigned seed) {
    static const char consonants[] = "BCDFGHJKLMNPRSTVWZ";
    static const char vowels[] = "AEIOU";
    std::mt19937 gen(seed);
    std::vector<std::string> words;
    while (words.size() < count) {
        int len = 3 + static_cast<int>(gen() % 10);
        std::string w;
        for (int j = 0; j < len; ++j)
            w += j % 2 == 0 ? consonants[gen() % (sizeof consonants - 1)]
                            : vowels[gen() % (sizeof vowels - 1)];
        words.push_back(w);
    }
    return words;
}

// The shipped list from the program's folder, made up to 500 words.
std::vector<std::string> shippedWordsTo500() {
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    std::vector<std::string> words;
    if (std::optional<std::string> text = readWholeFile((folder / kWordListFile).string()))
        words = parseWordList(*text);
    std::vector<std::string> more = madeUpWords(kMaxWords, 7);
    for (std::size_t i = 0; words.size() < static_cast<std::size_t>(kMaxWords); ++i) words.push_back(more[i]);
    return words;
}

void useWords(const std::vector<std::string>& words) {
    gWordList.assign(kMaxWords + 1, std::string());
    for (std::size_t i = 0; i < words.size(); ++i) gWordList[i + 1] = words[i];
    gWordCount = static_cast<int>(words.size());
}

void buildFrom(benchmark::State& state, const std::vector<std::string>& words) {
    useWords(words);
    SearchPuzzle puzzle;
    double seed = 1;
    int placed = 0, builds = 0;
    for (auto _ : state) {
        Randomize(seed);
        seed += 1;
        puzzle.NewPuzzle();
        benchmark::DoNotOptimize(puzzle.Letter);
        placed += puzzle.NumPlaced;
        ++builds;
    }
    state.counters["words_placed"] = builds ? static_cast<double>(placed) / builds : 0.0;
}

void BM_SearchFromShippedList(benchmark::State& state) { buildFrom(state, shippedWordsTo500()); }
void BM_SearchFromMadeUpWords(benchmark::State& state) { buildFrom(state, madeUpWords(kMaxWords, 11)); }

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
