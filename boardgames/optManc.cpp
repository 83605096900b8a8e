#include "boardgames/optManc.h"

#include <algorithm>

#include "launcher/module1.h"

optManc::optManc() : OptionsDialog(kSpec) {}

optManc& optManc::instance() {
    static optManc dialog;
    return dialog;
}

void optManc::createControls() {
    Form* f = form();
    fraPlayers = new Frame(f, "fraPlayers", "Number of Players");
    placeTwips(fraPlayers, 120, 120, 2040, 975);
    const char* players[2] = {"One Player", "Two Players"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new OptionButton(fraPlayers, QString("optPlayer_%1").arg(i), players[i]);
        placeTwips(o, 180, 300 + 315 * i, 1740, 285);
        o->onClick([this, i] { optPlayer_Click(i); });
        optPlayer[static_cast<std::size_t>(i)] = o;
    }

    fraFirst = new Frame(f, "fraFirst", "Who Goes First?");
    placeTwips(fraFirst, 2280, 120, 2085, 975);
    const char* first[2] = {"You ", "Computer"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new OptionButton(fraFirst, QString("optFirst_%1").arg(i), first[i]);
        placeTwips(o, 180, 300 + 315 * i, 1740, 285);
        o->onClick([this, i] { optFirst_Click(i); });
        optFirst[static_cast<std::size_t>(i)] = o;
    }

    fraDiff = new Frame(f, "fraDiff", "Difficulty");
    placeTwips(fraDiff, 120, 1200, 2040, 1395);
    const char* levels[4] = {"Easiest", "Simple", "Hard", "Difficult"};
    for (int i = 0; i < 4; ++i) {
        auto* o = new OptionButton(fraDiff, QString("optDiff_%1").arg(i), levels[i]);
        placeTwips(o, 180, 270 + 270 * i, 1740, 285);
        o->onClick([this, i] { optDiff_Click(i); });
        optDiff[static_cast<std::size_t>(i)] = o;
    }

    cmdOK = new CommandButton(f, "cmdOK", "&OK");
    placeTwips(cmdOK, 2775, 1800, 1095, 495);
    cmdOK->onClick([this] { cmdOK_Click(); });
}

// A settings file edited by hand may hold anything: the buttons show the
// nearest meaning (not two players is one, the difficulty kept to its four
// levels), as the game reads them.
void optManc::selectFromSettings() {
    optPlayer[gMancPlayers == 2 ? 1 : 0]->setValue(true);
    optDiff[static_cast<std::size_t>(std::clamp<int>(gMancDifficulty, 1, 4) - 1)]->setValue(true);
    optFirst[gMancFirst == 1 ? 1 : 0]->setValue(true);
}

void optManc::Form_Load() {
    centre();
    selectFromSettings();
    if (gMancPlayers == 2) EnableOnePlayerOptions(false);
}

void optManc::EnableOnePlayerOptions(bool flag) {
    for (OptionButton* o : optDiff) o->setEnabled(flag);
    for (OptionButton* o : optFirst) o->setEnabled(flag);
    if (flag) {
        selectFromSettings();
        return;
    }
    for (OptionButton* o : optDiff) o->setValue(false);
    for (OptionButton* o : optFirst) o->setValue(false);
}

void optManc::optPlayer_Click(int Index) {
    gMancPlayers = static_cast<std::int16_t>(Index + 1);
    EnableOnePlayerOptions(gMancPlayers == 1);
}

void optManc::optDiff_Click(int Index) { gMancDifficulty = static_cast<std::int16_t>(Index + 1); }

void optManc::optFirst_Click(int Index) { gMancFirst = static_cast<std::int16_t>(Index); }
