#include "picturepuzzles/frmSPuz.h"

#include <QTimer>
#include <algorithm>

#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "picturepuzzles/picture_list.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The whole of one box's image copied onto another.
void copyWhole(PictureBox* to, const PictureBox* from) {
    to->BitBlt(0, 0, from->logicalSize().width(), from->logicalSize().height(), *from, 0, 0);
}

}  // namespace

frmSPuz::frmSPuz() : GameWindow(kSpec) {}

frmSPuz& frmSPuz::instance() {
    static frmSPuz window;
    return window;
}

void frmSPuz::createControls() {
    Form* f = form();
    const QFont labelFont = vbFont("Arial", 12, true);
    const QFont optionFont = vbFont("MS Sans Serif", 9.75, true);

    Shape1 = new Shape(f, "Shape1");
    placeTwips(Shape1, 270, 630, 4035, 4035);
    Shape1->setBorderWidth(3);
    Shape1->setBorderColor(QBColor(1));

    shpFinish = new Shape(f, "shpFinish");
    placeTwips(shpFinish, 4590, 630, 4035, 4035);
    shpFinish->setBorderWidth(3);
    shpFinish->setBorderColor(QBColor(1));
    shpFinish->hide();

    pichide = new PictureBox(f, "pichide");
    pichide->place(twipsRect(4680, 720, 3855, 3855));
    pichide->hide();

    picPuzzle = new PictureBox(f, "picPuzzle");
    picPuzzle->place(twipsRect(4680, 720, 3855, 3855));
    picPuzzle->setBackColor(bgrColor(0x00C0FFFF));
    picPuzzle->setScaleMode(PictureBox::Pixels);

    for (int k = 0; k <= kSPuzMaxPieces; ++k) {
        auto* box = new PictureBox(f, QString("picPiece_%1").arg(k));
        if (k == 0)
            box->place(twipsRect(0, 0, 975, 975));
        else
            box->place(twipsRect(360 + 960 * ((k - 1) % 4), 720 + 960 * ((k - 1) / 4), 975, 975));
        box->setScaleMode(PictureBox::Pixels);
        box->onMouseDown = [this, k](int button, int shift, double x, double y) {
            picPiece_MouseDown(k, button, shift, x, y);
        };
        box->hide();
        picPiece[at(k)] = box;
    }

    filFiles = new FileListBox(f, "filFiles");

    lblPuzzle = new Label(f, "lblPuzzle", "Puzzles:");
    placeTwips(lblPuzzle, 4680, 780, 1095, 375);
    lblPuzzle->setFont(labelFont);
    lblPuzzle->setTransparent(true);
    cboFiles = new DropDownList(f, "cboFiles");
    placeTwips(cboFiles, 5760, 720, 2775, 435);
    cboFiles->setFont(labelFont);
    cboFiles->onClick([this] { cboFiles_Click(); });

    const char* sizes[4] = {"6 Pieces", "9 Pieces", "12 Pieces", "16 Pieces"};
    const char* levels[4] = {"Easiest", "Simple", "Hard", "Difficult"};
    fraSize = new Frame(f, "fraSize", "Size");
    placeTwips(fraSize, 4680, 1500, 1815, 2175);
    fraDiff = new Frame(f, "fraDiff", "Difficulty");
    placeTwips(fraDiff, 6720, 1500, 1815, 2175);
    for (int i = 0; i < 4; ++i) {
        auto* s = new OptionButton(fraSize, QString("optSize_%1").arg(i), sizes[i]);
        placeTwips(s, 240, 420 + 420 * i, 1455, 375);
        s->setFont(optionFont);
        s->onClick([this, i] { optSize_Click(i); });
        optSize[at(i)] = s;
        auto* d = new OptionButton(fraDiff, QString("optDiff_%1").arg(i), levels[i]);
        placeTwips(d, 240, 420 + 420 * i, 1455, 375);
        d->setFont(optionFont);
        d->onClick([this, i] { optDiff_Click(i); });
        optDiff[at(i)] = d;
    }

    lblFinish = new Label(f, "lblFinish", "Finished Puzzle:");
    placeTwips(lblFinish, 4680, 240, 2655, 375);
    lblFinish->setFont(labelFont);
    lblFinish->setTransparent(true);
    lblFinish->hide();

    const char* moveCaptions[2] = {"Moves:", "0"};
    for (int i = 0; i < 2; ++i) {
        auto* l = new Label(f, QString("lblMoves_%1").arg(i), moveCaptions[i]);
        placeTwips(l, 360 + 1080 * i, 240, 1035, 375);
        l->setFont(labelFont);
        if (i == 1) {
            l->setBackColor(Qt::white);
            l->setForeColor(QBColor(1));
            l->setBorder(true);
            l->setAlignment(Qt::AlignCenter);
        } else {
            l->setTransparent(true);
        }
        l->hide();
        lblMoves[at(i)] = l;
    }

    const QFont buttonFont = vbFont("MS Sans Serif", 9.75, true);
    cmdScramble = new Button3D(f, "cmdScramble", "&Scramble Puzzle");
    placeTwips(cmdScramble, 360, 4860, 2415, 675);
    cmdScramble->setFont(buttonFont);
    cmdScramble->onClick([this] { cmdScramble_Click(); });

    cmdOK = new CommandButton(f, "cmdOK", "&OK");
    placeTwips(cmdOK, 360, 4860, 2415, 675);
    cmdOK->setFont(buttonFont);
    cmdOK->onClick([this] { cmdOK_Click(); });
    cmdOK->hide();

    fraChoice = new Frame(f, "fraChoice", "");
    placeTwips(fraChoice, 4680, 4740, 3855, 855);
    greyFrame(fraChoice);
    ButtonColumn buttons(fraChoice, 180, 120, 1650, 615, 1845, 0, buttonFont);
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    connectFrameButtons(cmdHelp, cmdExit);
    // Nothing is greyed during a game: what must not change is hidden instead.
    lockedWhileRunning = {};

    Timer1 = new QTimer(f);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(25);
    QObject::connect(Timer1, &QTimer::timeout, f, [this] { Timer1_Timer(); });
}

void frmSPuz::Form_Load() {
    seedFromClock();
    WowSound = FullPath("wow.wav");
    UhOhSound = FullPath("uhoh.wav");
    DingSound = FullPath("ding.wav");
    SpaceSound = FullPath("space.wav");
    // Nothing is kept from the window's last opening; the board has no size
    // yet, so the picture the list chooses is drawn only once it has.
    rules = SPuzRules{};
    Picture = PuzzlePicture{};

    for (int k = 1; k <= kSPuzMaxPieces; ++k) {
        picPiece[at(k)]->setBackColor(QBColor(0));
        picPiece[at(k)]->setBorder(true);
    }
    picPiece[0]->setBackColor(QBColor(0));

    setUpPictureList(*filFiles, *cboFiles, gAppPath);

    PreviewLeft = CInt(pixelsToTwips(picPuzzle->x()));
    BoardLeft = CInt(pixelsToTwips(picPiece[1]->x()));
    BoardTop = CInt(pixelsToTwips(picPiece[1]->y()));
    rules.BoardSize = CInt(pixelsToTwips(picPuzzle->width()));
    rules.BoardSizePx = CInt(picPuzzle->scaleWidth());

    // The list has loaded the picture; it is drawn into pichide and the board
    // when the board is sized, below.
    cmdScramble->setEnabled(Picture.has_value());

    picPuzzle->move(twipsToPixels(BoardLeft), picPuzzle->y());

    centre();
    Show();

    const int size = SPuzRules::clampSize(gSPuzSize);
    optSize[at(size)]->setValue(true);
    optSize_Click(size);
    const int difficulty = SPuzRules::clampDifficulty(gSPuzDifficulty);
    optDiff[at(difficulty)]->setValue(true);
    optDiff_Click(difficulty);
}

void frmSPuz::cboFiles_Click() {
    Picture.load(*filFiles, *cboFiles);
    pichide->setPicture(boardPicture());
    picPuzzle->setPicture(boardPicture());
    // Without a picture there is nothing to cut: the board stays plain and
    // the game cannot start until a readable picture is chosen.
    cmdScramble->setEnabled(Picture.has_value());
}

void frmSPuz::optSize_Click(int Index) {
    gSPuzSize = static_cast<std::int16_t>(Index);
    cmdScramble->setFocus();
    rules.setSize(Index);
    SizeBoard();
}

void frmSPuz::optDiff_Click(int Index) {
    gSPuzDifficulty = static_cast<std::int16_t>(Index);
    cmdScramble->setFocus();
}

void frmSPuz::SizeBoard() {
    rules.sizeBoard();
    // The board is as many pixels wide and high as its scale says, so that
    // the pieces, whole pixels each, are cut from it on the very grid they
    // are laid on.
    const int width = rules.PieceWidthPx * rules.Cols, height = rules.PieceHeightPx * rules.Rows;
    picPuzzle->place(QRect(picPuzzle->pos(), QSize(width, height)));
    picPuzzle->setScale(0, 0, width, height);
    pichide->setPicture(boardPicture());
    picPuzzle->setPicture(boardPicture());
}

const QImage& frmSPuz::boardPicture() {
    // Square, from the board's top left corner: on a board a pixel or two
    // wider than high, or higher than wide, the picture's last pixel or two
    // fall off the board's edge rather than leave a strip of the board bare.
    return Picture.image(std::max(rules.PieceWidthPx * rules.Cols, rules.PieceHeightPx * rules.Rows),
                         picPuzzle->image().devicePixelRatio());
}

void frmSPuz::clearPiece(PictureBox* box) { box->setPicture(std::nullopt); }

void frmSPuz::cmdScramble_Click() {
    if (rules.GameOn != 0) {
        // Only a game the child is playing can be handed to the program.
        if (rules.CanMove != 1) return;
        lblMoves[0]->hide();
        lblMoves[1]->hide();
        cmdScramble->hide();
        rules.startReplay();
        Timer1->setInterval(25);
        Timer1->start();
        return;
    }
    if (!Picture) return;

    rules.GameOn = 1;
    fraSize->hide();
    fraDiff->hide();
    lblFinish->show();
    shpFinish->show();
    beginRunning();
    lblPuzzle->hide();
    cboFiles->hide();
    picPuzzle->move(twipsToPixels(PreviewLeft), picPuzzle->y());

    // The pieces lie on the grid they are cut on, whole pixels apart.
    const int wPx = rules.PieceWidthPx, hPx = rules.PieceHeightPx;
    const QPoint board(twipsToPixels(BoardLeft), twipsToPixels(BoardTop));
    int k = 0;
    for (int r = 1; r <= rules.Rows; ++r) {
        for (int c = 1; c <= rules.Cols; ++c) {
            PictureBox* box = picPiece[at(++k)];
            box->place(QRect(board + QPoint((c - 1) * wPx, (r - 1) * hPx), QSize(wPx, hPx)));
            box->setScale(0, 0, wPx, hPx);
            clearPiece(box);
            box->show();
        }
    }

    seam().repaintNow(picPuzzle);

    k = 0;
    for (int r = 1; r <= rules.Rows; ++r) {
        for (int c = 1; c <= rules.Cols; ++c) {
            PictureBox* box = picPiece[at(++k)];
            box->Cls();
            box->BitBlt(0, 0, wPx, hPx, *picPuzzle, (c - 1) * wPx, (r - 1) * hPx);
        }
    }
    rules.cut();

    PictureBox* store = picPiece[0];
    store->place(QRect(0, 0, wPx, hPx));
    store->setScale(0, 0, wPx, hPx);
    copyWhole(store, picPiece[at(rules.NumPieces)]);
    clearPiece(picPiece[at(rules.NumPieces)]);

    PlaySoundFile(SpaceSound, 1);

    rules.beginScramble(gSPuzDifficulty);
    for (int i = 1; i <= rules.ScrambleCount; ++i) MovePiece(rules.scrambleTarget(i));

    cmdScramble->setCaption("&Unscramble Puzzle");
    rules.CanMove = 1;
    rules.MoveCount = 0;
    lblMoves[1]->setCaption("0");
    lblMoves[0]->show();
    lblMoves[1]->show();
}

void frmSPuz::MovePiece(int t) {
    if (rules.CanMove == 1) PlaySoundFile(DingSound, 1);
    PictureBox* hole = picPiece[at(rules.Hole)];
    copyWhole(hole, picPiece[at(t)]);
    seam().repaintNow(hole);
    clearPiece(picPiece[at(t)]);
    rules.movePiece(t);
    if (rules.finishIfSolved()) showFinished();
}

void frmSPuz::showFinished() {
    PictureBox* last = picPiece[at(rules.NumPieces)];
    copyWhole(last, picPiece[0]);
    seam().repaintNow(last);
    PlaySoundFile(WowSound, 0);
    cmdScramble->hide();
    rules.CanMove = 0;
    cmdOK->show();
    cmdOK->setFocus();
}

void frmSPuz::picPiece_MouseDown(int Index, int, int, double, double) {
    switch (rules.click(Index)) {
        case SPuzClick::Ignored:
            return;
        case SPuzClick::Refused:
            PlaySoundFile(UhOhSound, 0);
            return;
        case SPuzClick::TooMany:
            seam().msgBox("You've taken too many moves, I'll solve it for you.", MsgButtons::OK,
                          MsgIcon::Information, "Too Many Moves!", form());
            cmdScramble_Click();
            return;
        case SPuzClick::Move:
            lblMoves[1]->setCaption(QString::fromStdString(Format(rules.MoveCount, "###0")));
            seam().repaintNow(lblMoves[1]);
            MovePiece(Index);
            return;
    }
}

void frmSPuz::Timer1_Timer() {
    if (!isLoaded()) return;
    if (rules.GameOn != 1 || rules.ReplayLeft <= 0) {
        Timer1->stop();
        return;
    }
    MovePiece(rules.replayTarget());
    if (rules.replayStepDone()) {
        Timer1->stop();
        showFinished();
    }
}

void frmSPuz::cmdOK_Click() { cmdexit_Click(); }

void frmSPuz::StopGame() {
    Timer1->stop();
    rules.CanMove = 0;
    lblMoves[0]->hide();
    lblMoves[1]->hide();
    cmdOK->hide();
    for (int k = 1; k <= kSPuzMaxPieces; ++k) picPiece[at(k)]->hide();
    picPuzzle->move(twipsToPixels(BoardLeft), picPuzzle->y());
    lblFinish->hide();
    shpFinish->hide();
    rules.GameOn = 0;
    fraDiff->show();
    fraSize->show();
    lblPuzzle->show();
    cboFiles->show();
    endRunning();
    cmdScramble->setCaption("&Scramble Puzzle");
    cmdScramble->show();
    cmdScramble->setFocus();
}
