#pragma once
// Santa's Sleigh: steer the sleigh one column left or right through gates of
// trees while the snowy hill scrolls up past it.
//
// The rules (SledRules) decide what each tick, steering step and judged gate
// does; this window turns the steps they report into cell copies, scrolls,
// sounds and pauses, in order. The hill is never redrawn from the course: it
// changes only by copying a prepared sprite into a cell and by moving the
// whole picture up a row onto itself.
#include <array>
#include <string>

#include "actiongames/sled_rules.h"
#include "launcher/game_window.h"
#include "platform/picture_box.h"

class QTimer;

class frmSled : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmSled", "Santa's Sleigh", 8250, 6090, 0x00FFFFFF, 9, false};
    static frmSled& instance();

    bool running() const override { return rules.RunOn == 1; }

    void optDiff_Click(int Index);
    // New Run, then Go.
    void cmdCommand_Click();
    // One step of the run, every 100 ms from Go.
    void Timer1_Timer();
    // Left and right arrows steer as the left and right mouse buttons do.
    void picHill_KeyDown(int& KeyCode, int Shift);
    void picHill_MouseDown(int Button, int Shift, double X, double Y);
    // A click on the message panel steers too.
    void lblMessage_MouseDown(int Button, int Shift, double X, double Y);

    // Copies the top-left cell of a sprite onto cell (X, Y) of the hill.
    void DrawCell(const PictureBox& Sprite, int X, int Y);
    // Moves the hill up one row and blanks the bottom row.
    void ScrollHill();

    Shape* Shape1 = nullptr;
    PictureBox* picHill = nullptr;
    PictureBox* picSled = nullptr;
    PictureBox* picTree = nullptr;
    PictureBox* picRock = nullptr;
    PictureBox* picBlank = nullptr;
    Label* lblMessage = nullptr;
    Button3D* cmdCommand = nullptr;
    Frame* Frame1 = nullptr;
    std::array<OptionButton*, 6> optDiff{};
    Frame* fraChoice = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;
    QTimer* Timer1 = nullptr;

    // The run's state and course; it keeps its values while the window is unloaded.
    SledRules rules;
    // The hill's cells, set at load.
    SledGrid grid;
    std::string ScrapeSound, CrashSound, MissSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmSled();

    // New Run: a clean hill with the sleigh waiting at its top.
    void PrepareRun();
    void Go();
    const PictureBox& spriteBox(SledSprite sprite) const;
    // Draws a sprite from its picture file, or from its designed outline when
    // the file cannot be read.
    void drawSprite(PictureBox* box, SledSprite sprite);
    void setMessage(const QString& text);
};
