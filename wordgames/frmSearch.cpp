#include "wordgames/frmSearch.h"

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

constexpr int kSize = SearchPuzzle::kSize;
constexpr double kCellW = 255, kCellH = 255;

QFont buttonFont() { return vbFont("MS Sans Serif", 9.75, true); }

}  // namespace

frmSearch::frmSearch() : GameWindow(kSpec) { exitCaption = "&Exit"; }

frmSearch& frmSearch::instance() {
    static frmSearch window;
    return window;
}

void frmSearch::createControls() {
    Form* f = form();

    Shape1 = new Shape(f, "Shape1");
    placeTwips(Shape1, 120, 120, 4320, 4320);
    Shape1->setFillColor(QBColor(15));
    Shape1->setBorderColor(QBColor(1));
    Shape1->setBorderWidth(3);

    // The template cell; Form_Load places it and makes the 256 cells from it.
    Label* templ = new Label(f, "lblLetter_0");
    templ->resize(twipsToPixels(kCellW), twipsToPixels(kCellH));
    templ->setFont(vbFont("Arial", 10, true));
    templ->setForeColor(QBColor(0));
    templ->setBackColor(QBColor(15));
    templ->setAlignment(Qt::AlignCenter);
    templ->setWordWrap(false);
    lblLetter[0] = templ;

    shpTitle = new Shape(f, "shpTitle");
    placeTwips(shpTitle, 4560, 120, 2895, 735);
    shpTitle->setFillColor(bgrColor(0x000000C0));
    shpTitle->setBorderColor(QBColor(14));
    shpTitle->setBorderWidth(2);

    for (std::size_t i = 0; i < Image1.size(); ++i) {
        Image1[i] = new ImageBox(f, QString("Image1_%1").arg(i));
        placeTwips(Image1[i], i == 0 ? 4650 : 6810, 180, 615, 615);
    }
    Image1[0]->setPictureFile(FullPath("search_magnifier.svg"));
    Image1[1]->setPictureFile(FullPath("search_snowflake.svg"));

    lblTitle = new Label(f, "lblTitle", "Word Search");
    placeTwips(lblTitle, 5265, 225, 1545, 525);
    lblTitle->setFont(vbFont("Comic Sans MS", 14, true));
    lblTitle->setForeColor(bgrColor(0x0000FFFF));
    lblTitle->setTransparent(true);
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setWordWrap(false);

    Shape2 = new Shape(f, "Shape2");
    placeTwips(Shape2, 4560, 975, 2895, 5640);
    Shape2->setFillColor(bgrColor(0x00FF0000));

    Label1 = new Label(f, "Label1", "Search For:");
    placeTwips(Label1, 4680, 1020, 2655, 345);
    Label1->setFont(vbFont("Comic Sans MS", 12, true));
    Label1->setForeColor(QBColor(14));
    Label1->setTransparent(true);

    for (int i = 1; i <= SearchPuzzle::kMaxPlaced; ++i) {
        Label* l = new Label(f, QString("lblWord_%1").arg(i));
        placeTwips(l, 4680, 1410 + (i - 1) * 240, 2655, 255);
        l->setFont(vbFont("Courier New", 12, true));
        l->setForeColor(QBColor(0));
        l->setBackColor(QBColor(15));
        l->setWordWrap(false);
        l->onClick([this, i] { lblWord_Click(i); });
        l->hide();
        lblWord[static_cast<std::size_t>(i)] = l;
    }

    cmdNew = new CommandButton(f, "cmdNew", "&New Puzzle");
    placeTwips(cmdNew, 120, 4590, 2100, 555);
    cmdNew->onClick([this] { cmdNew_Click(); });
    cmdCheck = new CommandButton(f, "cmdCheck", "Check &Word");
    placeTwips(cmdCheck, 2340, 4590, 2100, 555);
    cmdCheck->onClick([this] { cmdCheck_Click(); });
    cmdClear = new CommandButton(f, "cmdClear", "&Clear Highlight");
    placeTwips(cmdClear, 120, 5250, 2100, 555);
    cmdClear->onClick([this] { cmdClear_Click(); });
    cmdPrint = new CommandButton(f, "cmdPrint", "&Print Puzzle");
    placeTwips(cmdPrint, 2340, 5250, 2100, 555);
    cmdPrint->onClick([this] { cmdPrint_Click(); });
    cmdEdit = new CommandButton(f, "cmdEdit", "&Edit Word List");
    placeTwips(cmdEdit, 120, 5910, 2100, 555);
    cmdEdit->onClick([this] { cmdEdit_Click(); });
    ButtonColumn buttons(f, 2340, 5910, 990, 555, 1110, 0, buttonFont());
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    for (QWidget* b : std::initializer_list<QWidget*>{cmdNew, cmdCheck, cmdClear, cmdPrint, cmdEdit})
        b->setFont(buttonFont());
    cmdCheck->setEnabled(false);
    cmdClear->setEnabled(false);
    cmdPrint->setEnabled(false);

    connectFrameButtons(cmdHelp, cmdExit);
    lockedWhileRunning = {cmdNew, cmdEdit};
}

void frmSearch::Form_Load() {
    seedFromClock();
    SelBack = 5;
    FoundBack = 9;
    TadaWav = FullPath("tada.wav");
    UhohWav = FullPath("uhoh.wav");
    DingWav = FullPath("ding.wav");
    ChimesWav = FullPath("chimes.wav");
    centre();
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    form()->show();

    // The cells fill the middle of the square, row by row from the top left,
    // each showing a random letter.
    Label* templ = lblLetter[0];
    const double left = 120 + (4320 - kSize * kCellW) * 0.5;
    const double top = 120 + (4320 - kSize * kCellH) * 0.5;
    placeTwips(templ, left, top, kCellW, kCellH);
    templ->hide();
    double x = left, y = top;
    for (int i = 1; i <= kSize * kSize; ++i) {
        Label* l = loadLabel(*templ, QString("lblLetter_%1").arg(i));
        placeTwips(l, x, y, kCellW, kCellH);
        l->setCaption(QString(QChar(SearchPuzzle::randomLetter())));
        l->onClick([this, i] { lblLetter_Click(i); });
        l->show();
        l->raise();
        lblLetter[static_cast<std::size_t>(i)] = l;
        x += kCellW;
        if (x > left + (kSize - 1) * kCellW) {
            x = left;
            y += kCellH;
        }
    }

    if (gWordCount == 0) LoadWordList();

    int col = 6;
    PutGridText("CLICK", 5, col);
    col = 4;
    PutGridText("NEW", 7, col);
    col = 8;
    PutGridText("PUZZLE", 7, col);
    col = 5;
    PutGridText("TO", 9, col);
    col = 8;
    PutGridText("START", 9, col);
    QApplication::restoreOverrideCursor();
}

Label* frmSearch::cell(int row, int col) const {
    return lblLetter[static_cast<std::size_t>((row - 1) * kSize + col)];
}

void frmSearch::PutGridText(const std::string& Text, int Row, int& Col) {
    for (char ch : Text) {
        Label* l = cell(Row, Col);
        l->setCaption(QString(QChar(ch)));
        l->setForeColor(QBColor(14));
        l->setBackColor(QBColor(SelBack));
        ++Col;
    }
}

void frmSearch::paintCell(const SearchPuzzle::Cell& c) {
    Label* l = cell(c.row, c.col);
    switch (Puzzle.Grid[c.row][c.col]) {
        case SearchPuzzle::kFree:
            l->setForeColor(QBColor(0));
            l->setBackColor(QBColor(15));
            break;
        case SearchPuzzle::kFound:
            l->setForeColor(QBColor(14));
            l->setBackColor(QBColor(FoundBack));
            break;
        default:  // selected, over a found word or not
            l->setForeColor(QBColor(14));
            l->setBackColor(QBColor(SelBack));
            break;
    }
}

void frmSearch::paintCells(const std::vector<SearchPuzzle::Cell>& cells) {
    for (const SearchPuzzle::Cell& c : cells) paintCell(c);
}

void frmSearch::cmdNew_Click() {
    GameOn = 1;
    beginRunning();
    cmdPrint->setEnabled(true);
    cmdCheck->setEnabled(true);
    cmdClear->setEnabled(true);
    NewPuzzle();
}

void frmSearch::NewPuzzle() {
    Puzzle.NewPuzzle(gWordList, gWordCount);
    for (int r = 1; r <= kSize; ++r) {
        for (int c = 1; c <= kSize; ++c) {
            Label* l = cell(r, c);
            l->setCaption(QString(QChar(Puzzle.Letter[r][c])));
            l->setForeColor(QBColor(0));
            l->setBackColor(QBColor(15));
        }
    }
    for (int k = 1; k <= SearchPuzzle::kMaxPlaced; ++k) {
        Label* l = lblWord[static_cast<std::size_t>(k)];
        l->setForeColor(QBColor(0));
        l->setBackColor(QBColor(15));
        l->setCaption(QString::fromStdString(Puzzle.Word[k]));
        l->setVisible(k <= Puzzle.NumPlaced);
    }
}

void frmSearch::lblLetter_Click(int Index) {
    if (Index < 1 || Index > kSize * kSize) return;
    const int row = Int((Index - 1) / 16.0) + 1;
    const int col = Index - (row - 1) * kSize;
    // Between puzzles the letters take no selection: it could be neither
    // checked nor cleared until the next puzzle.
    if (GameOn == 0 || !Puzzle.Select(row, col)) {
        PlaySoundFile(UhohWav, 0);
        return;
    }
    paintCell({row, col});
    seam().repaintNow(cell(row, col));
    PlaySoundFile(DingWav, 0);
}

void frmSearch::cmdCheck_Click() {
    const int k = Puzzle.CheckWord();
    if (k != 0) {
        PlaySoundFile(TadaWav, 0);
        MarkWordFound(k);
    } else {
        PlaySoundFile(UhohWav, 0);
        ClearSelection();
    }
}

void frmSearch::cmdClear_Click() { ClearSelection(); }

void frmSearch::ClearSelection() {
    const std::vector<SearchPuzzle::Cell> cells = Puzzle.SelectionCells();
    Puzzle.ClearSelection();
    paintCells(cells);
}

void frmSearch::MarkWordFound(int k) {
    const std::vector<SearchPuzzle::Cell> selected = Puzzle.SelectionCells();
    Puzzle.MarkWordFound(k);
    paintCells(selected);

    Label* listed = lblWord[static_cast<std::size_t>(k)];
    listed->setForeColor(QBColor(14));
    listed->setBackColor(QBColor(FoundBack));
    seam().repaintNow(listed);
    for (const SearchPuzzle::Cell& c : Puzzle.WordCells(k)) {
        paintCell(c);
        seam().repaintNow(cell(c.row, c.col));
    }
    if (Puzzle.WordsLeft == 0) cmdexit_Click();
}

void frmSearch::lblWord_Click(int Index) {
    // Between puzzles the list shows how the last one stood; revealing the
    // last word then would run the exit button and leave the window.
    if (GameOn == 0) return;
    if (Index < 1 || Index > Puzzle.NumPlaced || Puzzle.Found[Index] != 0) return;
    Puzzle.Found[Index] = 1;
    MarkWordFound(Index);
    PlaySoundFile(ChimesWav, 0);
}

void frmSearch::StopGame() {
    GameOn = 0;
    endRunning();
    cmdCheck->setEnabled(false);
    cmdClear->setEnabled(false);
    cmdNew->setFocus();
}

void frmSearch::cmdEdit_Click() { frmEdit::instance().ShowModal(); }

void frmSearch::cmdPrint_Click() {
    Printer* page = startPuzzlePage(form(), "Quenvale - Word Search",
                                    "Find each word of the list across or down, and circle it.");
    if (!page) return;
    Printer& pr = *page;
    pr.setCurrentX(100);
    pr.setCurrentY(133);
    pr.print("");
    pr.setCurrentX(100);
    pr.setCurrentY(167);
    pr.print("Puzzle:");

    pr.setCurrentY(225);
    for (int r = 1; r <= kSize; ++r) {
        QString line;
        for (int c = 1; c <= kSize; ++c) {
            line += QChar(Puzzle.Letter[r][c]);
            line += ' ';
        }
        pr.setCurrentX(125);
        pr.print(line);
        pr.setCurrentY(pr.currentY() + 8);
    }
    const QColor black = QBColor(0);
    pr.line(100, 210, 480, 210, black);
    pr.line(480, 210, 480, 660, black);
    pr.line(480, 660, 100, 660, black);
    pr.line(100, 660, 100, 210, black);

    pr.setCurrentX(520);
    pr.setCurrentY(167);
    pr.print("Words to Find:");
    pr.setCurrentX(520);
    pr.print("");
    for (int k = 1; k <= Puzzle.NumPlaced; ++k) {
        pr.setCurrentX(520);
        pr.print(QString::fromStdString(Puzzle.Word[k]));
    }
    pr.endDoc();
}
