#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "picturepuzzles/frmSPuz.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"

namespace {

using Log = std::vector<std::string>;
namespace fs = std::filesystem;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// A draw that picks candidate `pick` (1-based) of `count`.
float choose(int pick, int count) { return (pick - 0.5f) / count; }

class SPuzWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedSize = gSPuzSize;
        savedDifficulty = gSPuzDifficulty;
        for (const char* name : {"village.wmf", "snowman.wmf", "tree.wmf"})
            fs::copy_file(fs::path(QUENVALE_SOURCE_DIR "/assets") / name, dir.path() / name);
        gAppPath = dir.path().string() + "/";
        gSPuzSize = 1;
        gSPuzDifficulty = 0;
    }
    void TearDown() override {
        w.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gSPuzSize = savedSize;
        gSPuzDifficulty = savedDifficulty;
    }

    void open(float pictureDraw = 0.0f) {
        ScriptedRandom random{pictureDraw};
        ScopedRandom scoped(random);
        w.Show();
        EXPECT_EQ(random.remaining(), 0u);
        loadLog = rec->take();
    }
    // Starts a game whose scramble draws the given numbers.
    void scramble(const std::vector<float>& draws) {
        ScriptedRandom random;
        for (float d : draws) random.push(d);
        ScopedRandom scoped(random);
        w.cmdScramble->click();
        EXPECT_EQ(random.remaining(), 0u);
    }
    // 14 draws that slide 8 and 9 back and forth: every piece ends at home.
    std::vector<float> backAndForth() {
        std::vector<float> d;
        for (int i = 0; i < 14; ++i) d.push_back(i % 2 ? choose(3, 3) : choose(2, 2));
        return d;
    }
    void click(int position) { w.picPiece[at(position)]->onMouseDown(1, 0, 1, 1); }

    // What piece `piece` was cut from: its part of the preview, lying where
    // the piece's own place lies on the board.
    QImage part(int piece) {
        const QPoint home = w.picPiece[at(piece)]->pos() - twipsRect(w.BoardLeft, w.BoardTop, 0, 0).topLeft();
        return w.picPuzzle->image().copy(QRect(home, w.picPiece[1]->image().size()));
    }
    bool shows(int position, int piece) { return w.picPiece[at(position)]->image() == part(piece); }
    // The piece set aside: its store has no border, so it holds a margin more.
    bool storesPiece(int piece) {
        const QImage p = part(piece);
        return w.picPiece[0]->image().copy(0, 0, p.width(), p.height()) == p;
    }
    bool black(int position) {
        const QImage& image = w.picPiece[at(position)]->image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0) return false;
        return true;
    }
    bool whole() {
        for (int p = 1; p <= w.rules.NumPieces; ++p)
            if (!shows(p, p)) return false;
        return true;
    }
    bool idleLayout() {
        return w.picPuzzle->x() == twipsToPixels(w.BoardLeft) && w.fraSize->isVisible() &&
               w.fraDiff->isVisible() && w.cboFiles->isVisible() && w.lblPuzzle->isVisible() &&
               !w.lblFinish->isVisible() && !w.shpFinish->isVisible() && !w.lblMoves[0]->isVisible() &&
               !w.lblMoves[1]->isVisible() && !w.cmdOK->isVisible() && w.cmdScramble->isVisible() &&
               w.cmdScramble->caption() == "&Scramble Puzzle" && w.cmdExit->caption() == "E&xit" &&
               !w.picPiece[1]->isVisible() && !w.picPiece[9]->isVisible() && !w.Timer1->isActive();
    }

    TempDir dir;
    ScopedRecordingSeam rec;
    frmSPuz& w = frmSPuz::instance();
    Log loadLog;
    std::int16_t savedSize = 0, savedDifficulty = 0;
};

}  // namespace

TEST_F(SPuzWindowTest, OpensOnARandomPictureWithTheStoredOptions) {
    gSPuzSize = 3;
    gSPuzDifficulty = 2;
    open(0.5f);  // Int(0.5 x 3) = 1
    ASSERT_EQ(w.cboFiles->ListCount(), 3);
    EXPECT_EQ(w.cboFiles->List(0), "SNOWMAN");
    EXPECT_EQ(w.cboFiles->List(2), "VILLAGE");
    EXPECT_EQ(w.cboFiles->Text(), "TREE");
    EXPECT_TRUE(w.optSize[3]->isChecked());
    EXPECT_TRUE(w.optDiff[2]->isChecked());
    EXPECT_TRUE(idleLayout());
    EXPECT_TRUE(w.cmdScramble->isEnabled());
    // The whole picture on the board's place, fitted to 16 whole pieces of 964 twips.
    EXPECT_EQ(w.PreviewLeft, 4680);
    EXPECT_EQ(w.BoardLeft, 360);
    EXPECT_EQ(w.BoardTop, 720);
    EXPECT_EQ(w.picPuzzle->scaleWidth(), 4 * 64);
    EXPECT_EQ(w.picPuzzle->width(), 4 * 64);
    EXPECT_NE(w.picPuzzle->image().pixel(20, 20), w.picPuzzle->image().pixel(128, 128));
    for (const std::string& line : loadLog) EXPECT_NE(line.rfind("sound", 0), 0u) << line;

    // Leaving and coming back draws the picture anew.
    w.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    open(0.9f);
    EXPECT_EQ(w.cboFiles->Text(), "VILLAGE");
}

TEST_F(SPuzWindowTest, OptionsAreStoredAtOnceAndResizeTheBoardToWholePieces) {
    open();
    w.optSize[0]->click();
    EXPECT_EQ(gSPuzSize, 0);
    EXPECT_EQ(w.rules.PieceWidth, 1285);
    EXPECT_EQ(w.rules.PieceHeight, 1928);
    EXPECT_EQ(w.picPuzzle->scaleWidth(), 3 * 86);
    EXPECT_EQ(w.picPuzzle->scaleHeight(), 2 * 128);
    EXPECT_EQ(w.picPuzzle->size(), QSize(3 * 86, 2 * 128));
    w.optDiff[3]->click();
    EXPECT_EQ(gSPuzDifficulty, 3);
    // The picture follows the list.
    const QImage before = w.picPuzzle->image();
    w.cboFiles->setListIndex(2);
    EXPECT_NE(w.picPuzzle->image(), before);
}

TEST_F(SPuzWindowTest, AScrambleCutsThePictureAndLeavesABlackHole) {
    open();
    // Always the first neighbour: 6 and 3 slide up and down in turn.
    scramble(std::vector<float>(14, 0.0f));
    EXPECT_EQ(rec->take(),
              (Log{"repaint picPuzzle", "stop", "sound space.wav", "repaint picPiece_9", "repaint picPiece_6",
                   "repaint picPiece_3", "repaint picPiece_6", "repaint picPiece_3", "repaint picPiece_6",
                   "repaint picPiece_3", "repaint picPiece_6", "repaint picPiece_3", "repaint picPiece_6",
                   "repaint picPiece_3", "repaint picPiece_6", "repaint picPiece_3", "repaint picPiece_6"}));
    EXPECT_EQ(w.rules.ScrambleCount, 14);
    EXPECT_EQ(w.rules.Hole, 3);
    EXPECT_EQ(w.cmdScramble->caption(), "&Unscramble Puzzle");
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.fraSize->isVisible());
    EXPECT_FALSE(w.cboFiles->isVisible());
    EXPECT_TRUE(w.lblFinish->isVisible());
    EXPECT_TRUE(w.lblMoves[1]->isVisible());
    EXPECT_EQ(w.lblMoves[1]->caption(), "0");
    EXPECT_EQ(w.picPuzzle->x(), twipsToPixels(4680));

    // Edge to edge on the board, each showing its part of the preview.
    EXPECT_EQ(w.picPiece[2]->x() - w.picPiece[1]->x(), w.picPiece[1]->width());
    EXPECT_TRUE(shows(1, 1));
    EXPECT_TRUE(shows(6, 3));
    EXPECT_TRUE(shows(9, 6));
    EXPECT_TRUE(black(3));
    EXPECT_TRUE(storesPiece(9));
    EXPECT_FALSE(w.picPiece[0]->isVisible());
}

TEST_F(SPuzWindowTest, TheChildSlidesPiecesNextToTheHoleAndUnscrambleReplaysEveryMove) {
    open();
    scramble(std::vector<float>(14, 0.0f));  // hole at 3
    rec->take();
    click(5);  // diagonal
    click(3);  // the hole itself
    EXPECT_EQ(rec->take(), (Log{"stop", "sound uhoh.wav wait", "stop", "sound uhoh.wav wait"}));
    click(2);
    EXPECT_EQ(rec->take(), (Log{"repaint lblMoves_1", "stop", "sound ding.wav", "repaint picPiece_3"}));
    EXPECT_EQ(w.lblMoves[1]->caption(), "1");
    EXPECT_TRUE(black(2));
    EXPECT_TRUE(shows(3, 2));
    click(1);
    EXPECT_EQ(w.lblMoves[1]->caption(), "2");

    w.cmdScramble->click();
    EXPECT_FALSE(w.cmdScramble->isVisible());
    EXPECT_FALSE(w.lblMoves[1]->isVisible());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 25);
    rec->take();
    click(2);  // the child's clicks are ignored while the program solves
    EXPECT_EQ(rec->take(), Log{});
    int ticks = 0;
    while (w.Timer1->isActive() && ticks < 100) {
        w.Timer1_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 2 + 14);
    EXPECT_EQ(w.rules.Hole, 9);
    EXPECT_TRUE(whole());
    const Log log = rec->take();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Log(log.end() - 3, log.end()), (Log{"repaint picPiece_9", "stop", "sound wow.wav wait"}));
    EXPECT_TRUE(w.cmdOK->isVisible());
    EXPECT_FALSE(w.cmdScramble->isVisible());
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");

    w.cmdOK->click();
    EXPECT_TRUE(idleLayout());
    EXPECT_EQ(w.rules.GameOn, 0);
    EXPECT_TRUE(w.isLoaded());
}

TEST_F(SPuzWindowTest, AScrambleThatEndsAtHomeIsSolvedOnlyByTheChildsMoves) {
    open();
    scramble(backAndForth());
    EXPECT_TRUE(black(9));
    EXPECT_FALSE(w.cmdOK->isVisible());
    EXPECT_TRUE(w.cmdScramble->isVisible());
    rec->take();
    click(8);
    click(9);
    EXPECT_EQ(rec->take(), (Log{"repaint lblMoves_1", "stop", "sound ding.wav", "repaint picPiece_9",
                                "repaint lblMoves_1", "stop", "sound ding.wav", "repaint picPiece_8",
                                "repaint picPiece_9", "stop", "sound wow.wav wait"}));
    // The piece set aside fills the hole.
    EXPECT_TRUE(whole());
    EXPECT_TRUE(w.cmdOK->isVisible());
    EXPECT_FALSE(w.cmdScramble->isVisible());
    EXPECT_EQ(w.lblMoves[1]->caption(), "2");
    EXPECT_TRUE(w.running());
    click(8);
    EXPECT_EQ(rec->take(), Log{});
}

TEST_F(SPuzWindowTest, TheMoveAfterTwoThousandBringsTheMessageAndTheProgramsSolve) {
    open();
    scramble(std::vector<float>(14, 0.0f));  // hole at 3
    for (int m = 1; m <= 2000; ++m) click(m % 2 ? 2 : 3);
    EXPECT_EQ(w.lblMoves[1]->caption(), "2000");
    ASSERT_FALSE(w.cmdOK->isVisible());
    rec->take();
    click(2);
    ASSERT_EQ(rec->boxes.size(), 1u);
    EXPECT_EQ(rec->boxes[0].text, "You've taken too many moves, I'll solve it for you.");
    EXPECT_EQ(rec->boxes[0].title, "Too Many Moves!");
    EXPECT_EQ(rec->boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(rec->boxes[0].buttons, MsgButtons::OK);
    EXPECT_EQ(rec->take(), Log{"msgbox Too Many Moves!: OK"});
    EXPECT_EQ(w.rules.MoveCount, 2000);
    EXPECT_EQ(w.rules.Hole, 3);  // the move was not made
    EXPECT_TRUE(w.Timer1->isActive());
    int ticks = 0;
    while (w.Timer1->isActive() && ticks < 3000) {
        w.Timer1_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 2000 + 14);
    EXPECT_TRUE(whole());
    EXPECT_TRUE(w.cmdOK->isVisible());
}

TEST_F(SPuzWindowTest, StopDuringTheSolveRestoresTheWholePictureAtOnceAndANewGameStartsAfresh) {
    open();
    scramble(std::vector<float>(14, 0.0f));
    w.cmdScramble->click();
    for (int i = 0; i < 5; ++i) w.Timer1_Timer();
    w.cmdHelp->click();
    EXPECT_EQ(rec->log.back(), "help 12");
    EXPECT_TRUE(w.Timer1->isActive());
    w.cmdExit->click();
    EXPECT_TRUE(idleLayout());
    EXPECT_TRUE(w.isLoaded());

    // A new game: the hole at the bottom right again, 14 draws, piece 9 set aside.
    scramble(std::vector<float>(14, 0.75f));  // always the last neighbour
    EXPECT_EQ(w.rules.ScrambleLog[1], 9);
    EXPECT_TRUE(storesPiece(9));
    EXPECT_EQ(w.rules.MoveCount, 0);
    EXPECT_EQ(w.lblMoves[1]->caption(), "0");

    // Stop, then Exit: the window goes and the menu comes back.
    TempDir menuDir;
    fs::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", menuDir.file("vantrel5.ini"));
    frmMenu::setProgramFolder(menuDir.path().string());
    w.cmdExit->click();
    EXPECT_TRUE(w.isLoaded());
    w.cmdExit->click();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_TRUE(frmMenu::instance().form()->isVisible());
    // Unloading the menu writes the settings beside the program: the test's folder.
    gAppPath = menuDir.path().string() + "/";
    frmMenu::instance().Unload();
    frmMenu::setProgramFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(SPuzWindowTest, WithoutAnyPictureNothingIsDrawnAndNoGameCanStart) {
    for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove(entry.path());
    ScriptedRandom random;
    ScopedRandom scoped(random);
    w.Show();
    EXPECT_EQ(random.draws(), 0);
    EXPECT_EQ(w.cboFiles->ListCount(), 0);
    EXPECT_FALSE(w.cmdScramble->isEnabled());
    w.cmdScramble_Click();
    EXPECT_FALSE(w.running());
}
