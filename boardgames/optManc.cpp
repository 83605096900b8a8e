#include "boardgames/optManc.h"

#include "launcher/shared_settings.h"

optManc::optManc() : ComputerOptions(kSpec, {gMancPlayers, gMancDifficulty, gMancFirst}) {}

optManc& optManc::instance() {
    static optManc dialog;
    return dialog;
}

void optManc::createControls() {
    const auto frames = createChoices({.players = {"fraPlayers", 120, 120, 2040, 975},
                                       .first = {"fraFirst", 2280, 120, 2085, 975},
                                       .difficulty = {"fraDiff", 120, 1200, 2040, 1395},
                                       .choiceWidth = 1740,
                                       .levelTop = 270,
                                       .levelStep = 270,
                                       .levelWidth = 1740,
                                       .okLeft = 2775,
                                       .okTop = 1800});
    fraPlayers = frames[0];
    fraFirst = frames[1];
    fraDiff = frames[2];
}
