#pragma once
// Everything that waits, sounds, beeps, asks, opens help, repaints at once or
// ends the program passes through this one interface, so the games' pacing can
// be tested on a virtual clock with a log of what happened, in order.
#include <functional>
#include <string>

class QWidget;
class QString;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, YesNo };  // Yes and No: No is the default
enum class MsgAnswer { OK, Cancel, Yes, No };

class Printer;

class Seam {
public:
    virtual ~Seam() = default;

    // Seconds on a steady clock; only differences mean anything.
    virtual double now() = 0;
    // Seconds since midnight, local time, as the random generator's seed.
    virtual double secondsSinceMidnight() = 0;
    // Returns after the given seconds without handling input or timer ticks:
    // clicks, keys and close requests made meanwhile stay queued and are
    // handled afterwards, in order. Waiting for a sound does the same.
    virtual void delay(double seconds) = 0;
    // Waits, as delay() does, for work that another thread does: until done()
    // holds or the seconds have passed, whichever is first. True when done()
    // held.
    virtual bool waitFor(const std::function<bool()>& done, double seconds) = 0;

    // Plays a sound file, replacing any sound still playing. wait: return only
    // when it has ended. A missing or broken file plays nothing, but a waited
    // call still returns as after a sound.
    virtual void playSound(const std::string& path, bool wait) = 0;
    // Stops the sound that is playing, if any.
    virtual void stopSound() = 0;
    // The short warning beep; it sounds over a playing sound without stopping it.
    virtual void beep() = 0;

    virtual MsgAnswer msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                             QWidget* owner) = 0;

    // The help file that the help calls and the F1 key open.
    virtual void setHelpFile(const std::string& path) = 0;
    // Help at a context number, or the contents page.
    virtual void helpContext(int context) = 0;
    virtual void helpContents() = 0;

    // Paints a control now, so what a handler drew shows before it waits.
    virtual void repaintNow(QWidget* widget) = 0;

    // Shows a window modally: returns when it is hidden or closed.
    virtual void runModal(QWidget* window) = 0;

    // The system printer (or its stand-in).
    virtual Printer& printer() = 0;

    // Ends the program at once.
    virtual void endProgram() = 0;
};

Seam& seam();
// The implementation in use, or nullptr.
Seam* currentSeam();
// Installs the implementation in use; the caller keeps ownership.
void setSeam(Seam* s);
