#include "wordgames/word_list.h"

#include <algorithm>

#include "launcher/data_file.h"
#include "launcher/item_reader.h"
#include "launcher/module1.h"

bool isListWord(std::string_view word) {
    if (word.empty() || word.size() > static_cast<std::size_t>(kMaxWordLength)) return false;
    return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string upperCaseWord(std::string_view text) {
    std::string word(text);
    // Only a to z: the file is 8-bit text, and accented letters are not for the
    // grids anyway, so they must fail the letter test rather than change.
    for (char& c : word)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return word;
}

std::vector<std::string> parseWordList(std::string_view text) {
    std::vector<std::string> words;
    // A text editor saving UTF-8 may put a byte-order mark in front of the first word.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    ItemReader reader(text);
    while (static_cast<int>(words.size()) < kMaxWords) {
        std::optional<std::string> item = reader.next();
        if (!item) break;
        std::string word = upperCaseWord(*item);
        // A blank line gives an empty item; the games need words of at least one
        // letter, and a word longer than the grid could never be placed.
        if (isListWord(word)) words.push_back(std::move(word));
    }
    return words;
}

const std::vector<std::string>& builtInWords() {
    static const std::vector<std::string> words = {
        "ANGEL",    "BELL",      "BLIZZARD", "CANDLE", "CANDY", "CAROL",  "COCOA",  "COLD",    "COOKIE",
        "DECEMBER", "FROST",     "GIFT",     "GLOVES", "HOLLY", "ICE",    "ICICLE", "JANUARY", "MITTENS",
        "ORNAMENT", "PENGUIN",   "REINDEER", "RIBBON", "SCARF", "SKATES", "SLED",   "SLEIGH",  "SNOW",
        "SNOWBALL", "SNOWFLAKE", "SNOWMAN",  "STAR",   "TREE",  "WINTER", "WREATH",
    };
    return words;
}

namespace {

void storeSharedList(const std::vector<std::string>& words) {
    if (gWordList.size() < static_cast<std::size_t>(kMaxWords + 1)) gWordList.resize(kMaxWords + 1);
    int count = std::min(static_cast<int>(words.size()), kMaxWords);
    for (int i = 0; i < count; ++i)
        gWordList[static_cast<std::size_t>(i + 1)] = words[static_cast<std::size_t>(i)];
    gWordCount = count;
}

}  // namespace

void LoadWordList() {
    if (gWordCount != 0) return;
    std::vector<std::string> words;
    if (std::optional<std::string> text = readWholeFile(FullPath(kWordListFile)))
        words = parseWordList(*text);
    // Without a word the games have nothing to play and the editor nothing to
    // show; a child should still get a puzzle, so a missing or spoilt file falls
    // back on a few winter words. The file itself is left alone until the
    // editor saves.
    if (words.empty()) words = builtInWords();
    storeSharedList(words);
}

std::string wordListFileText(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += '"';
        text += word;
        text += "\"\r\n";
    }
    return text;
}

bool SaveWordList(const std::vector<std::string>& words) {
    std::vector<std::string> kept(words.begin(),
                                  words.begin() + std::min(static_cast<std::ptrdiff_t>(words.size()),
                                                           static_cast<std::ptrdiff_t>(kMaxWords)));
    storeSharedList(kept);
    return writeFileReplacing(FullPath(kWordListFile), wordListFileText(kept));
}

WordListEntries WordListEntries::fromSharedList() {
    WordListEntries list;
    for (int i = 1; i <= gWordCount && i < static_cast<int>(gWordList.size()); ++i)
        list.add(gWordList[static_cast<std::size_t>(i)]);
    return list;
}

bool WordListEntries::full() const { return size() >= kMaxWords; }

int WordListEntries::add(std::string_view text) {
    std::string word = upperCaseWord(text);
    if (full() || !isListWord(word)) return -1;
    auto at = std::find_if(entries_.begin(), entries_.end(), [&](const std::string& e) { return e > word; });
    int index = static_cast<int>(at - entries_.begin());
    entries_.insert(at, std::move(word));
    return index;
}

bool WordListEntries::replace(int index, std::string_view text) {
    std::string word = upperCaseWord(text);
    if (index < 0 || index >= size() || !isListWord(word)) return false;
    entries_[static_cast<std::size_t>(index)] = std::move(word);
    return true;
}

bool WordListEntries::remove(int index) {
    if (index < 0 || index >= size()) return false;
    entries_.erase(entries_.begin() + index);
    return true;
}
