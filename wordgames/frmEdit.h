#pragma once
// The word list editor: add, replace and delete words of the shared list; every
// way of closing it writes the list back to "words.txt" and to the shared list.
#include "launcher/game_window.h"
#include "platform/forms.h"
#include "platform/text_controls.h"
#include "wordgames/word_list.h"

class frmEdit : public FormWindow {
public:
    static constexpr WindowSpec kSpec{"frmEdit", "Edit Word List", 4845, 6180, 0x00FFC0C0, 0, false};
    static frmEdit& instance();

    void cmdAdd_Click();
    void cmdReplace_Click();
    void cmdDelete_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void txtList_KeyPress(int& KeyAscii);
    // Closes the editor; the list is saved as it unloads.
    void cmdexit_Click();

    Frame* fraEdit = nullptr;
    TextBox* txtList = nullptr;
    CommandButton* cmdOK = nullptr;
    CommandButton* cmdCancel = nullptr;
    ListBox* lstList = nullptr;
    CommandButton* cmdAdd = nullptr;
    CommandButton* cmdDelete = nullptr;
    CommandButton* cmdReplace = nullptr;
    CommandButton* cmdExit = nullptr;

    // 0 no edit under way, 1 adding, 2 replacing.
    int EditMode = 0;

    // The words as the list shows them, in its order.
    const WordListEntries& entries() const { return entries_; }

protected:
    void createControls() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // Saves the words, to the file and the shared list.
    void keepOnClose() override;

private:
    frmEdit();
    // Leaves browsing (an edit under way) or returns to it.
    void setBrowsing(bool browsing);
    void showFullMessage();
    WordListEntries entries_;
};
