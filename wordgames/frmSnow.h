#pragma once
// Snow-Man: the child guesses a hidden word letter by letter, clicking the
// letters or typing them; every wrong letter melts the snowman a little more.
// The word comes from the shared word list or from a player in frmInput.
//
// The rules (SnowRules) decide what a pick does; this window turns each step
// into the word's display, the count of guesses left, sounds and the melting.
#include <array>
#include <string>
#include <vector>

#include "launcher/game_window.h"
#include "platform/forms.h"
#include "platform/line_shape.h"
#include "platform/picture_box.h"
#include "wordgames/snow_rules.h"

class frmSnow : public GameWindow {
public:
    static constexpr WindowSpec kSpec{"frmSnow", "Snow-Man", 9345, 6300, 0x00C0C0FF, 6, true};
    static frmSnow& instance();

    bool running() const override { return Game.GameOn == 1; }

    void cmdOK_Click();
    // Index 0 to 25: the letters "A" to "Z".
    void lblLetter_Click(int Index);
    void Form_KeyPress(int& KeyAscii) override;
    // Index 0 "Enter Own Word", 1 "Computer Chooses Word".
    void optComp_Click(int Index);
    void cmdEdit_Click();

    Frame* Frame1 = nullptr;
    std::array<OptionButton*, 2> optComp{};
    CommandButton* cmdEdit = nullptr;
    Button3D* cmdOK = nullptr;
    Frame* fraChoice = nullptr;
    Button3D* cmdExit = nullptr;
    Button3D* cmdHelp = nullptr;
    Label* lblWord = nullptr;
    Label* Label1 = nullptr;
    Label* lblleft = nullptr;
    std::array<Label*, kSnowLetters> lblLetter{};

    PictureBox* picBack = nullptr;
    Shape* shpBody = nullptr;
    Shape* shpHead = nullptr;
    ImageBox* imgEyes = nullptr;
    ImageBox* imgNose = nullptr;
    ImageBox* imgMouth = nullptr;
    std::array<ImageBox*, 3> imgButton{};
    ImageBox* imgHat = nullptr;
    std::array<LineShape*, 3> linLArm{};
    std::array<LineShape*, 3> linRArm{};
    ImageBox* imgStocking = nullptr;
    ImageBox* imgSun = nullptr;
    std::array<Shape*, 6> shpPuddle{};

    // The word under way: what is revealed, the wrong letters, the guesses allowed.
    SnowRules Game;
    std::string HighbingWav, UhohWav, DingWav;

    // Whether part n (1 to 11) of the snowman shows.
    bool partVisible(int n) const;

protected:
    void createControls() override;
    void Form_Load() override;
    void StopGame() override;

private:
    frmSnow();
    void NewWord();
    void MeltStep(const SnowStep& miss);
    void HidePart(int n);
    void setPartVisible(int n, bool visible);
    // The controls of part n: one, or the six lines of the arms.
    std::vector<QWidget*> partControls(int n) const;
    void drawScene();
    void showWord();
};
