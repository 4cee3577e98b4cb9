#include <stdexcept>
#include <string>

#include "AssetCatalogue.h"
#include "LevelDesigns.h"
#include "Noise.h"

namespace fl3::art {

namespace {

std::int32_t CellCode(char c) {
  switch (c) {
    case 'x': return CellBox1;
    case 'y': return CellBox2;
    case 'z': return CellBox3;
    case '#': return CellBlock1;
    case '=': return CellBlock2;
    case '@': return CellBlock3;
    case '.':
    case '1':
    case '2':
    case '3':
    case '4': return CellNothing;
    default: throw std::invalid_argument(std::string("unknown cell character '") + c + "'");
  }
}

bool IsBox(std::int32_t code) { return code >= CellBox1 && code <= CellBox3; }

// Chosen items favour fire a little over bombs, and leave many boxes empty.
std::int32_t ChosenItem(Noise& noise) {
  const int roll = noise.Below(100);
  if (roll < 40) return ItemNone;
  if (roll < 65) return ItemBomb;
  if (roll < 90) return ItemFire;
  return ItemFire2;
}

}  // namespace

LevelData BuildLevel(const LevelDesign& d) {
  LevelData level;
  level.TileSetNumber = d.tileSet;
  level.BackgroundNumber = d.background;
  level.LevelMusic = d.music;
  // A figure without a start cell has no place on this level.
  for (auto& figure : level.Figures) figure = {OffMapPos, OffMapPos, d.startBombs, d.startFire};
  Noise noise(d.seed);
  for (int y = 0; y < MapHeight; ++y) {
    const std::string row = d.rows[y];
    if (row.size() != static_cast<std::size_t>(MapWidth))
      throw std::invalid_argument(std::string(d.fileName) + ": row " + std::to_string(y) + " is not 25 cells");
    for (int x = 0; x < MapWidth; ++x) {
      const char c = row[x];
      std::int32_t code = CellNothing;
      try {
        code = CellCode(c);
      } catch (const std::invalid_argument& e) {
        throw std::invalid_argument(std::string(d.fileName) + ": " + e.what());
      }
      level.TileMap[CellIndex(x, y)] = code;
      std::int32_t item = ItemNone;
      if (IsBox(code)) item = d.hidden == Hidden::Random ? ItemRandom : ChosenItem(noise);
      level.ItemMap[CellIndex(x, y)] = item;
      if (c >= '1' && c <= '4') level.Figures[c - '1'] = {x, y, d.startBombs, d.startFire};
    }
  }
  return level;
}

std::vector<LevelFileAsset> AllLevels() {
  std::vector<LevelFileAsset> levels;
  for (const auto& design : LevelDesigns()) levels.push_back({design.fileName, BuildLevel(design)});
  for (const auto& design : CampaignLevelDesigns()) levels.push_back({design.fileName, BuildLevel(design)});
  return levels;
}

}  // namespace fl3::art
