#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "launcher/shared_routines.h"
#include "launcher/shared_words.h"
#include "platform/data_file.h"
#include "platform/recording_printer.h"
#include "platform/recording_seam.h"
#include "platform/system_printer.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"
#include "wordgames/frmCross.h"
#include "wordgames/frmEdit.h"
#include "wordgames/word_list.h"

namespace {

using Log = std::vector<std::string>;

// The cells of the small puzzle below, as lblLetter indices: (row - 1) x 16 + column.
constexpr int kP = 1;        // (1, 1): P of PA
constexpr int kA = 17;       // (2, 1): A of AT and of PA
constexpr int kT = 18;       // (2, 2): T of AT and of TEN
constexpr int kE = 34;       // (3, 2)
constexpr int kN = 50;       // (4, 2)
constexpr int kListAT = 16;  // the list, shortest first: AT, PA, TEN
constexpr int kListPA = 17;
constexpr int kListTEN = 18;

// The recording seam, but printing on the real printer layer.
class PrintingSeam : public RecordingSeam {
public:
    explicit PrintingSeam(Printer& printer) : printer_(printer) {}
    Printer& printer() override { return printer_; }

private:
    Printer& printer_;
};

class CrossTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = dir.path().string() + "/";
        useWords({"TEN", "AT", "PA"});
    }
    void TearDown() override {
        frmEdit::instance().Unload();
        frmCross::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gWordCount = 0;
    }

    void useWords(const std::vector<std::string>& words) {
        gWordList.assign(kMaxWords + 1, "");
        for (std::size_t i = 0; i < words.size(); ++i) gWordList[i + 1] = words[i];
        gWordCount = static_cast<int>(words.size());
    }

    // The draws that build, from TEN, AT and PA in that order: TEN down from
    // (2, 2); AT across from (2, 1), crossing TEN at its T; PA down from (1, 1),
    // ending on the A of AT.
    void scriptSmallPuzzle() {
        for (float v : {0.9f, 0.9f,         // the order stays TEN, AT, PA
                        0.9f, 0.07f, 0.1f,  // TEN down, column 2, row 2
                        0.1f,               // AT across first
                        0.9f})              // PA down first
            rnd.push(v);
    }

    frmCross& openSmall() {
        scriptSmallPuzzle();
        frmCross& w = frmCross::instance();
        w.Show();
        EXPECT_EQ(rnd.remaining(), 0u);
        rec->take();
        return w;
    }

    static QColor fore(Label* l) { return l->palette().color(QPalette::WindowText); }
    static QColor back(Label* l) { return l->palette().color(QPalette::Window); }
    static bool isCursor(Label* l) {
        return l->caption() == "?" && fore(l) == QBColor(15) && back(l) == QBColor(12);
    }
    static bool isLetter(Label* l, const QString& text) {
        return l->caption() == text && fore(l) == QBColor(0) && back(l) == QBColor(15);
    }
    static bool isEmptyCell(Label* l) { return l->caption().trimmed().isEmpty() && back(l) == QBColor(15); }
    // A cell's single outline: every pixel round its edge is black.
    static bool outlinedInBlack(Label* l) {
        const QImage shot = l->grab().toImage();
        for (int x = 0; x < shot.width(); ++x)
            for (int y : {0, shot.height() - 1})
                if (shot.pixelColor(x, y) != Qt::black) return false;
        for (int y = 0; y < shot.height(); ++y)
            for (int x : {0, shot.width() - 1})
                if (shot.pixelColor(x, y) != Qt::black) return false;
        return true;
    }
    static bool isSolvedInList(Label* l) { return fore(l) == QBColor(14) && back(l) == QBColor(12); }

    void type(frmCross& w, const std::string& keys) {
        for (char ch : keys) {
            int k = static_cast<unsigned char>(ch);
            w.Form_KeyPress(k);
        }
    }

    TempDir dir;
    ScopedRecordingSeam rec;
    ScriptedRandom rnd;
    ScopedRandom useRnd{rnd};
};

}  // namespace

TEST_F(CrossTest, OpeningBuildsAPuzzleAndShowsOnlyTheCellsOfItsWordsAndTheList) {
    frmCross& w = openSmall();
    EXPECT_EQ(w.form()->windowTitle(), "Crosswords");
    EXPECT_EQ(w.form()->size(), QSize(twipsToPixels(9480), twipsToPixels(6810)));
    EXPECT_EQ(rnd.seeds(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ASSERT_EQ(w.Puzzle.NumPlaced, 3);
    EXPECT_EQ(w.Puzzle.Word[1], "TEN");
    EXPECT_EQ(w.Puzzle.Word[2], "AT");
    EXPECT_EQ(w.Puzzle.Word[3], "PA");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(w.lblWord[static_cast<std::size_t>(i)]->caption().toStdString(), w.Puzzle.Word[i]);
        EXPECT_FALSE(w.lblWord[static_cast<std::size_t>(i)]->isVisible());
    }
    EXPECT_EQ(w.lblWord[kListAT]->caption(), "AT");
    EXPECT_EQ(w.lblWord[kListPA]->caption(), "PA");
    EXPECT_EQ(w.lblWord[kListTEN]->caption(), "TEN");
    for (int i = kListAT; i <= kListTEN; ++i) {
        Label* l = w.lblWord[static_cast<std::size_t>(i)];
        EXPECT_TRUE(l->isVisible());
        EXPECT_TRUE(isLetter(l, l->caption()));
        EXPECT_EQ(l->geometry(), twipsRect(6720, 960 + (i - 16) * 240, 2535, 255));
    }
    for (int i = 19; i <= 30; ++i) EXPECT_FALSE(w.lblWord[static_cast<std::size_t>(i)]->isVisible()) << i;

    // 256 cells, row by row, in the middle of the grey grid area; only the
    // cells of words show, blank and white.
    EXPECT_FALSE(w.lblLetter[0]->isVisible());
    const QRect first = w.lblLetter[1]->geometry();
    EXPECT_EQ(first, twipsRect(307.5, 427.5, 375, 375));
    EXPECT_EQ(w.lblLetter[16]->geometry(), twipsRect(307.5 + 15 * 375, 427.5, 375, 375));
    EXPECT_EQ(w.lblLetter[17]->geometry(), twipsRect(307.5, 427.5 + 375, 375, 375));
    EXPECT_EQ(w.lblLetter[256]->geometry(), twipsRect(307.5 + 15 * 375, 427.5 + 15 * 375, 375, 375));
    int shown = 0;
    for (int i = 1; i <= 256; ++i) {
        Label* l = w.lblLetter[static_cast<std::size_t>(i)];
        const bool inWord = i == kP || i == kA || i == kT || i == kE || i == kN;
        EXPECT_EQ(l->isVisible(), inWord) << i;
        if (inWord) {
            EXPECT_TRUE(isEmptyCell(l)) << i;
            ++shown;
        }
    }
    EXPECT_EQ(shown, 5);

    // A game is under way.
    EXPECT_EQ(w.Playing, 1);
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.cmdEdit->isEnabled());
    EXPECT_TRUE(w.cmdPrint->isEnabled());
    EXPECT_TRUE(w.cmdHelp->isEnabled());

    // Help leaves the game running.
    w.cmdHelp->click();
    EXPECT_EQ(rec->take(), (Log{"help 13"}));
    EXPECT_EQ(w.Playing, 1);
}

TEST_F(CrossTest, AWordIsChosenByItsFirstCellOnly) {
    frmCross& w = openSmall();
    // Inside TEN, and on no word at all.
    w.lblLetter_Click(kE);
    w.lblLetter_Click(kN);
    w.lblLetter_Click(200);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait", "stop", "sound uhoh.wav wait", "stop",
                                "sound uhoh.wav wait"}));
    EXPECT_EQ(w.WordSelected, 0);
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kE]));

    // The T is where AT goes on and where TEN starts: it chooses TEN.
    w.lblLetter_Click(kT);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav"}));
    EXPECT_EQ(w.WordSelected, 1);
    EXPECT_EQ(w.SelWord, 1);
    EXPECT_EQ(w.SelListPos, 3);
    EXPECT_EQ(w.SelLen, 3);
    EXPECT_EQ(w.StepRow, 1);
    EXPECT_EQ(w.StepCol, 0);
    EXPECT_TRUE(isCursor(w.lblLetter[kT]));

    // Another first cell drops the first choice.
    w.lblLetter_Click(kP);
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kT]));
    EXPECT_TRUE(isCursor(w.lblLetter[kP]));
    EXPECT_EQ(w.SelWord, 3);
}

TEST_F(CrossTest, EveryWordCellKeepsItsBlackOutlineInEveryState) {
    frmCross& w = openSmall();
    EXPECT_TRUE(outlinedInBlack(w.lblLetter[kT]));  // empty
    w.lblLetter_Click(kT);
    ASSERT_TRUE(isCursor(w.lblLetter[kT]));
    EXPECT_TRUE(outlinedInBlack(w.lblLetter[kT]));  // "?" white on red
    // The cell the cursor leaves turns white again, its text colour still white.
    w.lblLetter_Click(kP);
    ASSERT_TRUE(isEmptyCell(w.lblLetter[kT]));
    EXPECT_TRUE(outlinedInBlack(w.lblLetter[kT]));
    type(w, "p");
    ASSERT_TRUE(isLetter(w.lblLetter[kP], "P"));
    EXPECT_TRUE(outlinedInBlack(w.lblLetter[kP]));  // a typed letter
    EXPECT_TRUE(outlinedInBlack(w.lblLetter[kA]));  // the cursor moved on
    // Stopped, the cell that held the cursor is empty again.
    w.cmdexit_Click();
    ASSERT_TRUE(isEmptyCell(w.lblLetter[kA]));
    EXPECT_TRUE(outlinedInBlack(w.lblLetter[kA]));
}

TEST_F(CrossTest, TypingFillsTheWordAndARightWordIsSolved) {
    frmCross& w = openSmall();
    w.lblLetter_Click(kT);
    rec->take();
    type(w, "t");
    EXPECT_TRUE(isLetter(w.lblLetter[kT], "T"));
    EXPECT_TRUE(isCursor(w.lblLetter[kE]));
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav"}));

    // A digit, a blank or Enter beeps and changes nothing.
    type(w, "7 \r");
    EXPECT_EQ(rec->take(), (Log{"beep", "beep", "beep"}));
    EXPECT_EQ(w.Typed, "T");
    EXPECT_TRUE(isCursor(w.lblLetter[kE]));

    type(w, "eN");
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav", "stop", "sound ding.wav", "repaint lblLetter_50",
                                "stop", "sound tada.wav wait", "repaint lblWord_18"}));
    EXPECT_TRUE(isLetter(w.lblLetter[kT], "T"));
    EXPECT_TRUE(isLetter(w.lblLetter[kE], "E"));
    EXPECT_TRUE(isLetter(w.lblLetter[kN], "N"));
    EXPECT_TRUE(isSolvedInList(w.lblWord[kListTEN]));
    EXPECT_EQ(w.Puzzle.WordSolved[1], 1);
    EXPECT_EQ(w.Puzzle.CellState[3][2], 'E');
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);
    EXPECT_EQ(w.WordSelected, 0);
    EXPECT_EQ(w.Playing, 1);

    // A solved word can no longer be chosen, and keys go on to the focused control.
    w.lblLetter_Click(kT);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait"}));
    int key = 'X';
    w.Form_KeyPress(key);
    EXPECT_EQ(key, 'X');
    EXPECT_TRUE(rec->log.empty());
}

TEST_F(CrossTest, AWrongWordClearsOnlyTheTypedLetters) {
    frmCross& w = openSmall();
    w.lblWord_Click(kListPA);
    EXPECT_EQ(rec->take(), (Log{"repaint lblWord_17", "repaint lblLetter_1", "repaint lblLetter_17", "stop",
                                "sound chimes.wav wait"}));
    EXPECT_TRUE(isLetter(w.lblLetter[kP], "P"));
    EXPECT_TRUE(isLetter(w.lblLetter[kA], "A"));
    EXPECT_TRUE(isSolvedInList(w.lblWord[kListPA]));

    // AT begins with the A that PA fixed: the cursor starts on the T.
    w.lblLetter_Click(kA);
    EXPECT_EQ(w.TypedCount, 1);
    EXPECT_EQ(w.Typed, "A");
    EXPECT_TRUE(isLetter(w.lblLetter[kA], "A"));
    EXPECT_TRUE(isCursor(w.lblLetter[kT]));
    rec->take();
    type(w, "x");
    EXPECT_EQ(rec->take(),
              (Log{"stop", "sound ding.wav", "repaint lblLetter_18", "stop", "sound uhoh.wav wait"}));
    EXPECT_EQ(w.WordSelected, 0);
    EXPECT_TRUE(isLetter(w.lblLetter[kA], "A"));
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kT]));
    EXPECT_EQ(w.Puzzle.CellState[2][2], 0);
    EXPECT_FALSE(isSolvedInList(w.lblWord[kListAT]));
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);
}

TEST_F(CrossTest, BackspaceStepsBackOverTypedLettersButNeverIntoFixedOnes) {
    frmCross& w = openSmall();
    // Nothing typed yet: refused like any other key.
    w.lblLetter_Click(kT);
    rec->take();
    type(w, "\b");
    EXPECT_EQ(rec->take(), (Log{"beep"}));
    EXPECT_TRUE(isCursor(w.lblLetter[kT]));

    type(w, "TE");
    rec->take();
    type(w, "\b");
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav"}));
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kN]));
    EXPECT_TRUE(isCursor(w.lblLetter[kE]));
    EXPECT_EQ(w.Typed, "T");
    type(w, "\b");
    EXPECT_TRUE(isCursor(w.lblLetter[kT]));
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kE]));
    EXPECT_EQ(w.TypedCount, 0);
    EXPECT_EQ(w.Typed, "");

    // At the first open cell after a fixed start, Backspace does nothing at all.
    w.lblWord_Click(kListPA);
    w.lblLetter_Click(kA);
    rec->take();
    type(w, "\b");
    EXPECT_TRUE(rec->log.empty());
    EXPECT_EQ(w.TypedCount, 1);
    EXPECT_TRUE(isCursor(w.lblLetter[kT]));
    EXPECT_TRUE(isLetter(w.lblLetter[kA], "A"));
}

TEST_F(CrossTest, RevealingAWordDropsTheSelectionAndShowsItsLetters) {
    frmCross& w = openSmall();
    w.lblLetter_Click(kT);
    type(w, "t");
    rec->take();
    // AT crosses the selected TEN at its T.
    w.lblWord_Click(kListAT);
    EXPECT_EQ(w.WordSelected, 0);
    EXPECT_TRUE(isLetter(w.lblLetter[kA], "A"));
    EXPECT_TRUE(isLetter(w.lblLetter[kT], "T"));
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kE]));
    EXPECT_EQ(rec->take(), (Log{"repaint lblWord_16", "repaint lblLetter_17", "repaint lblLetter_18", "stop",
                                "sound chimes.wav wait"}));
    // A solved word in the list does nothing.
    w.lblWord_Click(kListAT);
    EXPECT_TRUE(rec->log.empty());
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);
}

TEST_F(CrossTest, AWordWhoseCellsAreAllFixedIsSolvedByItsClick) {
    frmCross& w = openSmall();
    w.lblWord_Click(kListPA);
    w.lblWord_Click(kListTEN);
    rec->take();
    w.lblLetter_Click(kA);
    EXPECT_EQ(rec->take(),
              (Log{"stop", "sound ding.wav", "stop", "sound tada.wav wait", "repaint lblWord_16"}));
    EXPECT_TRUE(isSolvedInList(w.lblWord[kListAT]));
    EXPECT_EQ(w.Puzzle.WordsLeft, 0);
    // That was the last word: the game is over.
    EXPECT_EQ(w.Playing, 0);
    EXPECT_EQ(w.cmdExit->caption(), "&Exit");
}

TEST_F(CrossTest, SolvingTheLastWordEndsTheGameWithThePuzzleLeftOnScreen) {
    frmCross& w = openSmall();
    w.lblWord_Click(kListAT);
    w.lblWord_Click(kListPA);
    w.lblLetter_Click(kT);
    EXPECT_TRUE(isCursor(w.lblLetter[kE]));
    rec->take();
    type(w, "en");
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav", "stop", "sound ding.wav", "repaint lblLetter_50",
                                "stop", "sound tada.wav wait", "repaint lblWord_18"}));
    EXPECT_EQ(w.Playing, 0);
    EXPECT_EQ(w.cmdExit->caption(), "&Exit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdEdit->isEnabled());
    EXPECT_TRUE(w.cmdPrint->isEnabled());
    EXPECT_EQ(w.form()->focusWidget(), w.cmdNew);
    EXPECT_TRUE(w.form()->isVisible());
    for (int i : {kP, kA, kT, kE, kN}) EXPECT_TRUE(w.lblLetter[static_cast<std::size_t>(i)]->isVisible());
    EXPECT_TRUE(isLetter(w.lblLetter[kN], "N"));
}

TEST_F(CrossTest, StopLeavesThePuzzleAsItIsAndTakesNoMoreClicksOrKeys) {
    frmCross& w = openSmall();
    w.lblWord_Click(kListPA);
    w.lblLetter_Click(kT);
    type(w, "t");
    rec->take();
    w.cmdExit->click();
    EXPECT_EQ(w.Playing, 0);
    EXPECT_EQ(w.cmdExit->caption(), "&Exit");
    EXPECT_EQ(w.form()->focusWidget(), w.cmdNew);
    EXPECT_TRUE(w.form()->isVisible());
    // The typed letters go with the selection; nothing is revealed.
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kT]));
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kE]));
    EXPECT_TRUE(isLetter(w.lblLetter[kP], "P"));
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);

    // Cells, list words and keys do nothing until a new game.
    w.lblLetter_Click(kT);
    w.lblWord_Click(kListTEN);
    w.lblWord_Click(kListAT);
    int key = 'T';
    w.Form_KeyPress(key);
    EXPECT_EQ(key, 'T');
    EXPECT_TRUE(rec->log.empty());
    EXPECT_FALSE(isSolvedInList(w.lblWord[kListTEN]));
    EXPECT_EQ(w.Puzzle.WordsLeft, 2);
    EXPECT_TRUE(w.isLoaded());

    // New starts again with every word open.
    scriptSmallPuzzle();
    w.cmdNew->click();
    EXPECT_EQ(w.Playing, 1);
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_TRUE(isEmptyCell(w.lblLetter[kP]));
    EXPECT_FALSE(isSolvedInList(w.lblWord[kListPA]));
    EXPECT_EQ(w.Puzzle.WordsLeft, 3);
}

TEST_F(CrossTest, KeysFromTheKeyboardReachTheSelectedWordWhicheverControlHasTheFocus) {
    frmCross& w = openSmall();
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    w.cmdPrint->setFocus();
    w.lblLetter_Click(kT);
    rec->take();
    // The focused Print button must not take the blank either.
    QTest::keyClicks(w.cmdPrint, "te ");
    EXPECT_TRUE(isLetter(w.lblLetter[kE], "E"));
    EXPECT_TRUE(isCursor(w.lblLetter[kN]));
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav", "stop", "sound ding.wav", "beep"}));
    QTest::keyClick(w.cmdPrint, Qt::Key_Backspace);
    EXPECT_TRUE(isCursor(w.lblLetter[kE]));
    QTest::keyClick(w.cmdPrint, Qt::Key_F1);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav", "help 13"}));
}

TEST_F(CrossTest, TheEditorOpensOnlyBetweenGamesAndItsWordsAreUsedNext) {
    frmCross& w = openSmall();
    EXPECT_FALSE(w.cmdEdit->isEnabled());
    w.cmdexit_Click();
    rec->modalActions.push_back([](QWidget*) {
        frmEdit& e = frmEdit::instance();
        e.lstList->setListIndex(e.lstList->ListCount() - 1);
        e.cmdReplace_Click();
        e.txtList->setText("TAN");
        e.cmdOK_Click();
        e.cmdexit_Click();
    });
    w.cmdEdit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rec->take(), (Log{"modal frmEdit"}));
    EXPECT_FALSE(frmEdit::instance().isLoaded());
    // AT, PA, TEN sorted; TEN replaced by TAN.
    EXPECT_EQ(gWordCount, 3);
    EXPECT_EQ(gWordList[3], "TAN");
    EXPECT_EQ(readWholeFile(dir.file("words.txt")).value_or(""), "\"AT\"\r\n\"PA\"\r\n\"TAN\"\r\n");
    // The puzzle on screen stays as it was.
    EXPECT_EQ(w.lblWord[kListTEN]->caption(), "TEN");
}

TEST_F(CrossTest, PrintingAsksFirstAndCancelPrintsNothing) {
    frmCross& w = openSmall();
    rec->answers = {MsgAnswer::Cancel};
    w.cmdPrint->click();
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, "Make sure printer is on-line and ready.");
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OKCancel);
    EXPECT_EQ(rec->boxes[0].title, "Print Puzzle");
    EXPECT_EQ(rec->take(), (Log{"msgbox Print Puzzle: Cancel"}));
    EXPECT_TRUE(rec->recordingPrinter().documents.empty());
    EXPECT_TRUE(rec->recordingPrinter().commands.empty());
}

TEST_F(CrossTest, ThePrintedPageIsTheEmptyGridAndTheList) {
    frmCross& w = openSmall();
    // Solved words print as empty squares all the same.
    w.lblWord_Click(kListPA);
    w.cmdPrint_Click();
    ASSERT_EQ(rec->recordingPrinter().documents.size(), 1u);
    const std::vector<std::string> expected = {
        "orientation 1",
        "fontname Courier New",
        "fontsize 12",
        "fontbold 0",
        "scale 0 0 850 1100",
        "text 100 100 Quenvale - Crosswords",
        "text 100 119.167 Write each word from the list into the squares where it fits.",
        "text 100 167 Crosswords Puzzle:",
        "box 100 200 728 828 #c0c0c0 filled",
        "box 110 210 148 248 #ffffff filled",  // (1, 1)
        "box 110 210 148 248 #000000",
        "box 110 248 148 286 #ffffff filled",  // (2, 1)
        "box 110 248 148 286 #000000",
        "box 148 248 186 286 #ffffff filled",  // (2, 2)
        "box 148 248 186 286 #000000",
        "box 148 286 186 324 #ffffff filled",  // (3, 2)
        "box 148 286 186 324 #000000",
        "box 148 324 186 362 #ffffff filled",  // (4, 2)
        "box 148 324 186 362 #000000",
        "text 100 850 Words in Puzzle:",
        "text 100 869.167 ",
        "text 100 888.333 AT",
        "text 100 907.5 PA",
        "text 100 926.667 TEN",
        "enddoc",
    };
    EXPECT_EQ(rec->recordingPrinter().documents[0], expected);
    EXPECT_EQ(w.Playing, 1);
}

TEST_F(CrossTest, ALongListPrintsInColumnsOfFive) {
    useWords(parseWordList(readWholeFile(QUENVALE_SOURCE_DIR "/assets/words.txt").value_or("")));
    ASSERT_GT(gWordCount, 100);
    setRandomSource(nullptr);
    Randomize(4242);
    frmCross& w = frmCross::instance();
    w.Show();
    ASSERT_GE(w.Puzzle.NumPlaced, 11);
    w.cmdPrint_Click();
    ASSERT_EQ(rec->recordingPrinter().documents.size(), 1u);
    const auto& doc = rec->recordingPrinter().documents[0];

    // Every cell of a word, and only those, as a white square outlined in black.
    std::vector<std::string> squares;
    for (const std::string& c : doc)
        if (c.rfind("box ", 0) == 0 && c != "box 100 200 728 828 #c0c0c0 filled") squares.push_back(c);
    std::vector<std::string> cells;
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= 16; ++c)
            if (w.Puzzle.CellState[r][c] != CrossPuzzle::kNoWord) {
                const std::string at = fmtNumber((c - 1) * 38 + 110) + " " + fmtNumber((r - 1) * 38 + 210) +
                                       " " + fmtNumber(c * 38 + 110) + " " + fmtNumber(r * 38 + 210);
                cells.push_back("box " + at + " #ffffff filled");
                cells.push_back("box " + at + " #000000");
            }
    EXPECT_EQ(squares, cells);

    // The words, shortest first, five to a column, the columns 200 apart.
    auto words = std::find(doc.begin(), doc.end(), "text 100 869.167 ");
    ASSERT_NE(words, doc.end());
    ++words;
    for (int i = 1; i <= w.Puzzle.NumPlaced; ++i, ++words) {
        ASSERT_NE(words, doc.end());
        const double x = 100 + 200 * ((i - 1) / 5);
        const double line = 12.0 / 72.0 * 100.0 * 1.15;
        const double y = 850 + 2 * line + ((i - 1) % 5) * line;
        EXPECT_EQ(*words,
                  "text " + fmtNumber(x) + " " + fmtNumber(y) + " " + w.Puzzle.Word[w.Puzzle.ListOrder[i]])
            << i;
    }
    EXPECT_EQ(*words, "enddoc");
}

TEST_F(CrossTest, APageThatCannotBePrintedIsToldAndTheGameGoesOn) {
    frmCross& w = openSmall();
    // A file where the printouts' folder should be.
    const std::string folder = dir.file("printouts");
    { std::ofstream(folder) << "in the way"; }
    SystemPrinter broken(QString::fromStdString(folder));
    PrintingSeam printing(broken);
    setSeam(&printing);
    w.cmdPrint_Click();
    setSeam(&*rec);
    ASSERT_EQ(printing.boxes.size(), 2u);
    EXPECT_EQ(printing.boxes[1].text,
              "There is no printer on this computer, so the page was not printed.\r"
              "It could not be saved as a file either, in:\r" +
                  QString::fromStdString(folder) + "\rSomething that is no folder stands in its place.");
    EXPECT_EQ(printing.boxes[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(w.Playing, 1);

    // Once the way is clear, the same printer prints the next page.
    std::filesystem::remove(folder);
    PrintingSeam printingAgain(broken);
    setSeam(&printingAgain);
    w.cmdPrint_Click();
    setSeam(&*rec);
    ASSERT_EQ(printingAgain.boxes.size(), 2u);
    EXPECT_TRUE(printingAgain.boxes[1].text.startsWith("There is no printer on this computer"));
    EXPECT_TRUE(std::filesystem::exists(broken.lastPdf().toStdString()));
}

// Writes the printed page of a full puzzle, some words solved, as a PDF for a
// person to look at:
//   QUENVALE_SHOT=1 test_wordgames --gtest_filter=CrossTest.PrintedPageAsPdf
TEST_F(CrossTest, PrintedPageAsPdf) {
    TempDir dir;
    useWords(parseWordList(readWholeFile(QUENVALE_SOURCE_DIR "/assets/words.txt").value_or("")));
    setRandomSource(nullptr);
    Randomize(4242);
    frmCross& w = frmCross::instance();
    w.Show();
    w.lblWord_Click(17);
    w.lblWord_Click(20);
    SystemPrinter pdf(QString::fromStdString(dir.path().string()));
    PrintingSeam printing(pdf);
    setSeam(&printing);
    w.cmdPrint_Click();
    setSeam(&*rec);
    auto bytes = readWholeFile(pdf.lastPdf().toStdString());
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(bytes->starts_with("%PDF"));
    EXPECT_GT(bytes->size(), 2000u);
    // With QUENVALE_SHOT set the page is kept in /tmp/cross.pdf for a look.
    if (!qEnvironmentVariableIsEmpty("QUENVALE_SHOT"))
        std::ofstream("/tmp/cross.pdf", std::ios::binary) << *bytes;
}
