#pragma once
#include <memory>

#include "core/KeyState.h"

struct _XDisplay;

namespace fl3 {

// The whole keyboard asked of the X server at every read: it reports the keys
// held whichever window has the focus, and key repeat plays no part.
class X11Keyboard : public KeyboardSource {
 public:
  // Null when the application does not run on X11.
  static std::unique_ptr<X11Keyboard> Open();

  void ReadKeyboard(KeyState& keys) override;

 private:
  explicit X11Keyboard(_XDisplay* display) : display_(display) {}

  _XDisplay* display_;  // the application's connection, owned by Qt
};

}  // namespace fl3
