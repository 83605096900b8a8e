#pragma once
// Writes small WAV files for tests.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

inline void writeTestWav(const std::string& path, double seconds, int rate = 22050, double freq = 440.0) {
    const auto n = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> samples(n);
    for (std::uint32_t i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * freq * i / rate));
    auto u32 = [](std::ofstream& o, std::uint32_t v) { o.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::ofstream& o, std::uint16_t v) { o.write(reinterpret_cast<const char*>(&v), 2); };
    std::ofstream o(path, std::ios::binary);
    o.write("RIFF", 4);
    u32(o, 36 + n * 2);
    o.write("WAVEfmt ", 8);
    u32(o, 16);
    u16(o, 1);
    u16(o, 1);
    u32(o, static_cast<std::uint32_t>(rate));
    u32(o, static_cast<std::uint32_t>(rate * 2));
    u16(o, 2);
    u16(o, 16);
    o.write("data", 4);
    u32(o, n * 2);
    o.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(n * 2));
}
