#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

#include "launcher/shared_routines.h"
#include "launcher/shared_words.h"
#include "platform/data_file.h"
#include "platform/recording_seam.h"
#include "platform/text.h"
#include "platform/units.h"
#include "support/temp_dir.h"
#include "wordgames/frmEdit.h"
#include "wordgames/word_list.h"

namespace {

// Three-letter words from a number, all different.
std::string wordNumber(int n) {
    std::string w(3, 'A');
    for (int i = 2; i >= 0; --i) {
        w[static_cast<std::size_t>(i)] = static_cast<char>('A' + n % 26);
        n /= 26;
    }
    return w;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = dir.path().string() + "/";
        gWordList.assign(kMaxWords + 1, "");
        gWordCount = 0;
    }
    void TearDown() override {
        frmEdit::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gWordCount = 0;
    }

    void writeWords(const std::string& text) {
        std::ofstream(dir.file("words.txt"), std::ios::binary) << text;
    }
    std::string wordsFile() { return readWholeFile(dir.file("words.txt")).value_or("<missing>"); }

    frmEdit& open() {
        frmEdit& e = frmEdit::instance();
        e.Show();
        rec->take();
        return e;
    }
    void close(frmEdit& e) {
        e.cmdexit_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // What the list box shows; the editor's own list must say the same.
    QStringList shown(frmEdit& e) {
        QStringList out, model;
        for (int i = 0; i < e.lstList->ListCount(); ++i) out << e.lstList->List(i);
        for (const std::string& w : e.entries().entries()) model << QString::fromStdString(w);
        EXPECT_EQ(out, model);
        return out;
    }
    std::vector<std::string> shared() { return {gWordList.begin() + 1, gWordList.begin() + 1 + gWordCount}; }
    bool browsing(frmEdit& e) {
        const bool enabled = e.cmdAdd->isEnabled() && e.cmdDelete->isEnabled() && e.cmdReplace->isEnabled() &&
                             e.cmdExit->isEnabled() && e.lstList->isEnabled();
        const bool disabled = !e.cmdAdd->isEnabled() && !e.cmdDelete->isEnabled() &&
                              !e.cmdReplace->isEnabled() && !e.cmdExit->isEnabled() &&
                              !e.lstList->isEnabled();
        EXPECT_TRUE(enabled || disabled) << "the four buttons and the list go together";
        EXPECT_EQ(e.fraEdit->isVisible(), !enabled);
        return enabled && e.EditMode == 0;
    }

    TempDir dir;
    ScopedRecordingSeam rec;
};

}  // namespace

TEST_F(EditorTest, OpensOnTheFileWordsSortedWithTheFirstSelected) {
    writeWords("\"star\"\r\napple\r\nBELL,ICE-CREAM,ABC1\r\n");
    frmEdit& e = open();
    EXPECT_EQ(e.form()->windowTitle(), "Edit Word List");
    EXPECT_EQ(e.form()->size(), QSize(twipsToPixels(4845), twipsToPixels(6180)));
    EXPECT_EQ(e.form()->palette().color(QPalette::Window), bgrColor(0x00FFC0C0));
    EXPECT_EQ(shown(e), (QStringList{"APPLE", "BELL", "STAR"}));
    EXPECT_EQ(e.lstList->ListIndex(), 0);
    EXPECT_TRUE(browsing(e));
    EXPECT_EQ(e.cmdAdd->text(), "&Add Word");
    EXPECT_EQ(e.cmdDelete->text(), "&Delete Word");
    EXPECT_EQ(e.cmdReplace->text(), "&Replace Word");
    EXPECT_EQ(e.cmdExit->text(), "E&xit");

    // F1 opens the help file's contents.
    QTest::keyClick(e.lstList, Qt::Key_F1);
    EXPECT_EQ(rec->log, (std::vector<std::string>{"help contents"}));
}

TEST_F(EditorTest, AddingPutsEachWordInItsSortedPlaceAndStaysInAddMode) {
    writeWords("\"BELL\"\r\n\"STAR\"\r\n");
    frmEdit& e = open();
    e.cmdAdd_Click();
    EXPECT_EQ(e.EditMode, 1);
    EXPECT_FALSE(browsing(e));
    EXPECT_EQ(e.fraEdit->title(), "Add Word");
    EXPECT_EQ(e.txtList->Text(), "");

    // A lower-case q enters a capital Q; the digit 7 beeps and enters nothing.
    QTest::keyClicks(e.txtList, "hol7ly");
    EXPECT_EQ(e.txtList->Text(), "HOLLY");
    EXPECT_EQ(rec->take(), (std::vector<std::string>{"beep"}));
    QTest::keyClick(e.txtList, Qt::Key_Return);
    EXPECT_EQ(shown(e), (QStringList{"BELL", "HOLLY", "STAR"}));
    EXPECT_EQ(e.txtList->Text(), "");
    EXPECT_EQ(e.EditMode, 1);
    EXPECT_TRUE(e.fraEdit->isVisible());

    // OK with an empty box adds nothing and keeps the frame open.
    e.cmdOK_Click();
    EXPECT_EQ(shown(e), (QStringList{"BELL", "HOLLY", "STAR"}));
    EXPECT_EQ(e.EditMode, 1);

    // Duplicates are allowed; text still in the box at Cancel is dropped.
    QTest::keyClicks(e.txtList, "bell");
    e.cmdOK_Click();
    QTest::keyClicks(e.txtList, "TREE");
    e.cmdCancel_Click();
    EXPECT_TRUE(browsing(e));
    EXPECT_EQ(shown(e), (QStringList{"BELL", "BELL", "HOLLY", "STAR"}));
    EXPECT_TRUE(rec->log.empty());

    close(e);
    EXPECT_EQ(wordsFile(), "\"BELL\"\r\n\"BELL\"\r\n\"HOLLY\"\r\n\"STAR\"\r\n");
    EXPECT_EQ(shared(), (std::vector<std::string>{"BELL", "BELL", "HOLLY", "STAR"}));
}

TEST_F(EditorTest, PastedTextKeepsOnlyItsLettersAsCapitals) {
    writeWords("\"BELL\"\r\n");
    frmEdit& e = open();
    e.cmdAdd_Click();
    e.txtList->insert("Snow man!");
    EXPECT_EQ(e.txtList->Text(), "SNOWMAN");
    EXPECT_EQ(rec->take(), (std::vector<std::string>{"beep"}));
    // At most 15 letters, however they come.
    e.txtList->clear();
    e.txtList->insert("abcdefghijklmnopqrst");
    EXPECT_EQ(e.txtList->Text(), "ABCDEFGHIJKLMNO");
    QTest::keyClicks(e.txtList, "z");
    EXPECT_EQ(e.txtList->Text(), "ABCDEFGHIJKLMNO");
}

TEST_F(EditorTest, ReplacingKeepsThePlaceUntilTheEditorIsOpenedAgain) {
    writeWords("\"BELL\"\r\n\"HOLLY\"\r\n\"STAR\"\r\n");
    frmEdit& e = open();
    e.lstList->setListIndex(0);
    e.cmdReplace_Click();
    EXPECT_EQ(e.EditMode, 2);
    EXPECT_FALSE(browsing(e));
    EXPECT_EQ(e.fraEdit->title(), "Replace Word");
    EXPECT_EQ(e.txtList->Text(), "BELL");
    e.txtList->selectAll();
    QTest::keyClicks(e.txtList, "tree");
    QTest::keyClick(e.txtList, Qt::Key_Return);
    EXPECT_TRUE(browsing(e));
    EXPECT_EQ(shown(e), (QStringList{"TREE", "HOLLY", "STAR"}));

    // Replacing by an empty box changes nothing but still ends the replacing.
    e.lstList->setListIndex(1);
    e.cmdReplace_Click();
    e.txtList->clear();
    e.cmdOK_Click();
    EXPECT_TRUE(browsing(e));
    EXPECT_EQ(shown(e), (QStringList{"TREE", "HOLLY", "STAR"}));

    close(e);
    EXPECT_EQ(wordsFile(), "\"TREE\"\r\n\"HOLLY\"\r\n\"STAR\"\r\n");
    EXPECT_EQ(shared(), (std::vector<std::string>{"TREE", "HOLLY", "STAR"}));
    frmEdit& again = open();
    EXPECT_EQ(shown(again), (QStringList{"HOLLY", "STAR", "TREE"}));
}

TEST_F(EditorTest, DeleteAsksFirstAndNeedsASelectionAndSparesTheLastWord) {
    writeWords("\"BELL\"\r\n\"HOLLY\"\r\n\"STAR\"\r\n");
    frmEdit& e = open();
    e.lstList->setListIndex(1);
    rec->answers = {MsgAnswer::No, MsgAnswer::Yes};
    e.cmdDelete_Click();
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, "Delete: HOLLY?");
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Question);
    EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(rec->boxes[0].title, "Delete Word");
    EXPECT_EQ(shown(e), (QStringList{"BELL", "HOLLY", "STAR"}));
    EXPECT_EQ(e.lstList->ListIndex(), 1);

    e.cmdDelete_Click();
    EXPECT_EQ(shown(e), (QStringList{"BELL", "STAR"}));
    EXPECT_EQ(e.lstList->ListIndex(), -1);

    // At once again: nothing is selected any more.
    rec->boxes.clear();
    e.cmdDelete_Click();
    e.cmdReplace_Click();
    ASSERT_EQ(rec->boxes.size(), 2u);
    EXPECT_EQ(rec->boxes[0].text, "Need to select word to delete.");
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OK);
    EXPECT_EQ(rec->boxes[0].title, "Delete Word");
    EXPECT_EQ(rec->boxes[1].text, "Need to select word to replace.");
    EXPECT_EQ(rec->boxes[1].icon, MsgIcon::Information);
    EXPECT_EQ(rec->boxes[1].buttons, MsgButtons::OK);
    EXPECT_EQ(rec->boxes[1].title, "Replace Word");
    EXPECT_TRUE(browsing(e));

    rec->boxes.clear();
    rec->answers = {MsgAnswer::Yes};
    e.lstList->setListIndex(0);
    e.cmdDelete_Click();
    e.lstList->setListIndex(0);
    e.cmdDelete_Click();
    ASSERT_EQ(rec->boxes.size(), 2u);
    EXPECT_EQ(rec->boxes[1].text, "You can't delete the last" + QString(kCR) + "word in the list.");
    EXPECT_EQ(rec->boxes[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(rec->boxes[1].buttons, MsgButtons::OK);
    EXPECT_EQ(rec->boxes[1].title, "Delete Word");
    EXPECT_EQ(shown(e), (QStringList{"STAR"}));
}

TEST_F(EditorTest, TheListNeverGrowsPastFiveHundredWords) {
    // 600 valid words, last first: the first 500 of the file are kept, sorted.
    std::string text;
    for (int n = 599; n >= 0; --n) text += "\"" + wordNumber(n) + "\"\r\n";
    writeWords(text);
    frmEdit& e = open();
    ASSERT_EQ(e.lstList->ListCount(), 500);
    EXPECT_EQ(e.lstList->List(0), QString::fromStdString(wordNumber(100)));
    EXPECT_EQ(e.lstList->List(499), QString::fromStdString(wordNumber(599)));

    const QString full =
        "List is full.  You need to delete one" + QString(kCR) + "or more words before adding new ones.";
    e.cmdAdd_Click();
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, full);
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OK);
    EXPECT_EQ(rec->boxes[0].title, "Add Word");
    EXPECT_TRUE(browsing(e));

    // One place free: the first word goes in, the next is refused with the same
    // message and the adding ends.
    rec->answers = {MsgAnswer::Yes};
    e.lstList->setListIndex(0);
    e.cmdDelete_Click();
    rec->boxes.clear();
    e.cmdAdd_Click();
    QTest::keyClicks(e.txtList, "ZEBRA");
    e.cmdOK_Click();
    EXPECT_EQ(e.lstList->ListCount(), 500);
    EXPECT_TRUE(rec->boxes.empty());
    QTest::keyClicks(e.txtList, "ZOO");
    e.cmdOK_Click();
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, full);
    EXPECT_EQ(e.lstList->ListCount(), 500);
    EXPECT_TRUE(browsing(e));

    close(e);
    EXPECT_EQ(gWordCount, 500);
    std::vector<std::string> saved = parseWordList(wordsFile());
    ASSERT_EQ(saved.size(), 500u);
    EXPECT_TRUE(std::is_sorted(saved.begin(), saved.end()));
    EXPECT_EQ(saved.back(), "ZEBRA");
    EXPECT_EQ(saved, shared());
}

TEST_F(EditorTest, EveryWayOfClosingSavesAndEscapeClosesOnlyWhileBrowsing) {
    writeWords("\"STAR\"\r\n\"BELL\"\r\n");

    // The system's close request.
    frmEdit& e = open();
    e.cmdAdd_Click();
    QTest::keyClicks(e.txtList, "ICE");
    e.cmdOK_Click();
    e.form()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(e.isLoaded());
    EXPECT_EQ(wordsFile(), "\"BELL\"\r\n\"ICE\"\r\n\"STAR\"\r\n");

    // Escape works only while the exit button does.
    frmEdit& e2 = open();
    e2.cmdAdd_Click();
    QTest::keyClicks(e2.txtList, "SNOW");
    QTest::keyClick(e2.txtList, Qt::Key_Escape);
    EXPECT_TRUE(e2.isLoaded());
    EXPECT_EQ(rec->take(), (std::vector<std::string>{"beep"}));
    e2.cmdCancel_Click();
    QTest::keyClick(e2.lstList, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(e2.isLoaded());
    EXPECT_EQ(wordsFile(), "\"BELL\"\r\n\"ICE\"\r\n\"STAR\"\r\n");
    // Nothing is left beside the file.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()),
        1);
}

TEST_F(EditorTest, ASaveThatFailsIsToldAndTheWordsStayForThisRun) {
    writeWords("\"BELL\"\r\n");
    frmEdit& e = open();
    e.cmdAdd_Click();
    QTest::keyClicks(e.txtList, "STAR");
    e.cmdOK_Click();
    gAppPath = dir.file("no-such-folder") + "/";
    close(e);
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text,
              "The word list could not be saved.\rPlease check that this file can be written:\r" +
                  QString::fromStdString(gAppPath + "words.txt"));
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(rec->boxes[0].title, "Quenvale");
    EXPECT_EQ(shared(), (std::vector<std::string>{"BELL", "STAR"}));
    EXPECT_EQ(wordsFile(), "\"BELL\"\r\n");
}

TEST_F(EditorTest, ALongListGivesItsFirstFiveHundredWordsAndClosingSavesThem) {
    std::string many;  // 120000 words, 1.2 MB: far more than the list holds
    for (int i = 0; i < 120000; ++i) many += "\"" + wordNumber(17575 - i % 17576) + "\"\r\n";
    std::string padded;  // a list of a few words followed by blank lines past a megabyte
    for (int i = 0; i < 372; ++i) padded += "\"" + wordNumber(i) + "\"\r\n";
    padded += std::string(1200000, '\n');
    for (const std::string& text : {many, padded}) {
        gWordCount = 0;
        writeWords(text);
        std::vector<std::string> first = parseWordList(text);
        ASSERT_EQ(first.size(), text == many ? 500u : 372u);
        std::sort(first.begin(), first.end());
        frmEdit& e = open();
        EXPECT_EQ(e.entries().entries(), first);
        close(e);
        EXPECT_TRUE(rec->boxes.empty());
        EXPECT_EQ(wordsFile(), wordListFileText(first));
    }
}

TEST_F(EditorTest, AFileThatCannotBeReadOrHoldsNoWordIsNeverReplacedAndTheParentIsTold) {
    namespace fs = std::filesystem;
    const std::string path = dir.file("words.txt");
    // "SNOW" and "STAR" as a common editor saves "Unicode" text, in both byte orders.
    const std::string littleEndian("\xFF\xFES\0N\0O\0W\0\r\0\n\0S\0T\0A\0R\0\r\0\n\0", 26);
    const std::string bigEndian("\xFE\xFF\0S\0N\0O\0W\0\r\0\n\0S\0T\0A\0R\0\r\0\n", 26);
    const char* unread = "could not be read";
    const char* noWord = "holds no word the games can use";
    const std::vector<std::pair<std::function<void()>, const char*>> plants = {
        {[&] { writeWords(littleEndian); }, unread},
        {[&] { writeWords(bigEndian); }, unread},
        {[&] { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, unread},
        {[&] { fs::create_symlink("/dev/zero", path); }, unread},
        // A parent's list typed on one line, and items none of which is a word.
        {[&] { writeWords("snow ice sled tree star bell\r\n"); }, noWord},
        {[&] { writeWords("\"ICE-CREAM\"\r\n\"123\"\r\n"); }, noWord},
    };
    for (std::size_t i = 0; i < plants.size(); ++i) {
        SCOPED_TRACE(i);
        fs::remove(path);
        plants[i].first();
        const fs::file_status before = fs::symlink_status(path);
        const std::string bytes = wordsFile();  // "<missing>" for what is no ordinary file
        gWordCount = 0;
        frmEdit& e = open();
        // The games still get words to play with, for this run.
        EXPECT_EQ(e.entries().entries(), builtInWords());
        e.cmdAdd_Click();
        QTest::keyClicks(e.txtList, "ZEBRA");
        e.cmdOK_Click();
        e.cmdCancel_Click();
        close(e);
        ASSERT_EQ(rec->boxes.size(), 1u);
        EXPECT_EQ(rec->boxes[0].text, "The word list file " + QString(plants[i].second) +
                                          ", so it has not been replaced.\r"
                                          "The words shown here are kept only until the program ends.\r"
                                          "Please check this file (plain text, one word a line):\r" +
                                          QString::fromStdString(path));
        EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OK);
        EXPECT_EQ(rec->boxes[0].title, "Quenvale");
        EXPECT_EQ(shared().back(), "ZEBRA");
        EXPECT_EQ(fs::symlink_status(path).type(), before.type());
        EXPECT_EQ(wordsFile(), bytes);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
        rec->boxes.clear();
    }

    // A file of nothing but blank lines loses nothing by being replaced.
    writeWords("\r\n \r\n\"\"\r\n");
    gWordCount = 0;
    frmEdit& e = open();
    close(e);
    EXPECT_TRUE(rec->boxes.empty());
    EXPECT_EQ(wordsFile(), wordListFileText(builtInWords()));
}
