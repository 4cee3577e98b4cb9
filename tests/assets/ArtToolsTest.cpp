#include <gtest/gtest.h>

#include <stdexcept>

#include "LevelDesigns.h"
#include "PixelCanvas.h"
#include "core/Grid.h"

namespace fl3::art {
namespace {

TEST(ArtTools, PaintThatMatchesTheKeyStaysVisible) {
  PixelCanvas canvas(3, 1);
  canvas.Set(0, 0, Rgb(0xC0C0C0));  // a grey that happens to equal the key
  canvas.Set(1, 0, Rgb(0x123456));
  const QImage flat = canvas.Flatten(Rgb(0xC0C0C0));
  EXPECT_EQ(flat.format(), QImage::Format_RGB888);
  EXPECT_NE(flat.pixel(0, 0), Rgb(0xC0C0C0));
  // Nudged by the smallest step, so it still looks the same grey.
  EXPECT_EQ(flat.pixel(0, 0) & 0xFFFFFF00u, Rgb(0xC0C0C0) & 0xFFFFFF00u);
  EXPECT_EQ(flat.pixel(1, 0), Rgb(0x123456));
  EXPECT_EQ(flat.pixel(2, 0), Rgb(0xC0C0C0));
}

LevelDesign Plain() {
  LevelDesign d{"TEST.FL3", 1, -1, Hidden::Random, 5, "X.MID", 1, 2, {}};
  for (auto& row : d.rows) row = ".........................";
  d.rows[0] = "1xyz#=@..................";
  d.rows[14] = "........................2";
  return d;
}

TEST(ArtTools, LevelTextBecomesCellsItemsAndStarts) {
  const LevelData level = BuildLevel(Plain());
  EXPECT_EQ(level.TileMap[CellIndex(0, 0)], CellNothing);
  EXPECT_EQ(level.TileMap[CellIndex(1, 0)], CellBox1);
  EXPECT_EQ(level.TileMap[CellIndex(3, 0)], CellBox3);
  EXPECT_EQ(level.TileMap[CellIndex(4, 0)], CellBlock1);
  EXPECT_EQ(level.TileMap[CellIndex(6, 0)], CellBlock3);
  EXPECT_EQ(level.ItemMap[CellIndex(1, 0)], ItemRandom);
  EXPECT_EQ(level.ItemMap[CellIndex(4, 0)], ItemNone);
  EXPECT_EQ(level.Figures[0], (FigureStart{0, 0, 1, 2}));
  EXPECT_EQ(level.Figures[1], (FigureStart{24, 14, 1, 2}));
  // No start cell in the text: no place on the level.
  EXPECT_EQ(level.Figures[2].X, OffMapPos);
  EXPECT_EQ(level.Figures[3].Y, OffMapPos);
  EXPECT_EQ(level.TileSetNumber, 1);
  EXPECT_EQ(level.BackgroundNumber, -1);
  EXPECT_EQ(level.LevelMusic, "X.MID");
}

TEST(ArtTools, ChosenItemsFollowTheLevelsOwnSeed) {
  LevelDesign d = Plain();
  d.hidden = Hidden::Chosen;
  for (int y = 2; y < 12; ++y) d.rows[y] = "xxxxxxxxxxxxxxxxxxxxxxxxx";
  const LevelData once = BuildLevel(d), again = BuildLevel(d);
  EXPECT_EQ(once.ItemMap, again.ItemMap);
  int counts[4] = {};
  for (int i = CellIndex(0, 2); i < CellIndex(0, 12); ++i) {
    ASSERT_GE(once.ItemMap[i], ItemNone);
    ASSERT_LE(once.ItemMap[i], ItemFire2);
    ++counts[once.ItemMap[i]];
  }
  for (int item = 0; item < 4; ++item) EXPECT_GT(counts[item], 5) << "item " << item;
  d.seed = 6;
  EXPECT_NE(BuildLevel(d).ItemMap, once.ItemMap);
}

TEST(ArtTools, BadLevelTextIsRefusedByName) {
  LevelDesign shortRow = Plain();
  shortRow.rows[3] = "....";
  EXPECT_THROW(BuildLevel(shortRow), std::invalid_argument);
  LevelDesign oddCell = Plain();
  oddCell.rows[3] = "...........?.............";
  try {
    BuildLevel(oddCell);
    ADD_FAILURE() << "an unknown cell character was accepted";
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("TEST.FL3"), std::string::npos);
  }
}

}  // namespace
}  // namespace fl3::art
