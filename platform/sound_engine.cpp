#include "platform/sound_engine.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/file_lookup.h"
#include "platform/system_library.h"
#include "platform/wav.h"

namespace {

constexpr int kRate = 22050;
using Samples = std::shared_ptr<const std::vector<float>>;

struct Voice {
    Samples data;
    std::size_t pos = 0;
    bool done() const { return !data || pos >= data->size(); }
};

// Linear resampling to the device's rate; plenty for short game sounds.
std::vector<float> resample(const std::vector<float>& in, int fromRate) {
    if (fromRate == kRate || in.empty()) return in;
    const double step = static_cast<double>(fromRate) / kRate;
    const std::size_t n = static_cast<std::size_t>(static_cast<double>(in.size()) / step);
    std::vector<float> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        double x = static_cast<double>(i) * step;
        std::size_t a = static_cast<std::size_t>(x);
        std::size_t b = std::min(a + 1, in.size() - 1);
        double t = x - static_cast<double>(a);
        out[i] = static_cast<float>(in[a] * (1.0 - t) + in[b] * t);
    }
    return out;
}

Samples makeBeep() {
    // A soft tick of 25 ms. The sleigh beeps on every 100 ms tick, so a
    // longer beep would run into the next one and warble.
    const int n = kRate * 25 / 1000;
    const double attack = kRate * 0.001, release = kRate * 0.004;
    auto v = std::make_shared<std::vector<float>>(n);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double rise = i < attack ? 0.5 - 0.5 * std::cos(M_PI * i / attack) : 1.0;
        const double fall = std::min(1.0, (n - 1 - i) / release);
        const double env = rise * fall * std::exp(-t / 0.006);
        const double s = std::sin(2 * M_PI * 1320.0 * t) + 0.3 * std::sin(2 * M_PI * 2640.0 * t);
        (*v)[i] = static_cast<float>(0.4 * env * s);
    }
    return v;
}

// SDL is loaded by the first opening of the device, on the engine's opening
// thread: it and the libraries it pulls in would otherwise all be loaded
// before the menu could be painted. Without it the engine plays silently, as
// with no device.
// clang-format off
#define SDL_FUNCTIONS(X)                                                                  \
    X(SDL_SetHint) X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_TLSCleanup)            \
    X(SDL_OpenAudioDevice) X(SDL_PauseAudioDevice) X(SDL_CloseAudioDevice)                \
    X(SDL_GetAudioDeviceStatus) X(SDL_GetCurrentAudioDriver)
// clang-format on

struct Sdl {
    SDL_FUNCTIONS(QUENVALE_LIBRARY_FUNCTION)
};

const Sdl* sdl() {
    return loadSystemLibrary<Sdl>("libSDL2-2.0.so.0", [](const SystemLibrary& lib, Sdl& table) {
        return SDL_FUNCTIONS(QUENVALE_BIND_FUNCTION) true;
    });
}

class SdlAudioDevice : public AudioDevice {
public:
    ~SdlAudioDevice() override { close(); }

    bool open(Mixer mix, void* user) override {
        sdl_ = sdl();
        if (!sdl_) return false;
        const bool opened = start(mix, user);
        // SDL keeps its error text per thread; the opening thread is not
        // SDL's own, so nothing else frees it.
        sdl_->SDL_TLSCleanup();
        return opened;
    }

    // A device whose server went away stays open for SDL, stopped, and its
    // driver never finds the server again: only a new start of the audio
    // subsystem does.
    bool lost() override { return id_ != 0 && sdl_->SDL_GetAudioDeviceStatus(id_) == SDL_AUDIO_STOPPED; }

    void close() override {
        if (id_ == 0) return;
        sdl_->SDL_CloseAudioDevice(id_);
        sdl_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
        id_ = 0;
        driver_.clear();
    }

    std::string driver() const override { return driver_; }

private:
    bool start(Mixer mix, void* user) {
        mix_ = mix;
        user_ = user;
        // Without this hint SDL takes over SIGINT and SIGTERM and the program stops answering them.
        sdl_->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (sdl_->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        SDL_AudioSpec want{}, have{};
        want.freq = kRate;
        want.format = AUDIO_F32SYS;
        want.channels = 1;
        want.samples = 512;
        want.callback = &SdlAudioDevice::callback;
        want.userdata = this;
        id_ = sdl_->SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (id_ == 0) {
            sdl_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        const char* driver = sdl_->SDL_GetCurrentAudioDriver();
        driver_ = driver ? driver : "";
        sdl_->SDL_PauseAudioDevice(id_, 0);
        return true;
    }

    static void callback(void* self, Uint8* stream, int len) {
        auto* d = static_cast<SdlAudioDevice*>(self);
        d->mix_(d->user_, reinterpret_cast<float*>(stream), len / static_cast<int>(sizeof(float)));
    }

    const Sdl* sdl_ = nullptr;
    SDL_AudioDeviceID id_ = 0;
    Mixer mix_ = nullptr;
    void* user_ = nullptr;
    std::string driver_;
};

using Clock = std::chrono::steady_clock;

Clock::duration seconds(double s) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

}  // namespace

std::unique_ptr<AudioDevice> makeSdlAudioDevice() { return std::make_unique<SdlAudioDevice>(); }

struct SoundEngine::Impl {
    std::unique_ptr<AudioDevice> device;
    Clock::duration retry;
    // The opening thread owns the device and these two while `opening` is
    // set; the user-interface thread owns them otherwise.
    bool deviceOpen = false;
    std::string driverName;
    std::atomic<bool> opening{false};
    std::thread opener;
    Clock::time_point lastAttempt;

    // The voices, shared with the device's thread.
    mutable std::mutex mix;
    Voice main;
    // When the main voice ends by the clock: what counts while no device plays it.
    Clock::time_point mainEnds;
    std::vector<Voice> beeps;

    Samples beepSound = makeBeep();
    std::map<std::string, Samples> cache;

    static void mixInto(void* user, float* out, int frames) {
        auto* self = static_cast<Impl*>(user);
        std::lock_guard lock(self->mix);
        for (int i = 0; i < frames; ++i) {
            float s = 0.0f;
            if (!self->main.done()) s += (*self->main.data)[self->main.pos++];
            for (auto& b : self->beeps)
                if (!b.done()) s += (*b.data)[b.pos++];
            out[i] = std::clamp(s, -1.0f, 1.0f);
        }
        std::erase_if(self->beeps, [](const Voice& v) { return v.done(); });
    }

    void startOpening() {
        if (opener.joinable()) opener.join();
        lastAttempt = Clock::now();
        opening = true;
        opener = std::thread([this] {
            if (deviceOpen) device->close();
            {
                // A sound asked for while there was no device starts from its
                // beginning when the device opens, unless it would have ended.
                std::lock_guard lock(mix);
                beeps.clear();
                if (Clock::now() >= mainEnds) main = Voice{};
            }
            deviceOpen = device->open(&Impl::mixInto, this);
            driverName = deviceOpen ? device->driver() : "";
            opening = false;
        });
    }

    bool live() const { return !opening && deviceOpen && !device->lost(); }

    // Called at each sound: a missing or lost device is opened again, on the
    // opening thread, so the sound and the game's pace never wait for it.
    void keepDevice() {
        if (opening || (deviceOpen && !device->lost())) return;
        if (Clock::now() - lastAttempt < retry) return;
        startOpening();
    }

    Samples load(const std::string& path) {
        std::string found = findFileIgnoringCase(path);
        if (found.empty()) return nullptr;
        auto it = cache.find(found);
        if (it != cache.end()) return it->second;
        Samples s;
        if (auto wav = readWavFile(found)) {
            s = std::make_shared<const std::vector<float>>(resample(wav->samples, wav->sampleRate));
        }
        cache[found] = s;
        return s;
    }
};

SoundEngine::SoundEngine(std::unique_ptr<AudioDevice> device, double retrySeconds)
    : impl_(std::make_unique<Impl>()) {
    impl_->device = std::move(device);
    impl_->retry = seconds(retrySeconds);
    impl_->startOpening();
}

SoundEngine::~SoundEngine() {
    waitForDevice();
    if (impl_->deviceOpen) impl_->device->close();
}

void SoundEngine::waitForDevice() {
    if (impl_->opener.joinable()) impl_->opener.join();
}

void SoundEngine::play(const std::string& path, bool wait, const std::function<bool()>& meanwhile) {
    Samples s = impl_->load(path);
    const double length = s ? static_cast<double>(s->size()) / kRate : 0.0;
    const auto start = Clock::now();
    {
        std::lock_guard lock(impl_->mix);
        impl_->main = Voice{s, 0};
        impl_->mainEnds = start + seconds(length);
    }
    impl_->keepDevice();
    if (!wait || !s) return;
    const auto cap = start + seconds(length + 2.0);
    // The mixer finishes a sound up to one buffer before it is heard, so the
    // wait also lasts at least the sound's length; without a device it lasts
    // exactly that.
    const auto heard = start + seconds(length);
    while (Clock::now() < cap) {
        if (Clock::now() >= heard && !(impl_->live() && isPlaying())) return;
        if (meanwhile && !meanwhile()) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void SoundEngine::stop() {
    std::lock_guard lock(impl_->mix);
    impl_->main = Voice{};
}

void SoundEngine::beep() {
    impl_->keepDevice();
    if (!impl_->live()) return;
    std::lock_guard lock(impl_->mix);
    impl_->beeps.push_back(Voice{impl_->beepSound, 0});
}

bool SoundEngine::isPlaying() const {
    const bool live = impl_->live();
    std::lock_guard lock(impl_->mix);
    if (impl_->main.done()) return false;
    return live || Clock::now() < impl_->mainEnds;
}

std::string SoundEngine::driver() const { return impl_->opening ? std::string() : impl_->driverName; }
