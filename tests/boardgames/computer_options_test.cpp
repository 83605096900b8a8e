// The options dialog that Mancala and Trim a Tree share, driven through each
// game's window: the same behaviour, checked once for both.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

#include "boardgames/frmManc.h"
#include "boardgames/frmTrim.h"
#include "boardgames/manc_settings.h"
#include "boardgames/optManc.h"
#include "boardgames/optTrim.h"
#include "boardgames/trim_settings.h"
#include "launcher/shared_settings.h"
#include "platform/vbmath.h"
#include "support/game_window_test.h"
#include "support/watching_seam.h"

namespace {

struct Manc {
    using Window = frmManc;
    using Options = optManc;
    using Settings = MancSettings;
    static constexpr const char* kTitle = "Mancala Options";
    static constexpr const char* kModal = "modal optManc";
    static std::int16_t players() { return gMancPlayers; }
    static std::int16_t difficulty() { return gMancDifficulty; }
    static std::int16_t first() { return gMancFirst; }
    // The draw of a New Game: the seed colour.
    static void scriptNewGame(ScriptedRandom& rnd) { rnd.push(0.5f); }
};

struct Trim {
    using Window = frmTrim;
    using Options = optTrim;
    using Settings = TrimSettings;
    static constexpr const char* kTitle = "Trim a Tree Options";
    static constexpr const char* kModal = "modal optTrim";
    static std::int16_t players() { return gTrimPlayers; }
    static std::int16_t difficulty() { return gTrimDifficulty; }
    static std::int16_t first() { return gTrimFirst; }
    // The draws of a New Game: a full tree of 41 to add, at most 3 a move,
    // and the order of the spots.
    static void scriptNewGame(ScriptedRandom& rnd) {
        rnd.push(26.5f / 27);
        rnd.push(0.5f / 5);
        for (int j = 40; j >= 2; --j) rnd.push(0.99f);
    }
};

template <class Game>
class ComputerOptionsTest : public GameWindowTest<typename Game::Window, typename Game::Options> {
protected:
    using Options = typename Game::Options;

    // The choices that only mean something against the computer.
    static std::array<OptionButton*, 6> dependent(Options& d) {
        return {d.optFirst[0], d.optFirst[1], d.optDiff[0], d.optDiff[1], d.optDiff[2], d.optDiff[3]};
    }
    static bool allCleared(Options& d) {
        for (OptionButton* o : dependent(d))
            if (o->isEnabled() || o->value()) return false;
        return true;
    }

    PromptSeam rec;
    ScriptedRandom rnd;
    ScopedRandom scopedRandom{rnd};
    typename Game::Settings saved_;
};

class GameNames {
public:
    template <class T>
    static std::string GetName(int) {
        return std::is_same_v<T, Manc> ? "Manc" : "Trim";
    }
};

using Games = ::testing::Types<Manc, Trim>;
TYPED_TEST_SUITE(ComputerOptionsTest, Games, GameNames);

TYPED_TEST(ComputerOptionsTest, WriteAtOnceAndTwoPlayersClearTheComputersChoices) {
    using Game = TypeParam;
    Game::Settings::set(1, 3, 1);
    auto& w = this->open();
    auto& d = Game::Options::instance();
    EXPECT_EQ(d.form()->windowTitle(), Game::kTitle);
    EXPECT_EQ(d.optFirst[0]->text(), "You ");
    EXPECT_TRUE(d.optPlayer[0]->value());
    EXPECT_TRUE(d.optDiff[2]->value());
    EXPECT_TRUE(d.optFirst[1]->value());

    this->rec.modalActions.push_back([&](QWidget*) {
        d.optPlayer[1]->click();
        EXPECT_EQ(Game::players(), 2);
        EXPECT_TRUE(this->allCleared(d));
        EXPECT_EQ(Game::difficulty(), 3);  // the settings themselves are kept
        EXPECT_EQ(Game::first(), 1);

        d.optPlayer[0]->click();
        EXPECT_EQ(Game::players(), 1);
        for (OptionButton* o : this->dependent(d)) EXPECT_TRUE(o->isEnabled());
        EXPECT_TRUE(d.optDiff[2]->value());
        EXPECT_TRUE(d.optFirst[1]->value());

        d.optDiff[0]->click();
        EXPECT_EQ(Game::difficulty(), 1);
        d.optFirst[0]->click();
        EXPECT_EQ(Game::first(), 0);
        d.form()->close();  // closing acts as OK
    });
    this->rec.take();
    w.cmdOptions->click();
    ASSERT_TRUE(this->rec.modalActions.empty());
    EXPECT_EQ(this->rec.log.front(), Game::kModal);
    EXPECT_EQ(Game::players(), 1);
    EXPECT_EQ(Game::difficulty(), 1);
    EXPECT_EQ(Game::first(), 0);

    // The next game plays by them.
    Game::scriptNewGame(this->rnd);
    w.cmdNew->click();
    EXPECT_EQ(this->rnd.remaining(), 0u);
    EXPECT_TRUE(w.rules().onePlayer());
    EXPECT_EQ(w.rules().MoveChance, 1.0f);
    EXPECT_EQ(w.rules().ComputerFirst, 0);
    w.cmdExit->click();

    this->rec.modalActions.push_back([&](QWidget*) {
        EXPECT_TRUE(d.optDiff[0]->value());
        d.optPlayer[1]->click();
        d.cmdOK->click();
    });
    w.cmdOptions->click();
    ASSERT_TRUE(this->rec.modalActions.empty());
    EXPECT_TRUE(d.isLoaded());  // OK only hides it
    EXPECT_FALSE(d.form()->isVisible());
    EXPECT_EQ(Game::players(), 2);

    // Left and opened again, the dialog shows the current settings: two
    // players, the computer's choices greyed and empty until one player is
    // chosen again.
    w.Unload();
    d.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    this->open();
    EXPECT_TRUE(d.optPlayer[1]->value());
    EXPECT_TRUE(this->allCleared(d));
    this->rec.modalActions.push_back([&](QWidget*) {
        d.optPlayer[0]->click();
        EXPECT_TRUE(d.optDiff[0]->value());
        EXPECT_TRUE(d.optFirst[0]->value());
        d.optDiff[3]->click();
        d.cmdOK->click();
    });
    w.cmdOptions->click();
    ASSERT_TRUE(this->rec.modalActions.empty());
    EXPECT_FALSE(d.form()->isVisible());
    EXPECT_EQ(Game::players(), 1);
    EXPECT_EQ(Game::difficulty(), 4);
    EXPECT_EQ(Game::first(), 0);
}

// A settings file edited by hand may hold anything: each setting shows as the
// nearest choice the dialog offers, the same in both games.
TYPED_TEST(ComputerOptionsTest, AHandEditedSettingShowsAsItsNearestChoice) {
    using Game = TypeParam;
    auto& d = Game::Options::instance();
    Game::Settings::set(0, 9, 7);
    auto& w = this->open();
    EXPECT_TRUE(d.optPlayer[0]->value());
    EXPECT_TRUE(d.optDiff[3]->value());
    EXPECT_TRUE(d.optFirst[0]->value());

    w.Unload();
    d.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Game::Settings::set(5, -2, 1);
    this->open();
    EXPECT_TRUE(d.optPlayer[1]->value());
    EXPECT_TRUE(this->allCleared(d));
}

}  // namespace
