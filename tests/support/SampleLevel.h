#pragma once
#include <cstdint>

#include "core/LevelFile.h"

namespace fl3::testing {

// A level that uses every part of the file: extreme and negative numbers, a
// figure without a place, every cell and item code of a level, no background
// and a music name with characters beyond ASCII.
inline LevelData SampleLevel() {
  LevelData level;
  level.Figures = {{{1, 2, 3, 4}, {24, 14, 1, 1}, {OffMapPos, OffMapPos, 0, 0}, {-7, 2147483647, -2147483647 - 1, 9}}};
  for (std::size_t i = 0; i < level.TileMap.size(); ++i) {
    level.TileMap[i] = static_cast<std::int32_t>(i % 8) - 1;
    level.ItemMap[i] = static_cast<std::int32_t>(i % 5) - 1;
  }
  level.TileSetNumber = 3;
  level.BackgroundNumber = -1;
  level.LevelMusic = "  Café €.MID";
  return level;
}

}  // namespace fl3::testing
