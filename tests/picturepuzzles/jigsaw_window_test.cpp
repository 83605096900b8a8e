#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "picturepuzzles/frmPuzzle.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"
#include "support/watching_seam.h"

namespace {

using Log = std::vector<std::string>;
namespace fs = std::filesystem;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

class JigsawWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedSize = gPuzzleSize;
        for (const char* name : {"snowman.wmf", "tree.wmf"})
            fs::copy_file(fs::path(QUENVALE_SOURCE_DIR "/assets") / name, dir.path() / name);
        gAppPath = dir.path().string() + "/";
        gPuzzleSize = 0;
    }
    void TearDown() override {
        w.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gPuzzleSize = savedSize;
    }

    void open() {
        ScriptedRandom random{0.0f};
        ScopedRandom scoped(random);
        w.Show();
        EXPECT_EQ(random.remaining(), 0u);
        rec.take();
    }
    // Starts a 2 x 2 puzzle: one identity shuffle, drawn again, then the
    // order 4, 2, 3, 1 (piece 4 shows cell 1, piece 1 cell 4).
    void scramble() {
        ScriptedRandom random{0.999f, 0.999f, 0.999f, 0.0f, 0.999f, 0.999f};
        ScopedRandom scoped(random);
        w.cmdScramble->click();
        EXPECT_EQ(random.remaining(), 0u);
    }
    // The middle of a cell in the board's pixel scale.
    double middle(int index) { return (index + 0.5) * w.rules.PieceSizePx; }
    void dropOnCell(int piece, int cell) {
        w.picPiece_MouseDown(piece, 1, 0, 0, 0);
        const int row = (cell - 1) / w.rules.n, col = (cell - 1) % w.rules.n;
        w.picPuzzle_DragDrop(w.picPiece[at(piece)], middle(col), middle(row));
    }
    // Pieces are as many whole pixels wide as they were cut.
    QRect place(QPoint corner) { return QRect(corner, QSize(w.rules.PieceSizePx, w.rules.PieceSizePx)); }
    QRect trayPlace(int piece) {
        return place(twipsRect(w.rules.TrayPos[at(piece)][1], w.rules.TrayPos[at(piece)][2], 0, 0).topLeft());
    }
    QRect cellPlace(int cell) {
        const int px = w.rules.PieceSizePx;
        return place(w.picPuzzle->pos() + QPoint((cell - 1) % w.rules.n * px, (cell - 1) / w.rules.n * px));
    }
    bool gridShown(int lines) {
        for (int i = 0; i < 3; ++i)
            if (w.Line1[at(i)]->isVisible() != (i < lines) || w.Line2[at(i)]->isVisible() != (i < lines))
                return false;
        return true;
    }
    bool idleLayout() {
        return w.Frame1->isVisible() && w.Label1->isVisible() && w.cboFiles->isVisible() &&
               w.cmdScramble->isVisible() && w.cmdExit->caption() == "E&xit" && !w.picPiece[1]->isVisible() &&
               !w.picPiece[4]->isVisible() && w.picPuzzle->backColor() == bgrColor(0x00C0FFC0) &&
               w.picPuzzle->hasPicture() && gridShown(w.rules.n - 1);
    }

    TempDir dir;
    WatchingSeam rec;
    frmPuzzle& w = frmPuzzle::instance();
    std::int16_t savedSize = 0;
};

}  // namespace

TEST_F(JigsawWindowTest, TheBoardIsSizedToWholePiecesCentredInItsFrameAndGridded) {
    open();
    EXPECT_EQ(w.cboFiles->Text(), "SNOWMAN");
    EXPECT_TRUE(w.optSize[0]->isChecked());
    EXPECT_TRUE(idleLayout());
    EXPECT_TRUE(w.cmdScramble->isEnabled());
    // 2 x 2: pieces of 2048 twips, a board of 4096 centred in the frame at (240, 120), 4335 x 4455,
    // as many pixels wide as its scale.
    EXPECT_EQ(w.rules.PieceSize, 2048);
    EXPECT_DOUBLE_EQ(w.PuzzleLeft, 359.5);
    EXPECT_DOUBLE_EQ(w.PuzzleTop, 299.5);
    EXPECT_EQ(w.picPuzzle->geometry(), QRect(twipsRect(359.5, 299.5, 0, 0).topLeft(), QSize(272, 272)));
    EXPECT_EQ(w.picPuzzle->scaleWidth(), 2 * 136);
    EXPECT_NE(w.picPuzzle->image().pixel(60, 60), w.picPuzzle->image().pixel(136, 240));

    w.optSize[2]->click();
    EXPECT_EQ(gPuzzleSize, 2);
    EXPECT_EQ(w.rules.PieceSize, 1024);
    EXPECT_TRUE(gridShown(3));
    EXPECT_EQ(w.Line1[2]->X1(), pixelsToTwips(3 * 68));
    w.optSize[1]->click();
    EXPECT_EQ(gPuzzleSize, 1);
    EXPECT_EQ(w.rules.PieceSize, 1365);
    EXPECT_TRUE(gridShown(2));
    EXPECT_EQ(rec.log, Log{});
}

TEST_F(JigsawWindowTest, TheWholePictureShowsForASecondThenIsCutIntoTheTrayInShuffledOrder) {
    open();
    QImage whole;
    bool piecesBlank = true, gridHidden = false;
    rec.duringDelay = [&] {
        whole = w.picPuzzle->image();
        gridHidden = gridShown(0);
        for (int k = 1; k <= 4; ++k)
            piecesBlank = piecesBlank && w.picPiece[at(k)]->isVisible() &&
                          w.picPiece[at(k)]->image().pixel(10, 10) == qRgb(255, 255, 255);
    };
    scramble();
    EXPECT_EQ(rec.take(), (Log{"stop", "sound space.wav", "repaint picPuzzle", "delay 1"}));
    EXPECT_TRUE(gridHidden);
    EXPECT_TRUE(piecesBlank);
    ASSERT_FALSE(whole.isNull());

    // Tray place p shows the part of the picture that belongs on cell HomeCell(p).
    const int px = w.rules.PieceSizePx;
    const int order[5] = {0, 4, 2, 3, 1};
    for (int cell = 1; cell <= 4; ++cell) {
        const int piece = order[cell];
        EXPECT_EQ(w.rules.HomeCell[at(piece)], cell);
        const QImage part = whole.copy(((cell - 1) % 2) * px, ((cell - 1) / 2) * px, px, px);
        EXPECT_EQ(w.picPiece[at(piece)]->image().copy(0, 0, px, px), part) << cell;
        EXPECT_EQ(w.picPiece[at(piece)]->geometry(), trayPlace(piece));
    }
    EXPECT_EQ(w.picPiece[at(2)]->geometry(), place(twipsRect(4680 + 2048 + 50, 240, 0, 0).topLeft()));
    // The board is left empty and white, with its grid; only Stop and Help remain.
    EXPECT_FALSE(w.picPuzzle->hasPicture());
    EXPECT_EQ(w.picPuzzle->image().pixel(60, 60), qRgb(255, 255, 255));
    EXPECT_TRUE(gridShown(1));
    EXPECT_FALSE(w.Frame1->isVisible());
    EXPECT_FALSE(w.cboFiles->isVisible());
    EXPECT_FALSE(w.cmdScramble->isVisible());
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
}

TEST_F(JigsawWindowTest, PiecesSnapToFreeCellsAndTheRightPictureEndsThePuzzle) {
    open();
    scramble();
    rec.take();

    // Any piece may lie on any free cell.
    dropOnCell(1, 1);
    EXPECT_EQ(w.picPiece[1]->geometry(), cellPlace(1));
    EXPECT_EQ(w.rules.Occupant[1], 4);
    // An occupied cell, or a piece lying on the board, refuses the drop: the
    // dragged outline is gone before the refusal sounds.
    dropOnCell(2, 1);
    w.picPiece_MouseDown(2, 1, 0, 0, 0);
    w.picPiece_DragDrop(1, w.picPiece[2], 0, 0);
    EXPECT_EQ(rec.take(), (Log{"repaint frmPuzzle", "stop", "sound uhoh.wav wait", "repaint frmPuzzle",
                               "stop", "sound uhoh.wav wait"}));
    EXPECT_EQ(w.picPiece[2]->geometry(), trayPlace(2));
    // From cell to cell; then onto the window: back to the tray, the cell free.
    dropOnCell(1, 2);
    EXPECT_EQ(w.rules.Occupant[1], 0);
    EXPECT_EQ(w.picPiece[1]->geometry(), cellPlace(2));
    w.picPiece_MouseDown(1, 1, 0, 0, 0);
    w.Form_DragDrop(w.picPiece[1], 100, 100);
    EXPECT_EQ(w.picPiece[1]->geometry(), trayPlace(1));
    EXPECT_EQ(w.rules.Occupant[2], 0);
    // On itself in the tray: stays at its tray place.
    w.picPiece_MouseDown(3, 1, 0, 0, 0);
    w.picPiece_DragDrop(3, w.picPiece[3], 0, 0);
    EXPECT_EQ(w.picPiece[3]->geometry(), trayPlace(3));
    EXPECT_EQ(rec.take(), Log{});

    // With the mouse: pressed on piece 4, released over the middle of cell 1.
    const QPoint cell1 = w.picPuzzle->geometry().topLeft() + QPoint(30, 30);
    QTest::mousePress(w.picPiece[4], Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(w.picPuzzle, Qt::LeftButton, {}, w.picPuzzle->mapFrom(w.form(), cell1));
    EXPECT_EQ(w.picPiece[4]->geometry(), cellPlace(1));
    EXPECT_EQ(w.rules.Occupant[1], 1);
    // Released over the buttons, which take no drops: the piece lies where it lay.
    QTest::mousePress(w.picPiece[4], Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(w.cmdHelp, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(w.picPiece[4]->geometry(), cellPlace(1));
    EXPECT_EQ(w.rules.Occupant[1], 1);
    EXPECT_EQ(w.rules.OnCell[4], 1);

    dropOnCell(2, 2);
    dropOnCell(3, 3);
    EXPECT_EQ(rec.take(), Log{});
    dropOnCell(1, 4);
    EXPECT_EQ(rec.take(), (Log{"repaint frmPuzzle", "stop", "sound wow.wav wait"}));
    EXPECT_EQ(w.rules.GameOn, 0);
    EXPECT_TRUE(idleLayout());
}

TEST_F(JigsawWindowTest, AFinishedPuzzleIsThePicturePixelForPixelAtEverySize) {
    open();
    for (int size = 0; size <= 2; ++size) {
        w.optSize[at(size)]->click();
        ScriptedRandom random;
        for (int draw = 1; draw < w.rules.n * w.rules.n; ++draw) random.push(0.0f);
        ScopedRandom scoped(random);
        w.cmdScramble->click();
        QImage finished;
        rec.duringWaitedSound = [&] { finished = w.form()->grab(w.picPuzzle->geometry()).toImage(); };
        for (int piece = 1; piece <= w.rules.NumPieces; ++piece)
            dropOnCell(piece, w.rules.HomeCell[at(piece)]);
        rec.duringWaitedSound = nullptr;
        EXPECT_EQ(rec.log.back(), "sound wow.wav wait");
        const QImage picture = w.pichide->image().copy(QRect(QPoint(0, 0), finished.size()));
        EXPECT_EQ(finished.convertToFormat(picture.format()), picture) << w.rules.n << " x " << w.rules.n;
    }
}

TEST_F(JigsawWindowTest, StopShowsTheWholePictureAtOnceAndANewPuzzleStartsFromTheTray) {
    open();
    scramble();
    dropOnCell(4, 1);
    dropOnCell(1, 3);
    w.cmdHelp->click();
    EXPECT_EQ(rec.log.back(), "help 5");
    EXPECT_TRUE(w.running());
    rec.take();
    w.cmdExit->click();
    EXPECT_EQ(rec.take(), Log{});
    EXPECT_TRUE(idleLayout());
    EXPECT_TRUE(w.isLoaded());

    scramble();
    for (int piece = 1; piece <= 4; ++piece) {
        EXPECT_EQ(w.rules.OnCell[at(piece)], 0);
        EXPECT_EQ(w.picPiece[at(piece)]->geometry(), trayPlace(piece));
    }
    for (int cell = 1; cell <= 4; ++cell) EXPECT_EQ(w.rules.Occupant[at(cell)], 0);

    // Stop, then Exit: the window goes and the menu comes back.
    TempDir menuDir;
    fs::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", menuDir.file("vantrel5.ini"));
    frmMenu::setProgramFolder(menuDir.path().string());
    w.cmdExit->click();
    w.cmdExit->click();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_TRUE(frmMenu::instance().form()->isVisible());
    // Unloading the menu writes the settings beside the program: the test's folder.
    gAppPath = menuDir.path().string() + "/";
    frmMenu::instance().Unload();
    frmMenu::setProgramFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(JigsawWindowTest, WithoutAReadablePictureThePuzzleCannotStart) {
    fs::remove(dir.path() / "snowman.wmf");
    fs::remove(dir.path() / "tree.wmf");
    std::ofstream(dir.file("broken.wmf")) << "not a picture";
    open();
    EXPECT_EQ(w.cboFiles->Text(), "BROKEN");
    EXPECT_FALSE(w.cmdScramble->isEnabled());
    w.cmdScramble_Click();
    EXPECT_FALSE(w.running());
}
