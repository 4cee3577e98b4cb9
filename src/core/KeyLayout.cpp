#include "KeyLayout.h"

#include <array>

#include "FileAccess.h"
#include "GameFolder.h"
#include "TextNumbers.h"

namespace fl3 {
namespace {

constexpr std::size_t kKeyCount = 5;

std::array<std::int32_t*, kKeyCount> Fields(KeyLayout& layout) {
  return {&layout.keyLeft, &layout.keyUp, &layout.keyRight, &layout.keyDown, &layout.keyPlantBomb};
}

std::int32_t UsableKeyCode(std::int32_t code) { return code >= 0 && code <= 255 ? code : 0; }

}  // namespace

std::string KeyLayoutFileName(std::string_view title) { return std::string(title) + ".FLK3"; }

std::string KeyLayout::ToFileText() const {
  return WriteNumberLines({keyLeft, keyUp, keyRight, keyDown, keyPlantBomb});
}

void KeyLayout::ReadFileText(std::string_view text) {
  const auto values = ReadNumberLines(text, kKeyCount);
  const auto fields = Fields(*this);
  for (std::size_t i = 0; i < kKeyCount && values[i]; ++i) *fields[i] = UsableKeyCode(*values[i]);
}

void KeyLayout::Load(const GameFolder& folder, std::string_view title) {
  const auto path = folder.Find(KeyLayoutFileName(title));
  std::string text;
  if (!path || !ReadFileStart(*path, kNumberFileReadLimit, text)) return;
  ReadFileText(text);
}

IoResult KeyLayout::Save(const GameFolder& folder, std::string_view title) const {
  return folder.WriteAtomically(KeyLayoutFileName(title), ToFileText());
}

}  // namespace fl3
