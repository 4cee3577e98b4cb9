#include <gtest/gtest.h>

#include <set>
#include <string>

#include "GameFolderPictures.h"
#include "core/Grid.h"
#include "core/LevelFile.h"

namespace fl3::testing {
namespace {

const char* const kLevels[] = {"ARENA.FL3",  "CAVERN.FL3", "CROSSFIRE.FL3", "DUEL.FL3",   "GARDEN.FL3",
                               "ISLANDS.FL3", "MAZE.FL3",   "OASIS.FL3",     "SUNRISE.FL3"};

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

TEST(LevelFiles, EveryFigureStartsOnTheMapWithRoomToMove) {
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
      EXPECT_GE(f.PowerBombs, 0) << name;
      EXPECT_LE(f.PowerBombs, 1) << name;
      EXPECT_GE(f.PowerFire, 1) << name;
      EXPECT_LE(f.PowerFire, 2) << name;
      starts.insert({f.X, f.Y});
    }
    EXPECT_EQ(starts.size(), 4u) << name << ": every figure has its own start cell";
  }
}

TEST(LevelFiles, CodesPicturesAndMusicAreOnesTheGameHas) {
  const std::set<std::string> tunes = {"", "BATTLE.MID", "CAVERN.MID", "SUNRISE.MID"};
  for (const char* name : kLevels) {
    const LevelData level = Load(name);
    for (int i = 0; i < CellCount; ++i) {
      EXPECT_GE(level.TileMap[i], CellNothing) << name;
      EXPECT_LE(level.TileMap[i], CellBlock3) << name;
      EXPECT_GE(level.ItemMap[i], ItemRandom) << name;
      EXPECT_LE(level.ItemMap[i], ItemFire2) << name;
      const bool box = level.TileMap[i] >= CellBox1 && level.TileMap[i] <= CellBox3;
      if (!box) {
        EXPECT_EQ(level.ItemMap[i], ItemNone) << name << " cell " << i;
      }
    }
    EXPECT_TRUE(std::filesystem::exists(GameDir() / ("A" + std::to_string(level.TileSetNumber) + ".BMP"))) << name;
    if (level.BackgroundNumber >= 0) {
      EXPECT_TRUE(std::filesystem::exists(GameDir() / ("B" + std::to_string(level.BackgroundNumber) + ".BMP")))
          << name;
    }
    EXPECT_TRUE(tunes.count(level.LevelMusic)) << name << " names " << level.LevelMusic;
  }
}

TEST(LevelFiles, TheSetIsVaried) {
  std::set<int> tileSets, backgrounds;
  int withRandomItems = 0, withChosenItems = 0, withMusic = 0;
  for (const char* name : kLevels) {
    const LevelData level = Load(name);
    tileSets.insert(level.TileSetNumber);
    backgrounds.insert(level.BackgroundNumber);
    bool random = false, chosen = false;
    for (int i = 0; i < CellCount; ++i) {
      random = random || level.ItemMap[i] == ItemRandom;
      chosen = chosen || level.ItemMap[i] > ItemNone;
    }
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
