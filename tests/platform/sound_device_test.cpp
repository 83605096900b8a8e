// The sound device coming and going under the engine, on a stand-in device
// that the test opens, fails and takes away at will and whose mixing it pulls.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/sound_engine.h"
#include "support/temp_dir.h"
#include "support/wav_writer.h"

namespace {

struct DeviceState {
    std::atomic<bool> available{false};  // a server or card to open
    std::atomic<bool> gone{false};       // the open device was taken away
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
    bool open(Mixer mix, void* user) override {
        ++s_->opens;
        if (!s_->available) return false;
        s_->mix = mix;
        s_->user = user;
        s_->gone = false;
        return true;
    }
    bool lost() override { return s_->gone; }
    void close() override { ++s_->closes; }
    std::string driver() const override { return "stand-in"; }

private:
    std::shared_ptr<DeviceState> s_;
};

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
