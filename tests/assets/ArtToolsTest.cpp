#include <gtest/gtest.h>

#include "LevelDesigns.h"
#include "PixelCanvas.h"
#include "core/Grid.h"

namespace fl3::art {
namespace {

TEST(ArtTools, PaintThatMatchesTheKeyStaysVisibleAsTheSameGrey) {
  PixelCanvas canvas(3, 1);
  canvas.Set(0, 0, Rgb(0xC0C0C0));
  canvas.Set(1, 0, Rgb(0x123456));
  const QImage flat = canvas.Flatten(Rgb(0xC0C0C0));
  EXPECT_EQ(flat.format(), QImage::Format_RGB888);
  EXPECT_NE(flat.pixel(0, 0), Rgb(0xC0C0C0));
  EXPECT_EQ(flat.pixel(0, 0) & 0xFFFFFF00u, Rgb(0xC0C0C0) & 0xFFFFFF00u);  // nudged by the smallest step
  EXPECT_EQ(flat.pixel(1, 0), Rgb(0x123456));
  EXPECT_EQ(flat.pixel(2, 0), Rgb(0xC0C0C0));
}

TEST(ArtTools, LevelTextBecomesCellsItemsAndStarts) {
  LevelDesign design{"TEST.FL3", 1, -1, Hidden::Random, 5, "X.MID", 1, 2, {}};
  for (auto& row : design.rows) row = ".........................";
  design.rows[0] = "1xyz#=@..................";
  design.rows[14] = "........................2";
  const LevelData level = BuildLevel(design);
  const std::pair<std::int32_t, std::int32_t> row0[] = {{CellNothing, ItemNone}, {CellBox1, ItemRandom},
      {CellBox2, ItemRandom}, {CellBox3, ItemRandom}, {CellBlock1, ItemNone}, {CellBlock2, ItemNone},
      {CellBlock3, ItemNone}, {CellNothing, ItemNone}};
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(std::pair(level.TileMap[CellIndex(x, 0)], level.ItemMap[CellIndex(x, 0)]), row0[x]) << x;
  // Figures without a start cell in the text have no place on the level.
  const FigureStart starts[] = {{0, 0, 1, 2}, {24, 14, 1, 2}, {OffMapPos, OffMapPos, 1, 2},
                                {OffMapPos, OffMapPos, 1, 2}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(level.Figures[i], starts[i]) << i;
  EXPECT_EQ(level.TileSetNumber, 1);
  EXPECT_EQ(level.BackgroundNumber, -1);
  EXPECT_EQ(level.LevelMusic, "X.MID");
}

}  // namespace
}  // namespace fl3::art
