#pragma once
// A drop-down list: the child opens it and picks one of its entries; nothing
// can be typed into it.
#include <QComboBox>
#include <QString>
#include <functional>

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    DropDownList(QWidget* parent, const QString& name);

    // Appends an entry; returns its index.
    int AddItem(const QString& item);
    void Clear() { clear(); }
    int ListCount() const { return count(); }
    // Entry i's text; empty outside the list.
    QString List(int index) const;
    // The selected entry, or -1 when none is.
    int ListIndex() const { return currentIndex(); }
    // Selects entry i (-1 selects none). Selecting an entry runs the click
    // handler, whether the program or the child selects it.
    void setListIndex(int index);
    // The selected entry's text; empty when none is selected.
    QString Text() const { return currentText(); }
    void onClick(std::function<void()> handler) { clicked_ = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::function<void()> clicked_;
};
