#pragma once
#include <QObject>
#include <memory>

#include "core/KeyState.h"

class QKeyEvent;

namespace fl3 {

// The match's keyboard: the X11 whole-keyboard query when the application
// runs on X11, otherwise the key events sent to `window` (which may be
// destroyed before the keyboard). Either way a key tapped between two reads
// shows in the next one. Never null.
std::unique_ptr<KeyboardSource> InitKeyboard(QObject& window);

// The key code of a key event on this platform, as the match keyboard would
// count it; 0 for a key without one.
int ScanCodeOfKeyEvent(const QKeyEvent& event);

}  // namespace fl3
