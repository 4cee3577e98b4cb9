#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/Grid.h"
#include "core/LevelFile.h"

namespace fl3::testing {
namespace {

using Cells = std::set<std::pair<int, int>>;

bool IsBox(std::int32_t cell) { return cell >= CellBox1 && cell <= CellBox3; }
bool IsOpen(std::int32_t cell) { return cell == CellNothing || cell == CellDoodad; }

// Cells a figure can reach from (x, y) once the boxes on the way burn.
Cells Reachable(const LevelData& level, int x, int y) {
  Cells seen{{x, y}};
  std::vector<std::pair<int, int>> todo{{x, y}};
  while (!todo.empty()) {
    const auto [cx, cy] = todo.back();
    todo.pop_back();
    for (auto [nx, ny] : {std::pair{cx + 1, cy}, std::pair{cx - 1, cy}, std::pair{cx, cy + 1}, std::pair{cx, cy - 1}}) {
      if (!OnMap(nx, ny) || seen.count({nx, ny})) continue;
      const auto cell = level.TileMap[CellIndex(nx, ny)];
      if (cell >= CellBlock1 && cell <= CellBlock3) continue;
      seen.insert({nx, ny});
      todo.push_back({nx, ny});
    }
  }
  return seen;
}

// The shipped levels: each loads, uses only codes, pictures and tunes the game
// has, lets every figure step off its own start and fight its way to the
// others, and has plenty to blow up; together they vary.
TEST(LevelFiles, EveryLevelIsPlayableAndTheSetIsVaried) {
  const char* folder = std::getenv("FUSELARK3_GAME_DIR");
  const std::filesystem::path game(folder ? folder : "");
  const std::set<std::string> tunes = {"", "BATTLE.MID", "CAVERN.MID", "SUNRISE.MID"};
  std::set<int> tileSets, backgrounds;
  int withRandomItems = 0, withChosenItems = 0, withMusic = 0;
  for (const char* name : {"ARENA.FL3", "CAVERN.FL3", "CROSSFIRE.FL3", "DUEL.FL3", "GARDEN.FL3", "ISLANDS.FL3",
                           "MAZE.FL3", "OASIS.FL3", "SUNRISE.FL3"}) {
    LevelData level;
    const auto result = ReadLevelFile(game / name, level);
    ASSERT_TRUE(result.ok) << name << ": " << result.reason;
    EXPECT_EQ(std::filesystem::file_size(game / name), kLevelFileSize) << name;
    int boxes = 0, open = 0;
    bool random = false, chosen = false;
    for (int i = 0; i < CellCount; ++i) {
      const auto cell = level.TileMap[i], item = level.ItemMap[i];
      EXPECT_TRUE(cell >= CellNothing && cell <= CellBlock3 && item >= ItemRandom && item <= ItemFire2) << name << i;
      EXPECT_TRUE(IsBox(cell) || item == ItemNone) << name << " cell " << i << ": only boxes hide anything";
      boxes += IsBox(cell);
      open += IsOpen(cell);
      random = random || item == ItemRandom;
      chosen = chosen || item > ItemNone;
    }
    EXPECT_GE(boxes, 60) << name;
    EXPECT_GE(open, 30) << name;
    Cells starts;
    const Cells reach = Reachable(level, level.Figures[0].X, level.Figures[0].Y);
    for (const FigureStart& f : level.Figures) {
      ASSERT_TRUE(OnMap(f.X, f.Y)) << name;
      EXPECT_TRUE(IsOpen(level.TileMap[CellIndex(f.X, f.Y)])) << name;
      bool canStep = false;
      for (auto [x, y] : {std::pair{f.X - 1, f.Y}, std::pair{f.X + 1, f.Y}, std::pair{f.X, f.Y - 1}, std::pair{f.X, f.Y + 1}})
        canStep = canStep || (OnMap(x, y) && IsOpen(level.TileMap[CellIndex(x, y)]));
      EXPECT_TRUE(canStep) << name << " start " << f.X << "," << f.Y;
      EXPECT_TRUE(f.PowerBombs >= 0 && f.PowerBombs <= 1 && f.PowerFire >= 1 && f.PowerFire <= 2) << name;
      EXPECT_TRUE(reach.count({f.X, f.Y})) << name << " start " << f.X << "," << f.Y;
      starts.insert({f.X, f.Y});
    }
    EXPECT_EQ(starts.size(), 4u) << name << ": every figure has its own start cell";
    EXPECT_TRUE(std::filesystem::exists(game / ("A" + std::to_string(level.TileSetNumber) + ".BMP"))) << name;
    const std::string background = "B" + std::to_string(level.BackgroundNumber) + ".BMP";
    EXPECT_TRUE(level.BackgroundNumber == -1 || std::filesystem::exists(game / background)) << name;
    EXPECT_TRUE(tunes.count(level.LevelMusic)) << name << " names " << level.LevelMusic;
    tileSets.insert(level.TileSetNumber);
    backgrounds.insert(level.BackgroundNumber);
    withRandomItems += random;
    withChosenItems += chosen;
    withMusic += !level.LevelMusic.empty();
  }
  EXPECT_EQ(tileSets, (std::set<int>{0, 1, 2}));
  EXPECT_TRUE(backgrounds.count(-1));
  EXPECT_GE(backgrounds.size(), 3u);
  EXPECT_GE(withRandomItems, 1);
  EXPECT_GE(withChosenItems, 1);
  EXPECT_GE(withMusic, 3);
}

}  // namespace
}  // namespace fl3::testing
