#include "wordgames/frmInput.h"

#include "launcher/shared_settings.h"
#include "launcher/shared_words.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "wordgames/word_list.h"

namespace {

constexpr int kMaxTyped = 15;

// Text that arrives without typing (pasted, dropped) keeps only its letters,
// as capitals, so the word can always be guessed with the letters offered.
QString lettersOnly(const QString& text) {
    const std::string upper = upperCaseWord(text.toStdString());
    QString out;
    for (char c : upper)
        if (c >= 'A' && c <= 'Z') out += QChar(c);
    return out;
}

}  // namespace

frmInput::frmInput() : FormWindow(kSpec.name, Kind::Dialog) { applyWindowSpec(*this, kSpec); }

frmInput& frmInput::instance() {
    static frmInput dialog;
    return dialog;
}

void frmInput::createControls() {
    Form* f = form();
    Label1 = new Label(f, "Label1", "Enter Your Word:");
    placeTwips(Label1, 240, 150, 3900, 330);
    Label1->setFont(vbFont("MS Sans Serif", 9.75, true));
    Label1->setTransparent(true);

    txtWord = new TextBox(f, "txtWord");
    placeTwips(txtWord, 240, 510, 3900, 495);
    txtWord->setFont(vbFont("MS Sans Serif", 12));
    txtWord->setMaxLength(kMaxTyped);
    txtWord->onKeyPress([this](int& KeyAscii) { txtWord_KeyPress(KeyAscii); });
    txtWord->setInputFilter(lettersOnly);
    QObject::connect(txtWord, &QLineEdit::textChanged, txtWord, [this] { txtWord_Change(); });
    QObject::connect(txtWord, &QLineEdit::editingFinished, txtWord, [this] { txtWord_LostFocus(); });

    cmdOK = makeOkButton(f, 960, 1200, [this] { cmdOK_Click(); });
    cmdCancel = new CommandButton(f, "cmdCancel", "&Cancel");
    placeTwips(cmdCancel, 2325, 1200, 1095, 495);
    cmdCancel->onClick([this] { cmdCancel_Click(); });
}

void frmInput::Form_Load() {
    centre();
    txtWord->setText("");
    // The empty box is what OK takes: a word from an earlier game is not reused
    // behind the child's back.
    gSnowWord.clear();
    Form_Activate();
}

void frmInput::Form_Activate() { txtWord->setFocus(); }

void frmInput::txtWord_KeyPress(int& KeyAscii) {
    if (KeyAscii == vbKeyBack || (KeyAscii >= 'A' && KeyAscii <= 'Z')) return;
    if (KeyAscii >= 'a' && KeyAscii <= 'z') {
        KeyAscii = KeyAscii - 32;
        return;
    }
    KeyAscii = 0;
    seam().beep();
}

void frmInput::txtWord_Change() { gSnowWord = txtWord->Text().toStdString(); }

void frmInput::txtWord_LostFocus() { gSnowWord = txtWord->Text().toStdString(); }

void frmInput::cmdOK_Click() { Unload(); }

void frmInput::cmdCancel_Click() {
    gSnowWord.clear();
    cmdOK_Click();
}

void frmInput::Form_Unload(int&) {
    // Every way of closing comes here, so each counts as OK, once. The box
    // losing the focus as the dialog goes must not bring back a cancelled word.
    txtWord->blockSignals(true);
    keepOnClose();
}

void frmInput::keepOnClose() {
    if (gSnowWord.empty()) gSnowComputerWord = 1;
}
