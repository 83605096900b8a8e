#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <functional>
#include <initializer_list>

#include "boardgames/frmManc.h"
#include "boardgames/manc_settings.h"
#include "boardgames/optManc.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/game_window_test.h"
#include "support/hidden_menu.h"
#include "support/watching_seam.h"

namespace {

using Log = std::vector<std::string>;

QString lines(std::initializer_list<const char*> parts) {
    QStringList list;
    for (const char* p : parts) list << p;
    return list.join(QChar(13));
}

// One seed landing with its sound.
Log sown(int cell) { return {"repaint picSeeds_" + std::to_string(cell), "stop", "sound lgbubble.wav wait"}; }
// The three flashes of the computer's bowl.
Log flash(int pit) {
    Log out;
    for (int i = 0; i < 3; ++i)
        for (const char* d : {"delay 0.05", "delay 0.05"}) {
            out.push_back("repaint shpBowl_" + std::to_string(pit));
            out.push_back(d);
        }
    return out;
}
Log join(std::initializer_list<Log> parts) {
    Log out;
    for (const Log& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

class MancWindowTest : public GameWindowTest<frmManc, optManc> {
protected:
    // New Game with the seed colour of the given palette number.
    void newGame(frmManc& w, int color) {
        rnd.push((static_cast<float>(color - 10) + 0.5f) / 6.0f);
        w.cmdNew->click();
        rec.take();
    }
    // A position of the test's own: {cell, seeds} pairs, the rest empty.
    static void position(frmManc& w, std::initializer_list<std::pair<int, int>> cells) {
        MancRules& r = w.rules();
        r.Seeds.fill(0);
        for (auto [cell, seeds] : cells) r.Seeds[static_cast<std::size_t>(cell)] = seeds;
        r.Score = {0, r.Seeds[14], r.Seeds[7]};
    }
    static void click(frmManc& w, int cell) { w.picSeeds[static_cast<std::size_t>(cell)]->onClick(); }
    // The colour at a point of a box, in twips.
    static QColor at(frmManc& w, int cell, int x, int y) {
        return w.picSeeds[static_cast<std::size_t>(cell)]->image().pixelColor(twipsToPixels(x),
                                                                              twipsToPixels(y));
    }

    PromptSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};
    MancSettings saved;
};

TEST_F(MancWindowTest, LoadingLaysOutAnEmptyBoardNamedFromTheSettings) {
    MancSettings::set(2, 4, 0);
    frmManc& w = open();
    EXPECT_EQ(w.form()->windowTitle(), "Mancala");
    EXPECT_EQ(w.form()->size(), QSize(610, 390));
    EXPECT_EQ(rnd.seeds(), 1);
    EXPECT_TRUE(optManc::instance().isLoaded());
    EXPECT_FALSE(optManc::instance().form()->isVisible());
    EXPECT_EQ(w.lblPlayer[0]->caption(), "Player 1");
    EXPECT_EQ(w.lblPlayer[2]->caption(), "Player 1");
    EXPECT_EQ(w.lblPlayer[1]->caption(), "Player 2");
    EXPECT_EQ(w.lblPlayer[3]->caption(), "Player 2");
    EXPECT_EQ(w.PitStepX, 180);
    EXPECT_EQ(w.PitStepY, 195);
    EXPECT_EQ(w.StoreStepX, 180);
    EXPECT_EQ(w.StoreStepY, 204);

    // The ring runs anticlockwise: the top row right to left from pit 1 to
    // store 7 at the left, the bottom row left to right from pit 8 to store 14.
    auto x = [&](int cell) { return w.picSeeds[static_cast<std::size_t>(cell)]->geometry().x(); };
    auto y = [&](int cell) { return w.picSeeds[static_cast<std::size_t>(cell)]->geometry().y(); };
    for (int cell = 1; cell < 7; ++cell) EXPECT_GT(x(cell), x(cell + 1)) << cell;
    for (int cell = 7; cell < 14; ++cell) EXPECT_LT(x(cell), x(cell + 1)) << cell;
    EXPECT_LT(y(1), y(8));
    EXPECT_EQ(x(6), x(8));  // pit 6 faces pit 8
    for (int cell = 1; cell <= 14; ++cell)
        EXPECT_TRUE(w.shpBowl[static_cast<std::size_t>(cell)]->geometry().contains(
            w.picSeeds[static_cast<std::size_t>(cell)]->geometry()))
            << cell;

    // Nothing is played before New Game; Help opens the game's topic.
    click(w, 9);
    EXPECT_EQ(rec.take(), Log{});
    w.cmdHelp->click();
    EXPECT_EQ(rec.take(), Log{"help 14"});
}

TEST_F(MancWindowTest, TheChildsMoveHandsTheTurnToTheComputerWhichPlaysItOutAtOnce) {
    MancSettings::set(1, 4, 0);
    frmManc& w = open();
    newGame(w, 13);
    EXPECT_EQ(w.lblMessage->caption(), lines({"", "Your Turn", "Click Pit"}));
    EXPECT_EQ(w.lblPlayer[0]->caption(), "You");
    EXPECT_EQ(w.lblPlayer[3]->caption(), "Computer");
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.cmdOptions->isEnabled());
    EXPECT_EQ(w.lblScore[1]->caption(), "0");
    // Three seeds in each pit, in the game's colour; the stores empty.
    const QColor seed = QBColor(13);
    for (int cell : {1, 6, 8, 13}) {
        EXPECT_EQ(at(w, cell, 90, 98), seed) << cell;
        EXPECT_EQ(at(w, cell, 450, 98), seed) << cell;
        EXPECT_NE(at(w, cell, 630, 98), seed) << cell;
    }
    EXPECT_NE(at(w, 7, 90, 90), seed);

    // A store, the computer's pit: "uh-oh", and it is still the child's turn.
    for (int cell : {7, 14, 3}) {
        click(w, cell);
        EXPECT_EQ(rec.take(), (Log{"stop", "sound uhoh.wav wait"})) << cell;
    }

    // Pit 10 to 11, 12, 13. The computer's store is one seed from pit 4, a
    // free turn; then nothing is worth taking and a random pit 1 ends alone
    // in the emptied pit 4, opposite the child's empty pit 10: one seed scored.
    for (float r : {0.5f, 0.5f, 0.0f}) rnd.push(r);
    int redFlashes = 0, wholeBowls = 0;
    rec.duringDelay = [&] {
        for (int cell = 1; cell <= 14; ++cell) {
            if (w.shpBowl[static_cast<std::size_t>(cell)]->fillColor() != QBColor(12)) continue;
            ++redFlashes;
            // The red is seen over the whole bowl, its seeds too.
            const QRect pit = w.picSeeds[static_cast<std::size_t>(cell)]->geometry();
            const QImage seen = w.form()->grab(pit).toImage();
            if (seen.pixelColor(seen.width() / 4, seen.height() / 2) == QBColor(12)) ++wholeBowls;
        }
    };
    click(w, 10);
    rec.duringDelay = nullptr;
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(redFlashes, 6);
    EXPECT_EQ(wholeBowls, 6);
    EXPECT_EQ(rec.take(), join({{"repaint picSeeds_10"},
                                sown(11),
                                sown(12),
                                sown(13),
                                {"repaint lblScore_1 0", "repaint lblMessage |Computer's|Turn", "delay 1"},
                                flash(4),
                                {"repaint picSeeds_4"},
                                sown(5),
                                sown(6),
                                sown(7),
                                {"repaint lblScore_2 1", "stop", "sound ding.wav", "repaint lblScore_2 1",
                                 "repaint lblMessage |Computer Gets Free Turn", "delay 1"},
                                flash(1),
                                {"repaint picSeeds_1"},
                                sown(2),
                                sown(3),
                                sown(4),
                                {"stop", "sound tada.wav", "repaint picSeeds_7", "repaint picSeeds_4",
                                 "repaint picSeeds_10", "repaint lblScore_2 2",
                                 "repaint lblMessage |Your Turn|Click Pit"}}));
    EXPECT_EQ(w.rules().Player, 1);
    EXPECT_EQ(w.rules().Seeds[4], 0);
    EXPECT_EQ(w.lblScore[2]->caption(), "2");
    // The store shows its two seeds in its first column, the emptied pits nothing.
    EXPECT_EQ(at(w, 7, 90, 102), seed);
    EXPECT_EQ(at(w, 7, 90, 306), seed);
    EXPECT_NE(at(w, 7, 90, 510), seed);
    EXPECT_NE(at(w, 10, 90, 98), seed);
    EXPECT_NE(at(w, 4, 90, 98), seed);

    // The emptied pit is no move either.
    click(w, 10);
    EXPECT_EQ(rec.take(), (Log{"stop", "sound uhoh.wav wait"}));
    EXPECT_EQ(w.rules().Player, 1);
}

TEST_F(MancWindowTest, AFreeTurnKeepsTheMoverAndTwoPlayersTakeTurns) {
    MancSettings::set(1, 1, 0);
    frmManc& w = open();
    newGame(w, 10);
    click(w, 11);  // 12, 13, store
    EXPECT_EQ(rec.log.back(), "repaint lblMessage |You Get A Free Turn|Click Pit");
    EXPECT_EQ(w.rules().Player, 1);
    EXPECT_EQ(w.lblScore[1]->caption(), "1");

    // The setting for first player means nothing to two players.
    MancSettings::set(2, 1, 1);
    w.cmdExit->click();
    newGame(w, 10);
    EXPECT_EQ(w.lblPlayer[0]->caption(), "Player 1");
    EXPECT_EQ(w.lblMessage->caption(), lines({"", "Player 1's Turn", "Click Pit"}));
    click(w, 11);
    EXPECT_EQ(w.lblMessage->caption(), lines({"", "Player 1-Free Turn", "Click Pit"}));
    click(w, 8);
    EXPECT_EQ(w.lblMessage->caption(), lines({"", "Player 2's Turn", "Click Pit"}));
    rec.take();
    click(w, 9);  // no longer the mover's pit
    EXPECT_EQ(rec.take(), (Log{"stop", "sound uhoh.wav wait"}));
    click(w, 4);
    EXPECT_EQ(w.lblMessage->caption(), lines({"", "Player 2-Free Turn", "Click Pit"}));
    click(w, 1);
    EXPECT_EQ(w.lblMessage->caption(), lines({"", "Player 1's Turn", "Click Pit"}));
    EXPECT_EQ(rnd.remaining(), 0u);
}

TEST_F(MancWindowTest, TheComputerGoingFirstPlaysItsOpeningBeforeTheChildsTurn) {
    MancSettings::set(1, 4, 1);
    frmManc& w = open();
    // The colour, then a roll for each move: pit 4 for the free turn, then
    // pit 1 landing alone in pit 4 and taking the child's three from pit 10.
    for (float r : {0.0f, 0.9f, 0.9f}) rnd.push(r);
    w.cmdNew->click();
    EXPECT_EQ(rnd.remaining(), 0u);
    const Log log = rec.take();
    const std::string turn = "repaint lblMessage |Computer's|Turn";
    const std::string free = "repaint lblMessage |Computer Gets Free Turn";
    ASSERT_EQ(std::count(log.begin(), log.end(), turn), 1);
    ASSERT_EQ(std::count(log.begin(), log.end(), free), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "delay 1"), 2);
    EXPECT_LT(std::find(log.begin(), log.end(), turn), std::find(log.begin(), log.end(), free));
    EXPECT_EQ(log.back(), "repaint lblMessage |Your Turn|Click Pit");
    EXPECT_EQ(w.rules().Player, 1);
    EXPECT_EQ(w.rules().Seeds[10], 0);
    EXPECT_EQ(w.lblScore[2]->caption(), "5");
    EXPECT_TRUE(w.running());
}

TEST_F(MancWindowTest, EmptyingASideEndsTheGameWithTheResultAndCheering) {
    MancSettings::set(1, 4, 0);
    frmManc& w = open();
    // The child's last seed goes into the store: the computer keeps its five.
    newGame(w, 12);
    position(w, {{13, 1}, {2, 5}, {7, 10}, {14, 20}});
    click(w, 13);
    Log log = rec.take();
    EXPECT_EQ(Log(log.end() - 4, log.end()),
              (Log{"repaint lblScore_2 15", "repaint lblMessage |Game Over|You Win!", "stop",
                   "sound cheering.wav"}));
    EXPECT_EQ(w.lblScore[1]->caption(), "21");
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdOptions->isEnabled());
    EXPECT_TRUE(w.isLoaded());
    click(w, 2);
    EXPECT_EQ(rec.take(), Log{});

    // The computer empties its own side: the child's seed goes to the child.
    newGame(w, 12);
    position(w, {{8, 2}, {6, 1}, {7, 20}, {14, 17}});
    rnd.push(0.9f);
    click(w, 8);
    log = rec.take();
    EXPECT_EQ(Log(log.end() - 4, log.end()),
              (Log{"repaint lblScore_1 19", "repaint lblMessage |Game Over|Computer Wins!", "stop",
                   "sound cheering.wav wait"}));
    EXPECT_EQ(w.rules().Seeds[10], 0);
    EXPECT_EQ(w.lblScore[2]->caption(), "21");

    // Two players and equal stores.
    MancSettings::set(2, 4, 0);
    newGame(w, 12);
    position(w, {{6, 1}, {12, 3}, {7, 19}, {14, 17}});
    w.rules().Player = 2;
    click(w, 6);
    EXPECT_EQ(w.lblMessage->caption(), lines({"", "Game Over", "It's A Draw!"}));
    EXPECT_EQ(w.lblScore[1]->caption(), "20");
}

TEST_F(MancWindowTest, APitOfElevenIsRedrawnSmallUntilItIsEmptied) {
    MancSettings::set(2, 4, 0);
    frmManc& w = open();
    newGame(w, 14);
    const QColor seed = QBColor(14);
    w.rules().Seeds[11] = 1;
    w.rules().Seeds[12] = 10;
    click(w, 11);
    EXPECT_EQ(w.SmallSeeds[12], 1);
    EXPECT_EQ(at(w, 12, 90, 320), seed);  // the eleventh seed, in the third row
    EXPECT_NE(at(w, 12, 270, 320), seed);
    EXPECT_EQ(at(w, 12, 810, 192), seed);  // the tenth, in the small second row
    EXPECT_NE(at(w, 12, 90, 128), seed);   // between small rows, where a large seed lay
    click(w, 1);                           // player 2
    click(w, 12);
    EXPECT_EQ(w.SmallSeeds[12], 0);
    EXPECT_NE(at(w, 12, 90, 64), seed);
}

TEST_F(MancWindowTest, StopShowsNoWinnerKeepsTheBoardAndExitReturnsToTheMenu) {
    HiddenMenu hidden;
    ASSERT_TRUE(hidden.started());
    frmMenu& menu = hidden.menu();
    MancSettings::set(2, 4, 0);

    frmManc& w = open();
    newGame(w, 11);
    click(w, 9);
    rec.take();
    const auto seeds = w.rules().Seeds;
    const QImage pit = w.picSeeds[10]->image();
    w.cmdExit->click();
    EXPECT_EQ(rec.take(), Log{"repaint lblMessage |Game Stopped|"});
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.isLoaded());
    EXPECT_EQ(w.rules().Seeds, seeds);
    EXPECT_EQ(w.picSeeds[10]->image(), pit);
    click(w, 1);
    EXPECT_EQ(rec.take(), Log{});

    w.cmdExit->click();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_FALSE(optManc::instance().isLoaded());
    EXPECT_TRUE(menu.form()->isVisible());
}

}  // namespace
