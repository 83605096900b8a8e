#pragma once
// The options of Mancala: one or two players, the computer's difficulty and
// who goes first. Every click writes its shared setting at once; the game
// reads them at its next New Game.
#include <array>

#include "launcher/game_window.h"

class optManc : public OptionsDialog {
public:
    // The dialog colour of the classic scheme: button face grey.
    static constexpr WindowSpec kSpec{"optManc", "Mancala Options", 4485, 2700, 0x00C0C0C0, 14, false};
    static optManc& instance();

    void optPlayer_Click(int Index);
    void optDiff_Click(int Index);
    void optFirst_Click(int Index);

    Frame* fraPlayers = nullptr;
    Frame* fraDiff = nullptr;
    Frame* fraFirst = nullptr;
    std::array<OptionButton*, 2> optPlayer{};
    std::array<OptionButton*, 4> optDiff{};
    std::array<OptionButton*, 2> optFirst{};
    CommandButton* cmdOK = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;

private:
    optManc();
    // The difficulty and the first player only mean something against the
    // computer: with two players they are greyed out and shown unselected,
    // and come back as stored when one player is chosen again.
    void EnableOnePlayerOptions(bool flag);
    void selectFromSettings();
};
