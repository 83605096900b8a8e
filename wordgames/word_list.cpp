#include "wordgames/word_list.h"

#include <algorithm>

#include "launcher/item_reader.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_words.h"
#include "platform/data_file.h"

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

namespace {

// A text editor saving UTF-8 may put a byte-order mark in front of the first word.
std::string_view withoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return text;
}

}  // namespace

std::vector<std::string> parseWordList(std::string_view text) {
    std::vector<std::string> words;
    ItemReader reader(withoutByteOrderMark(text));
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

// A word list file that stood in the program's folder when the list was
// loaded and is not to be replaced, and why; no path when there was none.
struct KeptFile {
    std::string path;
    WordListSave why = WordListSave::Saved;
};

KeptFile& keptFile() {
    static KeptFile file;
    return file;
}

// Why a file read so is not to be replaced; Saved when it may be.
WordListSave keptBecause(const WordListFile& file) {
    if (file.read == FileRead::Refused) return WordListSave::KeptUnread;
    if (file.withoutWords) return WordListSave::KeptWithoutWords;
    return WordListSave::Saved;
}

bool holdsAnItem(std::string_view text) {
    ItemReader reader(withoutByteOrderMark(text));
    while (std::optional<std::string> item = reader.next())
        if (!item->empty()) return true;
    return false;
}

}  // namespace

WordListFile readWordListFile(const std::string& path) {
    WordListFile file;
    std::string text;
    bool wide = false;
    // Looked at after the first 64 KiB and at each doubling since, so that a
    // long list is read only as far as its 500th word and a long run of blank
    // lines costs no more than twice its reading.
    std::size_t nextLook = std::size_t{64} << 10;
    file.read = readFileInPieces(path, kMaxWordListReadBytes, [&](std::string_view piece) {
        text.append(piece);
        // Text saved as "Unicode" by a common editor starts with a UTF-16
        // byte-order mark, and any wide text holds zero bytes: its letters are
        // not letters to this 8-bit reader, and the parent's words would be lost.
        wide = text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ||
               piece.find('\0') != std::string_view::npos;
        if (wide) return false;
        if (text.size() < nextLook) return true;
        nextLook = text.size() * 2;
        // Up to the last delimiter, every item is whole: an item still open
        // there is a quote running over it, which no word holds.
        const std::size_t cut = text.find_last_of(",\r\n");
        if (cut == std::string::npos) return true;
        file.words = parseWordList(std::string_view(text).substr(0, cut + 1));
        return static_cast<int>(file.words.size()) < kMaxWords;
    });
    if (wide) file.read = FileRead::Refused;
    if (file.read != FileRead::Done) {
        file.words.clear();
    } else if (static_cast<int>(file.words.size()) < kMaxWords) {
        file.words = parseWordList(text);
        file.withoutWords = file.words.empty() && holdsAnItem(text);
    }
    return file;
}

void LoadWordList() {
    if (gWordCount != 0) return;
    const std::string path = FullPath(kWordListFile);
    WordListFile file = readWordListFile(path);
    const WordListSave why = keptBecause(file);
    keptFile() = {why == WordListSave::Saved ? std::string() : path, why};
    std::vector<std::string> words = std::move(file.words);
    // Without a word the games have nothing to play and the editor nothing to
    // show; a child should still get a puzzle, so a missing or spoilt file falls
    // back on a few winter words. The file itself is left alone until the
    // editor saves, and one that could not be read or held no word even then.
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

WordListSave SaveWordList(const std::vector<std::string>& words) {
    std::vector<std::string> kept(words.begin(),
                                  words.begin() + std::min(static_cast<std::ptrdiff_t>(words.size()),
                                                           static_cast<std::ptrdiff_t>(kMaxWords)));
    storeSharedList(kept);
    const std::string path = FullPath(kWordListFile);
    if (keptFile().path == path) return keptFile().why;
    if (const WordListSave why = keptBecause(readWordListFile(path)); why != WordListSave::Saved) return why;
    return writeFileReplacing(path, wordListFileText(kept)) ? WordListSave::Saved : WordListSave::NotWritten;
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
