#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <map>

#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_words.h"
#include "platform/data_file.h"
#include "platform/recording_printer.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"
#include "wordgames/frmEdit.h"
#include "wordgames/frmSearch.h"

namespace {

using Log = std::vector<std::string>;

// Cells of the small puzzle below, as lblLetter indices: (row - 1) x 16 + column.
constexpr int kC = 18;  // (2, 2): C of CAT and of COW
constexpr int kA = 19;  // (2, 3)
constexpr int kT = 20;  // (2, 4)
constexpr int kO = 34;  // (3, 2)
constexpr int kW = 50;  // (4, 2)
constexpr int kD = 85;  // (6, 5): DOG across
constexpr int kO2 = 86;
constexpr int kG = 87;
constexpr int kListCAT = 1, kListCOW = 2, kListDOG = 3;

float pick(int p, int n) { return (static_cast<float>(p) - 0.5f) / static_cast<float>(n); }
constexpr float kLetterQ = 16.5f / 26.0f;  // every start-screen letter
constexpr float kLetterZ = 0.99f;          // every filler letter of a puzzle

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedList_ = gWordList;
        savedCount_ = gWordCount;
        gAppPath = dir.path().string() + "/";
        useWords({"CAT", "COW", "DOG"});
    }
    void TearDown() override {
        frmEdit::instance().Unload();
        frmSearch::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gWordList = savedList_;
        gWordCount = savedCount_;
    }

    static void useWords(const std::vector<std::string>& words) {
        gWordList.assign(kMaxWords + 1, "");
        for (std::size_t i = 0; i < words.size(); ++i) gWordList[i + 1] = words[i];
        gWordCount = static_cast<int>(words.size());
    }

    frmSearch& open() {
        for (int i = 0; i < 256; ++i) rnd.push(kLetterQ);
        frmSearch& w = frmSearch::instance();
        w.Show();
        EXPECT_EQ(rnd.remaining(), 0u);
        rec->take();
        return w;
    }

    // CAT across from (2, 2), COW down from it, DOG across from (6, 5); Z elsewhere.
    void scriptPuzzle() {
        for (float v : {0.99f, 0.99f,                     // the order stays CAT, COW, DOG
                        0.9f, pick(2, 13), pick(2, 16),   // CAT
                        0.1f, pick(2, 16), pick(2, 13),   // COW
                        0.9f, pick(5, 13), pick(6, 16)})  // DOG
            rnd.push(v);
        for (int i = 0; i < 256 - 8; ++i) rnd.push(kLetterZ);
    }

    frmSearch& openPuzzle() {
        frmSearch& w = open();
        scriptPuzzle();
        w.cmdNew->click();
        EXPECT_EQ(rnd.remaining(), 0u);
        rec->take();
        return w;
    }

    void click(frmSearch& w, std::initializer_list<int> cells) {
        for (int i : cells) w.lblLetter_Click(i);
    }

    static QColor fore(Label* l) { return l->palette().color(QPalette::WindowText); }
    static QColor back(Label* l) { return l->palette().color(QPalette::Window); }
    static bool colours(Label* l, int text, int background) {
        return fore(l) == QBColor(text) && back(l) == QBColor(background);
    }
    static bool isFree(Label* l) { return colours(l, 0, 15); }
    static bool isSelected(Label* l) { return colours(l, 14, 5); }
    static bool isFound(Label* l) { return colours(l, 14, 9); }
    Label* at(frmSearch& w, int i) { return w.lblLetter[static_cast<std::size_t>(i)]; }
    Label* listed(frmSearch& w, int k) { return w.lblWord[static_cast<std::size_t>(k)]; }

    TempDir dir;
    ScopedRecordingSeam rec;
    ScriptedRandom rnd;
    ScopedRandom useRnd{rnd};

private:
    std::vector<std::string> savedList_;
    int savedCount_ = 0;
};

}  // namespace

TEST_F(SearchTest, OpeningShowsRandomLettersWithTheStartTextAndTakesNoClicks) {
    // The first word game of the run reads the word list.
    gWordCount = 0;
    std::ofstream(dir.file("words.txt")) << "\"tree\"\r\n\"STAR\"\r\n";
    frmSearch& w = open();
    EXPECT_EQ(gWordCount, 2);
    EXPECT_EQ(gWordList[1], "TREE");

    EXPECT_EQ(w.form()->windowTitle(), "Word Search");
    EXPECT_EQ(w.form()->size(), QSize(twipsToPixels(7575), twipsToPixels(6735)));
    EXPECT_EQ(rnd.seeds(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // 256 cells, row by row, in the middle of the square.
    EXPECT_FALSE(w.lblLetter[0]->isVisible());
    EXPECT_EQ(at(w, 1)->geometry(), twipsRect(240, 240, 255, 255));
    EXPECT_EQ(at(w, 16)->geometry(), twipsRect(240 + 15 * 255, 240, 255, 255));
    EXPECT_EQ(at(w, 17)->geometry(), twipsRect(240, 240 + 255, 255, 255));
    EXPECT_EQ(at(w, 256)->geometry(), twipsRect(240 + 15 * 255, 240 + 15 * 255, 255, 255));

    // CLICK / NEW PUZZLE / TO START over random letters.
    const std::map<int, QString> startText = {
        {70, "C"},  {71, "L"},  {72, "I"},  {73, "C"},  {74, "K"},  {100, "N"}, {101, "E"},
        {102, "W"}, {104, "P"}, {105, "U"}, {106, "Z"}, {107, "Z"}, {108, "L"}, {109, "E"},
        {133, "T"}, {134, "O"}, {136, "S"}, {137, "T"}, {138, "A"}, {139, "R"}, {140, "T"}};
    for (int i = 1; i <= 256; ++i) {
        Label* l = at(w, i);
        ASSERT_TRUE(l->isVisible()) << i;
        auto text = startText.find(i);
        if (text != startText.end()) {
            EXPECT_EQ(l->caption(), text->second) << i;
            EXPECT_TRUE(isSelected(l)) << i;
        } else {
            EXPECT_EQ(l->caption(), "Q") << i;
            EXPECT_TRUE(isFree(l)) << i;
        }
    }

    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdEdit->isEnabled());
    EXPECT_FALSE(w.cmdCheck->isEnabled());
    EXPECT_FALSE(w.cmdClear->isEnabled());
    EXPECT_FALSE(w.cmdPrint->isEnabled());
    EXPECT_EQ(w.Label1->caption(), "Search For:");
    for (int k = 1; k <= 20; ++k) EXPECT_FALSE(listed(w, k)->isVisible()) << k;

    // Before a puzzle every letter is refused.
    click(w, {70, 1});
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait", "stop", "sound uhoh.wav wait"}));
    EXPECT_TRUE(isSelected(at(w, 70)));
    EXPECT_TRUE(isFree(at(w, 1)));

    // Help, by its button and by F1.
    w.cmdHelp->click();
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    w.cmdNew->setFocus();
    QTest::keyClick(w.cmdNew, Qt::Key_F1);
    EXPECT_EQ(rec->take(), (Log{"help 7", "help 7"}));
}

TEST_F(SearchTest, ANewPuzzleShowsItsLettersAndListAndLocksTheEditor) {
    frmSearch& w = openPuzzle();
    EXPECT_EQ(w.GameOn, 1);
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.cmdEdit->isEnabled());
    EXPECT_TRUE(w.cmdCheck->isEnabled());
    EXPECT_TRUE(w.cmdClear->isEnabled());
    EXPECT_TRUE(w.cmdPrint->isEnabled());

    const std::map<int, QString> words = {{kC, "C"}, {kA, "A"}, {kT, "T"},  {kO, "O"},
                                          {kW, "W"}, {kD, "D"}, {kO2, "O"}, {kG, "G"}};
    for (int i = 1; i <= 256; ++i) {
        auto letter = words.find(i);
        EXPECT_EQ(at(w, i)->caption(), letter != words.end() ? letter->second : "Z") << i;
        EXPECT_TRUE(isFree(at(w, i))) << i;
    }
    EXPECT_EQ(listed(w, kListCAT)->caption(), "CAT");
    EXPECT_EQ(listed(w, kListCOW)->caption(), "COW");
    EXPECT_EQ(listed(w, kListDOG)->caption(), "DOG");
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(listed(w, k)->isVisible(), k <= 3) << k;
        if (k <= 3) {
            EXPECT_TRUE(isFree(listed(w, k))) << k;
        }
    }
}

TEST_F(SearchTest, LettersLightUpOneByOneAndARightWordIsFound) {
    frmSearch& w = openPuzzle();
    w.lblLetter_Click(kD);
    EXPECT_EQ(rec->take(), (Log{"repaint lblLetter_85", "stop", "sound ding.wav wait"}));
    EXPECT_TRUE(isSelected(at(w, kD)));
    // Two cells along is no neighbour: refused, nothing lights.
    w.lblLetter_Click(kG);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait"}));
    EXPECT_TRUE(isFree(at(w, kG)));
    click(w, {kO2, kG});
    EXPECT_EQ(w.Puzzle.Selected, "DOG");

    w.cmdCheck->click();
    EXPECT_EQ(rec->take(),
              (Log{"repaint lblLetter_86", "stop", "sound ding.wav wait", "repaint lblLetter_87", "stop",
                   "sound ding.wav wait", "stop", "sound tada.wav wait", "repaint lblWord_3",
                   "repaint lblLetter_85", "repaint lblLetter_86", "repaint lblLetter_87"}));
    for (int i : {kD, kO2, kG}) EXPECT_TRUE(isFound(at(w, i))) << i;
    EXPECT_TRUE(isFound(listed(w, kListDOG)));
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);
    EXPECT_EQ(w.GameOn, 1);

    // Found once, it cannot count again, neither checked nor from the list.
    click(w, {kD, kO2, kG});
    rec->take();
    w.cmdCheck->click();
    w.lblWord_Click(kListDOG);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait"}));
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);
    for (int i : {kD, kO2, kG}) EXPECT_TRUE(isFound(at(w, i))) << i;
}

TEST_F(SearchTest, AWrongWordIsRefusedAndItsLettersGoDark) {
    frmSearch& w = openPuzzle();
    // COW read upwards: each letter lights, the check refuses it.
    click(w, {kW, kO, kC});
    for (int i : {kW, kO, kC}) EXPECT_TRUE(isSelected(at(w, i))) << i;
    rec->take();
    w.cmdCheck->click();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait"}));
    for (int i : {kW, kO, kC}) EXPECT_TRUE(isFree(at(w, i))) << i;
    EXPECT_EQ(w.Puzzle.ClickCount, 1);

    // With nothing selected, Check says no and Clear does nothing.
    w.cmdCheck->click();
    w.cmdClear->click();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait"}));

    // Clear Highlight drops a selection without a sound.
    click(w, {kC, kA});
    rec->take();
    w.cmdClear->click();
    EXPECT_TRUE(rec->log.empty());
    EXPECT_TRUE(isFree(at(w, kC)));
    EXPECT_TRUE(isFree(at(w, kA)));
    EXPECT_EQ(w.Puzzle.Selected, "");
}

TEST_F(SearchTest, ASelectionOverAFoundWordShowsOnTopAndClearingGivesTheFoundColoursBack) {
    frmSearch& w = openPuzzle();
    click(w, {kC, kA, kT});
    w.cmdCheck_Click();
    EXPECT_TRUE(isFound(at(w, kC)));
    // COW starts on the C of the found CAT.
    click(w, {kC, kO});
    EXPECT_TRUE(isSelected(at(w, kC)));
    EXPECT_TRUE(isSelected(at(w, kO)));
    w.cmdClear_Click();
    EXPECT_TRUE(isFound(at(w, kC)));
    EXPECT_TRUE(isFree(at(w, kO)));
    EXPECT_TRUE(isFound(at(w, kA)));
}

TEST_F(SearchTest, RevealingAWordDropsTheSelectionShowsTheWordThenChimes) {
    frmSearch& w = openPuzzle();
    click(w, {kO, 35});
    rec->take();
    w.lblWord_Click(kListCOW);
    EXPECT_EQ(rec->take(), (Log{"repaint lblWord_2", "repaint lblLetter_18", "repaint lblLetter_34",
                                "repaint lblLetter_50", "stop", "sound chimes.wav wait"}));
    for (int i : {kC, kO, kW}) EXPECT_TRUE(isFound(at(w, i))) << i;
    EXPECT_TRUE(isFree(at(w, 35)));
    EXPECT_TRUE(isFound(listed(w, kListCOW)));
    EXPECT_EQ(w.Puzzle.Selected, "");
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);

    // A revealed word ignores a second click.
    w.lblWord_Click(kListCOW);
    EXPECT_TRUE(rec->log.empty());
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);
}

TEST_F(SearchTest, TheLastWordEndsThePuzzleAndLeavesItOnScreen) {
    frmSearch& w = openPuzzle();
    w.lblWord_Click(kListCAT);
    w.lblWord_Click(kListDOG);
    click(w, {kC, kO, kW});
    rec->take();
    w.cmdCheck->setFocus();
    w.cmdCheck->click();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound tada.wav wait", "repaint lblWord_2", "repaint lblLetter_18",
                                "repaint lblLetter_34", "repaint lblLetter_50"}));
    EXPECT_EQ(w.GameOn, 0);
    EXPECT_EQ(w.cmdExit->caption(), "&Exit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdEdit->isEnabled());
    EXPECT_FALSE(w.cmdCheck->isEnabled());
    EXPECT_FALSE(w.cmdClear->isEnabled());
    EXPECT_TRUE(w.cmdPrint->isEnabled());
    EXPECT_EQ(w.form()->focusWidget(), w.cmdNew);
    EXPECT_TRUE(w.isLoaded());
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(isFound(listed(w, k))) << k;
    EXPECT_TRUE(isFound(at(w, kW)));
}

TEST_F(SearchTest, AfterStopThePuzzleStaysButTakesNoSelectionOrReveal) {
    frmSearch& w = openPuzzle();
    click(w, {kD, kO2});
    rec->take();
    w.cmdExit->click();
    EXPECT_EQ(w.GameOn, 0);
    EXPECT_EQ(w.cmdExit->caption(), "&Exit");
    EXPECT_FALSE(w.cmdCheck->isEnabled());
    EXPECT_TRUE(w.cmdPrint->isEnabled());
    EXPECT_TRUE(rec->log.empty());
    // The selection stays as it was.
    EXPECT_TRUE(isSelected(at(w, kD)));
    EXPECT_TRUE(isSelected(at(w, kO2)));

    // Letters say no; the list does nothing, even for the last word left.
    w.lblLetter_Click(kG);
    w.lblWord_Click(kListCAT);
    w.lblWord_Click(kListCOW);
    w.lblWord_Click(kListDOG);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait"}));
    EXPECT_TRUE(isFree(at(w, kG)));
    EXPECT_EQ(w.Puzzle.WordsLeft, 3);
    EXPECT_TRUE(w.isLoaded());

    // New starts afresh.
    scriptPuzzle();
    w.cmdNew->click();
    EXPECT_EQ(w.GameOn, 1);
    EXPECT_TRUE(isFree(at(w, kD)));
    EXPECT_EQ(w.Puzzle.ClickCount, 1);
}

TEST_F(SearchTest, ExitReturnsToTheMenuAndOpeningAgainShowsAFreshStartScreen) {
    frmSearch& w = openPuzzle();
    click(w, {kC, kA});
    w.cmdexit_Click();
    std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", dir.file("vantrel5.ini"));
    frmMenu::setProgramFolder(dir.path().string());
    w.cmdexit_Click();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_TRUE(frmMenu::instance().form()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The window's fields kept the last puzzle; the controls start anew.
    open();
    EXPECT_EQ(w.Puzzle.NumPlaced, 3);
    EXPECT_EQ(w.Puzzle.ClickCount, 3);
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_FALSE(w.cmdPrint->isEnabled());
    EXPECT_EQ(at(w, kC)->caption(), "Q");
    EXPECT_TRUE(isFree(at(w, 1)));
    for (int k = 1; k <= 20; ++k) EXPECT_FALSE(listed(w, k)->isVisible()) << k;
    // The start screen takes no selection, whatever the last puzzle left.
    w.lblLetter_Click(kT);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait"}));
    EXPECT_TRUE(isFree(at(w, kT)));

    frmMenu::instance().Unload();
    frmMenu::setProgramFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(SearchTest, TheEditorOpensOnlyBetweenPuzzlesAndItsWordsAreUsedNext) {
    frmSearch& w = openPuzzle();
    EXPECT_FALSE(w.cmdEdit->isEnabled());
    w.cmdexit_Click();
    rec->modalActions.push_back([](QWidget*) {
        frmEdit& e = frmEdit::instance();
        e.lstList->setListIndex(2);
        e.cmdReplace_Click();
        e.txtList->setText("PIG");
        e.cmdOK_Click();
        e.cmdexit_Click();
    });
    w.cmdEdit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rec->take(), (Log{"modal frmEdit"}));
    EXPECT_EQ(gWordList[3], "PIG");
    EXPECT_EQ(readWholeFile(dir.file("words.txt")).value_or(""), "\"CAT\"\r\n\"COW\"\r\n\"PIG\"\r\n");
    // The puzzle on screen stays; the next one hides PIG.
    EXPECT_EQ(listed(w, kListDOG)->caption(), "DOG");
    scriptPuzzle();
    w.cmdNew->click();
    EXPECT_EQ(listed(w, 3)->caption(), "PIG");
    EXPECT_EQ(at(w, kD)->caption(), "P");
}

TEST_F(SearchTest, PrintingAsksFirstAndCancelPrintsNothing) {
    frmSearch& w = openPuzzle();
    rec->answers = {MsgAnswer::Cancel};
    w.cmdPrint->click();
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, "Make sure printer is on-line and ready.");
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(rec->take(), (Log{"msgbox Print Puzzle: Cancel"}));
    EXPECT_TRUE(rec->recordingPrinter().documents.empty());
    EXPECT_TRUE(rec->recordingPrinter().commands.empty());
}

TEST_F(SearchTest, ThePrintedPageHasTheLettersInAFrameAndTheWordsToFind) {
    frmSearch& w = openPuzzle();
    // Found and open words print alike, and so does a stopped puzzle.
    w.lblWord_Click(kListCOW);
    click(w, {kD});
    w.cmdexit_Click();
    w.cmdPrint->click();
    ASSERT_EQ(rec->recordingPrinter().documents.size(), 1u);
    const double line = 12.0 / 72.0 * 100.0 * 1.15;
    std::vector<std::string> expected = {
        "orientation 1",
        "fontname Courier New",
        "fontsize 12",
        "fontbold 0",
        "scale 0 0 850 1100",
        "text 100 100 Quenvale - Word Search",
        "text 100 " + fmtNumber(100 + line) + " Find each word of the list across or down, and circle it.",
        "text 100 133 ",
        "text 100 167 Puzzle:",
    };
    const std::string zs = "Z Z Z Z Z Z Z Z Z Z Z Z Z Z Z Z ";
    std::vector<std::string> rows(16, zs);
    rows[1] = "Z C A T Z Z Z Z Z Z Z Z Z Z Z Z ";
    rows[2] = "Z O Z Z Z Z Z Z Z Z Z Z Z Z Z Z ";
    rows[3] = "Z W Z Z Z Z Z Z Z Z Z Z Z Z Z Z ";
    rows[5] = "Z Z Z Z D O G Z Z Z Z Z Z Z Z Z ";
    for (int r = 0; r < 16; ++r)
        expected.push_back("text 125 " + fmtNumber(225 + r * (line + 8)) + " " +
                           rows[static_cast<std::size_t>(r)]);
    for (const char* l : {"line 100 210 480 210 #000000", "line 480 210 480 660 #000000",
                          "line 480 660 100 660 #000000", "line 100 660 100 210 #000000"})
        expected.push_back(l);
    expected.push_back("text 520 167 Words to Find:");
    expected.push_back("text 520 " + fmtNumber(167 + line) + " ");
    const char* words[] = {"CAT", "COW", "DOG"};
    for (int k = 0; k < 3; ++k)
        expected.push_back("text 520 " + fmtNumber(167 + (k + 2) * line) + " " + words[k]);
    expected.push_back("enddoc");
    EXPECT_EQ(rec->recordingPrinter().documents[0], expected);
}
