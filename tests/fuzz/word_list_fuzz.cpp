#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "launcher/shared_words.h"
#include "wordgames/word_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto words = parseWordList(std::string_view(reinterpret_cast<const char*>(data), size));
    // The grids index by letter and length: a word that slipped through with
    // another character or too many letters would run off them.
    if (words.size() > static_cast<std::size_t>(kMaxWords)) std::abort();
    for (const auto& word : words)
        if (!isListWord(word)) std::abort();
    return 0;
}
