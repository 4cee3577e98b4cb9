#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fl3::testing {
namespace {

constexpr QRgb kGrey = 0xFFC0C0C0, kMagenta = 0xFFFF00FF, kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

// A picture the build drew into the game folder, cut into equal cells; each
// cell is 'o' opaque (no key colour), 'k' drawn on the key colour (at least an
// eighth of it drawn), 'm' like 'k' with its left and right edges all key, so
// a stretched neighbour never bleeds in, or '-' nothing but the key.
struct Sheet {
  std::string file;
  int width, height;
  QRgb key;
  int cellWidth, cellHeight;
  std::string cells;
};

QImage Load(const std::string& name) {
  const char* folder = std::getenv("FUSELARK3_GAME_DIR");
  const std::filesystem::path file = std::filesystem::path(folder ? folder : "") / name;
  std::ifstream in(file, std::ios::binary);
  char header[30] = {};
  in.read(header, sizeof header);
  EXPECT_TRUE(in && header[0] == 'B' && header[1] == 'M' && header[28] == 24)
      << name << " must be a 24-bit bitmap so colour keys stay exact";
  return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
}

int CountColour(const QImage& image, const QRect& area, QRgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) == colour;
  return count;
}

char Kind(const QImage& image, const QRect& cell, QRgb key) {
  const int keyed = CountColour(image, cell, key), size = cell.width() * cell.height();
  if (keyed == 0 || keyed == size) return keyed == 0 ? 'o' : '-';
  if (size - keyed < size / 8) return '?';
  const int sides = CountColour(image, {cell.left(), cell.top(), 1, cell.height()}, key) +
                    CountColour(image, {cell.right(), cell.top(), 1, cell.height()}, key);
  return sides == 2 * cell.height() ? 'm' : 'k';
}

TEST(PictureFiles, EachPictureHasItsSizeDepthAndKeyColourInTheRightCells) {
  // Floor and blocks fill their cells; items stand clear of the edges, as the status panel shows them.
  const std::string tiles = "ommmooommmmmmmmmmm" "kmkmkmk";  // fire reaches the edges it joins at
  std::vector<Sheet> sheets = {
      {"C.BMP", 384, 512, kGrey, 32, 64, std::string(96, 'm')},  // eight figures of twelve frames
      {"FONT.BMP", 256, 256, kBlack, 32, 32, std::string(10, 'm') + std::string(54, '-')},
      {"TITLE.BMP", 312, 108, kGrey, 312, 108, "o"},
      {"EDIT NONE.BMP", 16, 16, kWhite, 16, 16, "k"},
      {"EDIT QUESTION.BMP", 16, 16, kWhite, 16, 16, "k"},
      {"EDIT POINT.BMP", 24, 24, kWhite, 24, 24, "k"},
  };
  for (const char* n : {"0", "1", "2"}) sheets.push_back({std::string("A") + n + ".BMP", 800, 32, kGrey, 32, 32, tiles});
  for (const char* n : {"0", "1", "2"}) sheets.push_back({std::string("B") + n + ".BMP", 1024, 512, kGrey, 1024, 512, "o"});
  for (const char* n : {"0", "1", "2", "3"})
    sheets.push_back({std::string("WIN") + n + ".BMP", 256, 256, kMagenta, 256, 256, "m"});
  for (const char* name : {"DOOD", "BOX1", "BOX2", "BOX3", "BOXI"})
    sheets.push_back({std::string("EDIT ") + name + ".BMP", 16, 16, kWhite, 16, 16, "o"});
  for (const char* name : {"ITEM1", "ITEM2", "ITEM3"})  // items lie on whatever the cell shows
    sheets.push_back({std::string("EDIT ") + name + ".BMP", 16, 16, kWhite, 16, 16, "m"});
  for (const Sheet& sheet : sheets) {
    const QImage image = Load(sheet.file);
    ASSERT_EQ(image.size(), QSize(sheet.width, sheet.height)) << sheet.file;
    std::string cells;
    for (int y = 0; y < sheet.height; y += sheet.cellHeight)
      for (int x = 0; x < sheet.width; x += sheet.cellWidth)
        cells += Kind(image, {x, y, sheet.cellWidth, sheet.cellHeight}, sheet.key);
    EXPECT_EQ(cells, sheet.cells) << sheet.file;
  }
  // White digits, so that a red tint shows pure red; the arrow's tip is the pointer's hot spot.
  const QImage font = Load("FONT.BMP");
  for (int digit = 0; digit < 10; ++digit)
    EXPECT_GT(CountColour(font, {digit % 8 * 32, digit / 8 * 32, 32, 32}, kWhite), 0) << digit;
  EXPECT_NE(Load("EDIT POINT.BMP").pixel(0, 0), kWhite);
}

}  // namespace
}  // namespace fl3::testing
