#pragma once
#include "core/KeyState.h"

namespace fl3 {

// The keys pressed since the last snapshot. A key pressed and let go between
// two frames would be missed by a look at the keys held at frame time; kept
// here, it counts as held in the next snapshot, once.
class KeyTaps {
 public:
  void Pressed(int code) {
    if (code > 0 && code < 256) pressed_[static_cast<std::size_t>(code)] = 0x80;
  }

  // Marks every key pressed since the last call as held, then starts afresh.
  void AddTo(KeyState& snapshot) {
    for (std::size_t code = 0; code < snapshot.size(); ++code) snapshot[code] |= pressed_[code];
    pressed_.fill(0);
  }

  void Forget() { pressed_.fill(0); }

 private:
  KeyState pressed_{};
};

}  // namespace fl3
