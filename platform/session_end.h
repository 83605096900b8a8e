#pragma once
// A desktop ends its session by a signal: SIGTERM at logout, SIGHUP when the
// terminal or the session that started the program goes away, SIGINT from a
// terminal. Left to their default these end the program at once, losing what
// it would have saved.
#include <functional>

// From now on those signals run end on the user-interface thread, once, when
// the handler under way (if any) has returned: at the next turn of the event
// loop, or in a modal window's. Waits are cut short meanwhile (see
// sessionEnding), so the end comes promptly. The same signal a second time,
// or any of them once the event loop has ended, ends the program at once as
// the signal does by default: whoever sends it again will not wait, and after
// the loop nothing is left to save. Needs a running QCoreApplication.
void endSessionOnSignals(std::function<void()> end);

// True once such a signal has been taken up: a wait returns at once.
bool sessionEnding();

// Qt's X11 plugin ends the program with exit() when the connection to the X
// server is lost (the session's end can come so), after a warning that is the
// program's only notice: save runs then, on the user-interface thread, and the
// program ends at once with exit()'s status, since tearing down windows without
// a display would crash.
void saveWhenDisplayLost(void (*save)());
