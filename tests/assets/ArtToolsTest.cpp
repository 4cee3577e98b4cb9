#include <gtest/gtest.h>

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

}  // namespace
}  // namespace fl3::art
