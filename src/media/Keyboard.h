#pragma once
#include <QObject>
#include <memory>

#include "core/KeyState.h"

namespace fl3 {

// The match's keyboard: the X11 whole-keyboard query when the application
// runs on X11, otherwise the key events sent to `window` (which may be
// destroyed before the keyboard). Never null.
std::unique_ptr<KeyboardSource> InitKeyboard(QObject& window);

}  // namespace fl3
