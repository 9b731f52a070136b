#pragma once

#include <functional>

class QWidget;

namespace dentivel {

// Calls `entered` each time the user moves the focus into `input`: a click,
// Tab, a shortcut, or the program putting it there. Not when the focus merely
// comes back with its window (a message box closing, the user returning from
// another window) or from the input's own drop-down list: a result that was
// just shown must not vanish then.
void onFocusEntered(QWidget* input, std::function<void()> entered);

} // namespace dentivel
