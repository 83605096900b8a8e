#pragma once
// The options of Gift Match: players, whom one player plays, the computer's
// difficulty and the number of pairs. Every click writes its shared setting at
// once; the game reads them at its next New Game.
#include <array>

#include "boardgames/match_rules.h"
#include "launcher/game_window.h"
#include "platform/spin_button.h"

class optMatch : public OptionsDialog {
public:
    // The dialog colour of the classic scheme: button face grey.
    static constexpr WindowSpec kSpec{"optMatch", "Gift Matching Options", 4740, 3285, 0x00C0C0C0, 1, false};
    static optMatch& instance();
    // The options as the shared settings hold them now.
    static MatchRules::Settings stored();

    void optPlayer_Click(int Index);
    void optwho_Click(int Index);
    void optDiff_Click(int Index);
    void SpinButton1_SpinUp();
    void SpinButton1_SpinDown();

    Frame* Frame1 = nullptr;
    Frame* Frame2 = nullptr;
    Frame* Frame3 = nullptr;
    Frame* Frame4 = nullptr;
    std::array<OptionButton*, 2> optPlayer{};
    std::array<OptionButton*, 2> optWho{};
    std::array<OptionButton*, 4> optDiff{};
    SpinButton* SpinButton1 = nullptr;
    Label* lblNumber = nullptr;
    CommandButton* cmdOK = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;

private:
    optMatch();
    // "Play Who?" only means something for one player, and "Difficulty" only
    // against the computer.
    void enableFrames();
    void showPairs();
};
