#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>

#include "platform/sound_names.h"
#include "platform/wav.h"

namespace {

namespace fs = std::filesystem;

const fs::path kAssets = fs::path(QUENVALE_SOURCE_DIR) / "assets";

struct Range {
    double minSeconds, maxSeconds;
};

Range rangeOf(SoundKind kind) {
    switch (kind) {
        case SoundKind::Short:
            return {0.03, 0.4};
        case SoundKind::Effect:
            return {0.1, 1.5};
        case SoundKind::Song:
            return {1.2, 3.5};
        case SoundKind::Speech:
            return {0.2, 1.2};
    }
    return {0, 0};
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

TEST(SoundAssetsTest, EverySoundIsThereReadableAndOfItsLength) {
    for (std::size_t i = 0; i < std::size(kSoundNames); ++i) {
        const std::string name = kSoundNames[i];
        SCOPED_TRACE(name);
        const fs::path path = kAssets / name;
        ASSERT_TRUE(fs::is_regular_file(path));
        auto sound = readWavFile(path.string());
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->sampleRate, 22050);
        const Range range = rangeOf(kSoundKinds[i]);
        EXPECT_GE(sound->seconds(), range.minSeconds);
        EXPECT_LE(sound->seconds(), range.maxSeconds);
    }
}

TEST(SoundAssetsTest, SoundsAreEquallyLoudAndStartAndEndWithoutAClick) {
    const double target = std::pow(10.0, -3.0 / 20);  // -3 dBFS
    for (const char* name : kSoundNames) {
        SCOPED_TRACE(name);
        auto sound = readWavFile((kAssets / name).string());
        ASSERT_TRUE(sound);
        ASSERT_GE(sound->samples.size(), 2u);
        float peak = 0;
        for (float v : sound->samples) peak = std::max(peak, std::abs(v));
        EXPECT_NEAR(peak, target, 0.01);
        EXPECT_LT(std::abs(sound->samples.front()), 0.01f);
        EXPECT_LT(std::abs(sound->samples.back()), 0.01f);
    }
}

TEST(SoundAssetsTest, TheFolderHoldsExactlyTheListedSoundsInOneSpellingEach) {
    std::set<std::string> listed, lowered;
    for (const char* name : kSoundNames) {
        listed.insert(name);
        EXPECT_TRUE(lowered.insert(lower(name)).second) << "listed twice: " << name;
    }
    std::uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(kAssets)) {
        const std::string name = entry.path().filename().string();
        if (lower(entry.path().extension().string()) != ".wav") continue;
        // The sound layer finds names case-insensitively, so a second spelling
        // of a listed file would be a stray copy.
        EXPECT_TRUE(listed.count(name)) << "not listed: " << name;
        total += entry.file_size();
    }
    EXPECT_LT(total, 4u * 1024 * 1024);
}

}  // namespace
