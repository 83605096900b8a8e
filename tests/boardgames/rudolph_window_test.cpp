#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <QSvgRenderer>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "boardgames/frmRudolph.h"
#include "boardgames/optRudolph.h"
#include "boardgames/rudolph_settings.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/fonts.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/game_window_test.h"
#include "support/hidden_menu.h"
#include "support/temp_dir.h"
#include "support/watching_seam.h"

namespace {

using Log = std::vector<std::string>;

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8;
}

class RudolphWindowTest : public GameWindowTest<frmRudolph, optRudolph> {
protected:
    // A new game with reindeer 1 to n behind doors 1 to n (or with the first
    // two swapped), asking first for the reindeer behind door `first` (without the peek).
    void newGame(frmRudolph& w, int peek, int n, int first = 1, bool swapFirstTwo = false) {
        RudolphSettings::set(peek, n);
        for (int j = 9; j >= 3; --j) rnd.push(0.99f);
        rnd.push(swapFirstTwo ? 0.0f : 0.99f);
        if (peek == 0) pickNext(first, n);
        w.cmdNew->click();
        ASSERT_EQ(rnd.remaining(), 0u);
        rec.take();
    }
    // The draw that makes the k-th door not found yet, of N, the next question.
    void pickNext(int k, int N) { rnd.push((k - 0.5f) / static_cast<float>(N)); }

    static PictureBox* door(frmRudolph& w, int d) { return w.picHidden[static_cast<std::size_t>(d)]; }
    static Label* name(frmRudolph& w, int d) { return w.lblName[static_cast<std::size_t>(d)]; }

    // A shut door: yellow panels inside a brown frame.
    static bool closed(frmRudolph& w, int d) {
        const QImage& image = door(w, d)->image();
        return image.pixelColor(image.width() / 2, image.height() / 4) == QBColor(14) &&
               image.pixelColor(image.width() / 2, image.height() / 20) == QBColor(6);
    }
    // An open door shows reindeer r: told by the colour of its scarf in its picture.
    static bool shows(frmRudolph& w, int d, int r) {
        const QImage& image = door(w, d)->image();
        const QPoint scarf(image.width() * 38 / 105, image.height() * 67 / 97);
        return !closed(w, d) && near(image.pixelColor(scarf), reference(r, image.size()).pixelColor(scarf));
    }
    static QImage reference(int r, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        QSvgRenderer svg(QString(QUENVALE_SOURCE_DIR "/assets/rudolph_%1.svg")
                             .arg(QString(kReindeerNames[static_cast<std::size_t>(r)]).toLower()));
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
        return image;
    }

    // What the question box should show: two lines, each centred, from a fifth of its height.
    static QImage textImage(frmRudolph& w, const QString& first, const QString& second) {
        PictureBox box(nullptr, "expected");
        box.resize(w.picDisplay->size());
        QResizeEvent e(box.size(), QSize());
        QCoreApplication::sendEvent(&box, &e);
        box.setBackColor(Qt::white);
        box.setForeColor(w.picDisplay->foreColor());
        box.setTextFont(vbFont("Comic Sans MS", 16, true));
        box.Cls();
        box.currentY = 0.2 * box.scaleHeight();
        for (const QString& line : {first, second}) {
            box.currentX = (box.scaleWidth() - box.textWidth(line)) * 0.5;
            box.Print(line);
        }
        return box.image();
    }
    static bool asks(frmRudolph& w, const char* reindeer) {
        return w.picDisplay->image() == textImage(w, "Where's", QString(reindeer) + "?");
    }

    WatchingSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};
    RudolphSettings saved_;
};

TEST_F(RudolphWindowTest, TheBarnOpensShutAndANewGameUsesOnlyTheChosenDoors) {
    RudolphSettings::set(0, 3);
    frmRudolph& w = open();
    EXPECT_EQ(w.form()->windowTitle(), "Where's Rudolph?");
    EXPECT_EQ(w.form()->size(), QSize(546, 432));
    EXPECT_EQ(rnd.seeds(), 1);
    EXPECT_TRUE(optRudolph::instance().isLoaded());
    EXPECT_FALSE(optRudolph::instance().form()->isVisible());
    EXPECT_EQ(door(w, 1)->geometry(), twipsRect(120, 240, 1572, 1452));
    EXPECT_EQ(door(w, 6)->geometry(), twipsRect(120 + 2 * 1680, 240 + 2040, 1572, 1452));
    EXPECT_EQ(door(w, 7)->geometry(), twipsRect(120, 240 + 2 * 2040, 1572, 1452));
    EXPECT_EQ(name(w, 7)->geometry(), twipsRect(120, 240 + 2 * 2040 + 1440, 1575, 495));
    for (int d = 1; d <= 9; ++d) {
        EXPECT_TRUE(door(w, d)->isVisible()) << d;
        EXPECT_TRUE(closed(w, d)) << d;
        EXPECT_FALSE(name(w, d)->isVisible()) << d;
    }
    EXPECT_FALSE(w.cmdClose->isVisible());
    EXPECT_FALSE(w.imgElf->isVisible());
    EXPECT_EQ(w.lblGuess->caption(), "0");

    // Before the first game a door is no move.
    rec.take();
    door(w, 2)->onClick();
    EXPECT_EQ(rec.log, Log{});

    RudolphSettings::set(0, 3);
    for (int j = 9; j >= 2; --j) rnd.push(0.99f);
    pickNext(2, 3);
    w.cmdNew->click();
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(rec.take(), (Log{"repaint picHidden_1", "repaint picHidden_2", "repaint picHidden_3",
                               "repaint picDisplay", "delay 0.5", "stop", "sound Cupid.wav"}));
    EXPECT_TRUE(asks(w, "Cupid"));
    for (int d = 1; d <= 9; ++d) {
        EXPECT_EQ(door(w, d)->isVisible(), d <= 3) << d;
        if (d <= 3) {
            EXPECT_TRUE(closed(w, d)) << d;
        }
    }
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.cmdOptions->isEnabled());
    w.cmdHelp->click();
    EXPECT_EQ(rec.take(), Log{"help 2"});
    EXPECT_TRUE(w.running());

    // Stop: "Game Over", no song, the doors and guesses as they were.
    pickNext(1, 3);
    door(w, 1)->onClick();
    rec.take();
    w.cmdExit->click();
    EXPECT_EQ(rec.take(), Log{"repaint picDisplay"});
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.picDisplay->image(), textImage(w, "Game", "Over"));
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdOptions->isEnabled());
    EXPECT_EQ(w.lblGuess->caption(), "1");
    EXPECT_TRUE(w.isLoaded());
    door(w, 3)->onClick();
    EXPECT_EQ(rec.take(), Log{});

    newGame(w, 0, 9);
    EXPECT_EQ(w.lblGuess->caption(), "0");
    for (int d = 1; d <= 9; ++d) {
        EXPECT_TRUE(door(w, d)->isVisible()) << d;
        EXPECT_TRUE(closed(w, d)) << d;
    }
}

TEST_F(RudolphWindowTest, TheRightDoorStaysOpenWithItsNameAndTheLastOneEndsWithTheSong) {
    frmRudolph& w = open();
    newGame(w, 0, 2, 2);
    ASSERT_TRUE(asks(w, "Cupid"));

    int pauses = 0;
    rec.duringDelay = [&] {
        ++pauses;
        EXPECT_TRUE(shows(w, 2, 2));
        EXPECT_TRUE(name(w, 2)->isVisible());
    };
    rnd.push(0.5f);  // the praise: "thanks"
    pickNext(1, 1);
    door(w, 2)->onClick();
    rec.duringDelay = nullptr;
    EXPECT_EQ(pauses, 2);  // the open door's pause, then the next question's
    EXPECT_EQ(rec.take(),
              (Log{"repaint lblGuess", "repaint picHidden_2", "repaint lblName_2", "delay 1", "stop",
                   "sound thanks.wav wait", "repaint picDisplay", "delay 0.5", "stop", "sound Comet.wav"}));
    EXPECT_EQ(w.lblGuess->caption(), "1");
    EXPECT_EQ(name(w, 2)->caption(), "Cupid");
    EXPECT_TRUE(shows(w, 2, 2));
    EXPECT_TRUE(asks(w, "Comet"));

    // A found door is no move and is not counted.
    door(w, 2)->onClick();
    EXPECT_EQ(rec.take(), Log{});
    EXPECT_EQ(w.lblGuess->caption(), "1");

    // The last reindeer: the end is shown, then the song plays through without stopping first.
    rnd.push(0.0f);
    door(w, 1)->onClick();
    EXPECT_EQ(rec.take(),
              (Log{"repaint lblGuess", "repaint picHidden_1", "repaint lblName_1", "delay 1", "stop",
                   "sound hohoho.wav wait", "repaint picDisplay", "sound rudsong.wav wait"}));
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(w.lblGuess->caption(), "2");  // a perfect game: one guess a reindeer
    EXPECT_EQ(w.picDisplay->image(), textImage(w, "Game", "Over"));
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.isLoaded());
    EXPECT_TRUE(shows(w, 1, 1));
    EXPECT_TRUE(shows(w, 2, 2));
    EXPECT_EQ(name(w, 1)->caption(), "Comet");
}

TEST_F(RudolphWindowTest, AWrongDoorShowsItsReindeerAndTheElfThenShutsAndAsksAgain) {
    frmRudolph& w = open();
    newGame(w, 0, 9, 9);
    ASSERT_TRUE(asks(w, "Rudolph"));

    int checks = 0;
    rec.duringDelay = [&] {
        if (checks++ == 0) {
            EXPECT_TRUE(shows(w, 4, 4));
        }
    };
    rec.duringWaitedSound = [&] {
        ++checks;
        EXPECT_TRUE(w.imgElf->isVisible());
        EXPECT_TRUE(shows(w, 4, 4));
        EXPECT_EQ(name(w, 4)->caption(), "Vixen");
    };
    pickNext(5, 9);  // the new question names another reindeer
    door(w, 4)->onClick();
    rec.duringDelay = nullptr;
    rec.duringWaitedSound = nullptr;
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(rec.take(),
              (Log{"repaint lblGuess", "repaint picHidden_4", "repaint lblName_4", "delay 1",
                   "repaint imgElf", "stop", "sound uhoh.wav wait", "repaint picHidden_4", "repaint picBack",
                   "repaint frmRudolph", "repaint picDisplay", "delay 0.5", "stop", "sound Dasher.wav"}));
    EXPECT_EQ(w.lblGuess->caption(), "1");
    EXPECT_TRUE(closed(w, 4));
    EXPECT_FALSE(name(w, 4)->isVisible());
    EXPECT_FALSE(w.imgElf->isVisible());
    EXPECT_TRUE(asks(w, "Dasher"));

    // A wrong door may be tried again, and counts again.
    pickNext(5, 9);
    door(w, 4)->onClick();
    EXPECT_EQ(w.lblGuess->caption(), "2");
    EXPECT_TRUE(asks(w, "Dasher"));
    EXPECT_EQ(rnd.remaining(), 0u);
}

TEST_F(RudolphWindowTest, APeekShowsEveryReindeerUntilTheDoorsAreClosed) {
    frmRudolph& w = open();
    newGame(w, 1, 4, 1, true);
    const int behind[5] = {0, 2, 1, 3, 4};
    for (int d = 1; d <= 4; ++d) {
        EXPECT_TRUE(shows(w, d, behind[d])) << d;
        EXPECT_TRUE(name(w, d)->isVisible()) << d;
        EXPECT_EQ(name(w, d)->caption(), kReindeerNames[static_cast<std::size_t>(behind[d])]) << d;
    }
    EXPECT_FALSE(shows(w, 1, 1));
    EXPECT_FALSE(door(w, 5)->isVisible());
    EXPECT_TRUE(w.cmdClose->isVisible());
    EXPECT_EQ(w.cmdClose->caption(), "&Close Doors");
    EXPECT_EQ(w.form()->focusWidget(), w.cmdClose);
    // No question yet.
    EXPECT_EQ(w.picDisplay->image(), textImage(w, "", ""));

    // The doors are no moves while the peek shows.
    door(w, 2)->onClick();
    EXPECT_EQ(rec.take(), Log{});
    EXPECT_EQ(w.lblGuess->caption(), "0");

    pickNext(1, 4);
    w.cmdClose->click();
    EXPECT_EQ(rec.take(),
              (Log{"repaint picHidden_1", "repaint picHidden_2", "repaint picHidden_3", "repaint picHidden_4",
                   "repaint picDisplay", "delay 0.5", "stop", "sound Cupid.wav"}));
    EXPECT_TRUE(asks(w, "Cupid"));
    EXPECT_FALSE(w.cmdClose->isVisible());
    for (int d = 1; d <= 4; ++d) {
        EXPECT_TRUE(closed(w, d)) << d;
        EXPECT_FALSE(name(w, d)->isVisible()) << d;
    }
    rnd.push(0.9f);
    pickNext(1, 3);
    door(w, 1)->onClick();
    EXPECT_EQ(w.lblGuess->caption(), "1");
    EXPECT_TRUE(shows(w, 1, 2));
    EXPECT_EQ(name(w, 1)->caption(), "Cupid");

    // Stop during a peek hides the button and ends the game with the doors left open.
    w.cmdExit->click();
    newGame(w, 1, 2);
    w.cmdExit->click();
    EXPECT_FALSE(w.running());
    EXPECT_FALSE(w.cmdClose->isVisible());
    EXPECT_EQ(w.picDisplay->image(), textImage(w, "Game", "Over"));
    EXPECT_TRUE(shows(w, 1, 1));
    EXPECT_TRUE(name(w, 2)->isVisible());
    rec.take();
    door(w, 1)->onClick();
    EXPECT_EQ(rec.take(), Log{});
}

TEST_F(RudolphWindowTest, OptionsWriteAtOnceStopAtTheLimitsAndSurviveLeavingTheGame) {
    HiddenMenu hidden;
    ASSERT_TRUE(hidden.started());
    frmMenu& menu = hidden.menu();

    RudolphSettings::set(0, 4);
    frmRudolph& w = open();
    optRudolph& d = optRudolph::instance();
    EXPECT_EQ(d.form()->windowTitle(), "Where's Rudolph? Options");
    EXPECT_EQ(d.Frame3->title(), "Peek at Reindeer?");
    EXPECT_EQ(d.Frame2->title(), "Number of Reindeer");
    EXPECT_TRUE(d.optPeek[1]->value());
    EXPECT_EQ(d.lblNumber->caption(), "4");

    rec.modalActions.push_back([&](QWidget*) {
        d.optPeek[0]->click();
        EXPECT_EQ(gRudolphPeek, 1);
        for (int i = 0; i < 7; ++i) d.SpinButton1->upArrow()->click();
        EXPECT_EQ(gRudolphCount, 9);
        EXPECT_EQ(d.lblNumber->caption(), "9");
        for (int i = 0; i < 9; ++i) d.SpinButton1->downArrow()->click();
        EXPECT_EQ(gRudolphCount, 2);
        EXPECT_EQ(d.lblNumber->caption(), "2");
        d.SpinButton1->upArrow()->click();
        d.form()->close();  // closing acts as OK
    });
    rec.take();
    w.cmdOptions->click();
    ASSERT_TRUE(rec.modalActions.empty());
    EXPECT_EQ(rec.log.front(), "modal optRudolph");
    EXPECT_EQ(rec.log.back(), "repaint lblNumber");
    EXPECT_EQ(gRudolphPeek, 1);
    EXPECT_EQ(gRudolphCount, 3);

    // Leaving unloads the game and its dialog and brings the menu back.
    w.cmdExit->click();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_FALSE(d.isLoaded());
    EXPECT_TRUE(menu.form()->isVisible());

    // Opened again, the dialog shows the settings as they now stand; OK only hides it.
    menu.Hide();
    open();
    rec.modalActions.push_back([&](QWidget*) {
        EXPECT_TRUE(d.optPeek[0]->value());
        EXPECT_EQ(d.lblNumber->caption(), "3");
        d.optPeek[1]->click();
        d.cmdOK->click();
    });
    w.cmdOptions->click();
    ASSERT_TRUE(rec.modalActions.empty());
    EXPECT_TRUE(d.isLoaded());
    EXPECT_FALSE(d.form()->isVisible());
    EXPECT_EQ(gRudolphPeek, 0);

    // A count edited by hand out of range shows as the count the game plays,
    // and a step goes from there.
    gRudolphCount = 14;
    d.SpinButton1_SpinUp();
    EXPECT_EQ(gRudolphCount, 14);
    EXPECT_EQ(d.lblNumber->caption(), "9");
    d.SpinButton1_SpinDown();
    EXPECT_EQ(gRudolphCount, 8);
    EXPECT_EQ(d.lblNumber->caption(), "8");

    w.cmdExit->click();
}

TEST_F(RudolphWindowTest, MissingPicturesAndSoundsLeaveAPlayableGame) {
    TempDir dir;
    gAppPath = dir.path().string() + "/";
    frmRudolph& w = open();
    EXPECT_TRUE(w.picChoice[1].isNull());
    newGame(w, 0, 2, 1);
    rnd.push(0.0f);
    pickNext(1, 1);
    door(w, 1)->onClick();
    // The door opens on the empty stall, with the name to tell who lives there.
    const QImage& image = door(w, 1)->image();
    EXPECT_FALSE(closed(w, 1));
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), image.pixelColor(1, 1));
    EXPECT_EQ(name(w, 1)->caption(), "Comet");
    rnd.push(0.0f);
    door(w, 2)->onClick();
    EXPECT_FALSE(w.running());
    EXPECT_EQ(rnd.remaining(), 0u);
}

}  // namespace
