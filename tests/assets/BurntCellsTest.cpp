#include <gtest/gtest.h>

#include "GameFolderPictures.h"
#include "core/LevelFile.h"

namespace fl3::testing {
namespace {

// A burnt cell shows tile picture 0: over a background it has to be a mark on
// the see-through key, or burnt cells show as foreign squares; without one it
// lies under every cell and has to be a whole floor. Faults: a level given
// the wrong tileset, a mark drawn opaque, a floor with holes.
TEST(BurntCells, TileZeroIsAMarkOverABackgroundAndAFloorWithoutOne) {
  int levels = 0;
  for (const auto& entry : std::filesystem::directory_iterator(GameDir())) {
    if (entry.path().extension() != ".FL3") continue;
    ++levels;
    LevelData level;
    ASSERT_TRUE(ReadLevelFile(entry.path(), level).ok) << entry.path();
    const std::string sheetName = "A" + std::to_string(level.TileSetNumber) + ".BMP";
    const QImage sheet = LoadPicture(GameDir() / sheetName);
    ASSERT_FALSE(sheet.isNull()) << sheetName;
    const int seeThrough = CountColour(sheet, 0, 0, 32, 32, Opaque(0xC0C0C0));
    if (level.BackgroundNumber >= 0) {
      EXPECT_GT(seeThrough, 32 * 32 / 2) << entry.path() << " over background " << level.BackgroundNumber;
      EXPECT_LT(seeThrough, 32 * 32 - 100) << sheetName << ": the burnt mark shows";
    } else {
      EXPECT_EQ(seeThrough, 0) << entry.path() << " has no background under " << sheetName;
    }
  }
  EXPECT_GE(levels, 9);
}

}  // namespace
}  // namespace fl3::testing
