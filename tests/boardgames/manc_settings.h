#pragma once
// Mancala's shared settings for a test, put back as they were afterwards.
#include <cstdint>

#include "launcher/shared_settings.h"

class MancSettings {
public:
    MancSettings() : players_(gMancPlayers), difficulty_(gMancDifficulty), first_(gMancFirst) {}
    ~MancSettings() { set(players_, difficulty_, first_); }
    MancSettings(const MancSettings&) = delete;
    MancSettings& operator=(const MancSettings&) = delete;

    static void set(int players, int difficulty, int first) {
        gMancPlayers = static_cast<std::int16_t>(players);
        gMancDifficulty = static_cast<std::int16_t>(difficulty);
        gMancFirst = static_cast<std::int16_t>(first);
    }

private:
    std::int16_t players_, difficulty_, first_;
};
