#include "LevelValues.h"

#include <string>

namespace fl3 {
namespace {

bool UsableCoordinate(std::int32_t value, int size) { return (value >= 0 && value < size) || value == OffMapPos; }

std::string Cell(int index) {
  return "cell (" + std::to_string(index % MapWidth) + ", " + std::to_string(index / MapWidth) + ")";
}

}  // namespace

IoResult CheckLevelValues(const LevelData& level) {
  for (std::size_t i = 0; i < level.Figures.size(); ++i) {
    const FigureStart& start = level.Figures[i];
    if (UsableCoordinate(start.X, MapWidth) && UsableCoordinate(start.Y, MapHeight)) continue;
    return IoResult::Failure("player " + std::to_string(i + 1) + "'s start (" + std::to_string(start.X) + ", " +
                             std::to_string(start.Y) + ") lies off the field (x 0 to 24, y 0 to 14, 50 for no place)");
  }
  for (int i = 0; i < CellCount; ++i) {
    const std::int32_t code = level.TileMap[static_cast<std::size_t>(i)];
    if (code < CellNothing || code > CellBlock3) {
      return IoResult::Failure(Cell(i) + " holds the tile code " + std::to_string(code) +
                               ", which no level can hold (-1 to 6)");
    }
  }
  for (int i = 0; i < CellCount; ++i) {
    const std::int32_t code = level.ItemMap[static_cast<std::size_t>(i)];
    if (code < ItemRandom || code > ItemFire2) {
      return IoResult::Failure(Cell(i) + " hides the item code " + std::to_string(code) +
                               ", which no level can hold (-1 to 3)");
    }
  }
  return IoResult::Success();
}

}  // namespace fl3
