#pragma once
// What the program tells the desktop's window system directly.
class QWidget;

enum class WindowBoxes {
    None,              // a title bar without boxes: the window is left through its own buttons
    MinimizeAndClose,  // a minimise box and a close box
};

// Sends the window manager both the functions and the decorations of the
// window, since many managers draw their buttons from the decorations alone.
// Does nothing on a platform without a window manager.
void setWindowBoxes(QWidget* window, WindowBoxes boxes);

// What a blocking wait still does. The games' pacing needs clicks, keys, close
// requests and timer ticks held back until the handler that waits is done, and
// they stay queued, in order. But a window that answers nothing for five
// seconds is declared hung by the desktop, which offers to kill it: so the
// window manager's pings are answered and uncovered windows are repainted.
void keepWindowsAlive();

// Input that arrived while a handler waited is held back by the wait; this
// makes the event loop take it up, in order, as soon as the handler returns.
void wakeForHeldInput();
