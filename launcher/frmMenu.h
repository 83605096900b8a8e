#pragma once
// The menu: the program's first and central window.
#include <array>
#include <functional>
#include <string>

#include "platform/forms.h"

class frmMenu : public FormWindow {
public:
    static frmMenu& instance();

    // The game windows the menu opens, by button index; a button whose game is
    // not registered stays disabled.
    static void registerGame(int index, std::function<FormWindow&()> window);
    static void clearGames();
    // The program's folder; the executable's folder unless a test sets another.
    static void setProgramFolder(const std::string& folder);

    void cmdChoice_Click(int Index);
    void cmdHelp_Click();
    void cmdexit_Click();
    // What the exit writes, for a program that ends without it (the X
    // connection lost): nothing when the exit has run or the settings were
    // never read.
    static void saveOwedSettings();

    // True when start-up could not read the settings and the program ended.
    bool startFailed() const { return startFailed_; }

    ImageBox* Image1 = nullptr;
    Shape* Shape1 = nullptr;
    std::array<Button3D*, 15> cmdChoice{};
    Button3D* cmdHelp = nullptr;
    Button3D* cmdExit = nullptr;

    static const std::array<const char*, 15> kCaptions;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    frmMenu();
    bool startFailed_ = false;
};
