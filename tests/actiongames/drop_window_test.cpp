#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "actiongames/frmDrop.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"

namespace {

using Log = std::vector<std::string>;

const QRgb kSky = qRgb(0, 255, 255);
const QRgb kCatcher = qRgb(0, 0, 192);

float speedDraw(int s) { return (static_cast<float>(s - 3) + 0.5f) / 9.0f; }
float kindDraw(int k) { return (static_cast<float>(k) + 0.5f) / 5.0f; }

class DropWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
        savedHighScore = gDropHighScore;
    }
    void TearDown() override {
        m.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gDropHighScore = savedHighScore;
    }

    void open() {
        ScriptedRandom random;
        ScopedRandom scoped(random);
        m.Show();
        EXPECT_EQ(random.seeds(), 1);
        EXPECT_EQ(random.draws(), 0);
        rec->take();
    }
    // New Game with every object two heights up, slow, as gifts; object k falls at once.
    void newGame(int k = 0) {
        ScriptedRandom random;
        for (int i = 0; i < 5; ++i) {
            random.push(1.0f / 3);
            random.push(speedDraw(3));
            random.push(kindDraw(0));
        }
        random.push(kindDraw(k));
        ScopedRandom scoped(random);
        m.cmdNew->click();
        EXPECT_EQ(random.remaining(), 0u);
        rec->take();
    }
    // One fall step, with the draws of the objects that land in it.
    void tick(std::vector<float> draws = {}) {
        ScriptedRandom random;
        for (float d : draws) random.push(d);
        ScopedRandom scoped(random);
        m.timBalloons_Timer();
        EXPECT_EQ(random.remaining(), 0u);
    }
    QImage field() const { return m.picBalloons[0]->image(); }
    // The part of the field where object i's picture lies now, cut to the field.
    QImage objectOnField(int i) const {
        const int y = m.rules.ObjY[static_cast<std::size_t>(i)];
        return field().copy(m.rules.LaneX[static_cast<std::size_t>(i)], std::max(0, y), m.rules.w,
                            m.rules.h - std::max(0, -y));
    }
    QImage picture(int kind, int hiddenRows = 0) const {
        const QImage& image = m.picBalloon[static_cast<std::size_t>(kind)]->image();
        return image.copy(0, hiddenRows, image.width(), image.height() - hiddenRows);
    }

    ScopedRecordingSeam rec;
    frmDrop& m = frmDrop::instance();
    std::int16_t savedHighScore = 0;
};

TEST_F(DropWindowTest, OpensIdleWithTheHighScoreAFullTimeBarAndAnEmptyField) {
    gDropHighScore = 52;
    open();
    EXPECT_EQ(m.form()->windowTitle(), "Gift Drop");
    EXPECT_EQ(m.lblHigh->caption(), "52");
    EXPECT_EQ(m.lblScore->caption(), "0");
    EXPECT_EQ(m.pnlTime->floodPercent(), 100);
    EXPECT_FALSE(m.timBalloons->isActive());
    EXPECT_FALSE(m.timGame->isActive());
    EXPECT_EQ(m.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(m.cmdReset->isEnabled());
    EXPECT_EQ(m.form()->focusWidget(), m.cmdNew);
    EXPECT_EQ(m.rules.GameOn, 0);
    // The back buffer is the field's twin and is never seen.
    EXPECT_FALSE(m.picBalloons[1]->isVisible());
    EXPECT_EQ(m.picBalloons[1]->image().size(), field().size());
    // Five lanes across the field's inside; the catcher on its bottom.
    EXPECT_EQ(field().size(), QSize(407, 359));
    EXPECT_EQ(m.rules.LaneX, (std::array<int, 5>{27, 103, 179, 255, 331}));
    EXPECT_EQ(m.rules.CatcherY, 350);
    QImage empty(field().size(), QImage::Format_RGB32);
    empty.fill(kSky);
    EXPECT_EQ(field(), empty);
    // The pictures are ours, on the field's sky, and differ from each other.
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(picture(k).size(), QSize(49, 57));
        EXPECT_EQ(picture(k).pixel(0, 0), kSky);
        for (int j = 0; j < k; ++j) EXPECT_NE(picture(k), picture(j)) << k << " " << j;
    }
    EXPECT_TRUE(rec->log.empty());

    m.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    gDropHighScore = 0;
    open();
    EXPECT_EQ(m.lblHigh->caption(), "0");
}

TEST_F(DropWindowTest, NewGameStartsTheClocksAndDropsOneObjectAtOnce) {
    open();
    m.lblScore->setCaption("7");
    m.pnlTime->setFloodPercent(40);
    rec->clock = 0.5;  // 36000.5 seconds since midnight: the start keeps 36000
    newGame(3);
    EXPECT_EQ(m.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(m.cmdNew->isEnabled());
    EXPECT_FALSE(m.cmdReset->isEnabled());
    EXPECT_TRUE(m.timBalloons->isActive());
    EXPECT_TRUE(m.timGame->isActive());
    EXPECT_EQ(m.lblScore->caption(), "0");
    EXPECT_EQ(m.pnlTime->floodPercent(), 100);
    EXPECT_EQ(m.rules.StartTime, 36000);
    EXPECT_EQ(m.form()->focusWidget(), m.picBalloons[0]);
    // Object 3 just above the field, the others two picture heights up.
    EXPECT_EQ(m.rules.ObjY, (std::array<int, 5>{-114, -114, -114, -57, -114}));
    // The catcher in the middle of the bottom, nothing else in sight yet.
    EXPECT_EQ(m.rules.CatcherX, 159);
    EXPECT_EQ(field().pixel(159, 350), kCatcher);
    EXPECT_EQ(field().pixel(247, 358), kCatcher);
    EXPECT_EQ(field().pixel(158, 354), kSky);
    EXPECT_EQ(field().pixel(248, 354), kSky);
    EXPECT_EQ(field().pixel(159, 349), kSky);

    // The first step brings the bottom of object 3's picture into sight.
    tick();
    EXPECT_EQ(m.rules.ObjY[3], -54);
    EXPECT_EQ(objectOnField(3), picture(0, 54));
    EXPECT_TRUE(rec->log.empty());
}

TEST_F(DropWindowTest, CatchesScoreWithASoundAndMissesSoundOnly) {
    open();
    newGame();
    m.rules.CatcherX = 179;  // under lane 2
    m.rules.ObjY[2] = 300;
    m.rules.Kind[2] = DropRules::kSack;
    m.rules.ObjY[4] = 300;
    m.rules.ObjY[0] = 100;
    m.rules.Kind[0] = 2;
    tick({speedDraw(3), kindDraw(1), speedDraw(3), kindDraw(0)});
    EXPECT_EQ(rec->take(), (Log{"stop", "sound highbing.wav", "stop", "sound miss.wav"}));
    EXPECT_EQ(m.lblScore->caption(), "3");
    // The redraw shows each object at its new place.
    EXPECT_EQ(m.rules.ObjY[0], 103);
    EXPECT_EQ(objectOnField(0), picture(2));

    m.rules.ObjY[2] = 300;
    tick({speedDraw(3), kindDraw(0)});
    EXPECT_EQ(rec->take(), (Log{"stop", "sound highbing.wav"}));
    EXPECT_EQ(m.lblScore->caption(), "4");

    // An object low over the catcher, not yet judged, covers it with its picture's sky.
    m.rules.ObjY[2] = 292;
    tick();
    EXPECT_TRUE(rec->log.empty());
    EXPECT_EQ(field().pixel(179 + 2, 350), picture(0).pixel(2, 55));
    EXPECT_EQ(field().pixel(179 + 2, 350), kSky);
    EXPECT_EQ(field().pixel(179 + 60, 350), kCatcher);
}

TEST_F(DropWindowTest, TheTimeBarFollowsTheClockAndTheGameClockEndsTheGame) {
    gDropHighScore = 3;
    open();
    newGame();
    rec->clock = 45;
    tick();
    EXPECT_EQ(m.pnlTime->floodPercent(), 50);
    rec->clock = 89.5;
    tick();
    EXPECT_EQ(m.pnlTime->floodPercent(), 1);

    // Help during the game leaves it running.
    m.cmdHelp->click();
    EXPECT_EQ(rec->take(), (Log{"help 16"}));
    EXPECT_EQ(m.rules.GameOn, 1);

    // Half time changes nothing that can be seen or heard.
    m.timGame_Timer();
    EXPECT_EQ(m.rules.HalfTime, -1);
    EXPECT_TRUE(rec->log.empty());
    EXPECT_TRUE(m.timBalloons->isActive());
    EXPECT_EQ(m.cmdExit->caption(), "&Stop");

    m.lblScore->setCaption("5");
    const QImage last = field();
    m.timGame_Timer();
    // The empty bar is shown before the fanfare, which is waited for.
    EXPECT_EQ(rec->take(), (Log{"repaint pnlTime", "stop", "sound tada.wav wait"}));
    EXPECT_EQ(m.pnlTime->floodPercent(), 0);
    EXPECT_EQ(m.rules.GameOn, 0);
    EXPECT_FALSE(m.timBalloons->isActive());
    EXPECT_FALSE(m.timGame->isActive());
    EXPECT_EQ(m.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(m.cmdNew->isEnabled());
    EXPECT_TRUE(m.cmdReset->isEnabled());
    EXPECT_EQ(m.form()->focusWidget(), m.cmdNew);
    EXPECT_EQ(gDropHighScore, 5);
    EXPECT_EQ(m.lblHigh->caption(), "5");
    EXPECT_EQ(field(), last);
    EXPECT_TRUE(m.isLoaded());
}

TEST_F(DropWindowTest, StopCountsForTheHighScoreAndResetClearsIt) {
    gDropHighScore = 4;
    open();
    newGame();
    m.lblScore->setCaption("9");
    m.cmdExit->click();
    EXPECT_TRUE(m.isLoaded());
    EXPECT_EQ(m.cmdExit->caption(), "E&xit");
    EXPECT_FALSE(m.timBalloons->isActive());
    EXPECT_EQ(gDropHighScore, 9);
    EXPECT_EQ(m.lblHigh->caption(), "9");
    EXPECT_TRUE(rec->log.empty());

    // A lower score leaves the high score alone.
    newGame();
    m.lblScore->setCaption("2");
    m.cmdExit->click();
    EXPECT_EQ(gDropHighScore, 9);
    EXPECT_EQ(m.lblHigh->caption(), "9");

    m.cmdReset->click();
    EXPECT_EQ(gDropHighScore, 0);
    EXPECT_EQ(m.lblHigh->caption(), "0");
    EXPECT_EQ(m.form()->focusWidget(), m.cmdNew);
}

TEST_F(DropWindowTest, ArrowKeysMoveTheCatcherInAndOutOfAGame) {
    open();
    QWidget* fieldBox = m.picBalloons[0];
    m.rules.ObjY.fill(-100);
    // Idle, a key on the field still moves the catcher and redraws.
    m.rules.CatcherX = 100;
    QTest::keyClick(fieldBox, Qt::Key_Right);
    EXPECT_EQ(m.rules.CatcherX, 110);
    EXPECT_EQ(field().pixel(110, 355), kCatcher);
    EXPECT_EQ(field().pixel(109, 355), kSky);
    m.rules.CatcherX = 40;
    QTest::keyClick(fieldBox, Qt::Key_A);
    EXPECT_EQ(m.rules.CatcherX, 40);
    EXPECT_EQ(field().pixel(40, 355), kCatcher);

    newGame();
    // In a game the buttons take no focus, so the keys keep reaching the field.
    EXPECT_EQ(m.cmdHelp->focusPolicy(), Qt::NoFocus);
    for (int i = 0; i < 20; ++i) QTest::keyClick(fieldBox, Qt::Key_Right);
    EXPECT_EQ(m.rules.CatcherX, 318);
    EXPECT_EQ(field().pixel(406, 355), kCatcher);
    for (int i = 0; i < 40; ++i) QTest::keyClick(fieldBox, Qt::Key_Left);
    EXPECT_EQ(m.rules.CatcherX, 0);
    EXPECT_EQ(field().pixel(0, 355), kCatcher);
    m.cmdExit->click();
    EXPECT_EQ(m.cmdHelp->focusPolicy(), Qt::StrongFocus);
    EXPECT_TRUE(rec->log.empty());
}

TEST_F(DropWindowTest, ExitLeavesForTheMenuAndTheGameStateOutlivesTheWindow) {
    TempDir dir;
    std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", dir.file("vantrel5.ini"));
    frmMenu::setProgramFolder(dir.path().string());
    open();
    newGame();
    m.rules.CatcherX = 77;
    m.cmdExit->click();
    m.cmdExit->click();
    EXPECT_FALSE(m.isLoaded());
    EXPECT_TRUE(frmMenu::instance().form()->isVisible());
    // A late tick finds no window and does nothing.
    m.timBalloons_Timer();
    m.timGame_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    open();
    EXPECT_EQ(m.rules.CatcherX, 77);
    EXPECT_EQ(m.pnlTime->floodPercent(), 100);
    m.Unload();
    gAppPath = dir.path().string() + "/";
    frmMenu::instance().Unload();
    frmMenu::setProgramFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
