#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>

#include "boardgames/frmFrosty.h"
#include "launcher/frmResults.h"
#include "launcher/settings.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

using Log = std::vector<std::string>;

const QColor kCyan = bgrColor(0x00FFFF00);

class FrostyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
        gFrostyPlayers = 2;
        gFrostyNames = {"", "Ann", "Bob", "Cid", "Dee"};
    }
    void TearDown() override {
        w.Unload();
        frmResults::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gFrostyPlayers = savedPlayers_;
        gFrostyNames = savedNames_;
    }

    void open() { w.Show(); }
    void newGame() {
        w.cmdNew->click();
        rec->take();
    }
    // One stop with the given draws, all of which must be taken.
    Log stop(std::initializer_list<float> draws) {
        for (float d : draws) rnd.push(d);
        w.picFlash_Click();
        EXPECT_EQ(rnd.remaining(), 0u);
        return rec->take();
    }
    // The colour a snowman box shows at a point given as fractions of its scale.
    static QColor at(PictureBox* box, double fx, double fy) {
        const QPointF p = box->toPixels(fx * CInt(box->scaleWidth()), fy * CInt(box->scaleHeight()));
        return box->image().pixelColor(static_cast<int>(p.x()), static_cast<int>(p.y()));
    }
    static QColor base(TextBox* t) { return t->palette().color(QPalette::Base); }
    QString message() const { return w.lblMessage->caption(); }

    frmFrosty& w = frmFrosty::instance();
    ScopedRecordingSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};

private:
    std::int16_t savedPlayers_ = gFrostyPlayers;
    std::array<std::string, 5> savedNames_ = gFrostyNames;
};

TEST_F(FrostyWindowTest, LoadingShowsThePlayersChosenAndTheIdleText) {
    gFrostyPlayers = 3;
    open();
    EXPECT_EQ(w.form()->windowTitle(), "Build Frosty");
    EXPECT_EQ(w.form()->size(), QSize(twipsToPixels(8055), twipsToPixels(6795)));
    EXPECT_EQ(w.helpContextID(), 3);
    EXPECT_TRUE(w.optNum[2]->isChecked());
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(w.txtName[p]->isVisible(), p <= 3) << p;
        EXPECT_EQ(w.picFrosty[p]->isVisible(), p <= 3) << p;
    }
    EXPECT_EQ(w.txtName[3]->Text(), "Cid");
    EXPECT_EQ(message(), "\rChoose Number of\rPlayers, Enter Names\rClick New Game");
    EXPECT_FALSE(w.Label1->isVisible());
    EXPECT_FALSE(w.Image1->isVisible());
    EXPECT_FALSE(w.Shape1->isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 100);
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_EQ(rec->log, (Log{"repaint lblMessage"}));

    // Clicks and Enter do nothing while no game runs: nothing is drawn.
    w.picFlash_Click();
    int enter = 13;
    w.picFlash_KeyPress(enter);
    EXPECT_EQ(rnd.draws(), 0);

    // Choosing the number of players shows that many names and snowmen.
    w.optNum[0]->click();
    EXPECT_EQ(gFrostyPlayers, 1);
    EXPECT_TRUE(w.txtName[1]->isVisible());
    EXPECT_FALSE(w.txtName[2]->isVisible());
    EXPECT_FALSE(w.picFrosty[2]->isVisible());
    gFrostyNames[4] = "Eve";
    w.optNum[3]->click();
    EXPECT_EQ(gFrostyPlayers, 4);
    EXPECT_TRUE(w.picFrosty[4]->isVisible());
    EXPECT_EQ(w.txtName[4]->Text(), "Eve");
}

TEST_F(FrostyWindowTest, NewGameLocksTheChoicesAndAnnouncesPlayerOne) {
    open();
    rec->take();
    w.cmdNew->click();
    EXPECT_EQ(w.rules.GameOn, 1);
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.Frame1->isEnabled());
    EXPECT_TRUE(w.Label1->isVisible());
    EXPECT_EQ(w.Label1->caption(), "Click Here!");
    EXPECT_TRUE(w.Image1->isVisible());
    EXPECT_TRUE(w.Shape1->isVisible());
    EXPECT_EQ(message(), "\rPlayer 1:\rAnn\rYour Turn");
    EXPECT_EQ(base(w.txtName[1]), kCyan);
    EXPECT_EQ(base(w.txtName[2]), QBColor(15));
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(rec->take(), (Log{"repaint picFrosty_1", "repaint picFrosty_2", "repaint lblMessage"}));

    // Each tick shows a random part, with a beep: the arms hang on the body.
    rnd.push(0.4f);
    w.Timer1_Timer();
    EXPECT_EQ(rec->take(), (Log{"beep", "repaint picFlash"}));
    EXPECT_EQ(at(w.picFlash, 0.5, 0.8), QBColor(15));
    EXPECT_EQ(at(w.picFlash, 0.1, 0.4), QBColor(15));
    EXPECT_NE(at(w.picFlash, 0.5, 0.31), QBColor(15)) << "no head with the arms";
    rnd.push(0.99f);
    w.Timer1_Timer();
    EXPECT_NE(at(w.picFlash, 0.5, 0.8), QBColor(15)) << "the hat alone";
    EXPECT_EQ(at(w.picFlash, 0.5, 0.16), QBColor(12));
    EXPECT_EQ(at(w.picFlash, 0.5, 0.12), QBColor(14));
}

TEST_F(FrostyWindowTest, AUsefulStopAddsThePartAfterTheFanfare) {
    open();
    newGame();
    const Log log = stop({0.1f});
    EXPECT_EQ(log, (Log{"beep", "repaint picFlash", "stop", "sound tada.wav wait", "repaint picFrosty_1",
                        "delay 1", "repaint picFlash", "repaint lblMessage"}));
    EXPECT_EQ(w.rules.PartCount[1], 1);
    EXPECT_EQ(w.rules.HasPart[1][1], 1);
    EXPECT_EQ(at(w.picFrosty[1], 0.5, 0.7), QBColor(15));
    EXPECT_NE(at(w.picFlash, 0.5, 0.7), QBColor(15)) << "the picture is emptied after the stop";
    EXPECT_EQ(message(), "\rPlayer 2:\rBob\rYour Turn");
    EXPECT_EQ(base(w.txtName[1]), QBColor(15));
    EXPECT_EQ(base(w.txtName[2]), kCyan);
    EXPECT_TRUE(w.Timer1->isActive());
}

TEST_F(FrostyWindowTest, AUselessStopShowsAPartAndAddsNothing) {
    open();
    newGame();
    // No parts yet: the draw 0.5 shows part 4, the face on a head.
    const Log log = stop({0.75f, 0.5f});
    EXPECT_EQ(log, (Log{"beep", "repaint picFlash", "stop", "sound uhoh.wav wait", "delay 0.5", "delay 1",
                        "repaint picFlash", "repaint lblMessage"}));
    EXPECT_EQ(w.rules.PartCount[1], 0);
    EXPECT_NE(at(w.picFrosty[1], 0.5, 0.7), QBColor(15));
    EXPECT_EQ(w.rules.Player, 2);
}

TEST_F(FrostyWindowTest, ArmsGainedAfterButtonsLeaveTheButtonsOnTop) {
    open();
    newGame();
    for (int k : {1, 2, 5}) w.rules.addPart(1, k);
    w.picFrosty_Paint(1);
    EXPECT_EQ(at(w.picFrosty[1], 0.5, 0.7), QBColor(9));
    // Useful, and the first of the missing parts 3, 4 and 6: the arms.
    stop({0.2f, 0.0f});
    EXPECT_EQ(w.rules.HasPart[1][3], 1);
    EXPECT_EQ(at(w.picFrosty[1], 0.5, 0.7), QBColor(9)) << "the arms start behind the middle button";
    EXPECT_EQ(at(w.picFrosty[1], 0.1, 0.4), QBColor(15));
    // A fresh paint draws the same snowman.
    w.picFrosty_Paint(1);
    EXPECT_EQ(at(w.picFrosty[1], 0.5, 0.7), QBColor(9));
    EXPECT_EQ(at(w.picFrosty[1], 0.42, 0.26), QBColor(15)) << "no face yet";
}

TEST_F(FrostyWindowTest, TheRoundIsFinishedBeforeTheResultsListEveryFinisher) {
    gFrostyPlayers = 3;
    open();
    newGame();
    for (int k = 1; k <= 5; ++k) {
        w.rules.addPart(1, k);
        w.rules.addPart(3, k);
    }
    stop({0.1f, 0.0f});  // player 1 gets his hat
    EXPECT_EQ(w.rules.PartCount[1], 6);
    EXPECT_EQ(message(), "\rPlayer 2:\rBob\rYour Turn") << "the others finish the round";
    stop({0.9f, 0.0f});  // player 2: no parts, a useless stop
    QString caption, line1, line2;
    std::array<QString, 4> shown;
    rec->modalActions.push_back([&](QWidget*) {
        frmResults& d = frmResults::instance();
        caption = d.form()->windowTitle();
        line1 = d.Label1[0]->caption();
        line2 = d.Label1[1]->caption();
        for (int i = 0; i < 4; ++i) shown[i] = d.lblWin[i]->caption();
        EXPECT_EQ(d.helpContextID(), 3);
        EXPECT_EQ(w.rules.GameOn, 1) << "the game ends when the dialog closes";
        d.cmdOK->click();
    });
    const Log log = stop({0.1f, 0.0f});  // player 3 gets his hat too
    EXPECT_EQ(log, (Log{"beep", "repaint picFlash", "stop", "sound tada.wav wait", "repaint picFrosty_3",
                        "delay 1", "repaint picFlash", "sound Frosty.wav wait", "delay 1", "modal frmResults",
                        "repaint picFlash", "repaint lblMessage"}));
    EXPECT_EQ(caption, "Build Frosty Results");
    EXPECT_EQ(line1, "The game is over.");
    EXPECT_EQ(line2, "Player(s) who finished Frosty!");
    EXPECT_EQ(shown, (std::array<QString, 4>{"Ann", "Cid", "", ""}));
    EXPECT_EQ(w.rules.GameOn, 0);
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_EQ(message(), "\rChoose Number of\rPlayers, Enter Names\rClick New Game");
    EXPECT_TRUE(w.isLoaded()) << "the window stays open after the results";
}

TEST_F(FrostyWindowTest, OnePlayerAlonePlaysTurnAfterTurn) {
    gFrostyPlayers = 1;
    open();
    newGame();
    stop({0.1f});
    EXPECT_EQ(message(), "\rPlayer 1:\rAnn\rYour Turn");
    EXPECT_EQ(base(w.txtName[1]), kCyan);
    EXPECT_TRUE(w.Timer1->isActive());
    stop({0.1f});
    EXPECT_EQ(w.rules.PartCount[1], 2);
}

TEST_F(FrostyWindowTest, StopShowsTheIdleTextWithoutResultsAndKeepsTheSnowmen) {
    open();
    newGame();
    stop({0.1f});  // player 1's body
    w.cmdExit->click();
    EXPECT_EQ(rec->take(), (Log{"repaint picFlash", "repaint lblMessage"}));
    EXPECT_EQ(w.rules.GameOn, 0);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.Label1->isVisible());
    EXPECT_FALSE(w.Shape1->isVisible());
    EXPECT_TRUE(w.Frame1->isEnabled());
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_EQ(base(w.txtName[2]), QBColor(15));
    EXPECT_EQ(message(), "\rChoose Number of\rPlayers, Enter Names\rClick New Game");
    EXPECT_EQ(at(w.picFrosty[1], 0.5, 0.7), QBColor(15));
    EXPECT_FALSE(frmResults::instance().isLoaded());

    // The next game starts with empty snowmen.
    w.cmdNew->click();
    EXPECT_EQ(w.rules.PartCount[1], 0);
    EXPECT_NE(at(w.picFrosty[1], 0.5, 0.7), QBColor(15));
}

TEST_F(FrostyWindowTest, EnterOnTheFlashingPictureStopsItAndNamesAreTakenWhenLeft) {
    open();
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    // A name typed before the game is kept when the box is left.
    w.txtName[2]->setFocus();
    w.txtName[2]->selectAll();
    QTest::keyClicks(w.txtName[2], "Bea");
    w.txtName[1]->setFocus();
    EXPECT_EQ(gFrostyNames[2], "Bea");

    w.cmdNew->click();
    EXPECT_EQ(QApplication::focusWidget(), w.picFlash);
    rec->take();
    QTest::keyClick(w.picFlash, Qt::Key_A);
    EXPECT_EQ(rnd.draws(), 0);
    rnd.push(0.1f);
    QTest::keyClick(w.picFlash, Qt::Key_Return);
    EXPECT_EQ(w.rules.PartCount[1], 1);
    EXPECT_EQ(message(), "\rPlayer 2:\rBea\rYour Turn");
}

TEST_F(FrostyWindowTest, NamesInTheWindowsCharacterSetShowTheirLettersAndAreSavedSo) {
    const std::string before = formatSettings();
    std::string file = before;
    file.replace(file.find(gFrostyNames[1]), gFrostyNames[1].size(), "J\xfcrgen");
    file.replace(file.find(gFrostyNames[2]), gFrostyNames[2].size(),
                 "Ren\xe9"
                 "e");
    ASSERT_TRUE(parseSettings(file));
    open();
    EXPECT_EQ(w.txtName[1]->Text(), "J\u00fcrgen");
    EXPECT_EQ(w.txtName[2]->Text(), "Ren\u00e9e");

    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    // Entered and left unchanged, the name keeps its bytes; typed anew, it is
    // written in the same character set.
    w.txtName[1]->setFocus();
    w.txtName[2]->setFocus();
    w.txtName[2]->selectAll();
    for (QChar typed : QString("Ren\u00e9e \u00d8"))
        QTest::sendKeyEvent(QTest::Click, w.txtName[2], Qt::Key_unknown, typed, Qt::NoModifier);
    w.txtName[1]->setFocus();
    const std::string saved = formatSettings();
    EXPECT_NE(saved.find("\"J\xfcrgen\"\r\n\"Ren\xe9"
                         "e \xd8\"\r\n"),
              std::string::npos);
    newGame();
    EXPECT_EQ(message(), "\rPlayer 1:\rJ\u00fcrgen\rYour Turn");
    ASSERT_TRUE(parseSettings(before));
}

TEST_F(FrostyWindowTest, HelpOpensTheGamesTopicAndLeavesTheGameRunning) {
    open();
    newGame();
    w.cmdHelp->click();
    EXPECT_EQ(rec->take(), (Log{"help 3"}));
    EXPECT_EQ(w.rules.GameOn, 1);
    EXPECT_TRUE(w.Timer1->isActive());
}

TEST_F(FrostyWindowTest, ANameTypedJustBeforeTheWindowClosesIsKept) {
    open();
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    w.txtName[1]->setFocus();
    w.txtName[1]->selectAll();
    QTest::keyClicks(w.txtName[1], "Cy");
    w.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gFrostyNames[1], "Cy");
}

}  // namespace
