#pragma once
// Where's Rudolph's shared settings for a test, put back as they were afterwards.
#include <cstdint>

#include "launcher/shared_settings.h"

class RudolphSettings {
public:
    RudolphSettings() : peek_(gRudolphPeek), count_(gRudolphCount) {}
    ~RudolphSettings() { set(peek_, count_); }
    RudolphSettings(const RudolphSettings&) = delete;
    RudolphSettings& operator=(const RudolphSettings&) = delete;

    static void set(int peek, int count) {
        gRudolphPeek = static_cast<std::int16_t>(peek);
        gRudolphCount = static_cast<std::int16_t>(count);
    }

private:
    std::int16_t peek_, count_;
};
