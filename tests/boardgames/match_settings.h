#pragma once
// Gift Match's shared settings for a test, put back as they were afterwards.
#include <array>
#include <cstdint>

#include "launcher/shared_settings.h"

class MatchSettings {
public:
    MatchSettings() : saved_{gMatchPlayers, gMatchPairs, gMatchVsComputer, gMatchDifficulty} {}
    ~MatchSettings() { set(saved_[0], saved_[1], saved_[2], saved_[3]); }
    MatchSettings(const MatchSettings&) = delete;
    MatchSettings& operator=(const MatchSettings&) = delete;

    static void set(int players, int pairs, int vsComputer, int difficulty) {
        gMatchPlayers = static_cast<std::int16_t>(players);
        gMatchPairs = static_cast<std::int16_t>(pairs);
        gMatchVsComputer = static_cast<std::int16_t>(vsComputer);
        gMatchDifficulty = static_cast<std::int16_t>(difficulty);
    }

private:
    std::array<std::int16_t, 4> saved_;
};
