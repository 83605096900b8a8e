#include "wordgames/word_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "launcher/shared_routines.h"
#include "launcher/shared_words.h"
#include "platform/data_file.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Runs a test in a folder of its own as the program's folder, and gives the
// shared word list back as it found it.
class WordListTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedPath_ = gAppPath;
        savedList_ = gWordList;
        savedCount_ = gWordCount;
        gAppPath = dir_.path().string() + "/";
        gWordCount = 0;
    }
    void TearDown() override {
        gAppPath = savedPath_;
        gWordList = savedList_;
        gWordCount = savedCount_;
    }

    void writeWords(const std::string& content) {
        std::ofstream out(dir_.file("words.txt"), std::ios::binary);
        out << content;
    }
    std::vector<std::string> sharedList() const {
        return std::vector<std::string>(gWordList.begin() + 1, gWordList.begin() + 1 + gWordCount);
    }

    TempDir dir_;

private:
    std::string savedPath_;
    std::vector<std::string> savedList_;
    int savedCount_ = 0;
};

using Words = std::vector<std::string>;

}  // namespace

TEST(WordListParse, KeepsLetterWordsInCapitalsAndDropsTheRest) {
    EXPECT_EQ(parseWordList("\"apple\"\r\n\"ICE-CREAM\"\r\n\"ABC1\"\r\n\"Bell\"\r\n"),
              (Words{"APPLE", "BELL"}));
    // Quotes are optional and commas separate words as line ends do.
    EXPECT_EQ(parseWordList("snow,\"ice\" , sled\nstar"), (Words{"SNOW", "ICE", "SLED", "STAR"}));
    // A blank inside a word, an accented letter or a quote left open spoil only their own item.
    EXPECT_EQ(parseWordList("SNOW MAN\r\nNO\xC9L\r\nTREE\r\n\"HOLLY"), (Words{"TREE", "HOLLY"}));
    // A byte-order mark from a text editor is no part of the first word.
    EXPECT_EQ(parseWordList("\xEF\xBB\xBF"
                            "apple\r\nbell\r\n"),
              (Words{"APPLE", "BELL"}));
}

TEST(WordListParse, SkipsEmptyItemsAndWordsTooLongForTheGrid) {
    EXPECT_EQ(parseWordList("\r\n\"SNOW\"\r\n\r\n\"\"\r\n,,STAR,\r\n"), (Words{"SNOW", "STAR"}));
    const std::string sixteen = "ABCDEFGHIJKLMNOP";
    const std::string seventeen = sixteen + "Q";
    EXPECT_EQ(parseWordList(sixteen + "\r\n" + seventeen + "\r\n"), Words{sixteen});
    EXPECT_TRUE(parseWordList("").empty());
}

TEST(WordListParse, StopsAtFiveHundredWords) {
    std::string text;
    for (int i = 0; i < 600; ++i) {
        // Words made of letters only: AAA, AAB, ...
        std::string w = {char('A' + i / 676), char('A' + i / 26 % 26), char('A' + i % 26)};
        text += "\"" + w + "\"\r\n";
    }
    Words words = parseWordList(text);
    ASSERT_EQ(words.size(), 500u);
    EXPECT_EQ(words.front(), "AAA");
    EXPECT_EQ(words.back(), "ATF");  // the 500th of the file
}

TEST_F(WordListTest, LoadReadsTheFileOnceIntoTheSharedList) {
    writeWords("\"apple\"\r\n\"ICE-CREAM\"\r\n\"BELL\"\r\n");
    LoadWordList();
    EXPECT_EQ(gWordCount, 2);
    EXPECT_EQ(sharedList(), (Words{"APPLE", "BELL"}));

    // Loaded already: the file is not read again.
    writeWords("\"STAR\"\r\n");
    LoadWordList();
    EXPECT_EQ(sharedList(), (Words{"APPLE", "BELL"}));
}

TEST_F(WordListTest, LoadOfSixHundredWordsKeepsTheFirstFiveHundred) {
    std::string text;
    Words expected;
    for (int i = 0; i < 600; ++i) {
        std::string w = {char('A' + i / 676), char('A' + i / 26 % 26), char('A' + i % 26), 'S'};
        text += "\"" + w + "\"\r\n";
        if (i < 500) expected.push_back(w);
    }
    writeWords(text);
    LoadWordList();
    EXPECT_EQ(gWordCount, 500);
    EXPECT_EQ(sharedList(), expected);
}

TEST_F(WordListTest, LoadFallsBackOnBuiltInWordsWhenTheFileGivesNone) {
    const Words& fallback = builtInWords();
    // The fallback list itself must be usable by every game.
    ASSERT_GE(fallback.size(), 20u);
    for (const std::string& w : fallback) EXPECT_TRUE(isListWord(w)) << w;

    // Missing file.
    LoadWordList();
    EXPECT_EQ(sharedList(), fallback);
    EXPECT_FALSE(fs::exists(dir_.path() / "words.txt"));  // left for the editor to write

    // Empty file, and a file of only unusable items.
    for (const char* content : {"", "\r\n\r\n", "\"ICE-CREAM\"\r\n\"123\"\r\n\"\"\r\n"}) {
        gWordCount = 0;
        writeWords(content);
        LoadWordList();
        EXPECT_EQ(sharedList(), fallback) << "file: " << content;
    }

    // A file that runs on with blanks, past what any word list could need.
    gWordCount = 0;
    writeWords("\"SNOW\"\r\n" + std::string(kMaxWordListReadBytes, ' '));
    LoadWordList();
    EXPECT_EQ(sharedList(), fallback);

    // A named pipe is not waited for, and a folder where the file should be is not read.
    gWordCount = 0;
    fs::remove(dir_.path() / "words.txt");
    ASSERT_EQ(::mkfifo(dir_.file("words.txt").c_str(), 0644), 0);
    LoadWordList();
    EXPECT_EQ(sharedList(), fallback);
    gWordCount = 0;
    fs::remove(dir_.path() / "words.txt");
    fs::create_directory(dir_.path() / "words.txt");
    LoadWordList();
    EXPECT_EQ(sharedList(), fallback);
}

TEST_F(WordListTest, SaveWritesQuotedLinesInListOrderAndTheSharedList) {
    Words words = {"TREE", "HOLLY", "STAR"};
    ASSERT_EQ(SaveWordList(words), WordListSave::Saved);
    EXPECT_EQ(readWholeFile(gAppPath + "words.txt"), "\"TREE\"\r\n\"HOLLY\"\r\n\"STAR\"\r\n");
    EXPECT_EQ(gWordCount, 3);
    EXPECT_EQ(sharedList(), words);
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);

    // What was saved loads back the same in a later run.
    gWordCount = 0;
    LoadWordList();
    EXPECT_EQ(sharedList(), words);
}

TEST_F(WordListTest, SaveThatCannotWriteStillUpdatesTheSharedList) {
    writeWords("\"BELL\"\r\n");
    gAppPath = dir_.file("no such folder") + "/";
    EXPECT_EQ(SaveWordList({"SNOW", "STAR"}), WordListSave::NotWritten);
    EXPECT_EQ(sharedList(), (Words{"SNOW", "STAR"}));
    EXPECT_EQ(readWholeFile(dir_.file("words.txt")), "\"BELL\"\r\n");
}

TEST_F(WordListTest, EditorListOfSixHundredWordLoadSavesFiveHundredSorted) {
    std::string text;
    for (int i = 599; i >= 0; --i) {
        std::string w = {char('A' + i / 676), char('A' + i / 26 % 26), char('A' + i % 26)};
        text += "\"" + w + "\"\r\n";
    }
    writeWords(text);
    LoadWordList();
    WordListEntries entries = WordListEntries::fromSharedList();
    ASSERT_EQ(entries.size(), 500);
    EXPECT_TRUE(entries.full());
    EXPECT_EQ(entries.add("SNOW"), -1);
    EXPECT_EQ(entries.size(), 500);
    ASSERT_EQ(SaveWordList(entries.entries()), WordListSave::Saved);

    Words saved = parseWordList(*readWholeFile(gAppPath + "words.txt"));
    ASSERT_EQ(saved.size(), 500u);
    EXPECT_TRUE(std::is_sorted(saved.begin(), saved.end()));
    // The file runs from AXB down to AAA; its first 500 words are AXB down to ADW.
    EXPECT_EQ(saved.front(), "ADW");
    EXPECT_EQ(saved.back(), "AXB");
}

TEST(WordListEntries, AddPutsAWordInItsSortedPlace) {
    WordListEntries list;
    EXPECT_EQ(list.add("STAR"), 0);
    EXPECT_EQ(list.add("BELL"), 0);
    EXPECT_EQ(list.add("holly"), 1);
    EXPECT_EQ(list.entries(), (Words{"BELL", "HOLLY", "STAR"}));
    EXPECT_EQ(list.add("ZEBRA"), 3);
    // The same word may stand twice.
    EXPECT_EQ(list.add("BELL"), 1);
    EXPECT_EQ(list.entries(), (Words{"BELL", "BELL", "HOLLY", "STAR", "ZEBRA"}));

    // Nothing to add, or pasted text that is no word of letters.
    EXPECT_EQ(list.add(""), -1);
    EXPECT_EQ(list.add("ICE CREAM"), -1);
    EXPECT_EQ(list.add("SNOW7"), -1);
    EXPECT_EQ(list.size(), 5);
}

TEST(WordListEntries, ReplaceKeepsThePlaceAndDeleteRemoves) {
    WordListEntries list;
    for (const char* w : {"BELL", "HOLLY", "STAR"}) list.add(w);
    EXPECT_TRUE(list.replace(0, "tree"));
    EXPECT_EQ(list.entries(), (Words{"TREE", "HOLLY", "STAR"}));
    // A later word goes in front of the first entry that sorts after it, even
    // where the replaced word broke the order.
    EXPECT_EQ(list.add("ANGEL"), 0);
    EXPECT_EQ(list.add("ROBIN"), 1);
    EXPECT_EQ(list.entries(), (Words{"ANGEL", "ROBIN", "TREE", "HOLLY", "STAR"}));

    EXPECT_FALSE(list.replace(2, ""));
    EXPECT_FALSE(list.replace(2, "ICE-CREAM"));
    EXPECT_FALSE(list.replace(5, "SNOW"));
    EXPECT_FALSE(list.replace(-1, "SNOW"));
    EXPECT_EQ(list.at(2), "TREE");

    EXPECT_TRUE(list.remove(2));
    EXPECT_FALSE(list.remove(4));
    EXPECT_FALSE(list.remove(-1));
    EXPECT_EQ(list.entries(), (Words{"ANGEL", "ROBIN", "HOLLY", "STAR"}));
}

TEST_F(WordListTest, EditorOpenedAgainShowsAReplacedListSorted) {
    WordListEntries list;
    for (const char* w : {"BELL", "HOLLY", "STAR"}) list.add(w);
    list.replace(0, "TREE");
    ASSERT_EQ(SaveWordList(list.entries()), WordListSave::Saved);
    EXPECT_EQ(readWholeFile(gAppPath + "words.txt"), "\"TREE\"\r\n\"HOLLY\"\r\n\"STAR\"\r\n");
    EXPECT_EQ(WordListEntries::fromSharedList().entries(), (Words{"HOLLY", "STAR", "TREE"}));
}

TEST(ShippedWordList, IsWellFormedAndFullyUsable) {
    std::optional<std::string> text = readWholeFile(QUENVALE_SOURCE_DIR "/assets/words.txt");
    ASSERT_TRUE(text.has_value());
    ASSERT_FALSE(text->empty());
    ASSERT_TRUE(text->ends_with("\r\n"));

    // Line by line: one quoted word of 3 to 15 capitals, CR LF after each.
    std::set<std::string> seen;
    std::size_t pos = 0;
    int lines = 0;
    while (pos < text->size()) {
        std::size_t end = text->find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "line " << lines + 1 << " has no CR LF";
        std::string line = text->substr(pos, end - pos);
        ++lines;
        ASSERT_GE(line.size(), 5u) << line;
        EXPECT_EQ(line.front(), '"') << line;
        EXPECT_EQ(line.back(), '"') << line;
        std::string word = line.substr(1, line.size() - 2);
        EXPECT_GE(word.size(), 3u) << word;
        EXPECT_LE(word.size(), 15u) << word;
        EXPECT_TRUE(isListWord(word)) << word;
        EXPECT_TRUE(seen.insert(word).second) << "twice: " << word;
        pos = end + 2;
    }
    EXPECT_GE(lines, 250);
    EXPECT_LE(lines, 500);
    EXPECT_EQ(parseWordList(*text).size(), static_cast<std::size_t>(lines));
}
