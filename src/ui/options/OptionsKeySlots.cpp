#include "ui/options/OptionsKeySlots.h"

namespace fl3 {

namespace {

constexpr std::int32_t KeyLayout::*kSlotFields[KeySlotCount] = {
    &KeyLayout::keyLeft, &KeyLayout::keyUp, &KeyLayout::keyRight, &KeyLayout::keyDown, &KeyLayout::keyPlantBomb};

}  // namespace

std::int32_t& KeySlot(KeyLayout& layout, int slot) { return layout.*kSlotFields[slot]; }

std::int32_t KeySlot(const KeyLayout& layout, int slot) { return layout.*kSlotFields[slot]; }

const char* KeySlotName(int slot) {
  static constexpr const char* kNames[KeySlotCount] = {"Left", "Up", "Right", "Down", "Plant"};
  return slot >= 0 && slot < KeySlotCount ? kNames[slot] : "";
}

std::vector<KeyUse> OtherUsesOfKey(const std::array<Character, FigureCount>& figures, int player, int slot) {
  std::vector<KeyUse> others;
  const std::int32_t code = KeySlot(figures[static_cast<std::size_t>(player)].Keys, slot);
  if (code == 0) return others;
  for (int p = 0; p < FigureCount; ++p) {
    for (int s = 0; s < KeySlotCount; ++s) {
      if (p == player && s == slot) continue;
      if (KeySlot(figures[static_cast<std::size_t>(p)].Keys, s) == code) others.push_back({p, s});
    }
  }
  return others;
}

std::string KeyClashText(const std::vector<KeyUse>& others) {
  if (others.empty()) return {};
  std::string text = "Same key as: ";
  for (std::size_t i = 0; i < others.size(); ++i) {
    if (i > 0) text += ", ";
    text += "Player #" + std::to_string(others[i].player + 1) + " " + KeySlotName(others[i].slot);
  }
  return text;
}

}  // namespace fl3
