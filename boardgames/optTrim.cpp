#include "boardgames/optTrim.h"

#include <algorithm>

#include "launcher/module1.h"

namespace {

// The button of a stored setting; a value from outside the offered range (a
// settings file edited by hand) shows as the nearest choice.
std::size_t playerIndex() { return static_cast<std::size_t>(std::clamp<int>(gTrimPlayers, 1, 2) - 1); }
std::size_t difficultyIndex() { return static_cast<std::size_t>(std::clamp<int>(gTrimDifficulty, 1, 4) - 1); }
std::size_t firstIndex() { return gTrimFirst == 1 ? 1 : 0; }

}  // namespace

optTrim::optTrim() : OptionsDialog(kSpec) {}

optTrim& optTrim::instance() {
    static optTrim dialog;
    return dialog;
}

void optTrim::createControls() {
    Form* f = form();
    Frame2 = new Frame(f, "Frame2", "Number of Players");
    placeTwips(Frame2, 120, 120, 2100, 975);
    const char* players[2] = {"One Player", "Two Players"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new OptionButton(Frame2, QString("optPlayer_%1").arg(i), players[i]);
        placeTwips(o, 180, 300 + 315 * i, 1800, 285);
        o->onClick([this, i] { optPlayer_Click(i); });
        optPlayer[static_cast<std::size_t>(i)] = o;
    }

    Frame3 = new Frame(f, "Frame3", "Who Goes First?");
    placeTwips(Frame3, 120, 1200, 2100, 975);
    const char* first[2] = {"You ", "Computer"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new OptionButton(Frame3, QString("optFirst_%1").arg(i), first[i]);
        placeTwips(o, 180, 300 + 315 * i, 1800, 285);
        o->onClick([this, i] { optFirst_Click(i); });
        optFirst[static_cast<std::size_t>(i)] = o;
    }

    Frame1 = new Frame(f, "Frame1", "Difficulty");
    placeTwips(Frame1, 2340, 120, 2025, 1815);
    const char* levels[4] = {"Easiest", "Simple", "Hard", "Difficult"};
    for (int i = 0; i < 4; ++i) {
        auto* o = new OptionButton(Frame1, QString("optDiff_%1").arg(i), levels[i]);
        placeTwips(o, 180, 300 + 360 * i, 1725, 285);
        o->onClick([this, i] { optDiff_Click(i); });
        optDiff[static_cast<std::size_t>(i)] = o;
    }

    cmdOK = new CommandButton(f, "cmdOK", "&OK");
    placeTwips(cmdOK, 2805, 2085, 1095, 495);
    cmdOK->onClick([this] { cmdOK_Click(); });
}

void optTrim::Form_Load() {
    centre();
    optPlayer[playerIndex()]->setValue(true);
    optDiff[difficultyIndex()]->setValue(true);
    optFirst[firstIndex()]->setValue(true);
    if (playerIndex() == 1) EnableOnePlayerOptions(false);
}

void optTrim::EnableOnePlayerOptions(bool flag) {
    const std::array<OptionButton*, 6> dependent = {optFirst[0], optFirst[1], optDiff[0],
                                                    optDiff[1],  optDiff[2],  optDiff[3]};
    for (OptionButton* o : dependent) o->setEnabled(flag);
    if (flag) {
        optPlayer[playerIndex()]->setValue(true);
        optDiff[difficultyIndex()]->setValue(true);
        optFirst[firstIndex()]->setValue(true);
    } else {
        for (OptionButton* o : dependent) o->setValue(false);
    }
}

void optTrim::optPlayer_Click(int Index) {
    gTrimPlayers = static_cast<std::int16_t>(Index + 1);
    EnableOnePlayerOptions(gTrimPlayers == 1);
}

void optTrim::optDiff_Click(int Index) { gTrimDifficulty = static_cast<std::int16_t>(Index + 1); }

void optTrim::optFirst_Click(int Index) { gTrimFirst = static_cast<std::int16_t>(Index); }
