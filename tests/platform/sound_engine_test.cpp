// The real sound layer, on SDL's dummy driver (the tests set it): timing is
// real, nothing is heard.
#include "platform/sound_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/file_lookup.h"
#include "support/temp_dir.h"
#include "support/wav_writer.h"

namespace {
double secondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}
}  // namespace

TEST(SoundEngine, WaitedSoundLastsItsLengthAndAsyncSoundIsCutByTheNext) {
    TempDir dir;
    writeTestWav(dir.file("short.wav"), 0.3);
    writeTestWav(dir.file("long.wav"), 3.0);
    writeTestWav(dir.file("blip.wav"), 0.05);
    SoundEngine engine;
    // SDL is found and opens the driver asked for; without it everything
    // below would pass in silence.
    engine.waitForDevice();
    EXPECT_EQ(engine.driver(), std::getenv("SDL_AUDIODRIVER"));

    auto start = std::chrono::steady_clock::now();
    engine.play(dir.file("short.wav"), true);
    double waited = secondsSince(start);
    EXPECT_GE(waited, 0.3);
    EXPECT_LT(waited, 2.5);
    EXPECT_FALSE(engine.isPlaying());

    start = std::chrono::steady_clock::now();
    engine.play(dir.file("long.wav"), false);
    EXPECT_LT(secondsSince(start), 0.25);  // returned at once
    EXPECT_TRUE(engine.isPlaying());
    engine.play(dir.file("blip.wav"), false);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    // The three-second sound would still be playing had the blip not replaced it.
    EXPECT_FALSE(engine.isPlaying());

    engine.play(dir.file("long.wav"), false);
    engine.beep();  // a beep sounds over the sound without stopping it
    EXPECT_TRUE(engine.isPlaying());
    engine.stop();
    EXPECT_FALSE(engine.isPlaying());
}

TEST(SoundEngine, MissingAndMalformedFilesPlayNothingAndReturnAtOnce) {
    TempDir dir;
    std::ofstream(dir.file("broken.wav"), std::ios::binary) << "RIFF\x10\0\0\0WAVEjunkjunk";
    SoundEngine engine;
    for (const char* name : {"missing.wav", "broken.wav"}) {
        auto start = std::chrono::steady_clock::now();
        engine.play(dir.file(name), true);
        EXPECT_LT(secondsSince(start), 0.25) << name;
        EXPECT_FALSE(engine.isPlaying()) << name;
    }
}

TEST(FileLookup, FindsANameThatDiffersOnlyInCase) {
    TempDir dir;
    writeTestWav(dir.file("frosty.wav"), 0.01);
    EXPECT_EQ(findFileIgnoringCase(dir.file("Frosty.wav")), dir.file("frosty.wav"));
    EXPECT_EQ(findFileIgnoringCase(dir.file("frosty.wav")), dir.file("frosty.wav"));
    EXPECT_EQ(findFileIgnoringCase(dir.file("melting.wav")), "");
    EXPECT_EQ(findFileIgnoringCase(""), "");
}
