#pragma once
#include <array>

#include "core/GameState.h"
#include "core/KeyState.h"
#include "ui/options/OptionsKeySlots.h"

namespace fl3 {

enum class KeyTestMark {
  NoKey,        // the slot has no key
  Up,           // not held, and its player holds none of their keys
  Held,         // reported held
  NotReported,  // its player holds other keys, so this one should be held too
};

using KeyTestMarks = std::array<std::array<KeyTestMark, KeySlotCount>, FigureCount>;

// The key test asks every player to hold all five keys at once: a player who
// holds any of them is taking part, and their keys the keyboard does not
// report are the ones it cannot tell apart in that combination.
KeyTestMarks MarkKeyTest(const std::array<Character, FigureCount>& figures, const KeyState& keys);

}  // namespace fl3
