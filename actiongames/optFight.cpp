#include "actiongames/optFight.h"

#include <algorithm>

#include "actiongames/fight_rules.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/number_spin.h"
#include "platform/option_column.h"
#include "platform/seam.h"
#include "platform/vbmath.h"

optFight::optFight() : OptionsDialog(kSpec) {}

optFight& optFight::instance() {
    static optFight dialog;
    return dialog;
}

void optFight::createControls() {
    Form* f = form();
    // Grey frames stand out on the red dialog and keep their captions readable.
    auto frame = [&](const char* name, const char* caption, double left, double top, double width,
                     double height) {
        auto* fr = new Frame(f, name, caption);
        placeTwips(fr, left, top, width, height);
        greyFrame(fr);
        return fr;
    };

    Frame1 = frame("Frame1", "Number of Players", 120, 120, 2160, 975);
    addOptionColumn(Frame1, "optPlayer", {"One Player", "Two Players"}, 180, 300, 315, 1860, optPlayer,
                    [this](int i) { optPlayer_Click(i); });

    Frame3 = frame("Frame3", "Difficulty", 2460, 120, 2160, 1815);
    addOptionColumn(Frame3, "optDiff", {"Easiest", "Simple", "Hard", "Difficult"}, 180, 300, 360, 1860,
                    optDiff, [this](int i) { optDiff_Click(i); });

    Frame2 = frame("Frame2", "Number of Snowballs", 120, 1200, 2160, 1335);
    addNumberSpin(*this, Frame2, 420, 420);

    cmdOK = makeOkButton(f, 3000, 2070, [this] { cmdOK_Click(); });
}

void optFight::Form_Load() {
    centre();
    // Selecting a button writes its value back, so a setting from outside its
    // range (a settings file edited by hand) becomes the nearest one shown.
    const int player = std::clamp<int>(gFightPlayers, 1, 2) - 1;
    optPlayer[static_cast<std::size_t>(player)]->setValue(true);
    optPlayer_Click(player);
    const int level = std::clamp<int>(gFightDifficulty, 1, 4) - 1;
    optDiff[static_cast<std::size_t>(level)]->setValue(true);
    optDiff_Click(level);
    lblNumber->setCaption(QString::fromStdString(Format(gFightBalls, "##")));
}

void optFight::showBalls() {
    lblNumber->setCaption(QString::fromStdString(Format(gFightBalls, "##")));
    seam().repaintNow(lblNumber);
}

void optFight::optPlayer_Click(int Index) {
    gFightPlayers = static_cast<std::int16_t>(Index + 1);
    // The difficulty is the computer's, so it only means something for one player.
    Frame3->setEnabled(gFightPlayers == 1);
}

void optFight::optDiff_Click(int Index) { gFightDifficulty = static_cast<std::int16_t>(Index + 1); }

// Compared as bounds rather than exact stops, so a count from outside the range
// (a settings file edited by hand) only ever moves back towards it.
void optFight::SpinButton1_SpinUp() {
    if (gFightBalls < FightRules::kMarkers) gFightBalls = static_cast<std::int16_t>(gFightBalls + 1);
    showBalls();
}

void optFight::SpinButton1_SpinDown() {
    if (gFightBalls > 1) gFightBalls = static_cast<std::int16_t>(gFightBalls - 1);
    showBalls();
}
