#include "ui/options/KeyTestMarks.h"

#include <algorithm>

namespace fl3 {

KeyTestMarks MarkKeyTest(const std::array<Character, FigureCount>& figures, const KeyState& keys) {
  KeyTestMarks marks{};
  for (std::size_t player = 0; player < marks.size(); ++player) {
    const KeyLayout& layout = figures[player].Keys;
    std::array<bool, KeySlotCount> held{};
    for (int slot = 0; slot < KeySlotCount; ++slot) held[static_cast<std::size_t>(slot)] = KeyDown(keys, KeySlot(layout, slot));
    const bool takingPart = std::find(held.begin(), held.end(), true) != held.end();
    for (int slot = 0; slot < KeySlotCount; ++slot) {
      const auto at = static_cast<std::size_t>(slot);
      if (KeySlot(layout, slot) <= 0 || KeySlot(layout, slot) > 255) {
        marks[player][at] = KeyTestMark::NoKey;
      } else if (held[at]) {
        marks[player][at] = KeyTestMark::Held;
      } else {
        marks[player][at] = takingPart ? KeyTestMark::NotReported : KeyTestMark::Up;
      }
    }
  }
  return marks;
}

}  // namespace fl3
