#include "platform/sound_engine.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
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
using Clock = std::chrono::steady_clock;

struct Voice {
    Samples data;
    std::size_t pos = 0;
    // When a beep that no device has mixed yet is too late to be heard.
    Clock::time_point stale{};
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

// SDL is loaded by the first opening of the device, on the engine's device
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

// libasound's error handler, as its header declares it.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* fmt,
                                  ...);

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// SDL falls back on ALSA when there is no sound server, and on a machine
// without a card ALSA writes some eight lines of complaints about it to
// standard error at every attempt, one every few seconds of play. As soon as
// SDL has loaded ALSA they are silenced, and the library is held so that they
// stay silenced when SDL lets it go; that no device opened is no news to tell.
void silenceAlsa() {
    static std::atomic<bool> silenced{false};
    if (silenced) return;
    void* handle = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    if (!handle) return;
    using SetHandler = int (*)(AlsaErrorHandler);
    // POSIX makes the address dlsym gives for a function callable.
    auto set = reinterpret_cast<SetHandler>(dlsym(handle, "snd_lib_error_set_handler"));
    if (set) set(&ignoreAlsaError);
    silenced = true;
}

class SdlAudioDevice : public AudioDevice {
public:
    ~SdlAudioDevice() override { close(); }

    bool open(Mixer mix, void* user) override {
        sdl_ = sdl();
        if (!sdl_) return false;
        const bool opened = start(mix, user);
        // SDL keeps its error text per thread; the engine's device thread is
        // not SDL's own, so nothing else frees it.
        sdl_->SDL_TLSCleanup();
        return opened;
    }

    // A device whose server went away stays open for SDL, stopped, and its
    // driver never finds the server again: only a new start of the audio
    // subsystem does.
    bool lost() override { return id_ != 0 && sdl_->SDL_GetAudioDeviceStatus(id_) == SDL_AUDIO_STOPPED; }

    // The whole subsystem goes with the device: its threads would otherwise
    // go on waking while nothing plays, and a new start finds a sound server
    // that came back meanwhile.
    void close() override {
        if (id_ == 0) return;
        sdl_->SDL_CloseAudioDevice(id_);
        sdl_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdl_->SDL_TLSCleanup();
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
        silenceAlsa();
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

Clock::duration seconds(double s) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

// How long the program's end waits for the device to close. A sound server
// that answers lets it go in some 50 ms; one that hangs must not keep the
// program from ending.
constexpr auto kEndWait = std::chrono::milliseconds(300);

// How long a beep may wait to be mixed: as long as the sleigh's ticks are
// apart, and far longer than a device that plays takes.
constexpr auto kBeepMayWait = std::chrono::milliseconds(100);

enum class Phase { Closed, Opening, Open, Closing };

// The device and the voices it plays. Shared by the user-interface thread, the
// engine's device thread, which opens and closes the device, and the device's
// own thread, which mixes. A device thread held up by a hung sound server at
// the program's end keeps it alive, and with it all the device may still call.
struct Player {
    std::unique_ptr<AudioDevice> device;
    Clock::duration retry, idle;

    // The device thread alone calls the device while it is Opening or
    // Closing; the user-interface thread asks an Open one whether it was lost
    // only while holding `state`, so never while it is being closed.
    std::mutex state;
    std::condition_variable changed;
    Phase phase = Phase::Opening;
    bool reopen = false;      // a sound came while it closed, or it was lost: open it again
    bool idleClosed = false;  // let go while nothing played: the next sound opens it at once
    bool quit = false;
    bool finished = false;
    std::string driverName;
    Clock::time_point lastAttempt = Clock::now();
    // When the last sound asked for ends; the device is let go idle after it.
    Clock::time_point quietFrom = lastAttempt;

    // The voices, shared with the device's thread; taken after `state` when both are.
    std::mutex mix;
    Voice main;
    // When the main voice ends by the clock: what counts while no device plays it.
    Clock::time_point mainEnds;
    std::vector<Voice> beeps;

    static void mixInto(void* user, float* out, int frames) {
        auto* self = static_cast<Player*>(user);
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

    // With `mix` held. Beeps that a device slow to open or stalled by its
    // server did not mix in time are not heard, so that they never pile up to
    // sound all at once.
    void dropStaleBeeps(Clock::time_point now) {
        std::erase_if(beeps, [&](const Voice& v) { return v.stale <= now; });
    }

    // With `mix` held, when no device has played the voices. A sound asked
    // for meanwhile starts from its beginning when the device opens, unless
    // it would have ended by then.
    void forgetWhatEnded() {
        const auto now = Clock::now();
        if (now >= mainEnds) main = Voice{};
        dropStaleBeeps(now);
    }

    // With `state` held.
    void beginOpening() {
        phase = Phase::Opening;
        lastAttempt = Clock::now();
        std::lock_guard lock(mix);
        forgetWhatEnded();
    }

    bool live() { return phase == Phase::Open && !device->lost(); }

    // With `state` held, at each sound, which is heard until `ends`: a
    // missing, lost or idle device is opened again, on the device thread, so
    // that neither the sound nor the game's pace waits for it.
    void keepDevice(Clock::time_point ends) {
        quietFrom = std::max(quietFrom, ends);
        const bool mayRetry = Clock::now() - lastAttempt >= retry;
        switch (phase) {
            case Phase::Open:
                if (!device->lost() || !mayRetry) return;
                phase = Phase::Closing;
                reopen = true;
                break;
            case Phase::Closed:
                if (!idleClosed && !mayRetry) return;
                beginOpening();
                break;
            case Phase::Closing:
                reopen = true;
                return;
            case Phase::Opening:
                return;
        }
        changed.notify_all();
    }

    // The device thread.
    void run() {
        std::unique_lock lock(state);
        for (;;) {
            if (phase == Phase::Opening && !quit) {
                lock.unlock();
                const bool opened = device->open(&Player::mixInto, this);
                std::string driver = opened ? device->driver() : "";
                lock.lock();
                phase = opened ? Phase::Open : Phase::Closed;
                idleClosed = false;
                driverName = std::move(driver);
                std::lock_guard voices(mix);
                // Without a device nothing would ever mix the beeps away.
                if (opened)
                    forgetWhatEnded();
                else
                    beeps.clear();
            } else if (phase == Phase::Closing) {
                lock.unlock();
                device->close();
                lock.lock();
                driverName.clear();
                phase = Phase::Closed;
                if (reopen && !quit) beginOpening();
                reopen = false;
            } else if (quit && phase == Phase::Open) {
                phase = Phase::Closing;
                continue;
            } else if (quit) {
                phase = Phase::Closed;
                finished = true;
                changed.notify_all();
                return;
            } else if (phase == Phase::Open && Clock::now() >= quietFrom + idle) {
                phase = Phase::Closing;
                idleClosed = true;
                continue;
            } else if (phase == Phase::Open) {
                changed.wait_until(lock, quietFrom + idle);
                continue;
            } else {
                changed.wait(lock);
                continue;
            }
            changed.notify_all();
        }
    }
};

}  // namespace

std::unique_ptr<AudioDevice> makeSdlAudioDevice() { return std::make_unique<SdlAudioDevice>(); }

struct SoundEngine::Impl {
    std::shared_ptr<Player> player = std::make_shared<Player>();
    std::thread deviceThread;
    Samples beepSound = makeBeep();
    std::map<std::string, Samples> cache;

    bool live() const {
        std::lock_guard lock(player->state);
        return player->live();
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

SoundEngine::SoundEngine(std::unique_ptr<AudioDevice> device, double retrySeconds, double idleSeconds)
    : impl_(std::make_unique<Impl>()) {
    Player& p = *impl_->player;
    p.device = std::move(device);
    p.retry = seconds(retrySeconds);
    p.idle = seconds(idleSeconds);
    impl_->deviceThread = std::thread([player = impl_->player] { player->run(); });
}

SoundEngine::~SoundEngine() {
    Player& p = *impl_->player;
    std::unique_lock lock(p.state);
    p.quit = true;
    p.changed.notify_all();
    const bool ended = p.changed.wait_for(lock, kEndWait, [&] { return p.finished; });
    lock.unlock();
    // A device thread still inside the sound server is left behind with what
    // it holds; the process ends around it.
    if (ended)
        impl_->deviceThread.join();
    else
        impl_->deviceThread.detach();
}

void SoundEngine::waitForDevice() {
    Player& p = *impl_->player;
    std::unique_lock lock(p.state);
    p.changed.wait(lock, [&] { return p.phase == Phase::Open || p.phase == Phase::Closed; });
}

void SoundEngine::play(const std::string& path, bool wait, const std::function<bool()>& meanwhile) {
    Samples s = impl_->load(path);
    const double length = s ? static_cast<double>(s->size()) / kRate : 0.0;
    const auto start = Clock::now();
    Player& p = *impl_->player;
    {
        std::lock_guard lock(p.mix);
        p.main = Voice{s, 0};
        p.mainEnds = start + seconds(length);
    }
    {
        std::lock_guard lock(p.state);
        p.keepDevice(p.mainEnds);
    }
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
    Player& p = *impl_->player;
    std::lock_guard lock(p.mix);
    p.main = Voice{};
}

void SoundEngine::beep() {
    Player& p = *impl_->player;
    std::lock_guard lock(p.state);
    const auto now = Clock::now();
    p.keepDevice(now + seconds(static_cast<double>(impl_->beepSound->size()) / kRate));
    // A beep waits for a device on its way, as the first tick after a quiet
    // spell does; with none to come it would never be mixed away.
    if (!p.live() && p.phase != Phase::Opening) return;
    std::lock_guard voices(p.mix);
    p.dropStaleBeeps(now);
    p.beeps.push_back(Voice{impl_->beepSound, 0, now + kBeepMayWait});
}

bool SoundEngine::isPlaying() const {
    const bool live = impl_->live();
    Player& p = *impl_->player;
    std::lock_guard lock(p.mix);
    if (p.main.done()) return false;
    return live || Clock::now() < p.mainEnds;
}

std::string SoundEngine::driver() const {
    Player& p = *impl_->player;
    std::lock_guard lock(p.state);
    return p.phase == Phase::Open ? p.driverName : std::string();
}
