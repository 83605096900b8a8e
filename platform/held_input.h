#pragma once
// Input that comes while a handler waits (a pause, a sound played to its end).
//
// The games' pacing needs clicks and keys held back until the handler that
// waits has returned, and handed out then, in order. But each is judged as the
// windows stood when it was made: a click goes to the control that was under
// the pointer then, and is dropped when that control was disabled; a click on
// the bare window stays a click on the bare window, even when the handler has
// since shown a button there. A key goes to the control that had the focus
// then, and is dropped when that control is disabled or hidden by the time it
// is handed out. A key that stands for a control is judged as that control
// stood, as a click on it is: a mnemonic presses the button that had it then,
// and a key marked with keyStandsFor is dropped when its control was disabled
// or hidden. The repeats of a key held down are handed out as one press, the
// first, as the window system does for a program too busy to take them.

// Starts following the input, so that a wait knows which control took a
// press made before it. Called when the first window is made.
void followInput();

class QEvent;
class QWidget;

// One round of the window system's events for a waiting handler: repaints,
// window-manager messages and posted events are handled now, user input is
// looked at and kept, timer ticks wait.
void processEventsHoldingInput();

// Hands out the kept input as soon as the handler that waited has returned.
void handOutHeldInput();

// A modal window that a handler shows (a message box, a dialog) while it is
// up. Input held by a wait before it stays held until that handler has
// returned, as after any wait, rather than coming to windows the modal one
// blocks; input made in the modal window goes to it at once.
class ShowingModal {
public:
    ShowingModal();
    ~ShowingModal();
    ShowingModal(const ShowingModal&) = delete;
    ShowingModal& operator=(const ShowingModal&) = delete;
};

// The control a held key event is being handed to (the control that had the
// focus when the key was made, which may have lost it since); null for any
// other event.
QWidget* heldKeyTarget(const QEvent* e);
