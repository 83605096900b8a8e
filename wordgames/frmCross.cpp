#include "wordgames/frmCross.h"

#include <QApplication>
#include <QCursor>

#include "launcher/shared_routines.h"
#include "launcher/shared_words.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/printer.h"
#include "platform/seam.h"
#include "platform/text_controls.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "wordgames/frmEdit.h"
#include "wordgames/puzzle_page.h"
#include "wordgames/word_list.h"

namespace {

constexpr int kSize = CrossPuzzle::kSize;
constexpr int kFirstListLabel = 16;

QFont buttonFont() { return vbFont("MS Sans Serif", 9.75, true); }

}  // namespace

frmCross::frmCross() : GameWindow(kSpec) { exitCaption = "&Exit"; }

frmCross& frmCross::instance() {
    static frmCross window;
    return window;
}

void frmCross::createControls() {
    Form* f = form();

    Shape1 = new Shape(f, "Shape1");
    placeTwips(Shape1, 120, 120, 6375, 6615);
    Shape1->setFillColor(QBColor(7));

    // The template cell; Form_Load places it and makes the 256 cells from it.
    Label* templ = new Label(f, "lblLetter_0");
    templ->resize(twipsToPixels(375), twipsToPixels(375));
    templ->setFont(vbFont("Courier New", 15.75, true));
    templ->setForeColor(QBColor(0));
    templ->setBackColor(QBColor(15));
    templ->setBorder(true);
    templ->setAlignment(Qt::AlignCenter);
    templ->setWordWrap(false);
    lblLetter[0] = templ;

    Shape2 = new Shape(f, "Shape2");
    placeTwips(Shape2, 6600, 120, 2775, 4575);
    Shape2->setFillColor(bgrColor(0x00FF0000));

    for (int i = 1; i <= 30; ++i) {
        Label* l = new Label(f, QString("lblWord_%1").arg(i));
        l->setForeColor(QBColor(0));
        l->setBackColor(QBColor(15));
        l->setWordWrap(false);
        if (i >= kFirstListLabel) {
            placeTwips(l, 6720, 960 + (i - kFirstListLabel) * 240, 2535, 255);
            l->onClick([this, i] { lblWord_Click(i); });
        } else {
            // Holds a placed word for the game; never shown.
            l->hide();
        }
        lblWord[static_cast<std::size_t>(i)] = l;
    }

    Shape3 = new Shape(f, "Shape3");
    placeTwips(Shape3, 6720, 240, 2535, 615);
    Shape3->setFillColor(bgrColor(0x000000C0));
    Shape3->setBorderColor(QBColor(14));
    Shape3->setBorderWidth(2);

    Label1 = new Label(f, "Label1", "Crosswords");
    placeTwips(Label1, 7005, 300, 1950, 495);
    Label1->setFont(vbFont("Comic Sans MS", 18));
    Label1->setForeColor(bgrColor(0x0000FFFF));
    Label1->setBackColor(bgrColor(0x000000C0));
    Label1->setAlignment(Qt::AlignCenter);

    SSPanel1 = new QFrame(f);
    SSPanel1->setObjectName("SSPanel1");
    placeTwips(SSPanel1, 6600, 4800, 2775, 1935);
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setLineWidth(2);
    greyFrame(SSPanel1);

    cmdNew = new CommandButton(SSPanel1, "cmdNew", "&New");
    placeTwips(cmdNew, 240, 90, 1095, 495);
    cmdNew->onClick([this] { cmdNew_Click(); });
    cmdPrint = new CommandButton(SSPanel1, "cmdPrint", "&Print");
    placeTwips(cmdPrint, 1440, 105, 1095, 495);
    cmdPrint->onClick([this] { cmdPrint_Click(); });
    cmdEdit = new CommandButton(SSPanel1, "cmdEdit", "&Edit Word List");
    placeTwips(cmdEdit, 240, 645, 2295, 495);
    cmdEdit->onClick([this] { cmdEdit_Click(); });
    ButtonColumn buttons(SSPanel1, 240, 1320, 1095, 495, 1200, 0, buttonFont());
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    for (QWidget* b : std::initializer_list<QWidget*>{cmdNew, cmdPrint, cmdEdit}) b->setFont(buttonFont());

    connectFrameButtons(cmdHelp, cmdExit);
    lockedWhileRunning = {cmdNew, cmdEdit};
}

void frmCross::Form_Load() {
    seedFromClock();
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    SolvedBackColor = 12;
    TadaWav = FullPath("tada.wav");
    UhohWav = FullPath("uhoh.wav");
    DingWav = FullPath("ding.wav");
    ChimesWav = FullPath("chimes.wav");
    centre();
    LoadWordList();
    form()->show();

    // The cells fill the middle of the grey grid area, row by row from the top left.
    Label* templ = lblLetter[0];
    const double cellW = 375, cellH = 375;
    const double left = 120 + (6375 - kSize * cellW) * 0.5;
    const double top = 120 + (6615 - kSize * cellH) * 0.5;
    placeTwips(templ, left, top, cellW, cellH);
    double x = left, y = top;
    for (int i = 1; i <= kSize * kSize; ++i) {
        if (i > 1) {
            x += cellW;
            if (x > left + (kSize - 1) * cellW) {
                x = left;
                y += cellH;
            }
        }
        Label* l = loadLabel(*templ, QString("lblLetter_%1").arg(i));
        placeTwips(l, x, y, cellW, cellH);
        l->onClick([this, i] { lblLetter_Click(i); });
        lblLetter[static_cast<std::size_t>(i)] = l;
    }

    const QFont listFont = vbFont("Courier New", 12, true);
    for (int i = 1; i <= 30; ++i) lblWord[static_cast<std::size_t>(i)]->setFont(listFont);
    templ->hide();
    cmdNew_Click();
    QApplication::restoreOverrideCursor();
}

Label* frmCross::cell(int row, int col) const {
    return lblLetter[static_cast<std::size_t>((row - 1) * kSize + col)];
}

void frmCross::cmdNew_Click() {
    Playing = 1;
    WordSelected = 0;
    beginRunning();
    cmdPrint->setEnabled(true);
    NewPuzzle();
}

void frmCross::NewPuzzle() {
    Puzzle.NewPuzzle(gWordList, gWordCount);
    // Only the cells of words show; the grey behind the others shows where
    // there is no word.
    for (int r = 1; r <= kSize; ++r) {
        for (int c = 1; c <= kSize; ++c) {
            Label* l = cell(r, c);
            l->setForeColor(QBColor(0));
            l->setBackColor(QBColor(15));
            if (cellState(r, c) != CrossPuzzle::kNoWord) {
                l->setCaption(" ");
                l->show();
                l->raise();
            } else {
                l->hide();
                l->setCaption("");
            }
        }
    }
    for (int i = 1; i <= CrossPuzzle::kMaxPlaced; ++i) {
        lblWord[static_cast<std::size_t>(i)]->setCaption(QString::fromStdString(Puzzle.Word[i]));
        Label* shown = lblWord[static_cast<std::size_t>(i + 15)];
        shown->setForeColor(QBColor(0));
        shown->setBackColor(QBColor(15));
        if (i <= Puzzle.NumPlaced) {
            shown->setCaption(QString::fromStdString(Puzzle.Word[Puzzle.ListOrder[i]]));
            shown->show();
        } else {
            shown->setCaption("");
            shown->hide();
        }
    }
}

void frmCross::showCursor() {
    Label* l = cell(CursorRow, CursorCol);
    l->setCaption("?");
    l->setForeColor(QBColor(15));
    l->setBackColor(QBColor(12));
}

void frmCross::showLetter(int row, int col, const QString& text) {
    Label* l = cell(row, col);
    l->setCaption(text);
    l->setForeColor(QBColor(0));
    l->setBackColor(QBColor(15));
}

void frmCross::moveCursor(int steps) {
    CursorRow += steps * StepRow;
    CursorCol += steps * StepCol;
}

bool frmCross::takeFixedLetters() {
    while (cellState(CursorRow, CursorCol) != 0) {
        ++TypedCount;
        Typed += static_cast<char>(cellState(CursorRow, CursorCol));
        if (TypedCount >= SelLen) return true;
        moveCursor(1);
    }
    return false;
}

void frmCross::lblLetter_Click(int Index) {
    if (Playing == 0 || Index < 1 || Index > kSize * kSize) return;
    const int row = Int((Index - 1) / 16.0) + 1;
    const int col = Index - (row - 1) * kSize;
    if (WordSelected == 1) ClearSelection();
    SelRow = row;
    SelCol = col;
    WordSelected = 0;

    int found = 0;
    for (int i = 1; i <= Puzzle.NumPlaced; ++i) {
        if (Puzzle.WordSolved[i] == 0 && Puzzle.WordRow[i] == row && Puzzle.WordCol[i] == col) {
            found = i;
            break;
        }
    }
    if (found == 0) {
        PlaySoundFile(UhohWav, 0);
        return;
    }

    RevealMode = 1;
    PlaySoundFile(DingWav, 1);
    SelWord = found;
    SelListPos = 0;
    for (int p = 1; p <= Puzzle.NumPlaced; ++p)
        if (Puzzle.ListOrder[p] == found) SelListPos = p;
    WordSelected = 1;
    CursorRow = row;
    CursorCol = col;
    TypedCount = 0;
    StepRow = Puzzle.WordDown[found];
    StepCol = Puzzle.WordAcross[found];
    Typed.clear();
    SelLen = Puzzle.WordLen[found];
    if (takeFixedLetters()) {
        checkWord();
        return;
    }
    showCursor();
}

void frmCross::Form_KeyPress(int& KeyAscii) {
    if (WordSelected == 0) return;
    int key = KeyAscii;
    // The selected word takes every key; none goes on to the focused button.
    KeyAscii = 0;
    if (key >= 'a' && key <= 'z') key = key - 'a' + 'A';
    if ((key >= 'A' && key <= 'Z') || key == '-' || key == '\'') {
        typeLetter(static_cast<char>(key));
    } else if (key == vbKeyBack) {
        backSpace();
    } else {
        seam().beep();
    }
}

void frmCross::typeLetter(char letter) {
    Label* typedCell = cell(CursorRow, CursorCol);
    showLetter(CursorRow, CursorCol, QString(QChar(letter)));
    PlaySoundFile(DingWav, 1);
    Typed += letter;
    ++TypedCount;
    bool complete = TypedCount >= SelLen;
    if (!complete) {
        moveCursor(1);
        complete = takeFixedLetters();
    }
    if (!complete) {
        showCursor();
        return;
    }
    // The check's sound blocks all painting: let the child see the last letter first.
    seam().repaintNow(typedCell);
    checkWord();
}

void frmCross::backSpace() {
    if (TypedCount == 0) {
        seam().beep();
        return;
    }
    bool onlyFixedBefore = true;
    for (int p = 0; p < TypedCount; ++p)
        if (cellState(SelRow + p * StepRow, SelCol + p * StepCol) == 0) onlyFixedBefore = false;
    if (onlyFixedBefore) return;

    showLetter(CursorRow, CursorCol, "");
    PlaySoundFile(DingWav, 1);
    do {
        --TypedCount;
        Typed.resize(static_cast<std::size_t>(TypedCount));
        moveCursor(-1);
    } while (cellState(CursorRow, CursorCol) != 0);
    showCursor();
}

void frmCross::checkWord() {
    if (Typed == Puzzle.Word[SelWord]) {
        PlaySoundFile(TadaWav, 0);
        RevealMode = 0;
        MarkSolved(SelListPos + 15);
    } else {
        PlaySoundFile(UhohWav, 0);
        ClearSelection();
    }
}

void frmCross::ClearSelection() {
    if (WordSelected == 0) return;
    WordSelected = 0;
    for (int p = 0; p < SelLen; ++p) {
        const int r = SelRow + p * StepRow, c = SelCol + p * StepCol;
        Label* l = cell(r, c);
        if (cellState(r, c) == 0) l->setCaption("");
        l->setBackColor(QBColor(15));
    }
}

void frmCross::MarkSolved(int k) {
    if (WordSelected == 1 && RevealMode == 1) ClearSelection();
    Label* listed = lblWord[static_cast<std::size_t>(k)];
    listed->setForeColor(QBColor(14));
    listed->setBackColor(QBColor(SolvedBackColor));
    seam().repaintNow(listed);

    const int w = Puzzle.ListOrder[k - 15];
    Puzzle.WordSolved[w] = 1;
    const std::string& word = Puzzle.Word[w];
    for (int j = 0; j < Puzzle.WordLen[w]; ++j) {
        const int r = Puzzle.WordRow[w] + j * Puzzle.WordDown[w];
        const int c = Puzzle.WordCol[w] + j * Puzzle.WordAcross[w];
        cellState(r, c) = static_cast<unsigned char>(word[static_cast<std::size_t>(j)]);
        if (RevealMode == 1) {
            showLetter(r, c, QString(QChar(word[static_cast<std::size_t>(j)])));
            seam().repaintNow(cell(r, c));
        }
    }
    WordSelected = 0;
    Puzzle.WordsLeft = Puzzle.WordsLeft - 1;
    if (Puzzle.WordsLeft == 0) cmdexit_Click();
}

void frmCross::lblWord_Click(int Index) {
    // The list reveals words only during a game: after Stop the puzzle stays as
    // the child left it, and the window is left only by its exit button.
    if (Playing == 0) return;
    if (Index < kFirstListLabel || Index > 15 + Puzzle.NumPlaced) return;
    const int w = Puzzle.ListOrder[Index - 15];
    if (Puzzle.WordSolved[w] != 0) return;
    RevealMode = 1;
    MarkSolved(Index);
    PlaySoundFile(ChimesWav, 0);
}

void frmCross::StopGame() {
    ClearSelection();
    Playing = 0;
    endRunning();
    cmdNew->setFocus();
}

void frmCross::cmdEdit_Click() { frmEdit::instance().ShowModal(); }

void frmCross::cmdPrint_Click() {
    Printer* page = startPuzzlePage(form(), "Quenvale - Crosswords",
                                    "Write each word from the list into the squares where it fits.");
    if (!page) return;
    Printer& pr = *page;
    pr.setCurrentX(100);
    pr.setCurrentY(167);
    pr.print("Crosswords Puzzle:");

    pr.box(100, 200, 728, 828, QBColor(7), true);
    for (int r = 1; r <= kSize; ++r) {
        for (int c = 1; c <= kSize; ++c) {
            if (cellState(r, c) == CrossPuzzle::kNoWord) continue;
            const double x1 = (c - 1) * 38 + 110, y1 = (r - 1) * 38 + 210;
            const double x2 = c * 38 + 110, y2 = r * 38 + 210;
            pr.box(x1, y1, x2, y2, QBColor(15), true);
            pr.box(x1, y1, x2, y2, QBColor(0), false);
        }
    }

    pr.setCurrentX(100);
    pr.setCurrentY(850);
    pr.print("Words in Puzzle:");
    pr.setCurrentX(100);
    pr.print("");
    const double y = pr.currentY();
    double x = 100;
    for (int i = 1; i <= Puzzle.NumPlaced; ++i) {
        pr.setCurrentX(x);
        pr.print(QString::fromStdString(Puzzle.Word[Puzzle.ListOrder[i]]));
        if (i % 5 == 0) {
            x += 200;
            pr.setCurrentY(y);
        }
    }
    pr.endDoc();
}
