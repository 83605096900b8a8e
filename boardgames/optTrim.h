#pragma once
// The options of Trim a Tree: players, the computer's difficulty and who goes
// first. Every click writes its shared setting at once; the game reads them at
// its next New Game.
#include <array>

#include "launcher/game_window.h"

class optTrim : public OptionsDialog {
public:
    // The dialog colour of the classic scheme: button face grey.
    static constexpr WindowSpec kSpec{"optTrim", "Trim a Tree Options", 4485, 2700, 0x00C0C0C0, 4, false};
    static optTrim& instance();

    void optPlayer_Click(int Index);
    void optDiff_Click(int Index);
    void optFirst_Click(int Index);

    Frame* Frame1 = nullptr;
    Frame* Frame2 = nullptr;
    Frame* Frame3 = nullptr;
    std::array<OptionButton*, 2> optPlayer{};
    std::array<OptionButton*, 4> optDiff{};
    std::array<OptionButton*, 2> optFirst{};
    CommandButton* cmdOK = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;

private:
    optTrim();
    // Difficulty and who goes first only mean something against the computer:
    // enabled and showing the stored choices, or disabled and showing none.
    void EnableOnePlayerOptions(bool flag);
};
