#include "boardgames/move_chance.h"

#include <algorithm>

float moveChanceFor(int difficulty) {
    switch (std::clamp(difficulty, 1, 4)) {
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
