#pragma once
// Word lists for the word games' benchmarks: the shipped list made up to a
// full 500 words, or made-up words, put into the shared list.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "launcher/shared_words.h"
#include "platform/data_file.h"
#include "platform/vbmath.h"
#include "wordgames/word_list.h"

namespace benchwords {

// Made-up words of consonants and vowels, 3 to 12 letters, always the same.
inline std::vector<std::string> madeUpWords(std::size_t count, unsigned seed) {
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
inline std::vector<std::string> shippedWordsTo500() {
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    std::vector<std::string> words;
    if (std::optional<std::string> text = readWholeFile((folder / kWordListFile).string()))
        words = parseWordList(*text);
    std::vector<std::string> more = madeUpWords(kMaxWords, 7);
    for (std::size_t i = 0; words.size() < static_cast<std::size_t>(kMaxWords); ++i) words.push_back(more[i]);
    return words;
}

// The words as the shared list holds them: position 0 unused.
inline std::vector<std::string> listed(const std::vector<std::string>& words) {
    std::vector<std::string> list(1);
    list.insert(list.end(), words.begin(), words.end());
    return list;
}

// Builds one puzzle per iteration, each from a fresh seed, and counts the words placed.
template <class Puzzle, class Result>
void buildFrom(benchmark::State& state, const std::vector<std::string>& words, Result Puzzle::*result) {
    const std::vector<std::string> list = listed(words);
    const int count = static_cast<int>(words.size());
    Puzzle puzzle;
    double seed = 1;
    int placed = 0, builds = 0;
    for (auto _ : state) {
        Randomize(seed);
        seed += 1;
        puzzle.NewPuzzle(list, count);
        benchmark::DoNotOptimize(puzzle.*result);
        placed += puzzle.NumPlaced;
        ++builds;
    }
    state.counters["words_placed"] = builds ? static_cast<double>(placed) / builds : 0.0;
}

}  // namespace benchwords
