#include "platform/sound_engine.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/file_lookup.h"
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

}  // namespace

struct SoundEngine::Impl {
    SDL_AudioDeviceID device = 0;
    bool sdlUp = false;
    std::string driverName;
    Voice main;
    std::vector<Voice> beeps;
    Samples beepSound = makeBeep();
    std::map<std::string, Samples> cache;

    static void callback(void* user, Uint8* stream, int len) {
        auto* self = static_cast<Impl*>(user);
        float* out = reinterpret_cast<float*>(stream);
        const int frames = len / static_cast<int>(sizeof(float));
        for (int i = 0; i < frames; ++i) {
            float s = 0.0f;
            if (!self->main.done()) s += (*self->main.data)[self->main.pos++];
            for (auto& b : self->beeps)
                if (!b.done()) s += (*b.data)[b.pos++];
            out[i] = std::clamp(s, -1.0f, 1.0f);
        }
        std::erase_if(self->beeps, [](const Voice& v) { return v.done(); });
    }

    bool openDevice() {
        SDL_AudioSpec want{}, have{};
        want.freq = kRate;
        want.format = AUDIO_F32SYS;
        want.channels = 1;
        want.samples = 512;
        want.callback = &Impl::callback;
        want.userdata = this;
        device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        return device != 0;
    }

    void open() {
        // Without this hint SDL takes over SIGINT and SIGTERM and the program stops answering them.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            sdlUp = true;
            if (openDevice()) {
                driverName = SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "";
                SDL_PauseAudioDevice(device, 0);
                return;
            }
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            sdlUp = false;
        }
        // No sound server and no card: the dummy driver keeps the timing real, silently.
        if (SDL_AudioInit("dummy") == 0) {
            sdlUp = true;
            if (openDevice()) {
                driverName = "dummy";
                SDL_PauseAudioDevice(device, 0);
            }
        }
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

SoundEngine::SoundEngine() : impl_(std::make_unique<Impl>()) { impl_->open(); }

SoundEngine::~SoundEngine() {
    if (impl_->device) SDL_CloseAudioDevice(impl_->device);
    if (impl_->sdlUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundEngine::play(const std::string& path, bool wait, const std::function<void()>& meanwhile) {
    Samples s = impl_->load(path);
    if (impl_->device) {
        SDL_LockAudioDevice(impl_->device);
        impl_->main = Voice{s, 0};
        SDL_UnlockAudioDevice(impl_->device);
    }
    if (!wait || !s) return;
    using Clock = std::chrono::steady_clock;
    const double length = static_cast<double>(s->size()) / kRate;
    const auto start = Clock::now();
    const auto cap = start + std::chrono::duration<double>(length + 2.0);
    // The mixer finishes a sound up to one buffer before it is heard, so the
    // wait also lasts at least the sound's length; without a device it lasts
    // exactly that.
    const auto heard = start + std::chrono::duration<double>(length);
    while (((impl_->device && isPlaying()) || Clock::now() < heard) && Clock::now() < cap) {
        if (meanwhile) meanwhile();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void SoundEngine::stop() {
    if (!impl_->device) return;
    SDL_LockAudioDevice(impl_->device);
    impl_->main = Voice{};
    SDL_UnlockAudioDevice(impl_->device);
}

void SoundEngine::beep() {
    if (!impl_->device) return;
    SDL_LockAudioDevice(impl_->device);
    impl_->beeps.push_back(Voice{impl_->beepSound, 0});
    SDL_UnlockAudioDevice(impl_->device);
}

bool SoundEngine::isPlaying() const {
    if (!impl_->device) return false;
    SDL_LockAudioDevice(impl_->device);
    bool playing = !impl_->main.done();
    SDL_UnlockAudioDevice(impl_->device);
    return playing;
}

std::string SoundEngine::driver() const { return impl_->driverName; }
