#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <functional>

#include "boardgames/frmMatch.h"
#include "boardgames/match_settings.h"
#include "boardgames/optMatch.h"
#include "launcher/frmMenu.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/real_seam.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "support/game_window_test.h"
#include "support/hidden_menu.h"
#include "support/temp_dir.h"
#include "support/watching_seam.h"

namespace {

using Log = std::vector<std::string>;

QString lines(const char* first, const char* second) { return QString(first) + QChar(13) + second; }

class MatchWindowTest : public GameWindowTest<frmMatch, optMatch> {
protected:
    void settings(int players, int pairs, int vsComputer, int difficulty) {
        MatchSettings::set(players, pairs, vsComputer, difficulty);
    }

    // Draws that leave Shuffle's order as it is: toy t lies in slots t and t + N.
    void dealInOrder(int pairs) {
        for (int j = 2 * pairs; j >= 2; --j) rnd.push(0.99f);
    }

    void newGame(frmMatch& w, int pairs) {
        dealInOrder(pairs);
        w.cmdNew->click();
        ASSERT_EQ(rnd.remaining(), 0u);
        rec.take();
    }

    static PictureBox* slot(frmMatch& w, int j) { return w.picHidden[static_cast<std::size_t>(j)]; }

    // What a slot shows, told apart by colours alone.
    static bool uniform(const QImage& image, const QColor& c) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != c) return false;
        return true;
    }
    static bool blank(frmMatch& w, int j) { return uniform(slot(w, j)->image(), Qt::black); }
    static bool faceUp(frmMatch& w, int j, int toy) {
        const QImage& image = slot(w, j)->image();
        const QColor card = QBColor(kMatchToyColors[static_cast<std::size_t>(toy)]);
        return image.pixelColor(0, 0) == card && !uniform(image, card);
    }
    // The gift wrapping fills the card, unlike an empty slot.
    static bool faceDown(frmMatch& w, int j) {
        const QImage& image = slot(w, j)->image();
        return !blank(w, j) && image.pixelColor(image.width() / 2, image.height() / 2) != Qt::black;
    }

    PromptSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};
    MatchSettings saved_;
};

TEST_F(MatchWindowTest, TheDealShowsOnlyTheSlotsOfTheChosenPairs) {
    settings(1, 2, 0, 1);
    frmMatch& w = open();
    EXPECT_EQ(w.form()->windowTitle(), "Gift Match");
    EXPECT_EQ(w.form()->size(), QSize(551, 392));
    EXPECT_EQ(rnd.seeds(), 1);
    EXPECT_TRUE(optMatch::instance().isLoaded());
    EXPECT_FALSE(optMatch::instance().form()->isVisible());
    // Six rows of five, the top row first.
    EXPECT_EQ(slot(w, 1)->geometry(), twipsRect(120, 120, 975, 855));
    EXPECT_EQ(slot(w, 5)->geometry(), twipsRect(120 + 4 * 1080, 120, 975, 855));
    EXPECT_EQ(slot(w, 7)->geometry(), twipsRect(120 + 1080, 120 + 960, 975, 855));
    EXPECT_EQ(slot(w, 30)->geometry(), twipsRect(120 + 4 * 1080, 120 + 5 * 960, 975, 855));

    // Before the first deal the board is empty and a click is no move.
    for (int j = 1; j <= 30; ++j) EXPECT_TRUE(blank(w, j)) << j;
    rec.take();
    slot(w, 3)->onClick();
    EXPECT_EQ(rec.log, Log{});
    EXPECT_EQ(w.lblMessage->caption(), "");

    newGame(w, 2);
    for (int j = 1; j <= 30; ++j) {
        EXPECT_EQ(slot(w, j)->isVisible(), j <= 4) << j;
        if (j <= 4) {
            EXPECT_TRUE(faceDown(w, j)) << j;
        }
    }
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.cmdOptions->isEnabled());
    EXPECT_TRUE(w.cmdHelp->isEnabled());
    w.cmdHelp->click();
    EXPECT_EQ(rec.take(), Log{"help 1"});
    EXPECT_TRUE(w.running());

    w.cmdExit->click();
    gMatchPairs = 15;
    newGame(w, 15);
    for (int j = 1; j <= 30; ++j) {
        EXPECT_TRUE(slot(w, j)->isVisible()) << j;
        EXPECT_TRUE(faceDown(w, j)) << j;
    }
}

TEST_F(MatchWindowTest, PlayingAloneCountsEveryCardTurnedAndPromptsByTheLastOutcome) {
    settings(1, 3, 0, 1);
    frmMatch& w = open();
    EXPECT_EQ(w.lblP[1]->caption(), "You");
    EXPECT_EQ(w.lblP[2]->caption(), "Guesses");
    newGame(w, 3);
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Pick a Gift"));

    slot(w, 1)->onClick();
    EXPECT_EQ(rec.take(), (Log{"beep", "repaint lblMatch_2 1", "repaint picHidden_1"}));
    EXPECT_TRUE(faceUp(w, 1, 1));
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Pick Another Gift"));
    // The card already turned is no second card.
    slot(w, 1)->onClick();
    EXPECT_EQ(rec.take(), Log{});

    // Both toys stay in view through the pause, and only then go.
    int pauses = 0;
    rec.duringDelay = [&] {
        ++pauses;
        EXPECT_TRUE(faceUp(w, 1, 1));
        EXPECT_TRUE(faceUp(w, 4, 1));
    };
    slot(w, 4)->onClick();
    rec.duringDelay = nullptr;
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(rec.take(), (Log{"beep", "repaint lblMatch_2 2", "repaint picHidden_4", "stop", "sound wow.wav",
                               "delay 1", "repaint lblMatch_1 1"}));
    EXPECT_TRUE(blank(w, 1));
    EXPECT_TRUE(blank(w, 4));
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Pick A Gift"));
    // A gone card is no move.
    slot(w, 4)->onClick();
    EXPECT_EQ(rec.take(), Log{});

    for (int toy : {2, 3}) {
        slot(w, toy)->onClick();
        slot(w, toy + 3)->onClick();
    }
    EXPECT_EQ(rec.log.back(), "sound tada.wav wait");
    EXPECT_EQ(rec.log[rec.log.size() - 3], "repaint frmMatch");
    EXPECT_EQ(w.lblMatch[2]->caption(), "6");
    EXPECT_EQ(w.lblMatch[1]->caption(), "3");
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", ""));
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdOptions->isEnabled());

    // A miss covers both cards again and keeps the child's turn.
    newGame(w, 3);
    EXPECT_EQ(w.lblMatch[2]->caption(), "0");
    slot(w, 2)->onClick();
    rec.take();
    rec.duringDelay = [&] {
        EXPECT_TRUE(faceUp(w, 2, 2));
        EXPECT_TRUE(faceUp(w, 3, 3));
    };
    slot(w, 3)->onClick();
    rec.duringDelay = nullptr;
    EXPECT_EQ(rec.take(), (Log{"beep", "repaint lblMatch_2 2", "repaint picHidden_3", "stop",
                               "sound boing.wav", "delay 1", "repaint picHidden_2", "repaint picHidden_3"}));
    EXPECT_TRUE(faceDown(w, 2));
    EXPECT_TRUE(faceDown(w, 3));
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Pick a Gift"));
    slot(w, 2)->onClick();
    EXPECT_EQ(w.lblMatch[2]->caption(), "3");
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Pick Another Gift"));
}

TEST_F(MatchWindowTest, TwoPlayersTakeTurnsWhateverPlayWhoHoldsAndCanTie) {
    settings(2, 4, 1, 4);
    frmMatch& w = open();
    EXPECT_EQ(w.lblP[1]->caption(), "Player 1");
    EXPECT_EQ(w.lblP[2]->caption(), "Player 2");
    newGame(w, 4);
    EXPECT_EQ(w.lblMessage->caption(), lines("Player 1", "Pick a Gift"));

    slot(w, 1)->onClick();
    EXPECT_EQ(w.lblMessage->caption(), lines("Player 1", "Pick Another Gift"));
    slot(w, 5)->onClick();
    EXPECT_EQ(w.lblMessage->caption(), lines("Player 1", "Pick Again"));
    slot(w, 2)->onClick();
    slot(w, 6)->onClick();
    slot(w, 3)->onClick();
    rec.take();
    slot(w, 4)->onClick();
    // No counter for guesses and no computer: the miss passes the turn, nothing more.
    EXPECT_EQ(rec.take(), (Log{"beep", "repaint picHidden_4", "stop", "sound boing.wav", "delay 1",
                               "repaint picHidden_3", "repaint picHidden_4"}));
    EXPECT_EQ(w.lblMessage->caption(), lines("Player 2", "Pick a Gift"));
    slot(w, 3)->onClick();
    EXPECT_EQ(w.lblMessage->caption(), lines("Player 2", "Pick Another Gift"));
    slot(w, 7)->onClick();
    EXPECT_EQ(w.lblMatch[2]->caption(), "1");
    EXPECT_EQ(w.lblMessage->caption(), lines("Player 2", "Pick Again"));
    slot(w, 4)->onClick();
    slot(w, 8)->onClick();
    EXPECT_EQ(w.lblMatch[1]->caption(), "2");
    EXPECT_EQ(w.lblMatch[2]->caption(), "2");
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", "It's a Tie!"));

    gMatchPairs = 2;
    newGame(w, 2);
    EXPECT_EQ(w.lblMatch[1]->caption(), "0");
    slot(w, 1)->onClick();
    slot(w, 2)->onClick();
    for (int j : {2, 4, 1, 3}) slot(w, j)->onClick();
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", "Player 2 Wins!"));
}

TEST_F(MatchWindowTest, StopEndsWithoutAWinnerAndExitReturnsToTheMenu) {
    HiddenMenu hidden;
    ASSERT_TRUE(hidden.started());
    frmMenu& menu = hidden.menu();
    settings(2, 2, 0, 1);

    frmMatch& w = open();
    newGame(w, 2);
    slot(w, 1)->onClick();
    slot(w, 3)->onClick();
    ASSERT_EQ(w.lblMatch[1]->caption(), "1");
    w.cmdExit->click();
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", ""));
    EXPECT_EQ(rec.log.back(), "repaint lblMatch_1 1");  // no fanfare for a stopped game
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.cmdOptions->isEnabled());
    EXPECT_TRUE(w.isLoaded());
    // The cards stay as they lie, and are no longer moves.
    EXPECT_TRUE(blank(w, 1));
    EXPECT_TRUE(faceDown(w, 2));
    rec.take();
    slot(w, 2)->onClick();
    EXPECT_EQ(rec.log, Log{});

    w.cmdExit->click();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_FALSE(optMatch::instance().isLoaded());
    EXPECT_TRUE(menu.form()->isVisible());
}

TEST_F(MatchWindowTest, OneComputerTurnPacesItsPairAndItsMiss) {
    settings(1, 3, 1, 4);
    frmMatch& w = open();
    EXPECT_EQ(w.lblP[2]->caption(), "Computer");
    newGame(w, 3);
    slot(w, 1)->onClick();
    rec.take();
    // The forget roll, then a card at random, for each card the computer turns.
    for (float r : {0.0f, 0.55f, 0.0f, 0.0f, 0.3f, 0.0f, 0.4f}) rnd.push(r);
    slot(w, 2)->onClick();
    EXPECT_EQ(rec.take(),
              (Log{// the child's miss
                   "beep", "repaint picHidden_2", "stop", "sound boing.wav", "delay 1", "repaint picHidden_1",
                   "repaint picHidden_2",
                   // the computer's first card, found at random
                   "repaint lblMessage Computer|Picking", "delay 1", "beep", "repaint picHidden_4",
                   // its partner, from memory: a pair
                   "delay 0.5", "repaint lblMessage |Picking Another", "delay 1", "beep",
                   "repaint picHidden_1", "stop", "sound wow.wav", "delay 1", "repaint lblMatch_2 1",
                   // again, two cards at random: a miss
                   "repaint lblMessage |Picking Again", "delay 1", "beep", "repaint picHidden_3", "delay 0.5",
                   "repaint lblMessage |Picking Another", "delay 1", "beep", "repaint picHidden_5", "stop",
                   "sound boing.wav", "delay 1", "repaint picHidden_3", "repaint picHidden_5"}));
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_TRUE(blank(w, 1));
    EXPECT_TRUE(blank(w, 4));
    for (int j : {2, 3, 5, 6}) EXPECT_TRUE(faceDown(w, j)) << j;
    EXPECT_EQ(w.lblMessage->caption(), lines("", "Pick a Gift"));

    // The child takes the last two pairs and wins.
    for (int j : {3, 6, 2, 5}) slot(w, j)->onClick();
    EXPECT_EQ(w.lblMatch[1]->caption(), "2");
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", "You Win!"));
    EXPECT_EQ(rnd.remaining(), 0u);
}

TEST_F(MatchWindowTest, AComputerClearingTheBoardEndsTheGameInsideItsTurn) {
    settings(1, 2, 1, 4);
    frmMatch& w = open();
    newGame(w, 2);
    slot(w, 1)->onClick();
    for (float r : {0.0f, 0.7f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}) rnd.push(r);
    slot(w, 2)->onClick();
    const Log log = rec.take();
    // Its last pair, then the end of the game and the fanfare, waited for.
    ASSERT_GE(log.size(), 9u);
    EXPECT_EQ(Log(log.end() - 9, log.end()),
              (Log{"beep", "repaint picHidden_4", "stop", "sound wow.wav", "delay 1", "repaint lblMatch_2 2",
                   "repaint frmMatch", "stop", "sound tada.wav wait"}));
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(w.lblMessage->caption(), lines("Game Over", "Computer Wins!"));
    EXPECT_FALSE(w.running());
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.isLoaded());
    for (int j = 1; j <= 4; ++j) EXPECT_TRUE(blank(w, j)) << j;
}

TEST_F(MatchWindowTest, MissingPicturesLeaveAPlayableGame) {
    TempDir dir;
    for (int k = 1; k <= kMatchMaxPairs; ++k) {
        const std::string name = kMatchToyPictures[static_cast<std::size_t>(k)];
        if (name != "duck.wmf")
            std::filesystem::copy_file(std::string(QUENVALE_SOURCE_DIR "/assets/") + name, dir.file(name));
    }
    gAppPath = dir.path().string() + "/";
    settings(1, 4, 0, 1);
    frmMatch& w = open();
    EXPECT_FALSE(w.picGift.has_value());
    EXPECT_FALSE(w.picChoice[4].has_value());
    EXPECT_TRUE(w.picChoice[1].has_value());
    newGame(w, 4);

    // Without the wrapping, the backs are plain gifts that still stand out.
    for (int j = 1; j <= 8; ++j) {
        EXPECT_TRUE(faceDown(w, j)) << j;
        EXPECT_EQ(slot(w, j)->image().pixelColor(1, 1), QBColor(4)) << j;
    }
    // Without its picture, the duck is its card colour alone, and pairs as any toy.
    slot(w, 4)->onClick();
    EXPECT_TRUE(uniform(slot(w, 4)->image(), QBColor(9)));
    slot(w, 8)->onClick();
    EXPECT_TRUE(blank(w, 4));
    EXPECT_TRUE(blank(w, 8));
    EXPECT_EQ(w.lblMatch[1]->caption(), "1");
    slot(w, 1)->onClick();
    EXPECT_TRUE(faceUp(w, 1, 1));
    slot(w, 2)->onClick();
    EXPECT_EQ(slot(w, 1)->image().pixelColor(1, 1), QBColor(4));
}

TEST_F(MatchWindowTest, OptionsWriteAtOnceEnableByPlayersAndSurviveClosing) {
    settings(1, 5, 0, 2);
    frmMatch& w = open();
    optMatch& d = optMatch::instance();
    EXPECT_EQ(d.form()->windowTitle(), "Gift Matching Options");
    EXPECT_TRUE(d.optPlayer[0]->value());
    EXPECT_TRUE(d.optWho[0]->value());
    EXPECT_TRUE(d.optDiff[1]->value());
    EXPECT_EQ(d.lblNumber->caption(), "5");
    EXPECT_TRUE(d.Frame4->isEnabled());
    EXPECT_FALSE(d.Frame3->isEnabled());  // "Play Alone" has no difficulty

    rec.modalActions.push_back([&](QWidget*) {
        d.optWho[1]->click();
        EXPECT_EQ(gMatchVsComputer, 1);
        EXPECT_TRUE(d.Frame3->isEnabled());

        d.optPlayer[1]->click();
        EXPECT_EQ(gMatchPlayers, 2);
        EXPECT_FALSE(d.Frame3->isEnabled());
        EXPECT_FALSE(d.Frame4->isEnabled());
        d.optDiff[3]->click();
        EXPECT_EQ(gMatchDifficulty, 2);

        d.optPlayer[0]->click();
        EXPECT_TRUE(d.Frame4->isEnabled());
        EXPECT_TRUE(d.Frame3->isEnabled());
        d.optDiff[3]->click();
        EXPECT_EQ(gMatchDifficulty, 4);

        for (int i = 0; i < 12; ++i) d.SpinButton1->upArrow()->click();
        EXPECT_EQ(gMatchPairs, 15);
        EXPECT_EQ(d.lblNumber->caption(), "15");
        for (int i = 0; i < 15; ++i) d.SpinButton1->downArrow()->click();
        EXPECT_EQ(gMatchPairs, 2);
        EXPECT_EQ(d.lblNumber->caption(), "2");
        d.SpinButton1->upArrow()->click();
        d.form()->close();  // closing acts as OK
    });
    rec.take();
    w.cmdOptions->click();
    ASSERT_TRUE(rec.modalActions.empty());
    EXPECT_EQ(rec.log.front(), "modal optMatch");
    EXPECT_EQ(rec.log.back(), "repaint lblNumber 3");
    EXPECT_EQ(gMatchPlayers, 1);
    EXPECT_EQ(gMatchVsComputer, 1);
    EXPECT_EQ(gMatchDifficulty, 4);
    EXPECT_EQ(gMatchPairs, 3);
    // The headings follow at the next game.
    EXPECT_EQ(w.lblP[2]->caption(), "Guesses");
    newGame(w, 3);
    EXPECT_EQ(w.lblP[2]->caption(), "Computer");
    EXPECT_TRUE(slot(w, 6)->isVisible());
    EXPECT_FALSE(slot(w, 7)->isVisible());
    w.cmdExit->click();

    // Shown again, the dialog reads the settings afresh; OK only hides it.
    rec.modalActions.push_back([&](QWidget*) {
        EXPECT_TRUE(d.optPlayer[0]->value());
        EXPECT_TRUE(d.optWho[1]->value());
        EXPECT_TRUE(d.optDiff[3]->value());
        EXPECT_EQ(d.lblNumber->caption(), "3");
        EXPECT_TRUE(d.Frame3->isEnabled());
        d.optWho[0]->click();
        EXPECT_FALSE(d.Frame3->isEnabled());
        d.cmdOK->click();
    });
    w.cmdOptions->click();
    ASSERT_TRUE(rec.modalActions.empty());
    EXPECT_TRUE(d.isLoaded());
    EXPECT_FALSE(d.form()->isVisible());
    EXPECT_EQ(gMatchVsComputer, 0);

    // Players edited by hand out of range show as the game plays them: 0 as
    // one player, 3 as two, with the frames greyed to match.
    for (const auto& [stored, one] : {std::pair{0, true}, std::pair{3, false}}) {
        w.Unload();
        d.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        settings(stored, 5, 1, 2);
        open();
        EXPECT_EQ(d.optPlayer[0]->value(), one) << stored;
        EXPECT_EQ(d.optPlayer[1]->value(), !one) << stored;
        EXPECT_EQ(d.Frame4->isEnabled(), one) << stored;
        EXPECT_EQ(d.Frame3->isEnabled(), one) << stored;
        EXPECT_EQ(w.lblP[1]->caption(), one ? "You" : "Player 1") << stored;
    }
}

// Through the real platform layer: a window manager that iconifies the dialog
// and its game while the dialog is shown, and restores them, must leave the
// dialog modal until OK, and the game answering afterwards.
TEST_F(MatchWindowTest, MinimisingAndRestoringDuringTheOptionsLeavesTheGameUsable) {
    RealSeam real;
    setSeam(&real);
    settings(2, 2, 0, 1);
    frmMatch& w = open();
    optMatch& d = optMatch::instance();
    QWindow* game = w.form()->windowHandle();
    auto click = [](QWidget* button) {
        QTest::mouseClick(button->window()->windowHandle(), Qt::LeftButton, {},
                          button->mapTo(button->window(), button->rect().center()));
    };
    // Each step comes as its own event, as the window manager's would.
    std::vector<std::function<void()>> steps = {
        [&] { d.form()->windowHandle()->setWindowStates(Qt::WindowMinimized); },
        [&] { game->setWindowStates(Qt::WindowMinimized); },
        [&] { game->setWindowStates(Qt::WindowNoState); },
        [&] { d.form()->windowHandle()->setWindowStates(Qt::WindowNoState); },
        [&] { click(d.cmdOK); },
    };
    std::size_t done = 0;
    for (std::size_t i = 0; i < steps.size(); ++i)
        QTimer::singleShot(static_cast<int>(10 * i), [&, i] {
            steps[i]();
            done = i + 1;
        });
    w.cmdOptions->click();
    EXPECT_EQ(done, steps.size()) << "the modal showing ended before OK";
    while (done < steps.size()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(d.form()->isVisible());

    dealInOrder(2);
    click(w.cmdNew);
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    // The window manager gives the clicked window the keyboard.
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    QTest::keyClick(game, Qt::Key_S, Qt::AltModifier);
    // A mnemonic presses its button and lets it go a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.cmdExit->caption() == "E&xit"; }, 2000));
    setSeam(&rec);
}

}  // namespace
