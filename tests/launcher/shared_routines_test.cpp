#include "launcher/shared_routines.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "launcher/frmResults.h"
#include "platform/recording_seam.h"
#include "platform/vbmath.h"

TEST(Shuffle, TakesExactlyNMinusOneDrawsFromNDownTo2) {
    {
        ScriptedRandom r{0.2f};
        ScopedRandom use(r);
        std::vector<int> order(3, -1);
        Shuffle(2, order);
        EXPECT_EQ(order, (std::vector<int>{-1, 2, 1}));  // k = Int(0.2 * 2) + 1 = 1: swap 1 and 2
        EXPECT_EQ(r.draws(), 1);
    }
    {
        ScriptedRandom r{0.7f};
        ScopedRandom use(r);
        std::vector<int> order(3, -1);
        Shuffle(2, order);
        EXPECT_EQ(order, (std::vector<int>{-1, 1, 2}));
    }
    {
        // j = 4: k = 1 gives 4 2 3 1; j = 3: k = 3 keeps it; j = 2: k = 1 gives 2 4 3 1.
        // Position 0 and those above N stay.
        ScriptedRandom r{0.0f, 0.9f, 0.4f};
        ScopedRandom use(r);
        std::vector<int> order(6, -1);
        Shuffle(4, order);
        EXPECT_EQ(order, (std::vector<int>{-1, 2, 4, 3, 1, -1}));
        EXPECT_EQ(r.remaining(), 0u);
    }
    {
        ScriptedRandom r;
        ScopedRandom use(r);
        std::vector<int> order(2, -1);
        Shuffle(1, order);
        Shuffle(0, order);
        EXPECT_EQ(order[1], 1);
        EXPECT_EQ(r.draws(), 0);
    }
}

TEST(Shuffle, IsAPermutationEvenForDrawsJustBelowOne) {
    ScriptedRandom r;
    for (int i = 0; i < 14; ++i) r.push(0.99999994f);
    ScopedRandom use(r);
    std::vector<int> order(16, 0);
    Shuffle(15, order);
    std::vector<int> sorted(order.begin() + 1, order.end());
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 15; ++i) EXPECT_EQ(sorted[static_cast<std::size_t>(i)], i + 1);
}

TEST(SharedRoutines, PlaySoundFileStopsThenPlaysAndEmptyNameDoesNothing) {
    ScopedRecordingSeam rec;
    gAppPath = "/nowhere/";
    EXPECT_EQ(FullPath("tada.wav"), "/nowhere/tada.wav");
    PlaySoundFile("", 0);
    EXPECT_TRUE(rec->log.empty());
    PlaySoundFile(FullPath("wow.wav"), 1);
    PlaySoundFile(FullPath("tada.wav"), 0);
    Delay(0.5);
    EXPECT_EQ(rec->log, (std::vector<std::string>{"stop", "sound wow.wav", "stop", "sound tada.wav wait",
                                                  "delay 0.5"}));
    EXPECT_DOUBLE_EQ(rec->clock, 0.5);
}

namespace {
std::vector<QString> winners() {
    std::vector<QString> out;
    for (Label* l : frmResults::instance().lblWin) out.push_back(l->caption());
    return out;
}
}  // namespace

TEST(ShowResults, FinishersFillTheGridInPlayerOrder) {
    ScopedRecordingSeam rec;
    std::vector<QString> seen;
    QString caption, line1;
    bool blue = false;
    rec->modalActions.push_back([&](QWidget*) {
        seen = winners();
        caption = frmResults::instance().caption();
        line1 =
            frmResults::instance().Label1[0]->caption() + "|" + frmResults::instance().Label1[1]->caption();
        blue = frmResults::instance().lblWin[3]->palette().color(QPalette::Window) == QColor(0, 0, 0xFF);
        frmResults::instance().cmdOK_Click();
    });
    const int finished[5] = {0, 0, 1, 0, 1};
    const std::string names[5] = {"", "Ann", "Bo", "Cy", "Di"};
    ShowResults("Build Frosty Results", "The game is over.", "Player(s) who finished Frosty!", 4, finished,
                names, 3);
    EXPECT_EQ(seen, (std::vector<QString>{"Bo", "Di", "", ""}));
    EXPECT_EQ(caption, "Build Frosty Results");
    EXPECT_EQ(line1, "The game is over.|Player(s) who finished Frosty!");
    EXPECT_TRUE(blue);
    EXPECT_FALSE(frmResults::instance().isLoaded());
    EXPECT_EQ(rec->log, (std::vector<std::string>{"modal frmResults"}));

    // Unloaded each time: the next showing starts from empty labels.
    rec->modalActions.push_back([&](QWidget*) {
        seen = winners();
        frmResults::instance().cmdOK_Click();
    });
    const int none[5] = {0, 0, 0, 0, 0};
    ShowResults("Build Frosty Results", "The game is over.", "Player(s) who finished Frosty!", 4, none, names,
                3);
    EXPECT_EQ(seen, (std::vector<QString>{"", "", "", ""}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
