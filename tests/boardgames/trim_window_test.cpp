#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <functional>

#include "boardgames/frmTrim.h"
#include "boardgames/optTrim.h"
#include "boardgames/trim_settings.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_settings.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/game_window_test.h"
#include "support/hidden_menu.h"
#include "support/watching_seam.h"

namespace {

using Log = std::vector<std::string>;

// The draw that makes Int(Rnd x n) come out as value.
float pick(int value, int n) { return (static_cast<float>(value) + 0.5f) / static_cast<float>(n); }

QString lines(const char* first, const char* second) { return QString(first) + QChar(13) + second; }

// What a control paints by itself, on a transparent ground.
QImage rendered(QWidget* w) {
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// A chime, waited for, with the spot shown before it and the count after it.
Log chimed(int spot, int left) {
    return {"repaint imgOrnament_" + std::to_string(spot - 1), "stop", "sound chimes.wav wait",
            "repaint lblLeft " + std::to_string(left)};
}

Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class TrimWindowTest : public GameWindowTest<frmTrim, optTrim> {
protected:
    // Scripts a New Game with the spots in their own order and plain pictures
    // for the spots filled before play.
    void scriptNewGame(int total, int maxAdd, const std::vector<int>& pictures = {}) {
        rnd.push(pick(total - 15, 27));
        rnd.push(pick(maxAdd - 3, 5));
        for (int j = 40; j >= 2; --j) rnd.push(0.99f);
        for (int j = 0; j < 41 - total; ++j)
            rnd.push(
                pick(j < static_cast<int>(pictures.size()) ? pictures[static_cast<std::size_t>(j)] : 0, 9));
    }
    void newGame(frmTrim& w, int total, int maxAdd, const std::vector<int>& pictures = {}) {
        scriptNewGame(total, maxAdd, pictures);
        w.cmdNew->click();
        ASSERT_EQ(rnd.remaining(), 0u);
        rec.take();
    }
    // Picture draws for ornaments about to be placed.
    void ornaments(int n, int picture = 0) {
        for (int i = 0; i < n; ++i) rnd.push(pick(picture, 9));
    }
    void press(frmTrim& w, char key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : w.form(), key);
    }

    static FramedImageBox* spot(frmTrim& w, int k) { return w.imgOrnament[static_cast<std::size_t>(k - 1)]; }
    // An empty spot: its thin frame and nothing inside.
    static bool empty(frmTrim& w, int k) {
        const QImage image = rendered(spot(w, k));
        return spot(w, k)->borderStyle() == 1 && image.pixelColor(0, 0) == Qt::black &&
               image.pixelColor(image.width() / 2, image.height() / 2).alpha() == 0;
    }
    // A filled spot: no frame, and exactly the given picture.
    static bool shows(frmTrim& w, int k, const QPicture& picture) {
        ImageBox expected(nullptr, "expected");
        expected.resize(spot(w, k)->size());
        expected.setPicture(picture);
        return !picture.isNull() && spot(w, k)->borderStyle() == 0 &&
               rendered(spot(w, k)) == rendered(&expected);
    }
    static const QPicture& ornament(frmTrim& w, int i) { return w.imgChoice[static_cast<std::size_t>(i)]; }
    static Button3D* button(frmTrim& w, int i) { return w.cmdPick[static_cast<std::size_t>(i)]; }

    PromptSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};
    TrimSettings saved_;
};

TEST_F(TrimWindowTest, TheTreeWaitsWithEmptySpotsAndNoMovesUntilANewGame) {
    TrimSettings::set(1, 4, 0);
    frmTrim& w = open();
    EXPECT_EQ(w.form()->windowTitle(), "Trim a Tree");
    EXPECT_EQ(w.form()->size(), QSize(489, 448));
    EXPECT_EQ(rnd.seeds(), 1);
    EXPECT_TRUE(optTrim::instance().isLoaded());
    EXPECT_FALSE(optTrim::instance().form()->isVisible());
    EXPECT_EQ(w.pbox->geometry(), twipsRect(0, 0, 4935, 6735));
    EXPECT_EQ(spot(w, 1)->geometry(), twipsRect(480, 3240, 375, 375));
    EXPECT_EQ(spot(w, 22)->geometry(), twipsRect(1320, 3840, 375, 375));
    EXPECT_EQ(spot(w, 40)->geometry(), twipsRect(2520, 840, 375, 375));
    EXPECT_EQ(spot(w, 41)->geometry(), twipsRect(2085, 0, 735, 735));
    for (int k = 1; k <= 41; ++k) EXPECT_TRUE(empty(w, k)) << k;
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(button(w, i)->caption(), QString::number(i + 1));
        EXPECT_TRUE(button(w, i)->isVisible()) << i;
    }
    // The nine ornaments and the star are pictures of their own, each different.
    std::vector<QImage> looks;
    for (int i = 0; i <= 9; ++i) {
        const QPicture& picture = i < 9 ? ornament(w, i) : w.imgStar;
        ASSERT_FALSE(picture.isNull()) << i;
        ImageBox box(nullptr, "look");
        box.resize(25, 25);
        box.setPicture(picture);
        looks.push_back(rendered(&box));
        for (int j = 0; j < i; ++j)
            EXPECT_NE(looks[static_cast<std::size_t>(j)], looks.back()) << j << " " << i;
    }

    rec.take();
    button(w, 0)->click();
    press(w, '1');
    EXPECT_EQ(rec.log, Log{});
    EXPECT_EQ(w.lblLeft->caption(), "");
    EXPECT_EQ(w.lblMessage->caption(), "");
    EXPECT_EQ(rnd.draws(), 0);
}

TEST_F(TrimWindowTest, NewGameShowsTheButtonsOfItsLargestMoveAndFillsSpotsSilently) {
    TrimSettings::set(1, 4, 0);
    frmTrim& w = open();
    scriptNewGame(38, 3, {4, 8, 1});
    rec.take();
    w.cmdNew->click();
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(rec.take(), (Log{"repaint pbox", "repaint lblLeft 38"}));
    EXPECT_TRUE(shows(w, 1, ornament(w, 4)));
    EXPECT_TRUE(shows(w, 2, ornament(w, 8)));
    EXPECT_TRUE(shows(w, 3, ornament(w, 1)));
    for (int k = 4; k <= 41; ++k) EXPECT_TRUE(empty(w, k)) << k;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(button(w, i)->isVisible(), i < 3) << i;
    EXPECT_EQ(w.lblLeft->caption(), "38");
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Your Turn"));
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.cmdOptions->isEnabled());
    EXPECT_TRUE(w.cmdHelp->isEnabled());
    w.cmdHelp->click();
    EXPECT_EQ(rec.take(), Log{"help 4"});
    EXPECT_TRUE(w.running());

    // The next game clears the tree and shows every button up to its own largest move.
    w.cmdExit->click();
    newGame(w, 41, 7);
    for (int k = 1; k <= 41; ++k) EXPECT_TRUE(empty(w, k)) << k;
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(button(w, i)->isVisible()) << i;
    EXPECT_EQ(w.lblLeft->caption(), "41");
}

TEST_F(TrimWindowTest, TheChildsMoveChimesEachOrnamentAndTheComputerAnswersInTheSameClick) {
    TrimSettings::set(1, 4, 0);
    frmTrim& w = open();
    newGame(w, 41, 3);

    ornaments(2, 5);
    rnd.push(0.0f);  // the computer's roll: 39 left, it adds 3 to leave 36
    ornaments(3, 6);
    bool blockedDuringPause = false;
    rec.duringDelay = [&] { blockedDuringPause = !w.fraBlocks->isEnabled(); };
    button(w, 1)->click();
    EXPECT_EQ(rnd.remaining(), 0u);
    const Log announced{"repaint lblMessage Computer's Turn|Adding 3", "delay 1"};
    EXPECT_EQ(rec.take(),
              chimed(1, 40) + chimed(2, 39) + announced + chimed(3, 38) + chimed(4, 37) + chimed(5, 36));
    EXPECT_TRUE(blockedDuringPause);
    EXPECT_TRUE(w.fraBlocks->isEnabled());
    EXPECT_TRUE(shows(w, 2, ornament(w, 5)));
    EXPECT_TRUE(shows(w, 3, ornament(w, 6)));
    EXPECT_TRUE(empty(w, 6));
    EXPECT_EQ(w.lblLeft->caption(), "36");
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Your Turn"));

    // The keys stand for the visible buttons, whichever control has the focus.
    w.cmdHelp->setFocus();
    press(w, '4');
    press(w, '0');
    EXPECT_EQ(rec.log, Log{});
    ornaments(3);
    rnd.push(0.0f);  // 33 left: the computer leaves 32
    ornaments(1);
    press(w, '3');
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(w.lblLeft->caption(), "32");
    EXPECT_TRUE(shows(w, 9, ornament(w, 0)));
}

TEST_F(TrimWindowTest, TwoPlayersTakeTurnsAndPassingTheStarOnlyPlaysUhOh) {
    TrimSettings::set(2, 1, 1);
    frmTrim& w = open();
    newGame(w, 16, 4);
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Player 1's Turn"));
    for (int i = 1; i <= 25; ++i) EXPECT_FALSE(empty(w, i)) << i;

    const std::vector<std::pair<int, const char*>> turns = {
        {4, "Player 2's Turn"}, {4, "Player 1's Turn"}, {3, "Player 2's Turn"}, {3, "Player 1's Turn"}};
    for (const auto& [count, prompt] : turns) {
        ornaments(count);
        button(w, count - 1)->click();
        EXPECT_EQ(w.lblMessage->caption(), lines("", prompt));
    }
    EXPECT_EQ(w.lblLeft->caption(), "2");
    rec.take();
    button(w, 2)->click();
    EXPECT_EQ(rec.take(), (Log{"stop", "sound uhoh.wav wait"}));
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Player 1's Turn"));
    EXPECT_EQ(w.lblLeft->caption(), "2");

    ornaments(1);
    press(w, '1');
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Player 2's Turn"));
    rec.take();
    button(w, 0)->click();
    const Log fanfare{"repaint frmTrim", "stop", "sound tada.wav wait"};
    EXPECT_EQ(rec.take(), chimed(41, 0) + fanfare);
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_TRUE(shows(w, 41, w.imgStar));
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", "Player 2 Wins!"));
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdOptions->isEnabled());
    EXPECT_TRUE(w.isLoaded());

    // The decorated tree stays, and takes no more moves.
    for (int k = 1; k <= 40; ++k) EXPECT_FALSE(empty(w, k)) << k;
    button(w, 0)->click();
    press(w, '1');
    EXPECT_EQ(rec.log, Log{});
}

TEST_F(TrimWindowTest, TheComputerGoingFirstMovesBeforeAnyPromptAndCanWin) {
    TrimSettings::set(1, 1, 1);
    frmTrim& w = open();
    w.lblMessage->setCaption("stale");
    scriptNewGame(41, 3);
    rnd.push(0.5f);        // "Easiest" always moves at random
    rnd.push(pick(0, 3));  // adding 1
    ornaments(1, 7);
    std::string promptDuringPause;
    rec.duringDelay = [&] { promptDuringPause = w.lblMessage->caption().toStdString(); };
    w.cmdNew->click();
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(rec.take(), (Log{"repaint pbox", "repaint lblLeft 41",
                               "repaint lblMessage Computer's Turn|Adding 1", "delay 1"} +
                           chimed(1, 40)));
    EXPECT_EQ(promptDuringPause, "Computer's Turn\rAdding 1");
    EXPECT_TRUE(shows(w, 1, ornament(w, 7)));
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Your Turn"));
    w.cmdExit->click();

    // At "Difficult" from 15 to add with moves of 1 to 3, the computer keeps
    // leaving a multiple of 4 and adds the star itself.
    gTrimDifficulty = 4;
    scriptNewGame(15, 3);
    rnd.push(0.5f);
    ornaments(3);
    w.cmdNew->click();
    EXPECT_EQ(w.lblLeft->caption(), "12");
    struct Round {
        int child, computer, left;
    };
    for (const Round& r : {Round{3, 1, 8}, Round{3, 1, 4}, Round{1, 3, 0}}) {
        ornaments(r.child);
        rnd.push(0.5f);
        ornaments(r.left == 0 ? r.computer - 1 : r.computer);  // the star takes no draw
        rec.take();
        button(w, r.child - 1)->click();
        EXPECT_EQ(w.lblLeft->caption(), QString::number(r.left));
    }
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(rec.log.back(), "sound tada.wav wait");
    EXPECT_TRUE(shows(w, 41, w.imgStar));
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", "Computer Wins!"));
    EXPECT_FALSE(w.running());
    EXPECT_TRUE(w.fraBlocks->isEnabled());
}

TEST_F(TrimWindowTest, StopEndsWithoutAWinnerAndExitReturnsToTheMenu) {
    HiddenMenu hidden;
    ASSERT_TRUE(hidden.started());
    frmMenu& menu = hidden.menu();
    TrimSettings::set(2, 4, 0);

    frmTrim& w = open();
    newGame(w, 40, 5, {3});
    ornaments(2);
    button(w, 1)->click();
    rec.take();
    w.cmdExit->click();
    EXPECT_EQ(rec.log, Log{});  // no fanfare for a stopped game
    EXPECT_EQ(w.lblMessage->caption(), QString(QChar(13)) + "Game Over" + QChar(13));
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.isLoaded());
    EXPECT_TRUE(shows(w, 1, ornament(w, 3)));
    EXPECT_FALSE(empty(w, 3));
    EXPECT_TRUE(empty(w, 4));
    button(w, 0)->click();
    EXPECT_EQ(rec.log, Log{});

    w.cmdExit->click();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_FALSE(optTrim::instance().isLoaded());
    EXPECT_TRUE(menu.form()->isVisible());

    // Opened again, the window loads afresh: a new seed and a bare tree.
    menu.Hide();
    open();
    EXPECT_EQ(rnd.seeds(), 2);
    EXPECT_TRUE(empty(w, 1));
    EXPECT_FALSE(w.running());
}

}  // namespace
