#pragma once
// A recording seam, installed for its lifetime, that lets a test look at the
// window while a pause or a waited sound holds it, and that can add to the log
// what a repainted label said at that moment (CR shown as "|"), since prompts
// are often overwritten before the handler returns.
#include <QChar>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/forms.h"
#include "platform/recording_seam.h"

class WatchingSeam : public RecordingSeam {
public:
    explicit WatchingSeam(bool captionsInLog = false)
        : captionsInLog_(captionsInLog), previous_(currentSeam()) {
        setSeam(this);
    }
    ~WatchingSeam() override { setSeam(previous_); }
    WatchingSeam(const WatchingSeam&) = delete;
    WatchingSeam& operator=(const WatchingSeam&) = delete;

    void repaintNow(QWidget* widget) override {
        RecordingSeam::repaintNow(widget);
        if (!captionsInLog_) return;
        if (auto* label = qobject_cast<Label*>(widget))
            log.back() += " " + label->caption().replace(QChar(13), '|').toStdString();
    }
    void delay(double seconds) override {
        if (duringDelay) duringDelay();
        RecordingSeam::delay(seconds);
    }
    void playSound(const std::string& path, bool wait) override {
        if (wait && duringWaitedSound) duringWaitedSound();
        RecordingSeam::playSound(path, wait);
    }
    std::function<void()> duringDelay;
    std::function<void()> duringWaitedSound;

private:
    bool captionsInLog_;
    Seam* previous_;
};

// The same, with what repainted labels said in the log.
class PromptSeam : public WatchingSeam {
public:
    PromptSeam() : WatchingSeam(true) {}
};
