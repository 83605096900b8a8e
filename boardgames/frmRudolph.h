#pragma once
// Where's Rudolph?: reindeer hide behind the barn doors; the window names one
// at a time, in writing and by its own voice, and the child clicks the door it
// hides behind. The rules (RudolphRules) keep the doors and decide what a click
// means; this window opens and closes the doors, asks, and paces the sounds.
#include <QImage>
#include <array>
#include <string>

#include "boardgames/rudolph_rules.h"
#include "launcher/game_window.h"
#include "platform/picture_box.h"

class frmRudolph : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmRudolph", "Where's Rudolph?", 8190, 6480, 0x00C0C0C0, 2, false};
    static frmRudolph& instance();

    void cmdNew_Click();
    // A click on door Index (1 to 9).
    void picHidden_Click(int Index);
    // Ends the peek: the doors close and the first question is asked.
    void cmdClose_Click();
    // Asks for a reindeer not found yet, chosen among the N left.
    void Next_One(int N);

    bool running() const override { return rules_.GameOn == 1; }
    const RudolphRules& rules() const { return rules_; }

    // Controls; arrays keep the designed indices (element 0 unused).
    PictureBox* picBack = nullptr;
    std::array<PictureBox*, kRudolphDoors + 1> picHidden{};
    std::array<Label*, kRudolphDoors + 1> lblName{};
    PictureBox* picDisplay = nullptr;
    Button3D* cmdClose = nullptr;
    Frame* Frame1 = nullptr;
    Label* Label1 = nullptr;
    Label* lblGuess = nullptr;
    ImageBox* imgElf = nullptr;
    ImageBox* Image1 = nullptr;
    std::array<Shape*, 4> Shape1{};
    Frame* fraChoice = nullptr;
    Button3D* cmdNew = nullptr;
    Button3D* cmdOptions = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // The reindeer's pictures, read at load; a picture that cannot be read is
    // left empty and its door opens on the stall and the name alone.
    std::array<QImage, kRudolphDoors + 1> picChoice;
    std::array<std::string, kRudolphDoors + 1> Names;
    std::array<std::string, kRudolphDoors + 1> NameSound;
    std::array<std::string, 3> Praise;
    std::string UhOhSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmRudolph();

    void CloseDoor(int d);
    void ShowReindeer(PictureBox* box, int r, int d);
    void ShowAll(int n);
    void AskFor(int r);
    // Clears the question box and prints the lines centred, from a fifth of its height down.
    void showLines(const QString& first, const QString& second);

    RudolphRules rules_;
};
