#include <gtest/gtest.h>

#include <QApplication>
#include <QMetaObject>
#include <QTest>
#include <QTimer>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "actiongames/frmFight.h"
#include "actiongames/optFight.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/recording_seam.h"
#include "platform/text.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"

namespace {

using Log = std::vector<std::string>;

QString lines(std::initializer_list<const char*> parts) {
    QString s;
    for (const char* p : parts) s += (s.isEmpty() ? "" : QString(kCR)) + p;
    return s;
}

// The field's inside starts one pixel in, behind its border.
QRect onField(double left, double top) { return twipsRect(left, top, 480, 480).translated(1, 1); }

int shownMarkers(const std::array<Shape*, FightRules::kMarkers>& markers) {
    int n = 0;
    for (Shape* m : markers) n += m->isHidden() ? 0 : 1;
    return n;
}

class FightWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
        // The window's fields outlive every unload; each test starts from fresh ones.
        w.rules = FightRules{};
        w.GameOn = 0;
    }
    void TearDown() override {
        w.Unload();
        optFight::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gFightPlayers = saved_[0];
        gFightBalls = saved_[1];
        gFightDifficulty = saved_[2];
    }

    static void settings(int players, int balls, int difficulty) {
        gFightPlayers = static_cast<std::int16_t>(players);
        gFightBalls = static_cast<std::int16_t>(balls);
        gFightDifficulty = static_cast<std::int16_t>(difficulty);
    }
    // Opens the window; it draws no random number and seeds nothing.
    void open() {
        ScriptedRandom none;
        ScopedRandom scoped(none);
        w.Show();
        EXPECT_EQ(none.draws(), 0);
        EXPECT_EQ(none.seeds(), 0);
    }
    // New Game, with both timers held back so that only the test's own calls step the game.
    void newGame() {
        w.cmdNew->click();
        w.Timer1->start(3600000);
        if (w.Timer2->isActive()) w.Timer2->start(3600000);
        rec->take();
    }
    void key(int code) { w.Form_KeyDown(code, 0); }
    // Game steps with no obstacle leaving the field, until the game ends or n steps.
    void ticks(int n) {
        for (int i = 0; i < n && w.GameOn == 1; ++i) w.Timer1_Timer();
    }
    void parkObstacles() {
        w.rules.ObstacleSpeed = {0, 0};
        w.rules.Cactus[0].Top = w.rules.Cactus[1].Top = 3000;
    }

    ScopedRecordingSeam rec;
    frmFight& w = frmFight::instance();
    std::array<std::int16_t, 3> saved_{gFightPlayers, gFightBalls, gFightDifficulty};
};

TEST_F(FightWindowTest, OpensIdleWithTheThrowersCentredAndTheBoxesEmpty) {
    settings(1, 30, 2);
    open();
    EXPECT_EQ(w.form()->windowTitle(), "Snowball Toss");
    // The only game window whose border can be dragged.
    EXPECT_NE(w.form()->minimumSize(), w.form()->maximumSize());
    EXPECT_EQ(w.Label1->caption(), "You");
    EXPECT_EQ(w.Label2->caption(), "Computer");
    EXPECT_TRUE(w.Label4->isHidden());
    EXPECT_EQ(w.Label3->caption(), lines({"A Key-Move Up", "Z Key-Move Down", "<Space>-Toss"}));
    EXPECT_EQ(w.Label4->caption(), lines({"Up Arrow-Move Up", "Down Arrow-Move Down", "<Enter>-Toss"}));
    EXPECT_EQ(w.lblScore[0]->caption(), "0");
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 22);
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_TRUE(optFight::instance().isLoaded());
    EXPECT_FALSE(optFight::instance().form()->isVisible());

    EXPECT_EQ(w.imgPlayer[0]->geometry(), onField(120, 1627.5));
    EXPECT_EQ(w.imgPlayer[1]->geometry(), onField(5520, 1627.5));
    EXPECT_EQ(w.imgCactus[0]->geometry(), onField(3067.5 - 480, 3735 * 0.33 - 240));
    EXPECT_EQ(w.imgCactus[1]->geometry(), onField(3067.5, 3735 * 0.67 - 240));
    EXPECT_TRUE(w.imgLBullet[0]->isHidden());
    EXPECT_TRUE(w.imgRBullet[0]->isHidden());
    EXPECT_TRUE(w.pnlOver->isHidden());
    // Centred on the field's outer size, in the coordinates of its inside.
    EXPECT_EQ(w.pnlOver->geometry(),
              twipsRect((6135 - 2055) / 2.0, (3735 - 1095) / 2.0, 2055, 1095).translated(1, 1));

    // Empty boxes; the markers stand in them, the first at the bottom left, the last at the top right.
    EXPECT_EQ(shownMarkers(w.shpLBall) + shownMarkers(w.shpRBall), 0);
    EXPECT_TRUE(w.shpArsenal[0]->geometry().contains(w.shpLBall[0]->geometry()));
    EXPECT_TRUE(w.shpArsenal[1]->geometry().contains(w.shpRBall[29]->geometry()));
    EXPECT_GT(w.shpLBall[0]->y(), w.shpLBall[1]->y());
    EXPECT_NEAR(w.shpLBall[14]->y(), w.shpArsenal[0]->y(), 1);
    EXPECT_EQ(w.shpRBall[15]->y(), w.shpRBall[0]->y());
    EXPECT_GT(w.shpRBall[15]->x(), w.shpRBall[0]->x());
    EXPECT_EQ(w.shpRBall[29]->y(), w.shpRBall[14]->y());
    EXPECT_TRUE(rec->log.empty());

    // With two players the sides are named by number and the arrow keys are explained.
    w.Unload();
    gFightPlayers = 2;
    open();
    EXPECT_EQ(w.Label1->caption(), "Player 1");
    EXPECT_EQ(w.Label2->caption(), "Player 2");
    EXPECT_FALSE(w.Label4->isHidden());
}

TEST_F(FightWindowTest, NewGameFillsTheBoxesAndStartsTheLoopAndTheComputer) {
    settings(1, 15, 3);
    open();
    w.cmdNew->click();
    EXPECT_EQ(w.GameOn, 1);
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.cmdOptions->isEnabled());
    EXPECT_TRUE(w.cmdHelp->isEnabled());
    EXPECT_TRUE(w.Timer1->isActive());
    // "Hard": the first decision two seconds and one 80 ms tick after New Game.
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_EQ(w.Timer2->interval(), 2080);
    EXPECT_EQ(w.form()->focusWidget(), w.picDesert);
    // Fifteen snowballs fill the first column of each box only.
    EXPECT_EQ(shownMarkers(w.shpLBall), 15);
    EXPECT_EQ(shownMarkers(w.shpRBall), 15);
    EXPECT_FALSE(w.shpLBall[14]->isHidden());
    EXPECT_TRUE(w.shpLBall[15]->isHidden());

    // Help during a game leaves it running.
    w.cmdHelp->click();
    EXPECT_EQ(rec->log, Log{"help 10"});
    EXPECT_EQ(w.GameOn, 1);

    // With two players the computer does not play.
    w.cmdExit->click();
    gFightPlayers = 2;
    gFightBalls = 30;
    w.cmdNew->click();
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_EQ(shownMarkers(w.shpRBall), 30);
}

TEST_F(FightWindowTest, TossesHitsAndTheEndOfTheGame) {
    settings(2, 2, 1);
    open();
    newGame();
    parkObstacles();

    key(vbKeySpace);
    w.Timer1_Timer();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound whoosh.wav"}));
    // Each toss hides the highest marker still shown.
    EXPECT_TRUE(w.shpLBall[1]->isHidden());
    EXPECT_FALSE(w.shpLBall[0]->isHidden());
    EXPECT_FALSE(w.imgLBullet[0]->isHidden());
    EXPECT_EQ(w.imgLBullet[0]->geometry(), onField(120 + 240 + 300, 1627.5));

    // Straight across into the other thrower, level with it.
    ticks(15);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound oh!!.wav"}));
    EXPECT_EQ(w.lblScore[0]->caption(), "1");
    EXPECT_TRUE(w.imgLBullet[0]->isHidden());

    // The right thrower out of the line: its snowball flies off the far edge, silently.
    w.rules.Player[1].Top = 30;
    w.RightThrowerKey(vbKeyUp);
    EXPECT_EQ(w.imgPlayer[1]->geometry(), onField(5520, 0));
    int enter = vbKeyReturn;
    w.Form_KeyDown(enter, 0);
    w.Timer1_Timer();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound whoosh.wav"}));
    ticks(25);
    EXPECT_TRUE(rec->log.empty());
    EXPECT_TRUE(w.imgRBullet[0]->isHidden());
    EXPECT_EQ(w.GameOn, 1);

    // Both last snowballs, level: two hits in one step, and that step ends the game.
    w.rules.Player[1].Top = w.rules.Player[0].Top;
    key(vbKeySpace);
    w.Form_KeyDown(enter, 0);
    w.Timer1_Timer();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound whoosh.wav", "stop", "sound whoosh.wav"}));
    ticks(14);
    EXPECT_TRUE(rec->log.empty());
    EXPECT_EQ(w.GameOn, 1);
    w.Timer1_Timer();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound oh!!.wav", "stop", "sound oh!!.wav"}));
    EXPECT_EQ(w.lblScore[0]->caption(), "2");
    EXPECT_EQ(w.lblScore[1]->caption(), "1");

    // The game ended in the step that stopped the last snowball.
    EXPECT_EQ(w.GameOn, 0);
    EXPECT_FALSE(w.pnlOver->isHidden());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdOptions->isEnabled());
    EXPECT_TRUE(w.isLoaded());
    EXPECT_EQ(shownMarkers(w.shpLBall) + shownMarkers(w.shpRBall), 0);
    EXPECT_EQ(w.lblScore[0]->caption(), "2");
}

TEST_F(FightWindowTest, StopEndsQuietlyAndNewGameContinuesFromThere) {
    settings(2, 5, 1);
    open();
    newGame();
    parkObstacles();
    key(vbKeySpace);
    key('Z');
    w.Timer1_Timer();
    rec->take();
    ASSERT_FALSE(w.imgLBullet[0]->isHidden());
    const QRect thrower = w.imgPlayer[0]->geometry();

    w.cmdExit->click();
    EXPECT_TRUE(rec->log.empty());
    EXPECT_TRUE(w.imgLBullet[0]->isHidden());
    EXPECT_FALSE(w.pnlOver->isHidden());
    EXPECT_EQ(shownMarkers(w.shpLBall), 4);
    EXPECT_EQ(shownMarkers(w.shpRBall), 5);
    EXPECT_TRUE(w.isLoaded());
    // Keys do nothing between games.
    key('A');
    EXPECT_EQ(w.imgPlayer[0]->geometry(), thrower);

    w.lblScore[1]->setCaption("3");
    w.cmdNew->click();
    EXPECT_TRUE(w.pnlOver->isHidden());
    EXPECT_EQ(shownMarkers(w.shpLBall), 5);
    EXPECT_EQ(w.lblScore[1]->caption(), "0");
    EXPECT_EQ(w.imgPlayer[0]->geometry(), thrower);
    EXPECT_FLOAT_EQ(w.rules.Cactus[0].Top, 3000);
}

TEST_F(FightWindowTest, AKeyOnTheFieldCountsTwiceAndOnAButtonOnce) {
    settings(1, 5, 1);
    open();
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    newGame();
    ASSERT_EQ(QApplication::focusWidget(), w.picDesert);
    const float top = w.rules.Player[0].Top;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    EXPECT_FLOAT_EQ(w.rules.Player[0].Top, top - 90);
    EXPECT_EQ(w.imgPlayer[0]->geometry(), onField(120, top - 90));
    w.cmdHelp->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), w.cmdHelp);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z);
    EXPECT_FLOAT_EQ(w.rules.Player[0].Top, top - 45);

    // Two players: the arrows drive the right thrower, two steps a press on the field.
    w.cmdExit->click();
    gFightPlayers = 2;
    newGame();
    ASSERT_EQ(QApplication::focusWidget(), w.picDesert);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_FLOAT_EQ(w.rules.Player[1].Top, top + 90);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(w.rules.TossRequest[1]);
    w.cmdExit->click();
}

TEST_F(FightWindowTest, TheComputerDecidesOnItsOwnTicksOneStepAtATime) {
    settings(1, 5, 4);
    open();
    newGame();
    ScriptedRandom random{0.9f, 0.9f};
    ScopedRandom scoped(random);
    // Level with the child: it throws, and from now on thinks every 60 ms.
    w.Timer2_Timer();
    EXPECT_EQ(w.Timer2->interval(), 60);
    EXPECT_TRUE(w.rules.TossRequest[1]);
    // The child much higher: one step of 45 up, shown at once.
    w.rules.Player[0].Top = 0;
    w.Timer2_Timer();
    EXPECT_FLOAT_EQ(w.rules.Player[1].Top, 1627.5f - 45);
    EXPECT_EQ(w.imgPlayer[1]->geometry(), onField(5520, 1627.5 - 45));
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(FightWindowTest, ExitLeavesForTheMenuAndTheWindowsFieldsOutliveIt) {
    TempDir dir;
    std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", dir.file("vantrel5.ini"));
    frmMenu::setProgramFolder(dir.path().string());
    settings(2, 3, 1);
    open();
    newGame();
    parkObstacles();
    w.rules.Player[0].Top = 40;

    // Stop and then Exit clicked while a key waits for the steps before it:
    // the key finds the window gone and does nothing more.
    QMetaObject::invokeMethod(
        qApp,
        [this] {
            w.cmdExit->click();
            w.cmdExit->click();
        },
        Qt::QueuedConnection);
    key(vbKeySpace);
    EXPECT_FALSE(w.isLoaded());
    EXPECT_FALSE(optFight::instance().isLoaded());
    EXPECT_TRUE(frmMenu::instance().form()->isVisible());
    w.Timer1_Timer();
    w.Timer2_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Opened again: the field is laid out afresh, and a toss asked for in the
    // last moments of the last game is thrown at the first step of the next.
    w.rules.TossRequest[0] = true;
    w.rules.ObstacleSpeed = {5, 5};
    gAppPath = QUENVALE_SOURCE_DIR "/assets/";
    open();
    EXPECT_EQ(w.rules.ObstacleSpeed[0], -30);
    EXPECT_EQ(w.imgPlayer[0]->geometry(), onField(120, 1627.5));
    newGame();
    w.Timer1_Timer();
    EXPECT_EQ(rec->take(), (Log{"stop", "sound whoosh.wav"}));
    EXPECT_FALSE(w.imgLBullet[0]->isHidden());

    w.cmdExit->click();
    w.Unload();
    gAppPath = dir.path().string() + "/";
    frmMenu::instance().Unload();
    frmMenu::setProgramFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(FightWindowTest, OptionsWriteTheSettingsAtOnce) {
    settings(2, 29, 3);
    open();
    optFight& o = optFight::instance();
    EXPECT_EQ(o.form()->windowTitle(), "Snowball Toss Options");
    EXPECT_TRUE(o.optPlayer[1]->isChecked());
    EXPECT_TRUE(o.optDiff[2]->isChecked());
    EXPECT_FALSE(o.Frame3->isEnabled());
    EXPECT_EQ(o.lblNumber->caption(), "29");

    rec->modalActions.push_back([&](QWidget*) {
        o.optPlayer[0]->click();
        EXPECT_EQ(gFightPlayers, 1);
        // One player makes the difficulty usable again, as it was.
        EXPECT_TRUE(o.Frame3->isEnabled());
        EXPECT_EQ(gFightDifficulty, 3);
        o.optDiff[3]->click();
        EXPECT_EQ(gFightDifficulty, 4);
        for (int i = 0; i < 3; ++i) o.SpinButton1->upArrow()->click();
        o.cmdOK->click();
    });
    w.cmdOptions->click();
    EXPECT_EQ(rec->take(),
              (Log{"modal optFight", "repaint lblNumber", "repaint lblNumber", "repaint lblNumber"}));
    EXPECT_EQ(gFightBalls, 30);
    EXPECT_EQ(o.lblNumber->caption(), "30");
    EXPECT_FALSE(o.form()->isVisible());

    gFightBalls = 2;
    o.SpinButton1->downArrow()->click();
    o.SpinButton1->downArrow()->click();
    EXPECT_EQ(gFightBalls, 1);
    EXPECT_EQ(o.lblNumber->caption(), "1");

    // Closing the dialog keeps what was clicked, as OK does.
    o.optPlayer[1]->click();
    o.form()->close();
    EXPECT_FALSE(o.isLoaded());
    EXPECT_EQ(gFightPlayers, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Settings from a hand-edited file show, and become, the nearest choice.
    settings(0, 40, 9);
    w.Unload();
    open();
    EXPECT_TRUE(o.optPlayer[0]->isChecked());
    EXPECT_TRUE(o.optDiff[3]->isChecked());
    EXPECT_EQ(gFightPlayers, 1);
    EXPECT_EQ(gFightDifficulty, 4);
    EXPECT_EQ(o.lblNumber->caption(), "40");
    o.SpinButton1->upArrow()->click();
    EXPECT_EQ(gFightBalls, 40);
    o.SpinButton1->downArrow()->click();
    EXPECT_EQ(gFightBalls, 39);
}

}  // namespace
