#include <gtest/gtest.h>

#include <string>

#include "GameFolderPictures.h"

namespace fl3::testing {
namespace {

const QRgb kGrey = Opaque(0xC0C0C0);
const QRgb kMagenta = Opaque(0xFF00FF);
const QRgb kBlack = Opaque(0x000000);
const QRgb kWhite = Opaque(0xFFFFFF);

QImage Picture(const std::string& name) {
  const auto file = GameDir() / name;
  EXPECT_TRUE(std::filesystem::exists(file)) << name;
  EXPECT_EQ(BmpBitsPerPixel(file), 24) << name << " must be 24-bit so colour keys stay exact";
  return LoadPicture(file);
}

TEST(PictureFiles, TilesetsHaveTwentyFiveCellsOnLightGrey) {
  for (const char* name : {"A0.BMP", "A1.BMP", "A2.BMP"}) {
    const QImage sheet = Picture(name);
    ASSERT_EQ(sheet.size(), QSize(800, 32)) << name;
    // Blocks fill their cell as walls.
    for (int cell : {4, 5, 6}) EXPECT_EQ(CountColour(sheet, 32 * cell, 0, 32, 32, kGrey), 0) << name << cell;
    // Boxes, items, bombs and fire are drawn on transparent grey.
    for (int cell = 1; cell < 25; ++cell) {
      if (cell >= 4 && cell <= 6) continue;
      EXPECT_GT(CountColour(sheet, 32 * cell, 0, 32, 32, kGrey), 0) << name << " cell " << cell;
      EXPECT_LT(CountColour(sheet, 32 * cell, 0, 32, 32, kGrey), 32 * 32 * 3 / 4) << name << " cell " << cell;
    }
  }
}

TEST(PictureFiles, TilesetLooksDifferButShareItemsBombsAndFire) {
  const QImage a0 = Picture("A0.BMP"), a1 = Picture("A1.BMP"), a2 = Picture("A2.BMP");
  for (int cell = 0; cell < 7; ++cell) {
    EXPECT_NE(a0.copy(32 * cell, 0, 32, 32), a1.copy(32 * cell, 0, 32, 32)) << cell;
    EXPECT_NE(a1.copy(32 * cell, 0, 32, 32), a2.copy(32 * cell, 0, 32, 32)) << cell;
  }
  EXPECT_EQ(a0.copy(7 * 32, 0, 18 * 32, 32), a1.copy(7 * 32, 0, 18 * 32, 32));
  EXPECT_EQ(a0.copy(7 * 32, 0, 18 * 32, 32), a2.copy(7 * 32, 0, 18 * 32, 32));
  // Eight distinct bomb frames make the bomb pulse.
  for (int cell = 10; cell <= 17; ++cell)
    for (int other = 10; other < cell; ++other)
      EXPECT_NE(a0.copy(32 * cell, 0, 32, 32), a0.copy(32 * other, 0, 32, 32)) << cell << " " << other;
}

// The lowest row of the rectangle holding anything but the key colour.
int LowestDrawnRow(const QImage& image, int x, int y, int w, int h, QRgb key) {
  for (int py = y + h - 1; py >= y; --py)
    if (CountColour(image, x, py, w, 1, key) < w) return py - y;
  return -1;
}

TEST(PictureFiles, BombsPulseWithoutHoppingAndItemsDifferAtAGlance) {
  const QImage sheet = Picture("A0.BMP");
  const int ground = LowestDrawnRow(sheet, 320, 0, 32, 32, kGrey);
  EXPECT_GE(ground, 28);
  for (int cell = 11; cell <= 17; ++cell) EXPECT_EQ(LowestDrawnRow(sheet, 32 * cell, 0, 32, 32, kGrey), ground) << cell;
  EXPECT_NE(sheet.copy(7 * 32, 0, 32, 32), sheet.copy(8 * 32, 0, 32, 32));
  EXPECT_NE(sheet.copy(8 * 32, 0, 32, 32), sheet.copy(9 * 32, 0, 32, 32));
  // The status panel shows items over the background: their plates stand
  // clear of the cell's corners.
  for (int cell = 7; cell <= 9; ++cell) EXPECT_EQ(sheet.pixel(32 * cell, 0), kGrey) << cell;
}

QImage Column(const QImage& sheet, int cell, int x) { return sheet.copy(32 * cell + x, 0, 1, 32); }
QImage Row(const QImage& sheet, int cell, int y) { return sheet.copy(32 * cell, y, 32, 1); }

TEST(PictureFiles, FirePiecesMeetWithTheSameEdges) {
  enum { Horizontal = 18, Vertical, RightEnd, LowerEnd, LeftEnd, UpperEnd, Centre };
  const QImage sheet = Picture("A0.BMP");
  // Every piece that continues to the left shows the same flame edge there,
  // so any of them fits after any piece that continues to the right.
  EXPECT_EQ(Column(sheet, RightEnd, 0), Column(sheet, Horizontal, 0));
  EXPECT_EQ(Column(sheet, Centre, 0), Column(sheet, Horizontal, 0));
  EXPECT_EQ(Column(sheet, LeftEnd, 31), Column(sheet, Horizontal, 31));
  EXPECT_EQ(Column(sheet, Centre, 31), Column(sheet, Horizontal, 31));
  EXPECT_EQ(Row(sheet, LowerEnd, 0), Row(sheet, Vertical, 0));
  EXPECT_EQ(Row(sheet, Centre, 0), Row(sheet, Vertical, 0));
  EXPECT_EQ(Row(sheet, UpperEnd, 31), Row(sheet, Vertical, 31));
  EXPECT_EQ(Row(sheet, Centre, 31), Row(sheet, Vertical, 31));
  // The flame really reaches the joining edge, and ends short of the far one.
  EXPECT_GT(32 - CountColour(Column(sheet, Horizontal, 0), 0, 0, 1, 32, kGrey), 16);
  EXPECT_EQ(CountColour(Column(sheet, RightEnd, 31), 0, 0, 1, 32, kGrey), 32);
  EXPECT_EQ(CountColour(Column(sheet, LeftEnd, 0), 0, 0, 1, 32, kGrey), 32);
  EXPECT_EQ(CountColour(Row(sheet, LowerEnd, 31), 0, 0, 32, 1, kGrey), 32);
  EXPECT_EQ(CountColour(Row(sheet, UpperEnd, 0), 0, 0, 32, 1, kGrey), 32);
}

TEST(PictureFiles, CharacterSheetHoldsEightOrMoreWalkingFigures) {
  const QImage sheet = Picture("C.BMP");
  ASSERT_EQ(sheet.width(), 384);
  ASSERT_EQ(sheet.height() % 64, 0);
  const int rows = sheet.height() / 64;
  ASSERT_GE(rows, 8);
  for (int row = 0; row < rows; ++row) {
    for (int frame = 0; frame < 12; ++frame) {
      const int figure = 32 * 64 - CountColour(sheet, 32 * frame, 64 * row, 32, 64, kGrey);
      EXPECT_GT(figure, 300) << "row " << row << " frame " << frame;
      EXPECT_LT(figure, 32 * 64 * 3 / 4) << "row " << row << " frame " << frame;
      // Nothing touches the frame's sides, so neighbours never bleed in.
      EXPECT_EQ(CountColour(sheet, 32 * frame, 64 * row, 1, 64, kGrey), 64) << "row " << row << " frame " << frame;
      EXPECT_EQ(CountColour(sheet, 32 * frame + 31, 64 * row, 1, 64, kGrey), 64) << "row " << row << " frame " << frame;
      // Feet on the figure's own cell, the lower half of the frame.
      EXPECT_GE(LowestDrawnRow(sheet, 32 * frame, 64 * row, 32, 64, kGrey), 58) << "row " << row << " frame " << frame;
    }
    // Each facing walks: its three steps differ.
    for (int facing = 0; facing < 4; ++facing) {
      const QImage stand = sheet.copy(96 * facing, 64 * row, 32, 64);
      EXPECT_NE(stand, sheet.copy(96 * facing + 32, 64 * row, 32, 64)) << row << " " << facing;
      EXPECT_NE(sheet.copy(96 * facing + 32, 64 * row, 32, 64), sheet.copy(96 * facing + 64, 64 * row, 32, 64));
    }
    // The portrait is the upper half of the first down-facing frame: the head,
    // and every figure has its own face.
    EXPECT_GT(32 * 32 - CountColour(sheet, 288, 64 * row, 32, 32, kGrey), 250) << "row " << row;
    for (int other = 0; other < row; ++other)
      EXPECT_NE(sheet.copy(288, 64 * row, 32, 32), sheet.copy(288, 64 * other, 32, 32)) << row << " " << other;
  }
}

TEST(PictureFiles, WinnerPicturesAreSquareOnMagenta) {
  for (const char* name : {"WIN0.BMP", "WIN1.BMP", "WIN2.BMP", "WIN3.BMP"}) {
    const QImage win = Picture(name);
    ASSERT_EQ(win.size(), QSize(256, 256)) << name;
    EXPECT_EQ(win.pixel(0, 255), kMagenta) << name;
    EXPECT_EQ(win.pixel(255, 255), kMagenta) << name;
    const int drawn = 256 * 256 - CountColour(win, 0, 0, 256, 256, kMagenta);
    EXPECT_GT(drawn, 256 * 256 / 3) << name;
  }
  EXPECT_NE(Picture("WIN0.BMP"), Picture("WIN1.BMP"));
  EXPECT_NE(Picture("WIN2.BMP"), Picture("WIN3.BMP"));
}

TEST(PictureFiles, FontHoldsTheTenDigitsInTheirCells) {
  const QImage font = Picture("FONT.BMP");
  ASSERT_EQ(font.width() % 8, 0);
  ASSERT_EQ(font.height() % 8, 0);
  const int w = font.width() / 8, h = font.height() / 8;
  for (int cell = 0; cell < 64; ++cell) {
    const int x = (cell % 8) * w, y = (cell / 8) * h;
    const int lit = w * h - CountColour(font, x, y, w, h, kBlack);
    if (cell <= 9) {
      EXPECT_GT(lit, w * h / 8) << "digit " << cell;
      // White so that a red tint shows pure red.
      EXPECT_GT(CountColour(font, x, y, w, h, kWhite), 0) << "digit " << cell;
    } else {
      EXPECT_EQ(lit, 0) << "cell " << cell;
    }
  }
  // A clear margin keeps a neighbouring digit out when a cell is stretched.
  for (int cell = 0; cell < 10; ++cell) {
    const int x = (cell % 8) * w, y = (cell / 8) * h;
    EXPECT_EQ(CountColour(font, x, y, w, 1, kBlack), w) << cell;
    EXPECT_EQ(CountColour(font, x, y + h - 1, w, 1, kBlack), w) << cell;
    EXPECT_EQ(CountColour(font, x, y, 1, h, kBlack), h) << cell;
    EXPECT_EQ(CountColour(font, x + w - 1, y, 1, h, kBlack), h) << cell;
  }
  // Each digit has its own shape.
  for (int d = 1; d <= 9; ++d)
    EXPECT_NE(font.copy((d % 8) * w, (d / 8) * h, w, h), font.copy(((d - 1) % 8) * w, ((d - 1) / 8) * h, w, h));
}

TEST(PictureFiles, BackgroundsTitleAndEditorPictures) {
  for (const char* name : {"B0.BMP", "B1.BMP"}) {
    const QImage background = Picture(name);
    EXPECT_GE(background.width(), 800) << name;
    EXPECT_GE(background.height(), 480) << name;
  }
  EXPECT_EQ(Picture("TITLE.BMP").size(), QSize(312, 108));
  const char* cells[] = {"EDIT NONE.BMP",  "EDIT DOOD.BMP",  "EDIT BOX1.BMP",  "EDIT BOX2.BMP",
                         "EDIT BOX3.BMP",  "EDIT BOXI.BMP",  "EDIT ITEM1.BMP", "EDIT ITEM2.BMP",
                         "EDIT ITEM3.BMP", "EDIT QUESTION.BMP"};
  for (const char* name : cells) {
    const QImage cell = Picture(name);
    EXPECT_EQ(cell.size(), QSize(16, 16)) << name;
    EXPECT_GT(16 * 16 - CountColour(cell, 0, 0, 16, 16, kWhite), 16) << name;
  }
  // Items sit on whatever the cell shows, so their corners are see-through.
  for (const char* name : {"EDIT ITEM1.BMP", "EDIT ITEM2.BMP", "EDIT ITEM3.BMP", "EDIT QUESTION.BMP"})
    EXPECT_EQ(Picture(name).pixel(0, 15), kWhite) << name;
  const QImage pointer = Picture("EDIT POINT.BMP");
  ASSERT_EQ(pointer.size(), QSize(24, 24));
  EXPECT_NE(pointer.pixel(0, 0), kWhite) << "the arrow's tip is the pointer's hot spot";
  EXPECT_EQ(pointer.pixel(23, 0), kWhite);
}

}  // namespace
}  // namespace fl3::testing
