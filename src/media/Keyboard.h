#pragma once
#include <QObject>
#include <memory>

#include "core/KeyState.h"

namespace fl3 {

// The match's keyboard: the X11 whole-keyboard query when the application
// runs on X11, otherwise the key events sent to `window`, which must outlive
// nothing (it may go first). Never null.
std::unique_ptr<KeyboardSource> InitKeyboard(QObject& window);

}  // namespace fl3
