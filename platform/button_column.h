#pragma once
// The command buttons that windows build alike: a window's column (or row)
// of buttons such as New Game, Options, Help and Exit, and a dialog's OK
// button. The window gives the names, captions and places; these only spare
// it the arithmetic.
#include <QFont>
#include <functional>
#include <optional>

#include "platform/forms.h"

// Buttons of one size, each a fixed step from the one before, in one font.
class ButtonColumn {
public:
    // The first button at (left, top) in twips, each next one (stepLeft,
    // stepTop) further on; without a font the buttons keep the parent's.
    ButtonColumn(QWidget* parent, double left, double top, double width, double height, double stepLeft,
                 double stepTop, std::optional<QFont> font = std::nullopt);

    // The next button of the column: a 3-D button, or a plain push button
    // (CommandButton) in a window whose buttons are plain.
    template <class Button = Button3D>
    Button* add(const char* name, const char* caption) {
        auto* b = new Button(parent_, name, caption);
        placeNext(b);
        return b;
    }

private:
    void placeNext(QWidget* button);

    QWidget* parent_;
    double left_, top_, width_, height_, stepLeft_, stepTop_;
    std::optional<QFont> font_;
    int count_ = 0;
};

// A dialog's "&OK" button, of the one size the dialogs' OK buttons share, at
// (left, top) of parent in twips.
CommandButton* makeOkButton(QWidget* parent, double left, double top, std::function<void()> onClick);
