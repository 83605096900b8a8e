#include "boardgames/optMatch.h"

#include "boardgames/match_rules.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/number_spin.h"
#include "platform/option_column.h"
#include "platform/seam.h"
#include "platform/vbmath.h"

optMatch::optMatch() : OptionsDialog(kSpec) {}

optMatch& optMatch::instance() {
    static optMatch dialog;
    return dialog;
}

MatchRules::Settings optMatch::stored() {
    return {gMatchPlayers, gMatchPairs, gMatchVsComputer, gMatchDifficulty};
}

void optMatch::createControls() {
    Form* f = form();
    Frame1 = new Frame(f, "Frame1", "Number of Players");
    placeTwips(Frame1, 120, 120, 2160, 975);
    addOptionColumn(Frame1, "optPlayer", {"One Player", "Two Players"}, 180, 300, 315, 1860, optPlayer,
                    [this](int i) { optPlayer_Click(i); });

    Frame4 = new Frame(f, "Frame4", "Play Who?");
    placeTwips(Frame4, 2460, 120, 2160, 975);
    addOptionColumn(Frame4, "optWho", {"Play Alone", "Play Computer"}, 180, 300, 315, 1860, optWho,
                    [this](int i) { optwho_Click(i); });

    Frame3 = new Frame(f, "Frame3", "Difficulty");
    placeTwips(Frame3, 120, 1200, 2160, 1965);
    addOptionColumn(Frame3, "optDiff", {"Easiest", "Simple", "Hard", "Difficult"}, 180, 330, 390, 1860,
                    optDiff, [this](int i) { optDiff_Click(i); });

    Frame2 = new Frame(f, "Frame2", "Pairs of Gifts");
    placeTwips(Frame2, 2460, 1200, 2160, 1215);
    addNumberSpin(*this, Frame2, 420, 390);

    cmdOK = makeOkButton(f, 3000, 2610, [this] { cmdOK_Click(); });
}

void optMatch::Form_Load() {
    centre();
    const MatchRules::Settings chosen = stored().chosen();
    optPlayer[static_cast<std::size_t>(chosen.Players - 1)]->setValue(true);
    optWho[static_cast<std::size_t>(chosen.VsComputer)]->setValue(true);
    optDiff[static_cast<std::size_t>(chosen.Difficulty - 1)]->setValue(true);
    enableFrames();
    lblNumber->setCaption(QString::fromStdString(Format(chosen.Pairs, "##")));
}

void optMatch::enableFrames() {
    const MatchRules::Settings chosen = stored().chosen();
    Frame4->setEnabled(chosen.Players == 1);
    Frame3->setEnabled(chosen.Players == 1 && chosen.VsComputer == 1);
}

void optMatch::showPairs() {
    lblNumber->setCaption(QString::fromStdString(Format(stored().chosen().Pairs, "##")));
    seam().repaintNow(lblNumber);
}

void optMatch::optPlayer_Click(int Index) {
    gMatchPlayers = static_cast<std::int16_t>(Index + 1);
    enableFrames();
}

void optMatch::optwho_Click(int Index) {
    gMatchVsComputer = static_cast<std::int16_t>(Index);
    enableFrames();
}

void optMatch::optDiff_Click(int Index) { gMatchDifficulty = static_cast<std::int16_t>(Index + 1); }

// A step goes from the count shown, which a count from outside the range (a
// settings file edited by hand) is shown as.
void optMatch::SpinButton1_SpinUp() {
    const int pairs = stored().chosen().Pairs;
    if (pairs < kMatchMaxPairs) gMatchPairs = static_cast<std::int16_t>(pairs + 1);
    showPairs();
}

void optMatch::SpinButton1_SpinDown() {
    const int pairs = stored().chosen().Pairs;
    if (pairs > kMatchMinPairs) gMatchPairs = static_cast<std::int16_t>(pairs - 1);
    showPairs();
}
