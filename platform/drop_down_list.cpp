#include "platform/drop_down_list.h"

#include <QKeyEvent>

#include "platform/fonts.h"
#include "platform/forms.h"

DropDownList::DropDownList(QWidget* parent, const QString& name) : QComboBox(parent) {
    setObjectName(name);
    setEditable(false);
    setFont(vbFont("MS Sans Serif", 8.25, true));
    // The child's pick, even of the entry already selected, counts as a click.
    connect(this, &QComboBox::activated, this, [this](int) {
        if (clicked_) clicked_();
    });
}

int DropDownList::AddItem(const QString& item) {
    addItem(item);
    return count() - 1;
}

QString DropDownList::List(int index) const {
    return index >= 0 && index < count() ? itemText(index) : QString();
}

void DropDownList::setListIndex(int index) {
    if (index < -1 || index >= count()) index = -1;
    setCurrentIndex(index);
    if (index >= 0 && clicked_) clicked_();
}

void DropDownList::keyPressEvent(QKeyEvent* e) {
    // A letter picks the first entry it starts, but Alt with it is a mnemonic.
    if (isMnemonicKey(e)) {
        e->ignore();
        return;
    }
    QComboBox::keyPressEvent(e);
}
