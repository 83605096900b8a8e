#pragma once
// Trim a Tree: players in turn add 1 to MaxAdd ornaments to the tree; whoever
// adds the last one, the star, wins. One child plays the computer, or two
// children take turns at one screen.
//
// The rules (TrimRules) decide what a move does; this window turns each step
// they report into pictures, chimes, prompts and pauses. The computer's whole
// move runs inside the click or key that gave it the turn, so input made
// meanwhile waits in the queue and counts for the child afterwards.
#include <QPicture>
#include <array>
#include <string>

#include "boardgames/trim_rules.h"
#include "launcher/game_window.h"
#include "platform/framed_image_box.h"
#include "platform/picture_box.h"

class frmTrim : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmTrim", "Trim a Tree", 7335, 6720, 0x00FFC0C0, 4, true};
    static frmTrim& instance();

    void cmdNew_Click();
    // A move of Index + 1 ornaments, by a click, a key or the computer.
    void cmdPick_Click(int Index);
    void Form_KeyPress(int& KeyAscii) override;

    bool running() const override { return rules_.GameOn == 1; }
    const TrimRules& rules() const { return rules_; }

    // Controls; spot k (1 to 41) is imgOrnament[k - 1], button i adds i + 1.
    PictureBox* pbox = nullptr;
    ImageBox* Image1 = nullptr;
    Shape* Shape1 = nullptr;
    std::array<FramedImageBox*, kTrimSpots> imgOrnament{};
    Frame* fraBlocks = nullptr;
    std::array<Button3D*, kTrimMostToAdd> cmdPick{};
    Frame* Frame1 = nullptr;
    Label* lblLeft = nullptr;
    Label* lblMessage = nullptr;
    Frame* fraChoice = nullptr;
    Button3D* cmdNew = nullptr;
    Button3D* cmdOptions = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // The nine ornaments and the star, kept for the spots and never shown themselves.
    std::array<QPicture, kTrimOrnamentKinds> imgChoice;
    QPicture imgStar;

    std::string ChimesSound, UhOhSound, TadaSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmTrim();

    // Fills spot k with an ornament picture (0 to 8) or the star (kTrimStar).
    void PlaceOrnament(int k, int picture);
    void ComputerTurn();
    void setMessage(const std::string& text);

    TrimRules rules_;
};
