#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "launcher/shared_words.h"
#include "platform/recording_seam.h"
#include "platform/units.h"
#include "platform/vbmath.h"
#include "wordgames/frmInput.h"
#include "wordgames/frmSnow.h"

namespace {

using Log = std::vector<std::string>;

const Log kDing{"stop", "sound ding.wav wait"};
const Log kHighbing{"repaint lblWord", "stop", "sound highbing.wav wait"};
const Log kUhoh{"stop", "sound uhoh.wav wait"};

Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SnowWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAppPath = QUENVALE_SOURCE_DIR "/assets/";
        gWordList.assign(kMaxWords + 1, "");
        const char* words[] = {"BELL", "CAT", "SNOWFLAKES"};
        for (int i = 0; i < 3; ++i) gWordList[static_cast<std::size_t>(i + 1)] = words[i];
        gWordCount = 3;
        gSnowComputerWord = 1;
        gSnowWord.clear();
    }
    void TearDown() override {
        frmInput::instance().Unload();
        frmSnow::instance().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gAppPath = savedPath_;
        gWordList = savedList_;
        gWordCount = savedCount_;
        gSnowComputerWord = savedSource_;
        gSnowWord = savedWord_;
    }

    frmSnow& open() {
        frmSnow& w = frmSnow::instance();
        w.Show();
        rec->take();
        return w;
    }
    // Starts a word that the computer draws from list position 1 to 3.
    void newComputerWord(frmSnow& w, int position) {
        rnd.push((static_cast<float>(position) - 0.5f) / 3.0f);
        w.cmdOK->click();
        ASSERT_EQ(rnd.remaining(), 0u);
        rec->take();
    }
    static void pick(frmSnow& w, char c) { w.lblLetter_Click(c - 'A'); }
    static bool letterShown(frmSnow& w, char c) {
        return !w.lblLetter[static_cast<std::size_t>(c - 'A')]->isHidden();
    }
    static std::vector<int> partsShown(frmSnow& w) {
        std::vector<int> out;
        for (int n = 1; n <= kSnowParts; ++n)
            if (w.partVisible(n)) out.push_back(n);
        return out;
    }
    static int puddlesShown(frmSnow& w) {
        int n = 0;
        for (Shape* p : w.shpPuddle) n += p->isHidden() ? 0 : 1;
        return n;
    }
    // Idle, the word on show, ready for the next word.
    static void expectStopped(frmSnow& w, const char* word) {
        EXPECT_FALSE(w.running());
        EXPECT_EQ(w.lblWord->caption(), word);
        EXPECT_EQ(w.cmdExit->caption(), "E&xit");
        EXPECT_FALSE(w.cmdOK->isHidden());
        EXPECT_TRUE(w.Frame1->isEnabled());
        EXPECT_EQ(w.form()->focusWidget(), w.cmdOK);
    }

    ScopedRecordingSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};

private:
    std::string savedPath_ = gAppPath;
    std::vector<std::string> savedList_ = gWordList;
    int savedCount_ = gWordCount;
    std::int16_t savedSource_ = gSnowComputerWord;
    std::string savedWord_ = gSnowWord;
};

const std::vector<int> kWhole{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

}  // namespace

TEST_F(SnowWindowTest, OpensWithTheWholeSnowmanAndTakesNoLetterBeforeAWord) {
    frmSnow& w = open();
    EXPECT_EQ(w.form()->windowTitle(), "Snow-Man");
    EXPECT_EQ(w.form()->size(), QSize(twipsToPixels(9345), twipsToPixels(6300)));
    EXPECT_EQ(w.form()->palette().color(QPalette::Window), bgrColor(0x00C0C0FF));
    EXPECT_TRUE(w.keyPreview());
    EXPECT_EQ(rnd.seeds(), 1);
    EXPECT_EQ(w.picBack->backColor(), QBColor(0));

    EXPECT_EQ(w.lblWord->caption(), "");
    EXPECT_EQ(w.Label1->caption(), "Guesses Left:");
    EXPECT_EQ(w.lblleft->caption(), "0");
    for (int k = 0; k < kSnowLetters; ++k) {
        EXPECT_EQ(w.lblLetter[static_cast<std::size_t>(k)]->caption(), QString(QChar('A' + k)));
        EXPECT_TRUE(letterShown(w, static_cast<char>('A' + k)));
    }
    EXPECT_EQ(w.optComp[0]->text(), "Enter Own Word");
    EXPECT_EQ(w.optComp[1]->text(), "Computer Chooses Word");
    EXPECT_TRUE(w.optComp[1]->value());
    EXPECT_TRUE(w.cmdEdit->isEnabled());
    EXPECT_EQ(w.cmdEdit->text(), "&Edit Word List");
    EXPECT_EQ(w.cmdOK->caption(), "&New Word");
    EXPECT_EQ(w.cmdHelp->caption(), "&Help");
    EXPECT_EQ(w.cmdExit->caption(), "E&xit");
    EXPECT_EQ(partsShown(w), kWhole);
    EXPECT_TRUE(w.imgSun->isHidden());
    EXPECT_EQ(puddlesShown(w), 0);

    // Letters wait for the first word; any other key beeps.
    pick(w, 'A');
    int key = 'a';
    w.Form_KeyPress(key);
    EXPECT_TRUE(letterShown(w, 'A'));
    EXPECT_TRUE(rec->log.empty());
    key = '7';
    w.Form_KeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(rec->take(), Log{"beep"});

    w.cmdHelp->click();
    EXPECT_EQ(rec->take(), Log{"help 6"});
}

TEST_F(SnowWindowTest, TheWordSourcesShowWholeInAWiderFallbackFont) {
    frmSnow& w = open();
    for (OptionButton* o : w.optComp) {
        // Where the program's fonts are missing, the system falls back to a wider face.
        QFont wider = o->font();
        wider.setFamily("DejaVu Sans");
        o->setFont(wider);
        QStyleOptionButton opt;
        opt.initFrom(o);
        opt.text = o->text();
        const int room = o->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, o).width();
        if (o == w.optComp[1]) {
            ASSERT_GT(QFontMetrics(wider).horizontalAdvance(o->text()), room);
        }
        const FittedText& shown = o->shown();
        EXPECT_EQ(shown.lines, QStringList{o->text()});
        EXPECT_LE(QFontMetrics(shown.font).horizontalAdvance(o->text()), room) << o->text().toStdString();
    }
}

TEST_F(SnowWindowTest, TheWordSourceFollowsTheSettingAndWritesIt) {
    gSnowComputerWord = 0;
    frmSnow& w = open();
    EXPECT_TRUE(w.optComp[0]->value());
    EXPECT_FALSE(w.cmdEdit->isEnabled());
    w.optComp[1]->click();
    EXPECT_EQ(gSnowComputerWord, 1);
    EXPECT_TRUE(w.cmdEdit->isEnabled());
    w.optComp[0]->click();
    EXPECT_EQ(gSnowComputerWord, 0);
    EXPECT_FALSE(w.cmdEdit->isEnabled());

    // A number other than 0 or 1 from a hand-edited settings file lets the computer choose.
    w.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    gSnowComputerWord = 7;
    open();
    EXPECT_TRUE(w.optComp[1]->value());
    EXPECT_EQ(gSnowComputerWord, 1);
}

TEST_F(SnowWindowTest, APickRevealsEveryOccurrenceAndTheWholeWordWins) {
    frmSnow& w = open();
    newComputerWord(w, 1);  // BELL: ten wrong letters allowed
    EXPECT_TRUE(w.running());
    EXPECT_EQ(gSnowWord, "BELL");
    EXPECT_TRUE(w.cmdOK->isHidden());
    EXPECT_FALSE(w.Frame1->isEnabled());
    EXPECT_EQ(w.cmdExit->caption(), "&Stop");
    EXPECT_EQ(w.lblWord->caption(), "****");
    EXPECT_EQ(w.lblleft->caption(), "10");

    // Typed letters work whichever control has the focus; one pick, one
    // high bing for each place the letter stands.
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    w.cmdExit->setFocus();
    QTest::keyClick(w.cmdExit, Qt::Key_L);
    EXPECT_EQ(rec->take(), kDing + kHighbing + kHighbing);
    EXPECT_EQ(w.lblWord->caption(), "**LL");
    EXPECT_FALSE(letterShown(w, 'L'));
    EXPECT_TRUE(w.running());
    // The same letter again, as a capital, does nothing at all.
    QTest::keyClick(w.cmdExit, Qt::Key_L, Qt::ShiftModifier);
    EXPECT_TRUE(rec->log.empty());

    pick(w, 'Z');
    EXPECT_EQ(rec->take(), kDing + kUhoh);
    EXPECT_EQ(w.lblleft->caption(), "9");
    EXPECT_EQ(partsShown(w), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    pick(w, 'B');
    rec->take();
    pick(w, 'E');
    // Frosty's song starts directly, over whatever still plays, and the word is done.
    EXPECT_EQ(rec->take(), kDing + kHighbing + (Log{"sound frosty.wav", "repaint lblWord"}));
    EXPECT_EQ(partsShown(w), kWhole);
    EXPECT_TRUE(w.imgSun->isHidden());
    expectStopped(w, "BELL");
    EXPECT_EQ(w.lblleft->caption(), "9");
    // The letters not picked stay; clicks after the end are ignored.
    EXPECT_TRUE(letterShown(w, 'A'));
    EXPECT_FALSE(letterShown(w, 'Z'));
    pick(w, 'A');
    EXPECT_TRUE(rec->log.empty());
    EXPECT_TRUE(letterShown(w, 'A'));
}

TEST_F(SnowWindowTest, TheSnowmanMeltsAwayUnderTheSunAndTheWordIsShown) {
    frmSnow& w = open();
    newComputerWord(w, 3);  // SNOWFLAKES: five wrong letters allowed
    EXPECT_EQ(w.lblWord->caption(), "**********");
    EXPECT_EQ(w.lblleft->caption(), "5");

    const std::vector<std::vector<int>> standing = {{1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5}, {1, 2}, {1}};
    const char wrong[] = {'B', 'C', 'D', 'G'};
    for (int m = 1; m <= 4; ++m) {
        pick(w, wrong[m - 1]);
        EXPECT_EQ(rec->take(), kDing + kUhoh) << m;
        EXPECT_EQ(w.lblleft->caption(), QString::number(5 - m));
        EXPECT_EQ(partsShown(w), standing[static_cast<std::size_t>(m - 1)]) << m;
        // The sun comes out when one guess is left.
        EXPECT_EQ(w.imgSun->isHidden(), m < 4) << m;
        EXPECT_TRUE(w.running());
    }
    EXPECT_EQ(puddlesShown(w), 0);

    pick(w, 'H');
    EXPECT_EQ(rec->take(),
              kDing + kUhoh +
                  (Log{"repaint picBack", "sound melting.wav wait", "repaint lblWord", "repaint lblWord"}));
    EXPECT_TRUE(partsShown(w).empty());
    EXPECT_EQ(puddlesShown(w), 6);
    EXPECT_FALSE(w.imgSun->isHidden());
    EXPECT_EQ(w.lblleft->caption(), "0");
    expectStopped(w, "SNOWFLAKES");

    // The next word brings the snowman back and every letter with him.
    newComputerWord(w, 2);
    EXPECT_EQ(partsShown(w), kWhole);
    EXPECT_EQ(puddlesShown(w), 0);
    EXPECT_TRUE(w.imgSun->isHidden());
    for (char c : {'B', 'C', 'D', 'G', 'H'}) EXPECT_TRUE(letterShown(w, c)) << c;
    EXPECT_EQ(w.lblleft->caption(), "11");
    EXPECT_EQ(w.lblWord->caption(), "***");
}

TEST_F(SnowWindowTest, StopShowsTheWordAndKeepsTheMeltedSnowman) {
    frmSnow& w = open();
    newComputerWord(w, 2);  // CAT
    pick(w, 'B');
    pick(w, 'C');
    int key = ' ';
    w.Form_KeyPress(key);
    EXPECT_EQ(key, 0);
    rec->take();

    w.cmdExit->click();
    EXPECT_EQ(rec->take(), Log{"repaint lblWord"});
    expectStopped(w, "CAT");
    EXPECT_TRUE(w.isLoaded());
    EXPECT_FALSE(w.partVisible(kSnowStocking));
    EXPECT_FALSE(letterShown(w, 'B'));
    EXPECT_FALSE(letterShown(w, 'C'));
    pick(w, 'A');
    EXPECT_TRUE(rec->log.empty());
    EXPECT_TRUE(letterShown(w, 'A'));

    // Every key but a letter beeps and goes no further, even to the focused button.
    w.form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form()));
    ASSERT_EQ(QApplication::focusWidget(), w.cmdOK);
    QTest::keyClick(w.cmdOK, Qt::Key_Return);
    EXPECT_FALSE(w.running());
    EXPECT_EQ(rec->take(), Log{"beep"});
}

TEST_F(SnowWindowTest, APlayerTypesTheWordInCapitalsAndOnlyLetters) {
    gSnowComputerWord = 0;
    gSnowWord = "OLDWORD";
    frmSnow& w = open();
    rec->modalActions.push_back([](QWidget*) {
        frmInput& in = frmInput::instance();
        EXPECT_EQ(in.form()->windowTitle(), "Snow-Man Word Entry");
        EXPECT_EQ(in.form()->size(), QSize(twipsToPixels(4380), twipsToPixels(1890)));
        EXPECT_EQ(in.Label1->caption(), "Enter Your Word:");
        EXPECT_EQ(in.txtWord->Text(), "");
        EXPECT_EQ(in.form()->focusWidget(), in.txtWord);
        QTest::keyClicks(in.txtWord, "do7g s");
        EXPECT_EQ(in.txtWord->Text(), "DOGS");
        EXPECT_EQ(gSnowWord, "DOGS");
        QTest::keyClick(in.txtWord, Qt::Key_Backspace);
        EXPECT_EQ(gSnowWord, "DOG");
        // Enter is no letter: it beeps; OK takes the word.
        QTest::keyClick(in.txtWord, Qt::Key_Return);
        EXPECT_TRUE(in.isLoaded());
        in.cmdOK->click();
        EXPECT_FALSE(in.isLoaded());
    });
    w.cmdOK->click();
    EXPECT_EQ(rec->take(), (Log{"modal frmInput", "beep", "beep", "beep", "repaint lblWord"}));
    EXPECT_EQ(rnd.draws(), 0);
    EXPECT_EQ(gSnowWord, "DOG");
    EXPECT_EQ(w.lblWord->caption(), "***");
    EXPECT_EQ(gSnowComputerWord, 0);
    EXPECT_TRUE(w.optComp[0]->value());

    // Pasted text keeps only its letters, as capitals; closing the dialog counts as OK.
    w.cmdExit->click();
    rec->modalActions.push_back([](QWidget*) {
        frmInput& in = frmInput::instance();
        in.txtWord->insert("snow-man!");
        EXPECT_EQ(in.txtWord->Text(), "SNOWMAN");
        in.form()->close();
    });
    w.cmdOK->click();
    EXPECT_EQ(gSnowWord, "SNOWMAN");
    EXPECT_EQ(w.lblWord->caption(), "*******");
    EXPECT_EQ(w.lblleft->caption(), "7");
    EXPECT_EQ(gSnowComputerWord, 0);
}

TEST_F(SnowWindowTest, WithoutAWordTheComputerChoosesFromThenOn) {
    gSnowComputerWord = 0;
    frmSnow& w = open();
    const std::vector<std::function<void(frmInput&)>> ways = {
        [](frmInput& in) {
            QTest::keyClicks(in.txtWord, "owl");
            in.cmdCancel->click();
        },
        [](frmInput& in) {
            QTest::keyClicks(in.txtWord, "ox");
            QTest::keyClick(in.txtWord, Qt::Key_Backspace);
            QTest::keyClick(in.txtWord, Qt::Key_Backspace);
            in.cmdOK->click();
        },
        [](frmInput& in) { in.form()->close(); },
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        gSnowComputerWord = 0;
        w.optComp[0]->click();
        ASSERT_FALSE(w.cmdEdit->isEnabled());
        rec->modalActions.push_back([&, i](QWidget*) { ways[i](frmInput::instance()); });
        rnd.push(0.5f);
        w.cmdOK->click();
        EXPECT_EQ(rnd.remaining(), 0u) << i;
        EXPECT_EQ(gSnowWord, "CAT") << i;
        EXPECT_EQ(gSnowComputerWord, 1) << i;
        EXPECT_TRUE(w.optComp[1]->value()) << i;
        EXPECT_FALSE(w.Frame1->isEnabled());
        w.cmdExit->click();
        EXPECT_TRUE(w.cmdEdit->isEnabled()) << i;
        EXPECT_FALSE(frmInput::instance().isLoaded());
    }
}
