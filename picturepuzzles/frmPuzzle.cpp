#include "picturepuzzles/frmPuzzle.h"

#include <cmath>

#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "picturepuzzles/picture_list.h"
#include "platform/button_column.h"
#include "platform/drag_drop.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

constexpr std::uint32_t kIdleBoard = 0x00C0FFC0;
constexpr std::uint32_t kEmptyBoard = 0x00FFFFFF;
// The grid lines run past the board's far edge, whatever its size.
constexpr double kLineLength = 6000;

}  // namespace

frmPuzzle::frmPuzzle() : GameWindow(kSpec) {}

frmPuzzle& frmPuzzle::instance() {
    static frmPuzzle window;
    return window;
}

void frmPuzzle::createControls() {
    Form* f = form();
    const QFont labelFont = vbFont("Arial", 12, true);
    const QFont buttonFont = vbFont("MS Sans Serif", 9.75, true);

    Shape1 = new Shape(f, "Shape1");
    placeTwips(Shape1, 240, 120, 4335, 4455);
    Shape1->setBorderWidth(3);
    Shape1->setBorderColor(QBColor(14));

    pichide = new PictureBox(f, "pichide");
    pichide->place(twipsRect(360, 240, 4095, 4215));
    pichide->hide();

    picPuzzle = new PictureBox(f, "picPuzzle");
    picPuzzle->place(twipsRect(360, 240, 4095, 4215));
    picPuzzle->setBackColor(bgrColor(kIdleBoard));
    picPuzzle->setScaleMode(PictureBox::Pixels);
    setDropTarget(picPuzzle,
                  [this](QWidget* source, double x, double y) { picPuzzle_DragDrop(source, x, y); });
    for (int i = 0; i < 3; ++i) {
        Line1[at(i)] = new LineShape(picPuzzle, QString("Line1_%1").arg(i));
        Line2[at(i)] = new LineShape(picPuzzle, QString("Line2_%1").arg(i));
        for (LineShape* line : {Line1[at(i)], Line2[at(i)]}) {
            line->setBorderWidth(2);
            line->hide();
        }
    }

    for (int k = 1; k <= kJigsawMaxPieces; ++k) {
        auto* box = new PictureBox(f, QString("picPiece_%1").arg(k));
        box->place(twipsRect(4680 + 1080 * ((k - 1) % 4), 240 + 1080 * ((k - 1) / 4), 975, 975));
        box->setBackColor(Qt::white);
        box->setScaleMode(PictureBox::Pixels);
        box->setCursor(Qt::OpenHandCursor);
        box->onMouseDown = [this, k](int button, int shift, double x, double y) {
            picPiece_MouseDown(k, button, shift, x, y);
        };
        setDropTarget(box,
                      [this, k](QWidget* source, double x, double y) { picPiece_DragDrop(k, source, x, y); });
        box->hide();
        picPiece[at(k)] = box;
    }
    setDropTarget(f, [this](QWidget* source, double x, double y) { Form_DragDrop(source, x, y); });

    filFiles = new FileListBox(f, "filFiles");

    Label1 = new Label(f, "Label1", "Puzzles:");
    placeTwips(Label1, 4800, 420, 1095, 375);
    Label1->setFont(labelFont);
    Label1->setForeColor(Qt::white);
    Label1->setTransparent(true);
    cboFiles = new DropDownList(f, "cboFiles");
    placeTwips(cboFiles, 5880, 360, 2895, 435);
    cboFiles->setFont(labelFont);
    cboFiles->onClick([this] { cboFiles_Click(); });

    Frame1 = new Frame(f, "Frame1", "Puzzle Size");
    placeTwips(Frame1, 4800, 1200, 2175, 1695);
    greyFrame(Frame1, LockedCaptions::Black);
    const char* sizes[3] = {"2 x 2", "3 x 3", "4 x 4"};
    for (int i = 0; i < 3; ++i) {
        auto* o = new OptionButton(Frame1, QString("optSize_%1").arg(i), sizes[i]);
        placeTwips(o, 300, 420 + 390 * i, 1575, 375);
        o->setFont(buttonFont);
        o->onClick([this, i] { optSize_Click(i); });
        optSize[at(i)] = o;
    }

    cmdScramble = new Button3D(f, "cmdScramble", "&Scramble Puzzle");
    placeTwips(cmdScramble, 360, 4800, 2655, 735);
    cmdScramble->setFont(buttonFont);
    cmdScramble->onClick([this] { cmdScramble_Click(); });

    fraChoice = new Frame(f, "fraChoice", "");
    placeTwips(fraChoice, 4680, 4710, 4200, 975);
    greyFrame(fraChoice, LockedCaptions::Black);
    ButtonColumn buttons(fraChoice, 180, 150, 1815, 675, 2025, 0, buttonFont);
    cmdHelp = buttons.add("cmdHelp", "&Help");
    cmdExit = buttons.add("cmdExit", "E&xit");
    connectFrameButtons(cmdHelp, cmdExit);
    // Nothing is greyed during a puzzle: what must not change is hidden instead.
    lockedWhileRunning = {};
}

void frmPuzzle::Form_Load() {
    seedFromClock();
    WowSound = FullPath("wow.wav");
    UhOhSound = FullPath("uhoh.wav");
    SpaceSound = FullPath("space.wav");
    // Nothing is kept from the window's last opening; the board has no size
    // yet, so the picture the list chooses is drawn only once it has.
    rules = JigsawRules{};
    Picture = PuzzlePicture{};

    setUpPictureList(*filFiles, *cboFiles, gAppPath);

    rules.TrayLeft = CInt(pixelsToTwips(picPiece[1]->x()));
    rules.TrayTop = CInt(pixelsToTwips(picPiece[1]->y()));
    rules.BoardSize = CInt(pixelsToTwips(picPuzzle->width()));
    rules.BoardSizePx = CInt(picPuzzle->scaleWidth());

    const int size = JigsawRules::clampSize(gPuzzleSize);
    optSize[at(size)]->setValue(true);
    optSize_Click(size);

    pichide->setPicture(boardPicture());
    picPuzzle->setPicture(boardPicture());
    cmdScramble->setEnabled(Picture.has_value());

    centre();
}

void frmPuzzle::cboFiles_Click() {
    Picture.load(*filFiles, *cboFiles);
    pichide->setPicture(boardPicture());
    picPuzzle->setPicture(boardPicture());
    // Without a picture there is nothing to cut: the board stays plain and
    // the puzzle cannot start until a readable picture is chosen.
    cmdScramble->setEnabled(Picture.has_value());
}

const QImage& frmPuzzle::boardPicture() {
    return Picture.image(rules.boardScale(), picPuzzle->image().devicePixelRatio());
}

void frmPuzzle::optSize_Click(int Index) {
    gPuzzleSize = static_cast<std::int16_t>(Index);
    SizeBoard();
}

void frmPuzzle::SizeBoard() {
    picPuzzle->hide();
    rules.sizeBoard(gPuzzleSize);
    const int side = rules.boardWidth();
    const double frameLeft = pixelsToTwips(Shape1->x()), frameTop = pixelsToTwips(Shape1->y());
    const double frameWidth = pixelsToTwips(Shape1->width()), frameHeight = pixelsToTwips(Shape1->height());
    PuzzleLeft = frameLeft + (frameWidth - side) * 0.5;
    PuzzleTop = frameTop + (frameHeight - side) * 0.5;
    // The board is as many pixels wide as its scale says, so that its pieces,
    // whole pixels each, are cut from it and laid on it edge to edge: the
    // finished puzzle is the picture, pixel for pixel.
    const int scale = rules.boardScale();
    picPuzzle->place(QRect(twipsToPixels(PuzzleLeft), twipsToPixels(PuzzleTop), scale, scale));
    picPuzzle->setScale(0, 0, scale, scale);
    pichide->setPicture(boardPicture());
    picPuzzle->setPicture(boardPicture());
    showGrid();
    picPuzzle->show();
}

void frmPuzzle::hideGrid() {
    for (int i = 0; i < 3; ++i) {
        Line1[at(i)]->hide();
        Line2[at(i)]->hide();
    }
}

void frmPuzzle::showGrid() {
    hideGrid();
    for (int i = 0; i <= rules.n - 2; ++i) {
        // On the pixel where the pieces are cut apart.
        const double x = pixelsToTwips(std::floor(picPuzzle->xToPixels((i + 1) * rules.PieceSizePx)));
        const double y = pixelsToTwips(std::floor(picPuzzle->yToPixels((i + 1) * rules.PieceSizePx)));
        Line1[at(i)]->setPoints(x, 0, x, kLineLength);
        Line2[at(i)]->setPoints(0, y, kLineLength, y);
        Line1[at(i)]->show();
        Line2[at(i)]->show();
    }
}

void frmPuzzle::cmdScramble_Click() {
    if (rules.GameOn != 0 || !Picture) return;
    rules.GameOn = 1;
    Frame1->hide();
    Label1->hide();
    cboFiles->hide();
    cmdScramble->hide();
    beginRunning();
    PlaySoundFile(SpaceSound, 1);

    const int sidePx = rules.PieceSizePx;
    rules.layTray();
    for (int k = 1; k <= rules.NumPieces; ++k) {
        PictureBox* box = picPiece[at(k)];
        box->place(trayRect(k));
        box->setScale(0, 0, sidePx, sidePx);
        box->setPicture(std::nullopt);
        box->show();
    }

    const std::vector<int> order = rules.drawOrder();

    hideGrid();
    picPuzzle->setPicture(boardPicture());
    seam().repaintNow(picPuzzle);
    Delay(1);

    int k = 0;
    for (int r = 1; r <= rules.n; ++r) {
        for (int c = 1; c <= rules.n; ++c) {
            PictureBox* box = picPiece[at(order[at(++k)])];
            box->Cls();
            box->BitBlt(0, 0, sidePx, sidePx, *picPuzzle, (c - 1) * sidePx, (r - 1) * sidePx);
        }
    }
    rules.cut(order, PuzzleLeft, PuzzleTop);

    picPuzzle->setPicture(std::nullopt);
    picPuzzle->setBackColor(bgrColor(kEmptyBoard));
    showGrid();
}

void frmPuzzle::picPiece_MouseDown(int Index, int, int, double, double) {
    if (rules.GameOn == 0 || Index < 1 || Index > rules.NumPieces) return;
    rules.lift(Index);
    picPiece[at(Index)]->raise();
    beginDrag(picPiece[at(Index)], [this] { dragNotTaken(); });
}

QRect frmPuzzle::cellRect(int cell) const {
    const int side = rules.PieceSizePx;
    const QPoint corner((cell - 1) % rules.n * side, (cell - 1) / rules.n * side);
    return QRect(picPuzzle->pos() + corner, QSize(side, side));
}

QRect frmPuzzle::trayRect(int piece) const {
    return QRect(twipsToPixels(rules.TrayPos[at(piece)][1]), twipsToPixels(rules.TrayPos[at(piece)][2]),
                 rules.PieceSizePx, rules.PieceSizePx);
}

void frmPuzzle::moveDragged(const QRect& place) { picPiece[at(rules.Dragged)]->place(place); }

void frmPuzzle::refuseDrop() {
    rules.keepLiftedPiece();
    seam().repaintNow(form());
    PlaySoundFile(UhOhSound, 0);
}

void frmPuzzle::picPuzzle_DragDrop(QWidget*, double X, double Y) {
    endDrag();
    if (rules.GameOn == 0) return;
    switch (rules.dropOnBoard(X, Y)) {
        case JigsawDrop::Refused:
            refuseDrop();
            return;
        case JigsawDrop::Placed:
            moveDragged(cellRect(rules.PlacedCell));
            return;
        case JigsawDrop::Finished:
            moveDragged(cellRect(rules.PlacedCell));
            // The whole picture in its pieces while the finish sounds.
            seam().repaintNow(form());
            PlaySoundFile(WowSound, 0);
            cmdexit_Click();
            return;
        default:
            return;
    }
}

void frmPuzzle::picPiece_DragDrop(int Index, QWidget*, double, double) {
    endDrag();
    if (rules.GameOn == 0) return;
    switch (rules.dropOnPiece(Index)) {
        case JigsawDrop::Refused:
            refuseDrop();
            return;
        case JigsawDrop::BackToTray:
            moveDragged(trayRect(rules.Dragged));
            return;
        default:
            return;
    }
}

void frmPuzzle::Form_DragDrop(QWidget*, double, double) {
    endDrag();
    if (rules.GameOn == 0) return;
    if (rules.dropOnWindow() == JigsawDrop::BackToTray) moveDragged(trayRect(rules.Dragged));
}

void frmPuzzle::dragNotTaken() {
    if (rules.GameOn != 0) rules.keepLiftedPiece();
}

void frmPuzzle::StopGame() {
    endDrag();
    for (int k = 1; k <= kJigsawMaxPieces; ++k) picPiece[at(k)]->hide();
    picPuzzle->setBackColor(bgrColor(kIdleBoard));
    picPuzzle->setPicture(boardPicture());
    showGrid();
    rules.GameOn = 0;
    Frame1->show();
    Label1->show();
    cboFiles->show();
    cmdScramble->show();
    endRunning();
}
