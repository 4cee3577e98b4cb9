#include "media/MatchPictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "core/GameFolder.h"
#include "media/DrawListExecutor.h"

namespace fl3 {
namespace {

using Conts = std::array<std::int32_t, FigureCount>;
constexpr Conts kEveryone{ContMan, ContMan, ContMan, ContMan};
constexpr std::array<std::int32_t, FigureCount> kRows{1, 0, 3, 2};  // the C.BMP row of each figure

std::string Bmp(const QImage& image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return buffer.data().toStdString();
}

// Red tells the frame, green the row of 64, blue the height inside the row.
std::uint32_t CharacterTexel(int frame, int row, int y) { return 0xFF000000u | frame << 16 | row << 8 | y; }

QImage Sheet(int width, int height, const std::function<std::uint32_t(int, int)>& texel) {
  QImage sheet(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) sheet.setPixel(x, y, texel(x, y));
  return sheet;
}

// Tile i is red 8 (i + 1), with the key grey in the corner of tile 5; figure
// frames tell where they lie, the key grey in the corner of the first; the
// winner picture is half size, magenta with a green texel at (10, 20); the
// digit 7 is white.
void WriteAllSheets(const testing::TempFolder& folder) {
  folder.Write("A3.BMP", Bmp(Sheet(800, 32, [](int x, int y) {
    return x == 160 && y == 0 ? kTileColourKey : 0xFF000000u | (8 * (x / 32 + 1)) << 16;
  })));
  folder.Write("B2.BMP", Bmp(Sheet(256, 128, [](int, int) { return 0xFF336699u; })));
  folder.Write("C.BMP", Bmp(Sheet(384, 256, [](int x, int y) {
    return x + y == 0 ? kTileColourKey : CharacterTexel(x / 32, y / 64, y % 64);
  })));
  const std::string winner =
      Bmp(Sheet(128, 128, [](int x, int y) { return x == 10 && y == 20 ? 0xFF00FF00u : kWinnerColourKey; }));
  for (int slot = 0; slot < 4; ++slot) folder.Write("WIN" + std::to_string(slot) + ".BMP", winner);
  folder.Write("FONT.BMP", Bmp(Sheet(256, 256, [](int x, int y) { return x >= 224 && y < 32 ? 0xFFFFFFFFu : kFontColourKey; })));
}

std::array<Character, FigureCount> Figures(const Conts& conts) {
  std::array<Character, FigureCount> figures{};
  for (int i = 0; i < FigureCount; ++i) figures[i].Cont = conts[i];
  return figures;
}

// What a build left: T all tiles, B the background, Fi figure i's three steps, Wi its winner picture.
std::string Built(const MatchPictures& pictures) {
  std::string built = pictures.TilePicture(24) ? "T" : "";
  if (pictures.BackgroundPicture()) built += " B";
  for (int i = 0; i < FigureCount; ++i) {
    if (pictures.P(i).Count() == 3) built += " F" + std::to_string(i);
    if (pictures.WinPic(i)) built += " W" + std::to_string(i);
  }
  return built;
}

struct BuildCase {
  const char* what;
  std::vector<std::pair<std::string, std::string>> changed;  // file, new bytes (none: removed)
  std::int32_t tileSet, background;
  Conts conts;
  bool complete;
  const char* built;
};

TEST(MatchPictures, BuildingStopsAtTheFirstMissingFileAndFiguresThatSitOutReadNothing) {
  const std::string small = Bmp(Sheet(400, 20, [](int, int) { return 0xFF808080u; }));
  const BuildCase cases[] = {
      {"everything", {}, 3, 2, kEveryone, true, "T B F0 W0 F1 W1 F2 W2 F3 W3"},
      {"no background asked, none read", {{"B2.BMP", ""}}, 3, -1, {ContMan, ContOff, ContOff, ContOff}, true, "T F0 W0"},
      {"an OFF figure reads no winner file", {{"WIN2.BMP", ""}}, 3, 2, {ContMan, ContCpu, ContOff, ContMan}, true,
       "T B F0 W0 F1 W1 F3 W3"},
      {"a missing winner stops at its figure", {{"WIN1.BMP", ""}}, 3, 2, kEveryone, false, "T B F0 W0 F1"},
      {"a missing background stops before the figures", {{"B2.BMP", ""}}, 3, 2, kEveryone, false, "T"},
      {"a character sheet that is no picture", {{"C.BMP", "not a picture"}}, 3, -1, kEveryone, false, "T"},
      {"a missing tileset", {}, 7, 2, kEveryone, false, ""},
      {"sheets smaller than their standard size", {{"A3.BMP", small}, {"C.BMP", small}}, 3, 2, kEveryone, true,
       "T B F0 W0 F1 W1 F2 W2 F3 W3"},
  };
  for (const BuildCase& c : cases) {
    testing::TempFolder folder;
    WriteAllSheets(folder);
    const GameFolder game(folder.Path());
    MatchPictures pictures;
    ASSERT_TRUE(pictures.Build(game, 3, 2, kRows, Figures(kEveryone)));  // the second build starts afresh
    for (const auto& [name, bytes] : c.changed) {
      if (bytes.empty()) std::filesystem::remove(folder.Path() / name);
      else folder.Write(name, bytes);
    }
    EXPECT_EQ(pictures.Build(game, c.tileSet, c.background, kRows, Figures(c.conts)), c.complete) << c.what;
    EXPECT_EQ(Built(pictures), c.built) << c.what;
  }
}

struct Cell {
  PictureRef picture;
  QSize size;  // invalid: no picture
  int x, y;
  std::uint32_t texel;
};

TEST(MatchPictures, DrawReferencesFindTheirCellsOfTheSheetsUntilReleased) {
  testing::TempFolder folder;
  WriteAllSheets(folder);
  const GameFolder game(folder.Path());
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(game, 3, 2, kRows, Figures({ContMan, ContCpu, ContOff, ContMan})));
  ASSERT_TRUE(pictures.LoadFont(game));
  const QSize frame(32, 64), tile(32, 32), none;
  // Step j facing k is frame 3k + j - 1 of the figure's row; the grey corner of row 0 frame 0 is transparent.
  const Cell cells[] = {
      {{PictureKind::Character, 0, 2, DirDown}, frame, 0, 0, CharacterTexel(10, 1, 0)},
      {{PictureKind::Character, 0, 2, DirDown}, frame, 31, 63, CharacterTexel(10, 1, 63)},
      {{PictureKind::Character, 0, 1, DirLeft}, frame, 5, 5, CharacterTexel(0, 1, 5)},
      {{PictureKind::Character, 0, 3, DirUp}, frame, 5, 5, CharacterTexel(5, 1, 5)},
      {{PictureKind::Character, 0, 2, DirRight}, frame, 5, 5, CharacterTexel(7, 1, 5)},
      {{PictureKind::Character, 1, 1, DirLeft}, frame, 1, 0, CharacterTexel(0, 0, 0)},
      {{PictureKind::Character, 1, 1, DirLeft}, frame, 0, 0, 0},
      {{PictureKind::Character, 3, 3, DirDown}, frame, 0, 10, CharacterTexel(11, 2, 10)},
      {{PictureKind::Tile, 0, 0, 0}, tile, 31, 31, 0xFF080000},
      {{PictureKind::Tile, 5, 0, 0}, tile, 0, 0, 0},
      {{PictureKind::Tile, 24, 0, 0}, tile, 31, 31, 0xFFC80000},
      {{PictureKind::Background, 0, 0, 0}, {1024, 512}, 1023, 511, 0xFF336699},
      {{PictureKind::Winner, 3, 0, 0}, {256, 256}, 21, 41, 0xFF00FF00},  // doubled, magenta transparent
      {{PictureKind::Winner, 3, 0, 0}, {256, 256}, 0, 0, 0},
      {{PictureKind::Font, 0, 0, 0}, {256, 256}, 224, 0, 0xFFFFFFFF},
      {{PictureKind::Font, 0, 0, 0}, {256, 256}, 0, 0, 0},
      {{PictureKind::Character, 2, 1, DirLeft}, none, 0, 0, 0},  // sits out
      {{PictureKind::Winner, 2, 0, 0}, none, 0, 0, 0},
      {{PictureKind::Character, 0, 0, DirLeft}, none, 0, 0, 0},  // steps count from 1 to 3
      {{PictureKind::Character, 0, 4, DirLeft}, none, 0, 0, 0},
      {{PictureKind::Character, 0, 1, 4}, none, 0, 0, 0},
      {{PictureKind::Tile, 25, 0, 0}, none, 0, 0, 0},
      {{PictureKind::Tile, -1, 0, 0}, none, 0, 0, 0},
  };
  for (const Cell& c : cells) {
    const Texture* texture = pictures.Find(c.picture);
    const std::string what = std::to_string(int(c.picture.kind)) + " " + std::to_string(c.picture.index) + " " +
                             std::to_string(c.picture.step) + " " + std::to_string(c.picture.direction);
    ASSERT_EQ(texture != nullptr, c.size.isValid()) << what;
    if (!texture) continue;
    EXPECT_EQ(texture->pixels.size(), c.size) << what;
    EXPECT_EQ(texture->pixels.pixel(c.x, c.y), c.texel) << what << " at " << c.x << "," << c.y;
  }
  pictures.Release();
  for (const Cell& c : cells) EXPECT_EQ(pictures.Find(c.picture), nullptr);
  std::filesystem::remove(folder.Path() / "FONT.BMP");
  EXPECT_FALSE(pictures.LoadFont(game));
}

TEST(DrawListExecutor, DrawsEachEntryInOrderWithItsPartAndTint) {
  testing::TempFolder folder;
  WriteAllSheets(folder);
  const GameFolder game(folder.Path());
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(game, 3, 2, kRows, Figures({ContMan, ContOff, ContOff, ContOff})));
  ASSERT_TRUE(pictures.LoadFont(game));
  DrawList list;
  list.Add({{PictureKind::Background, 0, 0, 0}, 0, 0, 1024, 512});
  list.Add({{PictureKind::Tile, 5, 0, 0}, 0, 0, 32, 32});  // over the background, its grey corner see-through
  list.Add({{PictureKind::Winner, 1, 0, 0}, 272, 172, 256, 256});  // figure 1 sits out: nothing drawn
  list.Add({{PictureKind::Font, 0, 0, 0}, 352, 544, 32, 32, 7.0f / 8, 0, 1, 1.0f / 8, kTintRed});
  list.Add({{PictureKind::Font, 0, 0, 0}, 384, 544, 32, 32, 0, 0, 1.0f / 8, 1.0f / 8, kTintRed});
  SpriteRenderer renderer(800, 600);
  renderer.Clear(0xFF0000FF);
  ExecuteDrawList(list, pictures, renderer);
  const QImage& frame = renderer.BackBuffer();
  const std::pair<QPoint, std::uint32_t> pixels[] = {
      {{10, 500}, 0xFF336699}, {{0, 0}, 0xFF336699}, {{1, 0}, 0xFF300000}, {{280, 180}, 0xFF336699},
      {{360, 550}, 0xFFFF0000}, {{390, 550}, 0xFF0000FF}, {{600, 590}, 0xFF0000FF}};
  for (const auto& [at, argb] : pixels) EXPECT_EQ(frame.pixel(at), argb) << at.x() << "," << at.y();
}

}  // namespace
}  // namespace fl3
