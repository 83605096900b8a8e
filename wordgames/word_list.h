#pragma once
// The shared word list and its file "words.txt": loading it once for the word
// games, saving what the editor made of it, and the list the editor shows.
// No Qt here; the editor window only mirrors WordListEntries in its list box.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data_file.h"

// The longest word the 16 by 16 puzzle grids can hold.
constexpr int kMaxWordLength = 16;

// The word list file's name in the program's folder.
inline constexpr const char* kWordListFile = "words.txt";

// A word the games can use: 1 to kMaxWordLength characters, each "A" to "Z".
bool isListWord(std::string_view word);

// "a" to "z" become capitals; every other character stays as it is.
std::string upperCaseWord(std::string_view text);

// The usable words of a word list file, in file order, upper-cased, at most
// kMaxWords of them. Items are read as the settings file's are (commas and line
// ends alike, quotes optional); an item that is empty, holds anything but
// letters or is longer than kMaxWordLength is dropped.
std::vector<std::string> parseWordList(std::string_view text);

// How much of a word list file is read at most while looking for its words:
// room for 500 words with any number of blank lines between them, and not so
// much that a file of nothing but blanks keeps the game waiting.
inline constexpr std::size_t kMaxWordListReadBytes = std::size_t{8} << 20;

struct WordListFile {
    FileRead read = FileRead::Missing;
    std::vector<std::string> words;  // as parseWordList gives them; none unless Done
    // Read, and holding items, but not one usable word: a list written in a
    // way this reader does not take (all on one line, say). A file of nothing
    // but blanks and line ends holds no item.
    bool withoutWords = false;
};

// Reads the file as far as its first kMaxWordListReadBytes, and no further than
// its first kMaxWords usable words. Refused as well: text in a two- or four-byte
// encoding (a UTF-16 byte-order mark, or a zero byte), whose letters this
// 8-bit reader would not know, and a file still holding blanks or unusable
// items beyond the bound before its words run out.
WordListFile readWordListFile(const std::string& path);

// The winter words the games fall back on when "words.txt" yields none.
const std::vector<std::string>& builtInWords();

// Fills gWordList and gWordCount from "words.txt" in the program's folder, unless
// the list is loaded already (gWordCount not 0). A missing, unreadable or empty
// file, or one without a usable word, gives builtInWords(), so the count is
// never left at 0. A file that was there but could not be read, or held items
// but no usable word, is remembered, so that the editor does not write the
// fallback words over it.
void LoadWordList();

// The text of "words.txt" for these words: each between double quotes on a line
// of its own, every line ending in CR LF, the last one too.
std::string wordListFileText(const std::vector<std::string>& words);

enum class WordListSave {
    Saved,
    NotWritten,        // the file could not be written (errno tells why); the old one is whole
    KeptUnread,        // the file there could not be read, so it was not replaced
    KeptWithoutWords,  // the file there held no usable word, so it was not replaced
};

// What the editor does when it closes:
// - the words, in the order given (at most kMaxWords), go to gWordList
//   positions 1 on and into gWordCount, whatever comes of the file;
// - they are written to "words.txt" through a temporary file;
// - but a file that stands there and could not be read, or held items but no
//   usable word, when the list was loaded or now, is the parent's list still:
//   it is not replaced by words that never came from it.
WordListSave SaveWordList(const std::vector<std::string>& words);

// The entries of the editor's list box, kept the way a sorted list box keeps
// them: a new word goes in front of the first entry that sorts after it, while
// a replaced word keeps the place of the word it replaced (so after a replace
// the list may be out of order until the editor is opened again).
class WordListEntries {
public:
    WordListEntries() = default;

    // The shared list, positions 1 to gWordCount, each added in turn.
    static WordListEntries fromSharedList();

    // Adds the text as a word in its sorted place and returns its index (from
    // 0). Lower-case letters become capitals. Nothing is added, and -1 comes
    // back, when the list holds kMaxWords words already or the text is not a
    // usable word (empty, or pasted text holding other characters).
    int add(std::string_view text);

    // The entry at index takes the text, in the same place. False, and no
    // change, for an index outside the list or a text that is not a usable word.
    bool replace(int index, std::string_view text);

    // Removes the entry at index; false for an index outside the list.
    bool remove(int index);

    bool full() const;
    int size() const { return static_cast<int>(entries_.size()); }
    const std::string& at(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};
