#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

class GameFolder;

// The five keys of one figure, as key codes (0 = no key). A new layout has no
// keys at all: players choose them on the options screen.
struct KeyLayout {
  std::int32_t keyLeft = 0;
  std::int32_t keyUp = 0;
  std::int32_t keyRight = 0;
  std::int32_t keyDown = 0;
  std::int32_t keyPlantBomb = 0;

  // Replaces the codes from "<title>.FLK3" if that file exists; a short or
  // damaged file keeps the codes read so far, and a code outside 0..255
  // becomes 0 so that it can never index outside the keyboard snapshot.
  void Load(const GameFolder& folder, std::string_view title);
  IoResult Save(const GameFolder& folder, std::string_view title) const;

  std::string ToFileText() const;
  void ReadFileText(std::string_view text);

  friend bool operator==(const KeyLayout&, const KeyLayout&) = default;
};

std::string KeyLayoutFileName(std::string_view title);

}  // namespace fl3
