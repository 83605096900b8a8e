#pragma once
// The options of Mancala: one or two players, the computer's difficulty and
// who goes first. Every click writes its shared setting at once; the game
// reads them at its next New Game.
#include "boardgames/computer_options.h"

class optManc : public ComputerOptions {
public:
    // The dialog colour of the classic scheme: button face grey.
    static constexpr WindowSpec kSpec{"optManc", "Mancala Options", 4485, 2700, 0x00C0C0C0, 14, false};
    static optManc& instance();

    Frame* fraPlayers = nullptr;
    Frame* fraDiff = nullptr;
    Frame* fraFirst = nullptr;

protected:
    void createControls() override;

private:
    optManc();
};
