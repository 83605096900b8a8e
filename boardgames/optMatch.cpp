#include "boardgames/optMatch.h"

#include <algorithm>

#include "boardgames/match_rules.h"
#include "launcher/module1.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/number_spin.h"
#include "platform/option_column.h"
#include "platform/seam.h"
#include "platform/vbmath.h"

namespace {
constexpr int kMinPairs = 2;
}  // namespace

optMatch::optMatch() : OptionsDialog(kSpec) {}

optMatch& optMatch::instance() {
    static optMatch dialog;
    return dialog;
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
    optPlayer[gMatchPlayers == 2 ? 1 : 0]->setValue(true);
    optWho[gMatchVsComputer == 1 ? 1 : 0]->setValue(true);
    optDiff[static_cast<std::size_t>(std::clamp<int>(gMatchDifficulty, 1, 4) - 1)]->setValue(true);
    enableFrames();
    lblNumber->setCaption(QString::fromStdString(Format(gMatchPairs, "##")));
}

void optMatch::enableFrames() {
    const bool onePlayer = gMatchPlayers == 1;
    Frame4->setEnabled(onePlayer);
    Frame3->setEnabled(onePlayer && gMatchVsComputer == 1);
}

void optMatch::showPairs() {
    lblNumber->setCaption(QString::fromStdString(Format(gMatchPairs, "##")));
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

// Compared as bounds rather than exact stops, so a count from outside the range
// (a settings file edited by hand) only ever moves back towards it.
void optMatch::SpinButton1_SpinUp() {
    if (gMatchPairs < kMatchMaxPairs) gMatchPairs = static_cast<std::int16_t>(gMatchPairs + 1);
    showPairs();
}

void optMatch::SpinButton1_SpinDown() {
    if (gMatchPairs > kMinPairs) gMatchPairs = static_cast<std::int16_t>(gMatchPairs - 1);
    showPairs();
}
