#include "wordgames/frmEdit.h"

#include <cerrno>

#include "launcher/shared_routines.h"
#include "launcher/shared_words.h"
#include "platform/data_file.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/session_end.h"
#include "platform/text.h"
#include "platform/units.h"

namespace {

constexpr int kMaxTyped = 15;

// What the word box keeps of text that was not typed: the letters, as capitals,
// the same as the key filter makes of typed ones.
QString lettersOnly(const QString& text) {
    QString out;
    for (QChar ch : text) {
        char16_t u = ch.unicode();
        if (u >= 'a' && u <= 'z') u = static_cast<char16_t>(u - 'a' + 'A');
        if (u >= 'A' && u <= 'Z') out += QChar(u);
    }
    return out;
}

// The parent's own list may stand in that file, in a form this program cannot
// read (saved as Unicode text, say, or all on one line): it is kept, and the
// parent learns why the editor did not show it.
void tellKept(const std::string& why, const std::string& path, QWidget* owner) {
    if (sessionEnding()) {
        reportNotSavedAtSessionEnd("word list", path,
                                   "the file there " + why + ", so it has not been replaced");
        return;
    }
    seam().msgBox("The word list file " + QString::fromStdString(why) + ", so it has not been replaced." +
                      QString(kCR) + "The words shown here are kept only until the program ends." + kCR +
                      "Please check this file (plain text, one word a line):" + kCR +
                      QString::fromStdString(path),
                  MsgButtons::OK, MsgIcon::Exclamation, "Quenvale", owner);
}

}  // namespace

frmEdit::frmEdit() : FormWindow(kSpec.name, Kind::Dialog) { applyWindowSpec(*this, kSpec); }

frmEdit& frmEdit::instance() {
    static frmEdit dialog;
    return dialog;
}

void frmEdit::createControls() {
    Form* f = form();
    const QFont big = vbFont("MS Sans Serif", 12);

    fraEdit = new Frame(f, "fraEdit", "Add Word");
    placeTwips(fraEdit, 120, 120, 4575, 1695);
    {
        QPalette p = fraEdit->palette();
        p.setColor(QPalette::Window, bgrColor(0x00FF0000));
        p.setColor(QPalette::WindowText, bgrColor(0x0000FFFF));
        fraEdit->setPalette(p);
        fraEdit->setAutoFillBackground(true);
    }
    txtList = new TextBox(fraEdit, "txtList");
    placeTwips(txtList, 840, 480, 3015, 495);
    txtList->setFont(big);
    txtList->setMaxLength(kMaxTyped);
    txtList->setWidestEntry(QString(kMaxTyped, 'W'));
    {
        // The box's own colours, not the frame's blue and yellow.
        QPalette p = txtList->palette();
        p.setColor(QPalette::Text, Qt::black);
        p.setColor(QPalette::Base, Qt::white);
        txtList->setPalette(p);
    }
    txtList->onKeyPress([this](int& KeyAscii) { txtList_KeyPress(KeyAscii); });
    txtList->setInputFilter(lettersOnly);
    cmdOK = new CommandButton(fraEdit, "cmdOK", "&OK");
    placeTwips(cmdOK, 1200, 1080, 972, 492);
    cmdOK->onClick([this] { cmdOK_Click(); });
    cmdCancel = new CommandButton(fraEdit, "cmdCancel", "&Cancel");
    placeTwips(cmdCancel, 2520, 1080, 972, 492);
    cmdCancel->onClick([this] { cmdCancel_Click(); });
    fraEdit->hide();

    lstList = new ListBox(f, "lstList");
    placeTwips(lstList, 120, 1920, 2775, 3960);
    lstList->setFont(big);
    // The longest word the box takes, in the widest letter.
    lstList->setWidestEntry(QString(kMaxTyped, 'W'));
    lstList->setSorted(true);

    cmdAdd = new CommandButton(f, "cmdAdd", "&Add Word");
    placeTwips(cmdAdd, 3000, 2040, 1695, 495);
    cmdAdd->onClick([this] { cmdAdd_Click(); });
    cmdDelete = new CommandButton(f, "cmdDelete", "&Delete Word");
    placeTwips(cmdDelete, 3000, 2640, 1695, 495);
    cmdDelete->onClick([this] { cmdDelete_Click(); });
    cmdReplace = new CommandButton(f, "cmdReplace", "&Replace Word");
    placeTwips(cmdReplace, 3000, 3240, 1695, 495);
    cmdReplace->onClick([this] { cmdReplace_Click(); });
    cmdExit = new CommandButton(f, "cmdExit", "E&xit");
    placeTwips(cmdExit, 3360, 4080, 972, 492);
    cmdExit->onClick([this] { cmdexit_Click(); });

    setDefaultButton(f, cmdOK);
    setCancelButton(f, cmdExit);
}

void frmEdit::Form_Load() {
    centre();
    // The games load the list before they offer the editor; should it still be
    // unread, saving an empty editor would wipe the child's file.
    if (gWordCount == 0) LoadWordList();
    entries_ = WordListEntries::fromSharedList();
    lstList->Clear();
    for (const std::string& word : entries_.entries()) lstList->AddItem(QString::fromStdString(word));
    EditMode = 0;
    lstList->setListIndex(0);
    lstList->setFocus();
}

void frmEdit::setBrowsing(bool browsing) {
    for (QWidget* w :
         {static_cast<QWidget*>(cmdAdd), static_cast<QWidget*>(cmdDelete), static_cast<QWidget*>(cmdReplace),
          static_cast<QWidget*>(cmdExit), static_cast<QWidget*>(lstList)})
        w->setEnabled(browsing);
    fraEdit->setVisible(!browsing);
}

void frmEdit::showFullMessage() {
    seam().msgBox(
        "List is full.  You need to delete one" + QString(kCR) + "or more words before adding new ones.",
        MsgButtons::OK, MsgIcon::Critical, "Add Word", form());
}

void frmEdit::cmdAdd_Click() {
    if (entries_.full()) {
        showFullMessage();
        return;
    }
    EditMode = 1;
    fraEdit->setTitle("Add Word");
    setBrowsing(false);
    txtList->setText("");
    txtList->setFocus();
}

void frmEdit::cmdReplace_Click() {
    const int selected = lstList->ListIndex();
    if (selected < 0) {
        seam().msgBox("Need to select word to replace.", MsgButtons::OK, MsgIcon::Information, "Replace Word",
                      form());
        return;
    }
    EditMode = 2;
    fraEdit->setTitle("Replace Word");
    setBrowsing(false);
    txtList->setText(lstList->List(selected));
    txtList->setFocus();
}

void frmEdit::cmdDelete_Click() {
    const int selected = lstList->ListIndex();
    if (selected < 0) {
        seam().msgBox("Need to select word to delete.", MsgButtons::OK, MsgIcon::Information, "Delete Word",
                      form());
        return;
    }
    if (lstList->ListCount() == 1) {
        seam().msgBox("You can't delete the last" + QString(kCR) + "word in the list.", MsgButtons::OK,
                      MsgIcon::Exclamation, "Delete Word", form());
        return;
    }
    const MsgAnswer answer = seam().msgBox("Delete: " + lstList->List(selected) + "?", MsgButtons::YesNo,
                                           MsgIcon::Question, "Delete Word", form());
    if (answer != MsgAnswer::Yes) return;
    entries_.remove(selected);
    lstList->RemoveItem(selected);
    lstList->setListIndex(-1);
}

void frmEdit::cmdOK_Click() {
    const std::string text = txtList->Text().toStdString();
    if (EditMode == 1) {
        if (!text.empty()) {
            // The list has room for 500 words and no more: a word that would
            // overflow it is refused as the Add button refuses, and the adding ends.
            if (entries_.full()) {
                showFullMessage();
                cmdCancel_Click();
                return;
            }
            if (entries_.add(text) >= 0) lstList->AddItem(QString::fromStdString(upperCaseWord(text)));
        }
        txtList->setText("");
        txtList->setFocus();
    } else if (EditMode == 2) {
        const int selected = lstList->ListIndex();
        if (!text.empty() && entries_.replace(selected, text))
            lstList->setList(selected, QString::fromStdString(upperCaseWord(text)));
        cmdCancel_Click();
    }
}

void frmEdit::cmdCancel_Click() {
    EditMode = 0;
    setBrowsing(true);
    txtList->setText("");
}

void frmEdit::txtList_KeyPress(int& KeyAscii) {
    if (KeyAscii == vbKeyReturn) {
        cmdOK_Click();
        // The Enter is done with: the window's default button must not take it again.
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == vbKeyBack || (KeyAscii >= 'A' && KeyAscii <= 'Z')) return;
    if (KeyAscii >= 'a' && KeyAscii <= 'z') {
        KeyAscii = KeyAscii - 'a' + 'A';
        return;
    }
    KeyAscii = 0;
    seam().beep();
}

void frmEdit::cmdexit_Click() { Unload(); }

void frmEdit::keepOnClose() {
    const std::string path = FullPath(kWordListFile);
    const WordListSave saved = SaveWordList(entries_.entries());
    const int error = errno;
    switch (saved) {
        case WordListSave::Saved:
            break;
        case WordListSave::NotWritten:
            tellNotSaved("word list", path, error, form());
            break;
        case WordListSave::KeptUnread:
            tellKept("could not be read", path, form());
            break;
        case WordListSave::KeptWithoutWords:
            tellKept("holds no word the games can use", path, form());
            break;
    }
}

void frmEdit::Form_Unload(int&) {
    // Every way of closing the editor comes here, so every way saves.
    keepOnClose();
    EditMode = 0;
}
