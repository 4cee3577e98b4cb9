#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "GameFolderPictures.h"
#include "core/Grid.h"
#include "core/LevelFile.h"

namespace fl3::testing {
namespace {

const char* const kLevels[] = {"ARENA.FL3",  "CAVERN.FL3", "CROSSFIRE.FL3", "DUEL.FL3",   "GARDEN.FL3",
                               "ISLANDS.FL3", "MAZE.FL3",   "OASIS.FL3",     "SUNRISE.FL3"};

bool IsBox(std::int32_t cell) { return cell >= CellBox1 && cell <= CellBox3; }

bool Walkable(const LevelData& level, int x, int y) {
  if (!OnMap(x, y)) return false;
  const auto cell = level.TileMap[CellIndex(x, y)];
  return cell == CellNothing || cell == CellDoodad;
}

LevelData Load(const std::string& name) {
  LevelData level;
  const auto result = ReadLevelFile(GameDir() / name, level);
  EXPECT_TRUE(result.ok) << name << ": " << result.reason;
  EXPECT_EQ(std::filesystem::file_size(GameDir() / name), kLevelFileSize) << name;
  return level;
}

// Cells a figure can reach from its start once the boxes on the way burn.
std::set<std::pair<int, int>> Reachable(const LevelData& level, int fromX, int fromY) {
  std::set<std::pair<int, int>> seen{{fromX, fromY}};
  std::vector<std::pair<int, int>> todo{{fromX, fromY}};
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
      const int nx = x + dx, ny = y + dy;
      if (!OnMap(nx, ny) || seen.count({nx, ny})) continue;
      const auto cell = level.TileMap[CellIndex(nx, ny)];
      if (cell >= CellBlock1 && cell <= CellBlock3) continue;
      seen.insert({nx, ny});
      todo.push_back({nx, ny});
    }
  }
  return seen;
}

TEST(LevelFiles, EveryLevelLoadsAndEveryFigureCanFightItsWayToTheOthers) {
  for (const char* name : kLevels) {
    const LevelData level = Load(name);
    std::set<std::pair<int, int>> starts;
    for (int i = 0; i < 4; ++i) {
      const FigureStart& f = level.Figures[i];
      ASSERT_TRUE(OnMap(f.X, f.Y)) << name << " figure " << i;
      EXPECT_TRUE(Walkable(level, f.X, f.Y)) << name << " figure " << i;
      const bool canStep = Walkable(level, f.X - 1, f.Y) || Walkable(level, f.X + 1, f.Y) ||
                           Walkable(level, f.X, f.Y - 1) || Walkable(level, f.X, f.Y + 1);
      EXPECT_TRUE(canStep) << name << " figure " << i;
      EXPECT_TRUE(f.PowerBombs >= 0 && f.PowerBombs <= 1) << name;
      EXPECT_TRUE(f.PowerFire >= 1 && f.PowerFire <= 2) << name;
      starts.insert({f.X, f.Y});
    }
    EXPECT_EQ(starts.size(), 4u) << name << ": every figure has its own start cell";
    const auto reach = Reachable(level, level.Figures[0].X, level.Figures[0].Y);
    for (int i = 1; i < 4; ++i)
      EXPECT_TRUE(reach.count({level.Figures[i].X, level.Figures[i].Y})) << name << " figure " << i;
    // Plenty to blow up, and room to walk.
    int boxes = 0, open = 0;
    for (auto cell : level.TileMap) {
      boxes += IsBox(cell);
      open += cell == CellNothing || cell == CellDoodad;
    }
    EXPECT_GE(boxes, 60) << name;
    EXPECT_GE(open, 30) << name;
  }
}

TEST(LevelFiles, CodesPicturesAndMusicAreOnesTheGameHasAndTheSetIsVaried) {
  const std::set<std::string> tunes = {"", "BATTLE.MID", "CAVERN.MID", "SUNRISE.MID"};
  std::set<int> tileSets, backgrounds;
  int withRandomItems = 0, withChosenItems = 0, withMusic = 0;
  for (const char* name : kLevels) {
    const LevelData level = Load(name);
    bool random = false, chosen = false;
    for (int i = 0; i < CellCount; ++i) {
      EXPECT_TRUE(level.TileMap[i] >= CellNothing && level.TileMap[i] <= CellBlock3) << name << " cell " << i;
      EXPECT_TRUE(level.ItemMap[i] >= ItemRandom && level.ItemMap[i] <= ItemFire2) << name << " cell " << i;
      // Only boxes hide anything.
      EXPECT_TRUE(IsBox(level.TileMap[i]) || level.ItemMap[i] == ItemNone) << name << " cell " << i;
      random = random || level.ItemMap[i] == ItemRandom;
      chosen = chosen || level.ItemMap[i] > ItemNone;
    }
    EXPECT_TRUE(std::filesystem::exists(GameDir() / ("A" + std::to_string(level.TileSetNumber) + ".BMP"))) << name;
    if (level.BackgroundNumber >= 0) {
      EXPECT_TRUE(std::filesystem::exists(GameDir() / ("B" + std::to_string(level.BackgroundNumber) + ".BMP")))
          << name;
    }
    EXPECT_TRUE(tunes.count(level.LevelMusic)) << name << " names " << level.LevelMusic;
    tileSets.insert(level.TileSetNumber);
    backgrounds.insert(level.BackgroundNumber);
    withRandomItems += random;
    withChosenItems += chosen;
    withMusic += !level.LevelMusic.empty();
  }
  EXPECT_EQ(tileSets, (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(backgrounds.count(-1));
  EXPECT_GE(backgrounds.size(), 3u);
  EXPECT_GE(withRandomItems, 1);
  EXPECT_GE(withChosenItems, 1);
  EXPECT_GE(withMusic, 3);
}

}  // namespace
}  // namespace fl3::testing
