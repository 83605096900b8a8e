#pragma once
// The options of Trim a Tree: players, the computer's difficulty and who goes
// first. Every click writes its shared setting at once; the game reads them at
// its next New Game.
#include "boardgames/computer_options.h"

class optTrim : public ComputerOptions {
public:
    // The dialog colour of the classic scheme: button face grey.
    static constexpr WindowSpec kSpec{"optTrim", "Trim a Tree Options", 4485, 2700, 0x00C0C0C0, 4, false};
    static optTrim& instance();

    Frame* Frame1 = nullptr;
    Frame* Frame2 = nullptr;
    Frame* Frame3 = nullptr;

protected:
    void createControls() override;

private:
    optTrim();
};
