#pragma once
// The seam as the program uses it: SDL for sound, Qt for the rest.
#include <memory>

#include "platform/seam.h"

class SoundEngine;

class RealSeam : public Seam {
public:
    RealSeam();
    ~RealSeam() override;

    double now() override;
    double secondsSinceMidnight() override;
    void delay(double seconds) override;
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

    SoundEngine& sound();

private:
    std::unique_ptr<SoundEngine> sound_;
    std::unique_ptr<Printer> printer_;
};
