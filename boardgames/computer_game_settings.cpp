#include "boardgames/computer_game_settings.h"

#include <algorithm>

ComputerGameSettings ComputerGameSettings::chosen() const {
    return {std::clamp(Players, 1, 2), std::clamp(Difficulty, 1, 4), First == 1 ? 1 : 0};
}

float moveChanceFor(int difficulty) {
    switch (difficulty) {
        case 1:
            return 1.0f;
        case 2:
            return 0.5f;
        case 3:
            return 0.25f;
        default:
            return 0.0f;
    }
}
