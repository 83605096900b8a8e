#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "actiongames/frmSled.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/recording_seam.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"

namespace {

using Log = std::vector<std::string>;

float shiftDraw(int s) { return (s + 5 + 0.5f) / 11.0f; }

// Beginner gates: unshifted with the rock beside the right tree, except those given.
void pushCourse(ScriptedRandom& random, std::vector<std::pair<float, float>> firstGates = {}) {
    for (auto [shift, rock] : firstGates) {
        random.push(shift);
        random.push(rock);
    }
    for (std::size_t i = firstGates.size(); i < 15; ++i) {
        random.push(shiftDraw(0));
        random.push(0.9999999f);
    }
}

class SledWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
        savedAbility = gSledAbility;
        gSledAbility = 1;
    }
    void TearDown() override {
        w.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gSledAbility = savedAbility;
    }

    // Loads the window, then New Run and Go on the scripted course.
    void startRun(ScriptedRandom& random) {
        ScopedRandom scoped(random);
        w.Show();
        w.cmdCommand->click();
        w.cmdCommand->click();
        rec->take();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) w.Timer1_Timer();
    }
    // Whether cell (x, y) of the hill holds the sprite (the part of it that lies on the hill).
    bool cellShows(const PictureBox* sprite, int x, int y) {
        const SledGrid& g = w.grid;
        const QImage& hill = w.picHill->image();
        for (int dy = 0; dy < g.CellH; ++dy)
            for (int dx = 0; dx < g.CellW; ++dx) {
                const int hx = g.cellLeft(x) + dx, hy = g.cellTop(y) + dy;
                if (!hill.rect().contains(hx, hy)) continue;
                if (hill.pixel(hx, hy) != sprite->image().pixel(dx, dy)) return false;
            }
        return true;
    }

    ScopedRecordingSeam rec;
    frmSled& w = frmSled::instance();
    std::int16_t savedAbility = 1;
};

}  // namespace

TEST_F(SledWindowTest, OpensOnTheSavedAbilityWithItsSpritesReady) {
    gSledAbility = 3;
    w.Show();
    EXPECT_EQ(w.caption(), "Santa's Sleigh");
    EXPECT_TRUE(w.optDiff[2]->isChecked());
    EXPECT_EQ(w.optDiff[5]->text(), "World's Best");
    EXPECT_EQ(w.lblMessage->caption(), "\r\rChoose Difficulty");
    EXPECT_EQ(rec->take(), (Log{"repaint lblMessage"}));
    EXPECT_EQ(w.cmdCommand->caption(), "&New Run");
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_FALSE(w.Timer1->isActive());

    // 32 by 25 cells on the hill's inside.
    EXPECT_EQ(w.picHill->image().size(), QSize(335, 375));
    EXPECT_EQ(w.grid.CellW, 10);
    EXPECT_EQ(w.grid.CellH, 15);
    EXPECT_EQ(w.grid.XOffset, 8);
    // Four different pictures, none of them a blank cell.
    const std::vector<PictureBox*> sprites{w.picSled, w.picTree, w.picRock, w.picBlank};
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        const QImage a = sprites[i]->image().copy(0, 0, 10, 15);
        bool allWhite = true;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 10; ++x) allWhite = allWhite && a.pixel(x, y) == qRgb(255, 255, 255);
        EXPECT_FALSE(allWhite) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(a, sprites[j]->image().copy(0, 0, 10, 15)) << i << j;
    }

    w.optDiff[5]->click();
    EXPECT_EQ(gSledAbility, 6);

    // An ability no button stands for (a hand-edited settings file) shows as the nearest.
    w.Unload();
    gSledAbility = 9;
    w.Show();
    EXPECT_TRUE(w.optDiff[5]->isChecked());
    EXPECT_EQ(gSledAbility, 6);
}

TEST_F(SledWindowTest, NewRunWaitsForGoAndStopThereEndsWithoutATick) {
    w.Show();
    rec->take();
    w.cmdCommand->click();
    EXPECT_EQ(rec->take(), (Log{"repaint picHill", "repaint lblMessage"}));
    EXPECT_EQ(w.lblMessage->caption(), "\rReady?\rSet?");
    EXPECT_EQ(w.cmdCommand->caption(), "&Go!!");
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_TRUE(w.Frame1->isEnabled());
    EXPECT_TRUE(cellShows(w.picSled, 16, 2));

    // The sleigh steers already; at the edge it stays, its mark drawn under it.
    QTest::mouseClick(w.picHill, Qt::RightButton);
    EXPECT_TRUE(cellShows(w.picSled, 17, 2));
    EXPECT_TRUE(cellShows(w.picBlank, 16, 2));
    for (int i = 0; i < 20; ++i) QTest::keyClick(w.picHill, Qt::Key_Left);
    EXPECT_EQ(w.rules.SledX, 1);
    EXPECT_TRUE(cellShows(w.picSled, 1, 2));
    EXPECT_TRUE(cellShows(w.picBlank, 2, 2));

    w.cmdExit->click();
    EXPECT_EQ(w.lblMessage->caption(), "\rYou stopped\rbefore finishing\rthe run.");
    EXPECT_EQ(rec->take(), (Log{"repaint lblMessage"}));
    EXPECT_EQ(w.cmdCommand->caption(), "&New Run");
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.isLoaded());
    QTest::mouseClick(w.picHill, Qt::RightButton);
    EXPECT_EQ(w.rules.SledX, 1);

    // The ability chosen between New Run and Go is the run's.
    ScriptedRandom random;
    for (int i = 0; i < 70; ++i) random.push(0.5f);
    ScopedRandom scoped(random);
    w.cmdCommand->click();
    w.optDiff[4]->click();
    w.cmdCommand->click();
    EXPECT_EQ(w.rules.GateCount, 35);
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(w.lblMessage->caption(), "\rThe run\ris on ...");
    EXPECT_FALSE(w.Frame1->isEnabled());
    EXPECT_FALSE(w.cmdCommand->isVisible());
    EXPECT_TRUE(w.Timer1->isActive());
    w.cmdHelp->click();  // help leaves the run going
    EXPECT_TRUE(w.Timer1->isActive());
    w.cmdExit->click();
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.Frame1->isEnabled());
    EXPECT_TRUE(w.cmdCommand->isVisible());
}

TEST_F(SledWindowTest, ACleanRunScrollsTheGatesPastAndEndsWithTheJingle) {
    ScriptedRandom random;
    pushCourse(random);
    startRun(random);

    ticks(9);  // the descent
    EXPECT_TRUE(cellShows(w.picSled, 16, 11));
    EXPECT_TRUE(cellShows(w.picBlank, 16, 10));
    EXPECT_TRUE(cellShows(w.picTree, 10, 25));
    EXPECT_TRUE(cellShows(w.picTree, 23, 25));
    EXPECT_TRUE(cellShows(w.picRock, 22, 25));
    ticks(1);  // one scroll: the gate a row up, the bottom row white again
    EXPECT_TRUE(cellShows(w.picTree, 10, 24));
    EXPECT_TRUE(cellShows(w.picRock, 22, 24));
    EXPECT_EQ(w.picHill->image().pixel(100, 370), qRgb(255, 255, 255));
    EXPECT_TRUE(cellShows(w.picBlank, 16, 9));
    EXPECT_TRUE(cellShows(w.picSled, 16, 11));
    const Log tick = rec->take();
    ASSERT_FALSE(tick.empty());
    EXPECT_EQ(tick.front(), "beep");

    // Last gate at tick 177; the finish line 5 ticks later across row 25.
    ticks(172);
    const QImage& hill = w.picHill->image();
    EXPECT_TRUE(hill.pixel(100, 367) == qRgb(0, 0, 0) || hill.pixel(100, 368) == qRgb(0, 0, 0));
    ticks(19);
    EXPECT_TRUE(w.Timer1->isActive());
    rec->take();
    ticks(1);
    EXPECT_EQ(rec->take(), (Log{"beep", "repaint picHill", "sound jingle.wav wait", "repaint lblMessage"}));
    EXPECT_EQ(w.lblMessage->caption(), "\rYou're done!\rScore:\r100");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.rules.RunOn, 0);
    EXPECT_TRUE(w.cmdCommand->isVisible());
    EXPECT_EQ(w.cmdCommand->caption(), "&New Run");
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.Frame1->isEnabled());
}

TEST_F(SledWindowTest, RockAndMissSoundAtOnceAndATreeEndsTheRun) {
    ScriptedRandom random;
    // Gate 1's rock in column 16; gate 3 shifted so its left tree stands in column 15.
    pushCourse(random, {{shiftDraw(0), 5.5f / 12}, {shiftDraw(0), 0.9999999f}, {shiftDraw(5), 0.9999999f}});
    startRun(random);
    ticks(23);
    EXPECT_EQ(rec->take().back(), "sound scrape.wav");

    // Clicks on the message panel steer too; the middle button does nothing.
    for (int i = 0; i < 8; ++i) QTest::mouseClick(w.lblMessage, Qt::LeftButton);
    QTest::mouseClick(w.lblMessage, Qt::MiddleButton);
    QTest::mouseClick(w.picHill, Qt::MiddleButton);
    EXPECT_EQ(w.rules.SledX, 8);
    ticks(11);
    EXPECT_EQ(rec->take().back(), "sound miss.wav");
    EXPECT_EQ(w.rules.Points, 2);

    for (int i = 0; i < 7; ++i) QTest::mouseClick(w.lblMessage, Qt::RightButton);
    ASSERT_EQ(w.rules.SledX, 15);
    ticks(10);
    rec->take();
    ScriptedRandom crashLines{0.4f};
    ScopedRandom scoped(crashLines);
    ticks(1);
    EXPECT_EQ(rec->take(), (Log{"beep", "repaint picHill", "stop", "sound crash.wav wait", "delay 1",
                                "repaint lblMessage"}));
    EXPECT_EQ(w.rules.GatesPassed, 3);
    EXPECT_EQ(w.lblMessage->caption(), "\rYou hit a tree!\rYou smashed\rSanta's sleigh!");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(cellShows(w.picSled, 15, 11));
    ticks(1);  // a late tick changes nothing
    EXPECT_TRUE(rec->take().empty());
}

TEST_F(SledWindowTest, CellCopiesAndScrollsWorkOnWholeRows) {
    w.Show();
    w.DrawCell(*w.picTree, 5, 1);  // row 1 loses its top line at the edge
    for (int dy = 1; dy < 15; ++dy)
        EXPECT_EQ(w.picHill->image().pixel(w.grid.cellLeft(5) + 5, dy - 1), w.picTree->image().pixel(5, dy));
    w.DrawCell(*w.picRock, 7, 2);
    w.DrawCell(*w.picRock, 9, 25);
    w.ScrollHill();
    EXPECT_TRUE(cellShows(w.picRock, 7, 1));
    EXPECT_TRUE(cellShows(w.picRock, 9, 24));
    for (int y = w.grid.cellTop(25); y < w.picHill->image().height(); ++y)
        EXPECT_EQ(w.picHill->image().pixel(w.grid.cellLeft(9) + 5, y), qRgb(255, 255, 255)) << y;
}

TEST_F(SledWindowTest, WithoutItsPictureFilesASpriteStillShowsItsDesignedShape) {
    TempDir empty;
    gAppPath = empty.path().string() + "/";
    w.Show();
    auto shows = [](const PictureBox* sprite, QRgb colour) {
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 10; ++x)
                if (sprite->image().pixel(x, y) == colour) return true;
        return false;
    };
    EXPECT_TRUE(shows(w.picSled, qRgb(255, 0, 0)));      // the light red body
    EXPECT_TRUE(shows(w.picTree, qRgb(0, 0, 0)));        // the crown's black fill
    EXPECT_TRUE(shows(w.picRock, qRgb(128, 128, 128)));  // dark grey
    EXPECT_TRUE(shows(w.picBlank, qRgb(0, 0, 255)));     // the light blue diamond
}
