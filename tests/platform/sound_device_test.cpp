// The sound device coming and going under the engine, on a stand-in device
// that the test opens, fails and takes away at will and whose mixing it pulls.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/sound_engine.h"
#include "support/temp_dir.h"
#include "support/wav_writer.h"

namespace {

struct DeviceState {
    std::atomic<bool> available{false};  // a server or card to open
    std::atomic<bool> gone{false};       // the open device was taken away
    std::atomic<bool> hung{false};       // the server answers nothing: opening and closing wait
    std::atomic<bool> destroyed{false};
    std::atomic<int> opens{0};
    std::atomic<int> closes{0};
    AudioDevice::Mixer mix = nullptr;
    void* user = nullptr;

    // The loudest sample of the next frames the device would play.
    float pull(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames));
        mix(user, out.data(), frames);
        float peak = 0;
        for (float s : out) peak = std::max(peak, std::abs(s));
        return peak;
    }
};

class StandInDevice : public AudioDevice {
public:
    explicit StandInDevice(std::shared_ptr<DeviceState> s) : s_(std::move(s)) {}
    ~StandInDevice() override { s_->destroyed = true; }
    bool open(Mixer mix, void* user) override {
        ++s_->opens;
        waitWhileHung();
        if (!s_->available) return false;
        s_->mix = mix;
        s_->user = user;
        s_->gone = false;
        return true;
    }
    bool lost() override { return s_->gone; }
    void close() override {
        ++s_->closes;
        waitWhileHung();
    }
    std::string driver() const override { return "stand-in"; }

private:
    void waitWhileHung() {
        while (s_->hung) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    std::shared_ptr<DeviceState> s_;
};

// Whether what is awaited comes within a few seconds.
bool comes(const std::function<bool()>& awaited) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!awaited()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

TEST(SoundDevice, AMissingOrLostDeviceIsOpenedAgainAtTheNextSound) {
    TempDir dir;
    writeTestWav(dir.file("tone.wav"), 1.0);
    auto device = std::make_shared<DeviceState>();
    SoundEngine engine(std::make_unique<StandInDevice>(device), 0.0);
    engine.waitForDevice();
    EXPECT_EQ(device->opens, 1);
    EXPECT_EQ(engine.driver(), "");

    // The server starts: the next sound opens the device and is heard.
    device->available = true;
    engine.play(dir.file("tone.wav"), false);
    engine.waitForDevice();
    ASSERT_EQ(device->opens, 2);
    EXPECT_EQ(engine.driver(), "stand-in");
    EXPECT_GT(device->pull(512), 0.1f);
    // An open device is kept.
    engine.play(dir.file("tone.wav"), false);
    engine.beep();
    engine.waitForDevice();
    EXPECT_EQ(device->opens, 2);

    // The server ends and comes back: the next sound closes the lost device,
    // opens a new one and is heard on it.
    device->gone = true;
    engine.play(dir.file("tone.wav"), false);
    engine.waitForDevice();
    EXPECT_EQ(device->closes, 1);
    EXPECT_EQ(device->opens, 3);
    EXPECT_GT(device->pull(512), 0.1f);
}

TEST(SoundDevice, AFailedOpeningIsNotTriedAgainAtEverySound) {
    TempDir dir;
    writeTestWav(dir.file("blip.wav"), 0.01);
    auto device = std::make_shared<DeviceState>();
    SoundEngine engine(std::make_unique<StandInDevice>(device), 3600.0);
    for (int i = 0; i < 5; ++i) {
        engine.play(dir.file("blip.wav"), true);
        engine.beep();
        engine.waitForDevice();
    }
    EXPECT_EQ(device->opens, 1);
    EXPECT_FALSE(engine.isPlaying());
}

TEST(SoundDevice, ADeviceLeftQuietIsLetGoAndTheNextSoundOrBeepOpensItAtOnce) {
    TempDir dir;
    writeTestWav(dir.file("blip.wav"), 0.01);
    auto device = std::make_shared<DeviceState>();
    device->available = true;
    // Retrying a failed device is slow here: letting go of a good one is no failure.
    SoundEngine engine(std::make_unique<StandInDevice>(device), 3600.0, 0.05);
    engine.play(dir.file("blip.wav"), false);
    EXPECT_TRUE(comes([&] { return device->closes == 1; }));
    EXPECT_EQ(engine.driver(), "");

    const auto asked = std::chrono::steady_clock::now();
    engine.play(dir.file("blip.wav"), false);
    engine.waitForDevice();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(60));
    EXPECT_EQ(device->opens, 2);
    EXPECT_GT(device->pull(64), 0.1f);

    // The first tick after a quiet spell is heard once the device is back.
    EXPECT_TRUE(comes([&] { return device->closes == 2; }));
    engine.beep();
    engine.waitForDevice();
    EXPECT_EQ(device->opens, 3);
    EXPECT_GT(device->pull(64), 0.1f);
}

TEST(SoundDevice, TheEngineEndsAtOnceWhenTheSoundServerHangs) {
    for (bool openFirst : {false, true}) {
        SCOPED_TRACE(openFirst ? "hung while open" : "hung before the first opening");
        auto device = std::make_shared<DeviceState>();
        device->available = true;
        device->hung = !openFirst;
        auto engine = std::make_unique<SoundEngine>(std::make_unique<StandInDevice>(device));
        if (openFirst) {
            engine->waitForDevice();
            device->hung = true;
        }
        ASSERT_TRUE(comes([&] { return device->opens == 1; }));
        // Should the end wait for the server after all, it answers again a while later.
        std::atomic<bool> ended{false};
        std::thread server([&] {
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (!ended && std::chrono::steady_clock::now() < limit)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            device->hung = false;
        });
        const auto start = std::chrono::steady_clock::now();
        engine.reset();
        ended = true;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        server.join();
        // What was left behind finishes once the server answers.
        EXPECT_TRUE(comes([&] { return device->destroyed.load(); }));
    }
}
