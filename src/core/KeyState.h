#pragma once
#include <array>
#include <cstdint>

namespace fl3 {

inline constexpr int kEscapeKey = 1;

// One snapshot of the whole keyboard: byte c is non-zero while the key with
// scan code c is held.
using KeyState = std::array<std::uint8_t, 256>;

inline bool KeyDown(const KeyState& keys, std::int32_t code) {
  return code > 0 && code < 256 && keys[static_cast<std::size_t>(code)] != 0;
}

// Fills a snapshot: the X11 keyboard, Qt key events, or a script.
class KeyboardSource {
 public:
  virtual ~KeyboardSource() = default;
  virtual void ReadKeyboard(KeyState& keys) = 0;
};

}  // namespace fl3
