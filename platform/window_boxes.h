#pragma once
// Which boxes a window's title bar offers, told to the window manager.
class QWidget;

enum class WindowBoxes {
    None,              // a title bar without boxes: the window is left through its own buttons
    MinimizeAndClose,  // a minimise box and a close box
};

// Sends the window manager both the functions and the decorations of the
// window, since many managers draw their buttons from the decorations alone.
// Does nothing on a platform without a window manager.
void setWindowBoxes(QWidget* window, WindowBoxes boxes);
