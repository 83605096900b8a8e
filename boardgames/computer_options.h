#pragma once
// The options dialog of the board games played against the computer (Mancala,
// Trim a Tree): one or two players, the computer's difficulty and who goes
// first. Every click writes its shared setting at once; the game reads them at
// its next New Game. Each game's dialog gives its own caption, frame names and
// places.
#include <array>
#include <cstdint>

#include "boardgames/computer_game_settings.h"
#include "launcher/game_window.h"

class ComputerOptions : public OptionsDialog {
public:
    void optPlayer_Click(int Index);
    void optDiff_Click(int Index);
    void optFirst_Click(int Index);

    std::array<OptionButton*, 2> optPlayer{};
    std::array<OptionButton*, 4> optDiff{};
    std::array<OptionButton*, 2> optFirst{};
    CommandButton* cmdOK = nullptr;

protected:
    // The shared settings the dialog writes.
    struct Settings {
        std::int16_t& Players;
        std::int16_t& Difficulty;
        std::int16_t& First;
    };
    struct FramePlace {
        const char* name;
        double left, top, width, height;
    };
    // Where everything stands, in twips: the three frames, the width of the
    // players' and first player's buttons, the top, step and width of the four
    // difficulty buttons, and the OK button.
    struct Layout {
        FramePlace players, first, difficulty;
        double choiceWidth;
        double levelTop, levelStep, levelWidth;
        double okLeft, okTop;
    };

    ComputerOptions(const WindowSpec& spec, Settings settings);

    // Builds the frames with their buttons, then OK; gives back the frames of
    // the players, the first player and the difficulty.
    std::array<Frame*, 3> createChoices(const Layout& layout);
    void Form_Load() override;

private:
    // The difficulty and the first player only mean something against the
    // computer: with two players they are greyed out and shown unselected,
    // and come back as stored when one player is chosen again.
    void EnableOnePlayerOptions(bool flag);
    void selectFromSettings();
    // The settings as the game will play them.
    ComputerGameSettings chosen() const;

    Settings settings_;
};
