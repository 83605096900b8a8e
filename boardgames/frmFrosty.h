#pragma once
// Build Frosty: one to four named players take turns stopping a flashing
// picture of snowman parts; a lucky stop adds a part to the player's snowman.
// After each full round, everyone whose snowman is complete is listed in the
// results dialog.
#include <array>
#include <string>

#include "boardgames/frosty_rules.h"
#include "launcher/game_window.h"
#include "platform/picture_box.h"
#include "platform/text_controls.h"

class QTimer;

class frmFrosty : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmFrosty", "Build Frosty", 8055, 6795, 0x00FF0000, 3, false};
    static frmFrosty& instance();

    bool running() const override { return rules.GameOn == 1; }

    void optNum_Click(int Index);
    void txtName_LostFocus(int Index);
    void cmdNew_Click();
    void Timer1_Timer();
    void picFlash_Click();
    void picFlash_KeyPress(int& KeyAscii);
    void picFrosty_Paint(int Index);

    void AnnounceTurn();
    void NextPlayer();
    // Shows part n in the flashing picture, with a beep.
    void ShowPart(int n);
    // Draws one snowman part into a box, scaled to the box.
    static void DrawPart(PictureBox& box, int part);

    PictureBox* picFlash = nullptr;
    QTimer* Timer1 = nullptr;
    Frame* Frame1 = nullptr;
    std::array<OptionButton*, 4> optNum{};
    std::array<TextBox*, 5> txtName{};       // 1 to 4
    std::array<PictureBox*, 5> picFrosty{};  // 1 to 4
    Label* Label1 = nullptr;
    ImageBox* Image1 = nullptr;
    Shape* Shape1 = nullptr;
    Label* lblMessage = nullptr;
    Button3D* cmdNew = nullptr;
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    // GameOn, Player, PartCount and HasPart.
    FrostyRules rules;
    std::string TadaSound, UhohSound;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmFrosty();
    void setMessage(const std::string& text);
    void markCurrent(int player, bool current);
};
