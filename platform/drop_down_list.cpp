#include "platform/drop_down_list.h"

#include "platform/fonts.h"

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
