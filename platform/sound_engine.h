#pragma once
// Sound on SDL's audio subsystem: one main voice, replaced by each new sound,
// and beeps that sound over it. Keeps playing while the user-interface thread
// is blocked, since mixing happens on the device's own thread.
#include <functional>
#include <memory>
#include <string>

// The sound device as the engine sees it: SDL's, or a stand-in in tests.
class AudioDevice {
public:
    // Fills frames mono samples at the engine's rate; called on the device's thread.
    using Mixer = void (*)(void* user, float* out, int frames);
    virtual ~AudioDevice() = default;
    // Opens the device and starts it calling mix; false when there is none.
    // Runs on the engine's device thread, never with another call under way.
    virtual bool open(Mixer mix, void* user) = 0;
    // True once the open device was taken away (its sound server ended).
    // Asked on the user-interface thread, never while the device opens or closes.
    virtual bool lost() = 0;
    // Runs on the engine's device thread; may hang on a hung sound server.
    virtual void close() = 0;
    virtual std::string driver() const = 0;
};

std::unique_ptr<AudioDevice> makeSdlAudioDevice();

class SoundEngine {
public:
    // The device opens on a thread of its own, so the caller goes on at once
    // (a failed attempt alone can take a tenth of a second); sounds asked for
    // meanwhile start when it is open. A device that is missing or was lost is
    // opened again, on that thread, at a sound at least retrySeconds after the
    // last attempt. Once nothing has played for idleSeconds the device is let
    // go, so that a silent program costs nothing, and the next sound opens it
    // again at once. The engine's end waits no more than 0.3 s for the device
    // to close, whatever the sound server does; a device thread held up in the
    // server is left behind.
    explicit SoundEngine(std::unique_ptr<AudioDevice> device = makeSdlAudioDevice(),
                         double retrySeconds = 2.0, double idleSeconds = 3.0);
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Plays a file (found ignoring case), replacing the main voice. A missing or
    // broken file plays nothing. wait: return when it has ended (at most its
    // length plus two seconds, should the device stall; exactly its length
    // without a device), calling meanwhile again and again while it waits; a
    // meanwhile that returns false ends the wait at once.
    void play(const std::string& path, bool wait, const std::function<bool()>& meanwhile = {});
    void stop();
    void beep();
    bool isPlaying() const;
    // The name of the audio driver in use, empty while no device is open.
    std::string driver() const;
    // Returns when an opening or a closing under way has ended.
    void waitForDevice();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
