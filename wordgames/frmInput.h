#pragma once
// The word entry dialog of Snow-Man: one child types a word for another to
// guess. Every way of closing it counts as OK; an empty word leaves the choice
// to the computer from then on.
#include "launcher/game_window.h"
#include "platform/forms.h"
#include "platform/text_controls.h"

class frmInput : public FormWindow {
public:
    // The dialog colour of the classic scheme: button face grey.
    static constexpr WindowSpec kSpec{"frmInput", "Snow-Man Word Entry", 4380, 1890, 0x00C0C0C0, 6, false};
    static frmInput& instance();

    void Form_Activate();
    void txtWord_KeyPress(int& KeyAscii);
    void txtWord_Change();
    void txtWord_LostFocus();
    void cmdOK_Click();
    void cmdCancel_Click();

    Label* Label1 = nullptr;
    TextBox* txtWord = nullptr;
    CommandButton* cmdOK = nullptr;
    CommandButton* cmdCancel = nullptr;

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // No word typed leaves the choice to the computer from then on.
    void keepOnClose() override;

private:
    frmInput();
};
