#pragma once
// The LostFocus event of a control: a handler that runs when the control gives
// up the keyboard focus, as a name box does when the child moves on.
#include <functional>

class QWidget;

// Runs handler each time the widget loses the focus while it is alive; the
// focus it loses while being destroyed is not reported.
void onLostFocus(QWidget* widget, std::function<void()> handler);
