#include "boardgames/optTrim.h"

#include "launcher/shared_settings.h"

optTrim::optTrim() : ComputerOptions(kSpec, {gTrimPlayers, gTrimDifficulty, gTrimFirst}) {}

optTrim& optTrim::instance() {
    static optTrim dialog;
    return dialog;
}

void optTrim::createControls() {
    const auto frames = createChoices({.players = {"Frame2", 120, 120, 2100, 975},
                                       .first = {"Frame3", 120, 1200, 2100, 975},
                                       .difficulty = {"Frame1", 2340, 120, 2025, 1815},
                                       .choiceWidth = 1800,
                                       .levelTop = 300,
                                       .levelStep = 360,
                                       .levelWidth = 1725,
                                       .okLeft = 2805,
                                       .okTop = 2085});
    Frame2 = frames[0];
    Frame3 = frames[1];
    Frame1 = frames[2];
}
