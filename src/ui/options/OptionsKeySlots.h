#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameState.h"

namespace fl3 {

// A player's five keys in the order the options window lists them: left, up,
// right, down, plant.
inline constexpr int KeySlotCount = 5;

// slot 0..4.
std::int32_t& KeySlot(KeyLayout& layout, int slot);
std::int32_t KeySlot(const KeyLayout& layout, int slot);
// "Left", "Up", "Right", "Down", "Plant".
const char* KeySlotName(int slot);

struct KeyUse {
  int player = 0;  // 0..3 for players 1..4
  int slot = 0;
  friend bool operator==(const KeyUse&, const KeyUse&) = default;
};

// The other player keys holding the same code as this one, players and slots
// in ascending order. No key (code 0) is never a clash.
std::vector<KeyUse> OtherUsesOfKey(const std::array<Character, FigureCount>& figures, int player, int slot);

// "Same key as: Player #1 Up, Player #3 Left"; empty when there is no clash.
std::string KeyClashText(const std::vector<KeyUse>& others);

}  // namespace fl3
