#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "actiongames/frmMaze.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "platform/recording_printer.h"
#include "platform/recording_seam.h"
#include "platform/text.h"
#include "platform/vbmath.h"
#include "support/temp_dir.h"

namespace {

using Log = std::vector<std::string>;

QString lines(std::initializer_list<const char*> parts) {
    QString s;
    for (const char* p : parts) s += (s.isEmpty() ? "" : QString(kCR)) + p;
    return s;
}

// Draws that always try "down" first carve a serpentine: each column of rooms
// is one corridor, joined to the next at the bottom (columns 2-4, 6-8, ...)
// or at the top (4-6, 8-10, ...); 116 steps forward and 117 back, then the bag.
void pushSerpentine(ScriptedRandom& random, int bagRow, int bagCol) {
    for (int i = 0; i < 233; ++i) random.push(0.0f);
    random.push((bagRow - 2 + 0.5f) / 17);
    random.push((bagCol - 2 + 0.5f) / 25);
}

const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kBlack = qRgb(0, 0, 0);

class MazeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
        rec->missingSoundSeconds = 2;
    }
    void TearDown() override {
        m.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window on a serpentine maze with the bag at the given cell.
    void open(int bagRow, int bagCol) {
        ScriptedRandom random;
        pushSerpentine(random, bagRow, bagCol);
        ScopedRandom scoped(random);
        m.Show();
        EXPECT_EQ(random.remaining(), 0u);
        loadLog = rec->take();
    }
    std::vector<std::string> loadLog;
    void press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            int code = key;
            m.picField_KeyDown(code, 0);
        }
    }
    // From the start along the corridors of columns 26 to 6, ending at (2, 6).
    void walkToColumnSix() {
        for (int col = 26; col >= 6; col -= 2) {
            press((26 - col) % 4 == 0 ? vbKeyUp : vbKeyDown, 16);
            if (col > 6) press(vbKeyLeft, 2);
        }
    }
    QRgb pixelAt(double x, double y) {
        const QPointF p = m.picField->toPixels(x, y);
        return m.picField->image().pixel(int(p.x()), int(p.y()));
    }
    QRgb cellCentre(int row, int col) {
        return pixelAt(m.rules.cellX(col) + m.rules.CellW / 2.0, m.rules.cellY(row) + m.rules.CellH / 2.0);
    }
    // Anything but black inside a cell, away from its edges: a picture, in a room.
    bool showsPicture(int row, int col) {
        for (int dy = 3; dy < m.rules.CellH - 3; ++dy)
            for (int dx = 3; dx < m.rules.CellW - 3; ++dx)
                if (qGray(pixelAt(m.rules.cellX(col) + dx, m.rules.cellY(row) + dy)) > 40) return true;
        return false;
    }

    ScopedRecordingSeam rec;
    frmMaze& m = frmMaze::instance();
};

}  // namespace

TEST_F(MazeWindowTest, OpensReadyOnAFreshMaze) {
    open(3, 4);
    EXPECT_EQ(m.cmdNew->caption(), "&Solve Maze");
    EXPECT_EQ(m.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(m.cmdPrint->isEnabled());
    EXPECT_EQ(m.lblMessage->caption(), lines({"Click on", "Solve Maze", "To Start"}));
    EXPECT_EQ(m.lblTimer->caption(), "0:00");
    EXPECT_FALSE(m.picArrow->isVisible());
    EXPECT_FALSE(m.lblArrow->isVisible());
    // Opening plays nothing and asks nothing.
    for (const std::string& line : loadLog) {
        EXPECT_NE(line.rfind("sound", 0), 0u) << line;
        EXPECT_NE(line.rfind("msgbox", 0), 0u) << line;
    }

    // 27 by 19 whole cells of about a pixel a unit fill the field's inside.
    EXPECT_EQ(m.rules.CellW, 17);
    EXPECT_EQ(m.rules.CellH, 18);
    EXPECT_EQ(m.picField->scaleWidth(), 27 * 17);
    EXPECT_EQ(m.picField->scaleHeight(), 19 * 18);
    // Yellow walls on black, the exit closed, Santa and the bag in their places.
    EXPECT_EQ(cellCentre(1, 1), kYellow);
    EXPECT_EQ(cellCentre(1, 4), kYellow);
    EXPECT_EQ(cellCentre(2, 2), kBlack);
    EXPECT_TRUE(showsPicture(18, 26));
    EXPECT_TRUE(showsPicture(3, 4));
    EXPECT_FALSE(showsPicture(4, 4));

    // The arrow stands on the field's top edge over the exit cell, its label on top of it.
    const QRect field = m.picField->geometry(), arrow = m.picArrow->geometry();
    EXPECT_NEAR(arrow.center().x(), field.x() + 1 + m.picField->xToPixels(3.5 * m.rules.CellW), 3);
    EXPECT_EQ(arrow.bottom() + 1, field.top());
    EXPECT_NEAR(m.lblArrow->geometry().center().x(), arrow.center().x(), 1);
    EXPECT_EQ(m.lblArrow->geometry().bottom() + 1, arrow.top());
}

TEST_F(MazeWindowTest, ArrowKeysMoveSantaOnlyAlongPassagesDuringASolve) {
    open(3, 4);
    auto nothingHappens = [&](const char* when) {
        for (int key : {vbKeyUp, vbKeyDown, vbKeyLeft, vbKeyRight, vbKeySpace}) press(key);
        EXPECT_EQ(m.rules.SantaRow, 18) << when;
        EXPECT_EQ(m.rules.SantaCol, 26) << when;
        EXPECT_TRUE(rec->take().empty()) << when;
    };
    nothingHappens("before the solve");

    m.cmdNew->click();
    EXPECT_EQ(m.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(m.cmdNew->isEnabled());
    EXPECT_FALSE(m.cmdPrint->isEnabled());
    EXPECT_EQ(m.lblMessage->caption(), lines({"Find", "Santa's Bag"}));
    rec->take();
    // A wall to the left, the outer walls to the right and below: silent.
    for (int key : {vbKeyLeft, vbKeyRight, vbKeyDown}) press(key);
    EXPECT_EQ(m.rules.SantaCol, 26);
    EXPECT_EQ(m.rules.SantaRow, 18);
    EXPECT_TRUE(rec->take().empty());

    QTest::keyClick(m.picField, Qt::Key_Up);
    EXPECT_EQ(m.rules.SantaRow, 17);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav"}));
    EXPECT_TRUE(showsPicture(17, 26));
    EXPECT_FALSE(showsPicture(18, 26));
    // The erased margin spares the walls beside the old cell.
    EXPECT_EQ(cellCentre(18, 25), kYellow);
    EXPECT_EQ(cellCentre(19, 26), kYellow);

    press(vbKeyDown);
    m.cmdExit->click();
    EXPECT_EQ(m.lblMessage->caption(), lines({"Game", "Stopped"}));
    rec->take();
    nothingHappens("after Stop");
}

TEST_F(MazeWindowTest, TheBagOpensTheExitAndSantaLeavesThroughIt) {
    open(3, 4);  // the bag on the opened wall below room (2, 4)
    m.cmdNew->click();
    walkToColumnSix();
    ASSERT_EQ(m.rules.SantaRow, 2);
    ASSERT_EQ(m.rules.SantaCol, 6);
    rec->take();
    press(vbKeyUp);  // the top wall holds above every other room
    press(vbKeyLeft, 2);
    press(vbKeyUp);  // and above room (2, 4) while the bag is still in the maze
    EXPECT_EQ(m.rules.SantaRow, 2);
    EXPECT_EQ(m.rules.SantaCol, 4);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound ding.wav", "stop", "sound ding.wav"}));

    press(vbKeyDown);
    EXPECT_EQ(rec->take(), (Log{"stop", "sound good.wav", "repaint lblMessage"}));
    EXPECT_EQ(m.rules.GotBag, 1);
    EXPECT_EQ(m.lblMessage->caption(), lines({"Go To", "Exit"}));
    EXPECT_TRUE(m.picArrow->isVisible());
    EXPECT_TRUE(m.lblArrow->isVisible());
    EXPECT_EQ(cellCentre(1, 4), kBlack);
    EXPECT_EQ(cellCentre(1, 3), kYellow);

    press(vbKeyUp);
    rec->take();
    press(vbKeyUp);
    EXPECT_EQ(rec->take(), (Log{"repaint picField", "stop", "sound hohoho.wav wait", "sound mazesong.wav"}));
    EXPECT_EQ(m.rules.GotBag, 2);
    EXPECT_EQ(m.Playing, 0);
    EXPECT_FALSE(showsPicture(2, 4));
    EXPECT_EQ(m.lblMessage->caption(), lines({"Santa's On", "His Way!!"}));
    EXPECT_FALSE(m.picArrow->isVisible());
    EXPECT_FALSE(m.Timer1->isActive());
    EXPECT_EQ(m.cmdNew->caption(), "&New Maze");
    EXPECT_EQ(m.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(m.cmdNew->isEnabled());
    EXPECT_TRUE(m.cmdPrint->isEnabled());
    press(vbKeyDown);
    EXPECT_TRUE(rec->take().empty());

    // A repaint shows the open exit and neither Santa nor the bag.
    m.picField_Paint();
    EXPECT_EQ(cellCentre(1, 4), kBlack);
    EXPECT_EQ(cellCentre(1, 1), kYellow);
    EXPECT_FALSE(showsPicture(2, 4));
    EXPECT_FALSE(showsPicture(3, 4));

    // The sleigh crosses the window in thirty ticks and stays beyond its edge.
    ASSERT_TRUE(m.imgSleigh->isVisible());
    EXPECT_EQ(m.imgSleigh->x(), 8);
    for (int tick = 1; tick <= 29; ++tick) m.Timer2_Timer();
    EXPECT_TRUE(m.Timer2->isActive());
    EXPECT_LT(m.imgSleigh->x(), m.form()->width());
    m.Timer2_Timer();
    EXPECT_FALSE(m.Timer2->isActive());
    EXPECT_GT(m.imgSleigh->x(), m.form()->width());

    // Exit while the sleigh still flies leaves at once, and a tick that comes
    // after the window is gone does nothing.
    TempDir dir;
    std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", dir.file("vantrel5.ini"));
    frmMenu::setProgramFolder(dir.path().string());
    m.Timer2->start();
    m.cmdExit->click();
    EXPECT_FALSE(m.isLoaded());
    EXPECT_TRUE(frmMenu::instance().form()->isVisible());
    m.Timer2_Timer();
    EXPECT_FALSE(m.isLoaded());
    // Unloading the menu writes the settings beside the program: the test's folder.
    frmMenu::instance().Unload();
    frmMenu::setProgramFolder("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(MazeWindowTest, StopKeepsTheOpenedExitAndANewMazeComesOnlyAfter) {
    open(17, 26);  // the bag right above Santa
    m.cmdNew->click();
    press(vbKeyUp);
    ASSERT_EQ(m.rules.GotBag, 1);
    m.cmdExit->click();
    EXPECT_FALSE(m.picArrow->isVisible());
    EXPECT_FALSE(m.lblArrow->isVisible());
    m.picField_Paint();
    EXPECT_EQ(cellCentre(1, 4), kBlack);
    EXPECT_TRUE(showsPicture(17, 26));

    ScriptedRandom random;
    pushSerpentine(random, 5, 4);
    ScopedRandom scoped(random);
    m.cmdNew->click();
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(m.rules.GotBag, 0);
    EXPECT_EQ(cellCentre(1, 4), kYellow);
    EXPECT_TRUE(showsPicture(5, 4));
    EXPECT_EQ(m.cmdNew->caption(), "&Solve Maze");
}

TEST_F(MazeWindowTest, TheClockCountsFromZeroAndHoldsAtStop) {
    open(3, 4);
    rec->clock = 50.3;
    m.cmdNew->click();
    EXPECT_EQ(m.lblTimer->caption(), "0:00");
    EXPECT_TRUE(m.Timer1->isActive());
    rec->clock += 1;
    m.Timer1_Timer();
    EXPECT_EQ(m.lblTimer->caption(), "0:01");
    EXPECT_EQ(rec->take(), (Log{"repaint lblTimer"}));
    rec->clock += 66;
    m.Timer1_Timer();
    EXPECT_EQ(m.lblTimer->caption(), "1:07");
    rec->clock += 5;
    m.cmdExit->click();
    EXPECT_FALSE(m.Timer1->isActive());
    EXPECT_EQ(m.lblTimer->caption(), "1:07");

    // The next solve starts from nothing; past the hour the minutes start again.
    ScriptedRandom random;
    pushSerpentine(random, 3, 4);
    ScopedRandom scoped(random);
    m.cmdNew->click();
    m.cmdNew->click();
    EXPECT_EQ(m.lblTimer->caption(), "0:00");
    rec->clock += 3605;
    m.Timer1_Timer();
    EXPECT_EQ(m.lblTimer->caption(), "0:05");
}

TEST_F(MazeWindowTest, DuringASolveTheKeysStayWithTheField) {
    open(3, 4);
    m.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m.form()));
    m.cmdNew->setFocus();
    m.cmdNew->click();
    EXPECT_TRUE(m.picField->hasFocus());
    // Help (or Tab) leaves the solve running and the arrows still steer Santa.
    rec->take();
    QTest::mouseClick(m.cmdHelp, Qt::LeftButton);
    QTest::keyClick(m.picField, Qt::Key_Tab);
    EXPECT_EQ(rec->take(), (Log{"help 8"}));
    ASSERT_EQ(QApplication::focusWidget(), m.picField);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(m.rules.SantaRow, 17);
    // Once stopped, the buttons can be reached with the keyboard again.
    m.cmdExit->click();
    QTest::keyClick(m.picField, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), m.picField);
}

TEST_F(MazeWindowTest, EveryPrintShowsThePuzzleAtItsStartAndCancelPrintsNothing) {
    open(3, 4);
    RecordingPrinter& pr = rec->recordingPrinter();
    rec->answers = {MsgAnswer::Cancel};
    m.cmdPrint->click();
    EXPECT_EQ(rec->take(), (Log{"msgbox Print Maze: Cancel"}));
    EXPECT_EQ(rec->boxes.at(0).text, "Make sure printer is on-line and ready.");
    EXPECT_EQ(rec->boxes.at(0).buttons, MsgButtons::OKCancel);
    EXPECT_EQ(rec->boxes.at(0).icon, MsgIcon::Information);
    EXPECT_TRUE(pr.commands.empty());

    auto printPage = [&] {
        m.cmdPrint->click();
        EXPECT_EQ(pr.commands, (Log{"orientation 1"}));  // back to portrait afterwards
        pr.commands.clear();
        EXPECT_EQ(m.rules.Printing, 0);
        return pr.documents.back();
    };
    const Log ready = printPage();
    ASSERT_GT(ready.size(), 12u);
    EXPECT_EQ(
        Log(ready.begin(), ready.begin() + 8),
        (Log{"fontname Courier New", "orientation 2", "fontsize 12", "scale 0 0 1100 850",
             "text 100 100 Quenvale, Santa's Maze, made by the Quenvale team",
             "text 195 130 EXIT (Lead Santa to the Toy Bag before Exiting)", "scale -51 -86 509.949 399.114",
             // The top-left corner's bar reaches the far side of its last
             // unit, so that the walls of neighbouring cells meet on paper.
             "box 6.8 7.2 17 11.8 #808080 filled"}));
    // The exit drawn open, Santa in the start room, the bag in its place.
    EXPECT_EQ(
        Log(ready.end() - 4, ready.end()),
        (Log{"box 51 0 68 18 #ffffff filled", "picture 425 306 17 18", "picture 51 36 17 18", "enddoc"}));
    for (std::size_t i = 8; i < ready.size() - 4; ++i)
        EXPECT_NE(ready[i].find("#808080 filled"), std::string::npos);
    // The screen keeps its drawing until its next repaint, yellow again.
    EXPECT_EQ(m.rules.MazeColor, MazeRules::kPrintColor);
    m.picField_Paint();
    EXPECT_EQ(m.rules.MazeColor, MazeRules::kScreenColor);

    // Stopped on the way: the same page, and Santa is back in his start room.
    m.cmdNew->click();
    press(vbKeyUp, 3);
    m.cmdExit->click();
    EXPECT_EQ(printPage(), ready);
    EXPECT_EQ(m.rules.Maze[18][26], MazeRules::kSanta);
    EXPECT_EQ(m.rules.Maze[15][26], MazeRules::kPassage);
    EXPECT_TRUE(showsPicture(15, 26));  // until the field is repainted
    m.picField_Paint();
    EXPECT_TRUE(showsPicture(18, 26));
    EXPECT_FALSE(showsPicture(15, 26));

    // After a win: the same page but for the top wall beside the opened exit,
    // whose bars now stop at their centre.
    ScriptedRandom random;
    pushSerpentine(random, 3, 4);
    ScopedRandom scoped(random);
    m.cmdNew->click();
    m.cmdNew->click();
    walkToColumnSix();
    press(vbKeyLeft, 2);
    press(vbKeyDown);
    press(vbKeyUp, 2);
    ASSERT_EQ(m.rules.GotBag, 2);
    auto awayFromTheExit = [](const Log& page) {
        Log kept;
        for (const std::string& c : page) {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            if (std::sscanf(c.c_str(), "box %lf %lf %lf %lf #808080", &x1, &y1, &x2, &y2) != 4 || y1 > 18 ||
                x1 < 2 * 17 || x1 >= 5 * 17)
                kept.push_back(c);
        }
        return kept;
    };
    const Log won = printPage();
    EXPECT_EQ(awayFromTheExit(won), awayFromTheExit(ready));
    EXPECT_NE(won, ready);
    m.picField_Paint();
    EXPECT_FALSE(showsPicture(18, 26));
}
