#pragma once
// The test implementation of the seam: logs every call in order, answers
// message boxes from a script, and keeps a virtual clock that pauses and
// waited sounds advance at once, so no test sleeps.
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/seam.h"

class RecordingPrinter;

struct MsgBoxRecord {
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
    QString title;
};

class RecordingSeam : public Seam {
public:
    RecordingSeam();
    ~RecordingSeam() override;

    double now() override { return clock; }
    double secondsSinceMidnight() override { return midnightOffset + clock; }
    void delay(double seconds) override;
    // Logged "wait 1: done" or "wait 1: gave up"; see waitGivesUpWhen.
    bool waitFor(const std::function<bool()>& done, double seconds) override;
    void playSound(const std::string& path, bool wait) override;
    void stopSound() override;
    void beep() override;
    MsgAnswer msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                     QWidget* owner) override;
    void setHelpFile(const std::string& path) override;
    void helpContext(int context) override;
    void helpContents() override;
    void repaintNow(QWidget* widget) override;
    void runModal(QWidget* window) override;
    Printer& printer() override;
    void endProgram() override;

    // Log lines, for example "sound uhoh.wav wait", "stop", "delay 1", "beep",
    // "msgbox Print Puzzle: Cancel", "help 13", "help contents", "repaint lblMessage",
    // "modal optMatch", "wait 1: done", "end". Sound and help files are named without their folder.
    std::vector<std::string> log;
    // Returns the log so far and starts a new one.
    std::vector<std::string> take();

    std::vector<MsgBoxRecord> boxes;
    // Answers for the next message boxes, in order; when none is left the
    // box's default button answers (OK, or No for Yes and No).
    std::deque<MsgAnswer> answers;
    // What happens while the next modal windows are shown, in order; the window
    // is hidden afterwards if the action left it showing.
    std::deque<std::function<void(QWidget*)>> modalActions;
    // The work waited for runs on a real thread, so a wait lasts in real time
    // until the work is done, or until this holds (the moment a test says the
    // time is up), or at most a minute so that no test hangs. A wait that
    // gives up advances the clock by its seconds.
    std::function<bool()> waitGivesUpWhen;
    // Seconds that a waited sound lasts when its file cannot be read.
    double missingSoundSeconds = 0.0;

    double clock = 0.0;
    double midnightOffset = 36000.0;
    bool ended = false;
    std::string helpFile;
    RecordingPrinter& recordingPrinter();

private:
    std::unique_ptr<RecordingPrinter> printer_;
};

// Installs a recording seam for the lifetime of the guard.
class ScopedRecordingSeam {
public:
    ScopedRecordingSeam();
    ~ScopedRecordingSeam();
    RecordingSeam* operator->() { return &seam_; }
    RecordingSeam& operator*() { return seam_; }

private:
    RecordingSeam seam_;
    Seam* previous_;
};
