#pragma once
// Controls for entering and choosing text: a one-line text box with a key
// filter, a list box that can keep its entries sorted, the default and cancel
// buttons of a window (Enter and Escape), and copies of a label for arrays of
// labels created at run time.
#include <QLineEdit>
#include <QListWidget>
#include <QString>
#include <functional>

class QAbstractButton;
class Label;

// A one-line text box. Each typed character first passes the key handler with
// its character code: the handler may change the code (the new character is
// entered instead) or set it to 0 to discard the key. Text that arrives any
// other way (pasted, dropped) passes the input filter instead, when one is set;
// characters that the filter drops sound the warning beep. A long run of
// characters that take no room (zero-width spaces) keeps only its start.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    TextBox(QWidget* parent, const QString& name);
    // The exact text of the box.
    QString Text() const { return text(); }
    // Sets the text; a box that is not being typed in shows it from its first
    // letter, so a long name shows the part a child recognises.
    void setText(const QString& text);
    // At most this many characters; 0 means no limit.
    void setMaxLength(int length);
    void onKeyPress(std::function<void(int& KeyAscii)> handler) { keyPress_ = std::move(handler); }
    // Whatever text the box would hold after an edit is replaced by what the
    // filter makes of it.
    void setInputFilter(std::function<QString(const QString&)> filter);
    // The widest text the box must show whole, once the box is placed; where
    // its font is too wide for it, a narrower one takes its place.
    void setWidestEntry(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    std::function<void(int&)> keyPress_;
    std::function<QString(const QString&)> inputFilter_;
};

// A list of text entries, one of which may be selected. A sorted list puts
// each added entry in front of the first entry that sorts after it (ignoring
// case); an entry whose text is changed stays where it is. The list shows whole
// rows only: once it holds entries, its height is cut down to its last whole
// row.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    ListBox(QWidget* parent, const QString& name);
    void setSorted(bool on) { sorted_ = on; }
    bool sorted() const { return sorted_; }
    // Adds an entry at index, or, with index -1, at its sorted place (sorted
    // list) or at the end; returns the index it went to.
    int AddItem(const QString& item, int index = -1);
    // Removes the entry at index; when it was the selected one, none is selected.
    void RemoveItem(int index);
    void Clear() { clear(); }
    QString List(int index) const;
    void setList(int index, const QString& text);
    int ListCount() const { return count(); }
    // The index of the selected entry, or -1 when none is selected.
    int ListIndex() const;
    // Selects the entry at index; -1 selects none.
    void setListIndex(int index);
    // When an entry becomes the selected one (by the mouse, a key or setListIndex).
    void onClick(std::function<void()> handler);
    void onDblClick(std::function<void()> handler);
    // The widest entry the list must show without a horizontal scroll bar,
    // once the list is placed; where its font is too wide for it, a narrower
    // one takes its place.
    void setWidestEntry(const QString& text);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void fitWholeRows();
    bool sorted_ = false;
    int designedHeight_ = 0;
    bool fitting_ = false;
};

// Enter in the window clicks its default button, unless the focus is on another
// button, which takes the Enter itself; Escape clicks its cancel button. A
// button that is disabled or not showing is not clicked. A control that uses
// the key itself (a text box whose key handler took it) keeps it from the window.
void setDefaultButton(QWidget* window, QAbstractButton* button);
void setCancelButton(QWidget* window, QAbstractButton* button);

// A new label like the template: the same parent, place, size, font, colours,
// border, alignment and caption; hidden, as each new element of a control array
// starts. Its click handler is the caller's to set.
Label* loadLabel(const Label& templ, const QString& name);
