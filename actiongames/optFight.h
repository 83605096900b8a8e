#pragma once
// The options of Snowball Toss: one player against the computer or two
// players, the computer's difficulty and the number of snowballs. Every click
// writes its shared setting at once; the game reads them at its next New Game.
#include <array>

#include "launcher/game_window.h"
#include "platform/spin_button.h"

class optFight : public OptionsDialog {
public:
    static constexpr WindowSpec kSpec{"optFight", "Snowball Toss Options", 4740, 2730, 0x000000FF, 10, false};
    static optFight& instance();

    void optPlayer_Click(int Index);
    void optDiff_Click(int Index);
    void SpinButton1_SpinUp();
    void SpinButton1_SpinDown();

    Frame* Frame1 = nullptr;
    Frame* Frame2 = nullptr;
    Frame* Frame3 = nullptr;
    std::array<OptionButton*, 2> optPlayer{};
    std::array<OptionButton*, 4> optDiff{};
    SpinButton* SpinButton1 = nullptr;
    Label* lblNumber = nullptr;
    CommandButton* cmdOK = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;

private:
    optFight();
    void showBalls();
};
