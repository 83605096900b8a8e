#include "boardgames/computer_options.h"

#include "platform/button_column.h"
#include "platform/number_spin.h"
#include "platform/option_column.h"

ComputerOptions::ComputerOptions(const WindowSpec& spec, Settings settings)
    : OptionsDialog(spec), settings_(settings) {}

std::array<Frame*, 3> ComputerOptions::createChoices(const Layout& layout) {
    Form* f = form();
    auto frame = [&](const FramePlace& at, const char* caption) {
        auto* fr = new Frame(f, at.name, caption);
        placeTwips(fr, at.left, at.top, at.width, at.height);
        return fr;
    };

    Frame* players = frame(layout.players, "Number of Players");
    addOptionColumn(players, "optPlayer", {"One Player", "Two Players"}, 180, 300, 315, layout.choiceWidth,
                    optPlayer, [this](int i) { optPlayer_Click(i); });

    Frame* first = frame(layout.first, "Who Goes First?");
    addOptionColumn(first, "optFirst", {"You ", "Computer"}, 180, 300, 315, layout.choiceWidth, optFirst,
                    [this](int i) { optFirst_Click(i); });

    Frame* difficulty = frame(layout.difficulty, "Difficulty");
    addOptionColumn(difficulty, "optDiff", {"Easiest", "Simple", "Hard", "Difficult"}, 180, layout.levelTop,
                    layout.levelStep, layout.levelWidth, optDiff, [this](int i) { optDiff_Click(i); });

    cmdOK = makeOkButton(f, layout.okLeft, layout.okTop, [this] { cmdOK_Click(); });
    return {players, first, difficulty};
}

ComputerGameSettings ComputerOptions::chosen() const {
    return ComputerGameSettings{settings_.Players, settings_.Difficulty, settings_.First}.chosen();
}

void ComputerOptions::selectFromSettings() {
    const ComputerGameSettings shown = chosen();
    optPlayer[static_cast<std::size_t>(shown.Players - 1)]->setValue(true);
    optDiff[static_cast<std::size_t>(shown.Difficulty - 1)]->setValue(true);
    optFirst[static_cast<std::size_t>(shown.First)]->setValue(true);
}

void ComputerOptions::Form_Load() {
    centre();
    selectFromSettings();
    if (chosen().Players == 2) EnableOnePlayerOptions(false);
}

void ComputerOptions::EnableOnePlayerOptions(bool flag) {
    for (OptionButton* o : optDiff) o->setEnabled(flag);
    for (OptionButton* o : optFirst) o->setEnabled(flag);
    if (flag) {
        selectFromSettings();
        return;
    }
    for (OptionButton* o : optDiff) o->setValue(false);
    for (OptionButton* o : optFirst) o->setValue(false);
}

void ComputerOptions::optPlayer_Click(int Index) {
    settings_.Players = static_cast<std::int16_t>(Index + 1);
    EnableOnePlayerOptions(settings_.Players == 1);
}

void ComputerOptions::optDiff_Click(int Index) {
    settings_.Difficulty = static_cast<std::int16_t>(Index + 1);
}

void ComputerOptions::optFirst_Click(int Index) { settings_.First = static_cast<std::int16_t>(Index); }
