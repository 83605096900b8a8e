#pragma once
// What every game window and options dialog shares: placing itself, seeding
// the random numbers, the Exit/Stop button, returning to the menu, help, and
// the options dialog's pattern.
#include <QAbstractButton>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/forms.h"

struct WindowSpec {
    const char* name;
    const char* caption;
    int clientWidth, clientHeight;  // twips
    std::uint32_t backColor;        // 0x00BBGGRR
    int helpContextID;
    bool keyPreview;
};

class OptionsDialog;

class GameWindow : public FormWindow {
public:
    explicit GameWindow(const WindowSpec& spec, OptionsDialog* options = nullptr);

    // Help at the window's context number.
    void cmdHelp_Click();
    // Stops the game when one runs; else leaves the window for the menu.
    void cmdexit_Click();
    // Shows the options dialog modally.
    void cmdOptions_Click();
    // A close request from the system acts as the exit button, so the menu is
    // never left hidden with no window shown.
    void closeRequested() override { cmdexit_Click(); }

    virtual bool running() const = 0;
    OptionsDialog* options() const { return options_; }

protected:
    // Stops the game under way: the game's own part, then its running flag to 0
    // and endRunning() for the frame's part.
    virtual void StopGame() = 0;

    // Connects the frame's own buttons to their handlers; the exit button is
    // also the one whose caption turns to "&Stop".
    void connectFrameButtons(QAbstractButton* help, QAbstractButton* exit,
                             QAbstractButton* options = nullptr);
    // Seeds the shared random generator from the clock.
    static void seedFromClock();
    // Loads the options dialog without showing it.
    void loadOptions();
    // The frame's part of starting: "&Stop" on the exit button, the start button
    // and the others that must not change during a game disabled.
    void beginRunning();
    // The frame's part of stopping: the exit button's caption back, the disabled
    // buttons enabled again.
    void endRunning();
    // Controls disabled while a game runs (the start button among them).
    std::vector<QWidget*> lockedWhileRunning;
    QAbstractButton* exitButton = nullptr;
    // "E&xit" in most windows, "&Exit" in some.
    QString exitCaption = "E&xit";

private:
    OptionsDialog* options_;
};

class OptionsDialog : public FormWindow {
public:
    explicit OptionsDialog(const WindowSpec& spec);
    // Hides the dialog; it stays loaded with its controls as they are.
    virtual void cmdOK_Click();

protected:
    // A close request acts as OK, then the dialog unloads.
    void Form_Unload(int& Cancel) override;
};

// Applies a window's caption, size, colour, help number and key preview.
void applyWindowSpec(FormWindow& w, const WindowSpec& spec);
