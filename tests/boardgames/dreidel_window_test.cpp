#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>

#include "boardgames/frmDreid.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"

namespace {

using Log = std::vector<std::string>;

const QColor kCyan = bgrColor(0x00FFFF00);
const QString CRLF = "\r\n";

// Records like the ordinary test seam and keeps what the message label said
// each time it was repainted at once, since a result is overwritten by the
// next turn's prompt before the click returns.
class MessageSeam : public RecordingSeam {
public:
    MessageSeam() : previous_(currentSeam()) { setSeam(this); }
    ~MessageSeam() override { setSeam(previous_); }
    void repaintNow(QWidget* widget) override {
        RecordingSeam::repaintNow(widget);
        if (auto* label = qobject_cast<Label*>(widget); label && label->objectName() == "lblMessage")
            messages.push_back(label->caption());
    }
    QStringList messages;

private:
    Seam* previous_;
};

class DreidelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
        gDreidPlayers = 3;
        gDreidNames = {"", "Ann", "Bob", "Cid", "Dee"};
    }
    void TearDown() override {
        w.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gDreidPlayers = savedPlayers_;
        gDreidNames = savedNames_;
    }

    void open() { w.Show(); }
    void newGame() {
        w.cmdNew->click();
        rec.take();
        rec.messages.clear();
    }
    Log spin(float draw) {
        rnd.push(draw);
        w.picSpin_Click();
        EXPECT_EQ(rnd.remaining(), 0u);
        return rec.take();
    }
    static QColor base(TextBox* t) { return t->palette().color(QPalette::Base); }
    static bool blank(PictureBox* box) {
        const QImage& image = box->image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != box->backColor()) return false;
        return true;
    }
    QString message() const { return w.lblMessage->caption(); }
    QString score(int p) const { return w.lblScore[p]->caption(); }

    frmDreid& w = frmDreid::instance();
    MessageSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};

private:
    std::int16_t savedPlayers_ = gDreidPlayers;
    std::array<std::string, 5> savedNames_ = gDreidNames;
};

TEST_F(DreidelWindowTest, LoadingShowsThePlayersRoundTheDreidelAndTheIdleText) {
    open();
    EXPECT_EQ(w.form()->windowTitle(), "Dreidel Game");
    EXPECT_EQ(w.form()->size(), QSize(twipsToPixels(8220), twipsToPixels(6840)));
    EXPECT_EQ(w.helpContextID(), 15);
    EXPECT_TRUE(w.optNum[2]->isChecked());
    EXPECT_EQ(w.lblScore[0]->caption(), "50 Points to Win");
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(score(p), "20");
        EXPECT_EQ(w.txtName[p]->isVisible(), p <= 3) << p;
        EXPECT_EQ(w.lblScore[p]->isVisible(), p <= 3) << p;
    }
    EXPECT_EQ(w.txtName[2]->Text(), "Bob");
    EXPECT_EQ(message(), "\rChoose Number of Players\rEnter Names\rClick New Game");
    EXPECT_FALSE(w.cmdOK->isVisible());
    EXPECT_EQ(w.cmdOK->caption(), "OK");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 100);
    EXPECT_EQ(rec.log, (Log{"repaint lblMessage"}));
    // Player 1 sits at the left, 2 at the top, 3 at the right.
    EXPECT_LT(w.txtName[1]->x(), w.picSpin->x());
    EXPECT_LT(w.txtName[2]->y(), w.picSpin->y());
    EXPECT_GT(w.txtName[3]->x(), w.picSpin->x() + w.picSpin->width());
}

TEST_F(DreidelWindowTest, TwoPlayersFaceEachOtherAndPlayerTwoReturnsToTheTop) {
    open();
    const QPoint top = w.txtName[2]->pos(), topScore = w.lblScore[2]->pos();
    w.optNum[1]->click();
    EXPECT_EQ(gDreidPlayers, 2);
    EXPECT_EQ(w.txtName[2]->pos(), w.txtName[3]->pos());
    EXPECT_EQ(w.lblScore[2]->pos(), w.lblScore[3]->pos());
    EXPECT_FALSE(w.txtName[3]->isVisible());
    EXPECT_TRUE(w.txtName[2]->isVisible());
    gDreidNames[4] = "Eve";
    w.optNum[3]->click();
    EXPECT_EQ(gDreidPlayers, 4);
    EXPECT_EQ(w.txtName[2]->pos(), top);
    EXPECT_EQ(w.lblScore[2]->pos(), topScore);
    EXPECT_EQ(w.txtName[4]->Text(), "Eve");
    EXPECT_TRUE(w.lblScore[4]->isVisible());
    w.optNum[0]->click();
    EXPECT_FALSE(w.txtName[2]->isVisible());
    EXPECT_TRUE(w.txtName[1]->isVisible());
}

TEST_F(DreidelWindowTest, NewGameAnnouncesTheFirstPlayerAndTheDreidelSpins) {
    open();
    rec.take();
    w.cmdNew->click();
    EXPECT_EQ(w.rules.GameOn, 1);
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_FALSE(w.cmdNew->isEnabled());
    EXPECT_FALSE(w.Frame1->isEnabled());
    EXPECT_EQ(message(), CRLF + "Player 1:\rAnn\rYour Turn - Click Dreidel");
    EXPECT_EQ(base(w.txtName[1]), kCyan);
    EXPECT_EQ(base(w.txtName[2]), QBColor(15));
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(rec.take(), (Log{"repaint lblMessage"}));

    // Each tick starts the spinning sound anew and shows one of the five pictures.
    EXPECT_TRUE(blank(w.picSpin));
    rnd.push(0.1f);
    w.Timer1_Timer();
    EXPECT_EQ(rec.take(), (Log{"stop", "sound move.wav"}));
    const QImage spinning = w.picSpin->image();
    EXPECT_FALSE(blank(w.picSpin));
    rnd.push(0.5f);
    w.Timer1_Timer();
    EXPECT_NE(w.picSpin->image(), spinning);
    EXPECT_EQ(rnd.draws(), 2);
}

TEST_F(DreidelWindowTest, ASpinShowsTheFaceSaysWhatItMeansAndScores) {
    open();
    newGame();
    rnd.push(0.2f);  // a tick that shows picture 1, Gimel
    w.Timer1_Timer();
    const QImage gimel = w.picSpin->image();
    rec.take();
    const Log log = spin(0.0f);  // Gimel
    EXPECT_EQ(log, (Log{"repaint picSpin", "repaint lblMessage", "stop", "sound tada.wav wait",
                        "repaint lblScore_1", "delay 2", "repaint lblMessage"}));
    EXPECT_EQ(score(1), "30");
    EXPECT_EQ(w.picSpin->image(), gimel);
    EXPECT_EQ(message(), CRLF + "Player 2:\rBob\rYour Turn - Click Dreidel");
    EXPECT_EQ(base(w.txtName[1]), QBColor(15));
    EXPECT_EQ(base(w.txtName[2]), kCyan);

    EXPECT_EQ(spin(0.3f).at(3), "sound tada.wav wait");  // Hay for Bob
    EXPECT_EQ(score(2), "25");
    EXPECT_EQ(spin(0.6f).at(3), "sound miss.wav wait");  // Nun for Cid
    EXPECT_EQ(score(3), "20");
    EXPECT_EQ(spin(0.9f).at(3), "sound uhoh.wav wait");  // Shin for Ann
    EXPECT_EQ(score(1), "25");

    // Each result was shown during its pause, its lines broken by CR LF.
    EXPECT_EQ(rec.messages, (QStringList{
                                CRLF + "Gimel stands for ganz or all." + CRLF + "You win 10 points!",
                                CRLF + "Player 2:\rBob\rYour Turn - Click Dreidel",
                                CRLF + "Hay stands for halb or half." + CRLF + "You win 5 points!",
                                CRLF + "Player 3:\rCid\rYour Turn - Click Dreidel",
                                CRLF + "Nun stands for nisht or none." + CRLF + "Nothing happens!",
                                CRLF + "Player 1:\rAnn\rYour Turn - Click Dreidel",
                                CRLF + "Shin stands for shtel or put in." + CRLF + "You lose 5 points ...",
                                CRLF + "Player 2:\rBob\rYour Turn - Click Dreidel",
                            }));
}

TEST_F(DreidelWindowTest, WinnersAreListedAfterTheRoundAndOkEndsTheGame) {
    open();
    newGame();
    w.rules.Score[2] = 45;
    w.rules.Score[3] = 55;
    spin(0.6f);  // Ann: nothing
    spin(0.3f);  // Bob reaches 50 in the middle of the round
    EXPECT_EQ(message(), CRLF + "Player 3:\rCid\rYour Turn - Click Dreidel");
    const Log log = spin(0.6f);  // Cid: nothing, the round is over
    EXPECT_EQ(log, (Log{"repaint picSpin", "repaint lblMessage", "stop", "sound miss.wav wait",
                        "repaint lblScore_3", "delay 2", "sound dreidel.wav"}));
    EXPECT_EQ(message(), "Game Over - Winner(s):" + CRLF + "Bob" + CRLF + "Cid");
    EXPECT_TRUE(w.cmdOK->isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.rules.GameOn, 1);

    // The dreidel ignores clicks and Enter now: nothing is drawn.
    w.picSpin_Click();
    int enter = 13;
    w.picSpin_KeyPress(enter);
    EXPECT_EQ(rnd.draws(), 3);
    EXPECT_TRUE(rec.take().empty());

    w.cmdOK->click();
    EXPECT_FALSE(w.cmdOK->isVisible());
    EXPECT_EQ(w.rules.GameOn, 0);
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_TRUE(w.cmdNew->isEnabled());
    EXPECT_TRUE(w.Frame1->isEnabled());
    EXPECT_TRUE(blank(w.picSpin));
    EXPECT_EQ(message(), "\rChoose Number of Players\rEnter Names\rClick New Game");
    EXPECT_EQ(rec.take(), (Log{"repaint picSpin", "repaint lblMessage"}));
    EXPECT_EQ(score(3), "55") << "scores stay shown until the next game";
}

TEST_F(DreidelWindowTest, StopEndsATurnAndTheNextGameStartsEveryoneAtTwenty) {
    open();
    newGame();
    spin(0.0f);
    EXPECT_EQ(score(1), "30");
    w.cmdExit->click();
    EXPECT_EQ(w.rules.GameOn, 0);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(base(w.txtName[2]), QBColor(15));
    EXPECT_EQ(message(), "\rChoose Number of Players\rEnter Names\rClick New Game");
    EXPECT_EQ(score(1), "30");
    EXPECT_TRUE(w.isLoaded());

    w.cmdNew->click();
    EXPECT_EQ(score(1), "20");
    EXPECT_EQ(w.rules.Score[1], 20);
    EXPECT_EQ(base(w.txtName[1]), kCyan);
}

TEST_F(DreidelWindowTest, EnterStopsTheDreidelAndANameTypedDuringTheGameShowsNextTurn) {
    open();
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    w.cmdNew->click();
    EXPECT_EQ(QApplication::focusWidget(), w.picSpin);
    // Bob's box is renamed while Ann spins.
    w.txtName[2]->setFocus();
    w.txtName[2]->selectAll();
    QTest::keyClicks(w.txtName[2], "Bo");
    w.picSpin->setFocus();
    EXPECT_EQ(gDreidNames[2], "Bo");
    QTest::keyClick(w.picSpin, Qt::Key_Space);
    EXPECT_EQ(rnd.draws(), 0);
    rnd.push(0.0f);
    QTest::keyClick(w.picSpin, Qt::Key_Return);
    EXPECT_EQ(score(1), "30");
    EXPECT_EQ(message(), CRLF + "Player 2:\rBo\rYour Turn - Click Dreidel");
}

}  // namespace
