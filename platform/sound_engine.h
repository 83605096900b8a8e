#pragma once
// Sound on SDL's audio subsystem: one main voice, replaced by each new sound,
// and beeps that sound over it. Keeps playing while the user-interface thread
// is blocked, since mixing happens on SDL's own audio thread.
#include <functional>
#include <memory>
#include <string>

class SoundEngine {
public:
    SoundEngine();
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Plays a file (found ignoring case), replacing the main voice. A missing or
    // broken file plays nothing. wait: return when it has ended (at most its
    // length plus two seconds, should the device stall), calling meanwhile
    // again and again while it waits.
    void play(const std::string& path, bool wait, const std::function<void()>& meanwhile = {});
    void stop();
    void beep();
    bool isPlaying() const;
    // The name of the audio driver in use ("dummy" when no device could be opened).
    std::string driver() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
