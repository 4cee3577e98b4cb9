#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/LevelFile.h"

namespace fl3::art {

// What the boxes of a level hide.
enum class Hidden {
  Random,  // decided when a box burns
  Chosen,  // fixed per box, spread by the level's own seed
};

// One level drawn as text, a character per cell:
//   .  nothing       x y z  box 1, 2, 3       # = @  block 1, 2, 3
//   1 2 3 4  where player 1 to 4 starts, on an empty cell
struct LevelDesign {
  const char* fileName;
  int tileSet;
  int background;  // -1: none
  Hidden hidden;
  std::uint32_t seed;
  const char* music;
  int startBombs;
  int startFire;
  std::array<const char*, 15> rows;
};

const std::vector<LevelDesign>& LevelDesigns();
// The levels drawn for the campaign.
const std::vector<LevelDesign>& CampaignLevelDesigns();

// The level a design describes; a row that is not 25 known characters
// throws std::invalid_argument naming the level.
LevelData BuildLevel(const LevelDesign& design);

}  // namespace fl3::art
