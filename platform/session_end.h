#pragma once
// A desktop ends its session by a signal: SIGTERM at logout, SIGHUP when the
// terminal or the session that started the program goes away, SIGINT from a
// terminal. Left to their default these end the program at once, losing what
// it would have saved.
#include <functional>
#include <string>

// From now on those signals run end on the user-interface thread, once, when
// the handler under way (if any) has returned: at the next turn of the event
// loop, or in a modal window's. Waits are cut short meanwhile (see
// sessionEnding), so the end comes promptly. The same signal a second time,
// or any of them once the event loop has ended, ends the program at once as
// the signal does by default: whoever sends it again will not wait, and after
// the loop nothing is left to save. Needs a running QCoreApplication.
void endSessionOnSignals(std::function<void()> end);

// True once such a signal has been taken up, or the display is lost: a wait
// returns at once, and nobody is there to answer a message box.
bool sessionEnding();

// What could not be saved while the session ends, told on standard error
// since no message box would be answered then: what the file holds
// ("settings"), the file, and why. The end is then counted as failed.
void reportNotSavedAtSessionEnd(const std::string& what, const std::string& path, const std::string& why);
// Whether something reported so was lost.
bool sessionEndFailed();

// Qt's X11 plugin ends the program with exit() when the connection to the X
// server is lost (the session's end can come so), after a warning that is the
// program's only notice: save runs then, on the user-interface thread, and the
// program ends at once with exit()'s status, since tearing down windows without
// a display would crash.
void saveWhenDisplayLost(void (*save)());
