#pragma once
// Trim a Tree's shared settings for a test, put back as they were afterwards.
#include <array>
#include <cstdint>

#include "launcher/shared_settings.h"

class TrimSettings {
public:
    TrimSettings() : saved_{gTrimPlayers, gTrimDifficulty, gTrimFirst} {}
    ~TrimSettings() { set(saved_[0], saved_[1], saved_[2]); }
    TrimSettings(const TrimSettings&) = delete;
    TrimSettings& operator=(const TrimSettings&) = delete;

    static void set(int players, int difficulty, int first) {
        gTrimPlayers = static_cast<std::int16_t>(players);
        gTrimDifficulty = static_cast<std::int16_t>(difficulty);
        gTrimFirst = static_cast<std::int16_t>(first);
    }

private:
    std::array<std::int16_t, 3> saved_;
};
