#pragma once
// What the program tells the desktop's window system directly.
class QWidget;
class QWindow;

enum class WindowBoxes {
    None,              // a title bar without boxes: the window is left through its own buttons
    MinimizeAndClose,  // a minimise box and a close box
};

// Sends the window manager both the functions and the decorations of the
// window, since many managers draw their buttons from the decorations alone.
// Does nothing on a platform without a window manager.
void setWindowBoxes(QWidget* window, WindowBoxes boxes);

// What a blocking wait still does. The games' pacing needs clicks, keys, close
// requests and timer ticks held back until the handler that waits is done
// (see held_input.h). But a window that answers nothing for five seconds is
// declared hung by the desktop, which offers to kill it: so the window
// manager's pings are answered and uncovered windows are repainted.
void keepWindowsAlive();

// Whether a modal window now keeps input from the window, as Qt judges input
// that comes from the window system.
bool blockedByModal(const QWindow* window);

// Keeps the keyboard with a modal dialog: when the window manager gives the
// focus to a window the dialog blocks (after a click on it, or when both come
// back from being minimised), the focus goes on to the dialog, whose control
// that had it before takes the keys again.
void keepFocusOnModalDialogs();
