#include <gtest/gtest.h>

#include <QBuffer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "core/GameFolder.h"
#include "media/DrawListExecutor.h"
#include "media/MatchPictures.h"
#include "media/SpriteRenderer.h"
#include "media/Texture.h"

namespace fl3 {
namespace {

constexpr std::uint32_t kBlue = 0xFF0000FF, kGrey = 0xFFC0C0C0, kWhite = 0xFFFFFF;

QImage Sheet(int width, int height, const std::function<std::uint32_t(int, int)>& texel) {
  QImage sheet(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) sheet.setPixel(x, y, texel(x, y));
  return sheet;
}
QImage Filled(int width, int height, std::uint32_t argb) {
  return Sheet(width, height, [argb](int, int) { return argb; });
}
// Texel (x, y) has red x and green y, so a pixel tells where it came from.
QImage Coordinates(int width, int height) {
  return Sheet(width, height, [](int x, int y) { return 0xFF000000u | (x & 0xFF) << 16 | (y & 0xFF) << 8; });
}
std::string Bmp(const QImage& image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
  return buffer.data().toStdString();
}

struct Probe {
  int x, y;
  std::uint32_t argb;
};

struct Sprite {
  const char* what;
  const Texture* texture;
  float x, y, width, height, uLeft, vTop, uRight, vBottom;
  std::uint32_t colour;
  std::vector<Probe> probes;
};

TEST(SpriteRenderer, EachSpriteShowsItsTexelsKeyedTintedBlendedAndClipped) {
  testing::TempFolder folder;
  const auto greyFile = folder.Write("T.BMP", Bmp(Sheet(2, 1, [](int x, int) { return kGrey + x; })));
  const TexturePtr keyed = LoadTexture(greyFile, 0, 0, kGrey), unkeyed = LoadTexture(greyFile, 0, 0, 0);
  // Any background size is stretched to 1024 x 512: a 512 x 256 sheet doubles.
  const TexturePtr background = LoadTexture(folder.Write("B0.BMP", Bmp(Coordinates(512, 256))), 1024, 512, 0);
  // 4 x 4 texels: red tells the column, green the row.
  const TexturePtr parts = TextureFromImage(
      Sheet(4, 4, [](int x, int y) { return 0xFF000000u | (0x10u * (x + 1)) << 16 | (0x40u * y) << 8; }), 0, 0, 0);
  const TexturePtr plain = TextureFromImage(Filled(2, 2, 0xFF8040C0), 0, 0, 0),
                   font = TextureFromImage(Sheet(2, 1, [](int x, int) { return x ? 0xFFFFFFFF : 0xFF000000; }), 0, 0,
                                           0xFF000000),
                   halfRed = TextureFromImage(Filled(1, 1, 0x80FF0000), 0, 0, 0),
                   coordinates = TextureFromImage(Coordinates(32, 32), 0, 0, 0);
  const Sprite sprites[] = {
      {"only the exact key colour is hidden", keyed.get(), 100, 50, 64, 32, 0, 0, 1, 1, kWhite,
       {{100, 50, kBlue}, {131, 81, kBlue}, {132, 50, kGrey + 1}, {163, 81, kGrey + 1}, {164, 50, kBlue},
        {132, 82, kBlue}}},
      {"keyed one to one", keyed.get(), 100, 50, 2, 1, 0, 0, 1, 1, kWhite, {{100, 50, kBlue}, {101, 50, kGrey + 1}}},
      {"without a key the grey is drawn", unkeyed.get(), 100, 50, 64, 32, 0, 0, 1, 1, kWhite, {{100, 50, kGrey}}},
      {"the top half stretched over 8 x 8", parts.get(), 8, 8, 8, 8, 0, 0, 1, 0.5f, kWhite,
       {{8, 8, 0xFF100000}, {9, 11, 0xFF100000}, {10, 11, 0xFF200000}, {15, 11, 0xFF400000}, {8, 12, 0xFF104000},
        {15, 15, 0xFF404000}, {8, 16, kBlue}, {16, 8, kBlue}, {7, 8, kBlue}}},
      {"the right quarter over 2 x 4", parts.get(), 30, 30, 2, 4, 0.75f, 0, 1, 1, kWhite,
       {{30, 30, 0xFF400000}, {31, 33, 0xFF40C000}}},
      {"a red tint keeps only red", plain.get(), 0, 0, 4, 4, 0, 0, 1, 1, 0xFF0000, {{1, 1, 0xFF800000}}},
      {"a half tint halves each channel", plain.get(), 0, 0, 4, 4, 0, 0, 1, 1, 0x808080, {{1, 1, 0xFF402060}}},
      {"a tint one to one", plain.get(), 0, 0, 2, 2, 0, 0, 1, 1, 0x00FF00, {{1, 1, 0xFF004000}}},
      {"a red digit on its keyed ground", font.get(), 0, 8, 4, 2, 0, 0, 1, 1, 0xFF0000,
       {{0, 8, kBlue}, {2, 8, 0xFFFF0000}}},
      {"the background band and the right edge", background.get(), 0, 0, 1024, 512, 0, 0, 1, 1, kWhite,
       {{0, 0, 0xFF000000}, {799, 511, 0xFF8FFF00}, {10, 480, 0xFF05F000}, {400, 512, kBlue}, {799, 599, kBlue}}},
      {"half alpha blends over the buffer", halfRed.get(), 0, 0, 1, 1, 0, 0, 1, 1, kWhite,
       {{0, 0, 0xFF80007F}, {1, 1, kBlue}}},
      {"clipped at the top left", coordinates.get(), -16, -8, 32, 32, 0, 0, 1, 1, kWhite,
       {{0, 0, 0xFF100800}, {15, 23, 0xFF1F1F00}, {16, 0, kBlue}, {0, 24, kBlue}}},
      {"clipped at the bottom right", coordinates.get(), 796, 596, 32, 32, 0, 0, 1, 1, kWhite,
       {{799, 599, 0xFF030300}}},
      {"no texture", nullptr, 0, 0, 8, 8, 0, 0, 1, 1, kWhite, {{0, 0, kBlue}, {7, 7, kBlue}}},
      {"zero width", plain.get(), 0, 0, 0, 8, 0, 0, 1, 1, kWhite, {{0, 0, kBlue}}},
      {"negative width", plain.get(), 8, 0, -8, 8, 0, 0, 1, 1, kWhite, {{0, 0, kBlue}, {7, 7, kBlue}}},
      {"wholly right of the buffer", plain.get(), 900, 0, 8, 8, 0, 0, 1, 1, kWhite, {{799, 0, kBlue}, {799, 7, kBlue}}},
  };
  SpriteRenderer renderer(800, 600);
  for (const Sprite& s : sprites) {
    renderer.Clear(kBlue);
    renderer.DrawSprite(s.texture, s.x, s.y, s.width, s.height, s.uLeft, s.vTop, s.uRight, s.vBottom, s.colour);
    for (const Probe& p : s.probes)
      EXPECT_EQ(renderer.BackBuffer().pixel(p.x, p.y), p.argb) << s.what << " at " << p.x << "," << p.y;
  }
  // A renderer whose set-up failed takes every call without crashing.
  SpriteRenderer failed(0, 0);
  failed.Clear(kBlue);
  failed.DrawSprite(plain.get(), 0, 0, 8, 8, 0, 0, 1, 1, kWhite);
}

// Picture files the loader must take, and files it must refuse without harm.
struct PictureFile {
  const char* name;
  std::string bytes;  // empty: no file
  int width, height;
  QSize loaded;  // invalid: refused
  std::vector<Probe> texels;
};

TEST(Texture, LoadingStretchesWithNearestTexelsAndRefusesWhatIsNoPicture) {
  const PictureFile files[] = {
      // 4 x 2 to 2 x 4: texel (x, y) samples the sheet at ((2x + 1) * 4 / 4, (2y + 1) * 2 / 8) rounded down.
      {"STRETCH.BMP", Bmp(Coordinates(4, 2)), 2, 4, {2, 4},
       {{0, 0, 0xFF010000}, {1, 0, 0xFF030000}, {1, 1, 0xFF030000}, {0, 2, 0xFF010100}, {1, 3, 0xFF030100}}},
      {"MISSING.BMP", "", 0, 0, {}, {}},
      {"BROKEN.BMP", "BM not really a bitmap", 32, 32, {}, {}},
  };
  testing::TempFolder folder;
  for (const PictureFile& file : files) {
    if (!file.bytes.empty()) folder.Write(file.name, file.bytes);
    const TexturePtr texture = LoadTexture(folder.Path() / file.name, file.width, file.height, kGrey);
    ASSERT_EQ(texture != nullptr, file.loaded.isValid()) << file.name;
    if (!texture) continue;
    EXPECT_EQ(texture->pixels.size(), file.loaded) << file.name;
    for (const Probe& p : file.texels) EXPECT_EQ(texture->pixels.pixel(p.x, p.y), p.argb) << file.name;
  }
}

using Conts = std::array<std::int32_t, FigureCount>;
constexpr Conts kEveryone{ContMan, ContMan, ContMan, ContMan};
constexpr std::array<std::int32_t, FigureCount> kRows{1, 0, 3, 2};  // the C.BMP row of each figure

// Red tells the frame, green the row of 64, blue the height inside the row.
std::uint32_t CharacterTexel(int frame, int row, int y) { return 0xFF000000u | frame << 16 | row << 8 | y; }

// Tile i is red 8 (i + 1), with the key grey in the corner of tile 5; figure
// frames tell where they lie, the key grey in the corner of the first; the
// winner picture is half size, magenta with a green texel at (10, 20); the
// digit 7 is white.
void WriteAllSheets(const testing::TempFolder& folder) {
  folder.Write("A3.BMP", Bmp(Sheet(800, 32, [](int x, int y) {
    return x == 160 && y == 0 ? kTileColourKey : 0xFF000000u | (8 * (x / 32 + 1)) << 16;
  })));
  folder.Write("B2.BMP", Bmp(Filled(256, 128, 0xFF336699u)));
  folder.Write("C.BMP", Bmp(Sheet(384, 256, [](int x, int y) {
    return x + y == 0 ? kTileColourKey : CharacterTexel(x / 32, y / 64, y % 64);
  })));
  const std::string winner =
      Bmp(Sheet(128, 128, [](int x, int y) { return x == 10 && y == 20 ? 0xFF00FF00u : kWinnerColourKey; }));
  for (int slot = 0; slot < 4; ++slot) folder.Write("WIN" + std::to_string(slot) + ".BMP", winner);
  folder.Write("FONT.BMP",
               Bmp(Sheet(256, 256, [](int x, int y) { return x >= 224 && y < 32 ? 0xFFFFFFFFu : kFontColourKey; })));
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
  const std::string small = Bmp(Filled(400, 20, 0xFF808080u));
  const BuildCase cases[] = {
      {"everything", {}, 3, 2, kEveryone, true, "T B F0 W0 F1 W1 F2 W2 F3 W3"},
      {"no background asked, none read", {{"B2.BMP", ""}}, 3, -1, {ContMan, ContOff, ContOff, ContOff}, true,
       "T F0 W0"},
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

TEST(MatchPictures, DrawReferencesFindTheirCellsAndAreDrawnInOrderUntilReleased) {
  testing::TempFolder folder;
  WriteAllSheets(folder);
  const GameFolder game(folder.Path());
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(game, 3, 2, kRows, Figures({ContMan, ContCpu, ContOff, ContMan})));
  ASSERT_TRUE(pictures.LoadFont(game));
  const QSize frame(32, 64), tile(32, 32), none;
  // Step j facing k is frame 3k + j - 1 of the figure's row; the grey corner of row 0 frame 0 is transparent.
  const Cell cells[] = {
      {{PictureKind::Character, 0, 2, DirDown}, frame, 31, 63, CharacterTexel(10, 1, 63)},
      {{PictureKind::Character, 0, 1, DirLeft}, frame, 5, 5, CharacterTexel(0, 1, 5)},
      {{PictureKind::Character, 0, 3, DirUp}, frame, 5, 5, CharacterTexel(5, 1, 5)},
      {{PictureKind::Character, 0, 2, DirRight}, frame, 5, 5, CharacterTexel(7, 1, 5)},
      {{PictureKind::Character, 1, 1, DirLeft}, frame, 1, 0, CharacterTexel(0, 0, 0)},
      {{PictureKind::Character, 1, 1, DirLeft}, frame, 0, 0, 0},
      {{PictureKind::Character, 3, 3, DirDown}, frame, 0, 10, CharacterTexel(11, 2, 10)},
      {{PictureKind::Tile, 5, 0, 0}, tile, 0, 0, 0},
      {{PictureKind::Tile, 24, 0, 0}, tile, 31, 31, 0xFFC80000},
      {{PictureKind::Background, 0, 0, 0}, {1024, 512}, 1023, 511, 0xFF336699},
      {{PictureKind::Winner, 3, 0, 0}, {256, 256}, 21, 41, 0xFF00FF00},  // doubled, magenta transparent
      {{PictureKind::Winner, 3, 0, 0}, {256, 256}, 0, 0, 0},
      {{PictureKind::Font, 0, 0, 0}, {256, 256}, 0, 0, 0},
      {{PictureKind::Character, 2, 1, DirLeft}, none, 0, 0, 0},  // sits out
      {{PictureKind::Winner, 2, 0, 0}, none, 0, 0, 0},
      {{PictureKind::Character, 0, 0, DirLeft}, none, 0, 0, 0},  // steps count from 1 to 3
      {{PictureKind::Character, 0, 4, DirLeft}, none, 0, 0, 0},
      {{PictureKind::Character, 0, 1, 4}, none, 0, 0, 0},
      {{PictureKind::Tile, 25, 0, 0}, none, 0, 0, 0},
      {{PictureKind::Tile, -1, 0, 0}, none, 0, 0, 0},
  };
  for (int i = 0; i < int(std::size(cells)); ++i) {
    const Texture* texture = pictures.Find(cells[i].picture);
    ASSERT_EQ(texture != nullptr, cells[i].size.isValid()) << "cell " << i;
    if (!texture) continue;
    EXPECT_EQ(texture->pixels.size(), cells[i].size) << "cell " << i;
    EXPECT_EQ(texture->pixels.pixel(cells[i].x, cells[i].y), cells[i].texel) << "cell " << i;
  }

  DrawList list;
  list.Add({{PictureKind::Background, 0, 0, 0}, 0, 0, 1024, 512});
  list.Add({{PictureKind::Tile, 5, 0, 0}, 0, 0, 32, 32});  // over the background, its grey corner see-through
  list.Add({{PictureKind::Winner, 2, 0, 0}, 272, 172, 256, 256});  // nothing: figure 2 sits out
  list.Add({{PictureKind::Font, 0, 0, 0}, 352, 544, 32, 32, 7.0f / 8, 0, 1, 1.0f / 8, kTintRed});  // white 7
  list.Add({{PictureKind::Font, 0, 0, 0}, 384, 544, 32, 32, 0, 0, 1.0f / 8, 1.0f / 8, kTintRed});  // keyed 0
  SpriteRenderer renderer(800, 600);
  renderer.Clear(0xFF0000FF);
  ExecuteDrawList(list, pictures, renderer);
  const std::pair<QPoint, std::uint32_t> pixels[] = {
      {{10, 500}, 0xFF336699}, {{0, 0}, 0xFF336699}, {{1, 0}, 0xFF300000}, {{280, 180}, 0xFF336699},
      {{360, 550}, 0xFFFF0000}, {{390, 550}, 0xFF0000FF}, {{600, 590}, 0xFF0000FF}};
  for (const auto& [at, argb] : pixels) EXPECT_EQ(renderer.BackBuffer().pixel(at), argb) << at.x() << "," << at.y();

  pictures.Release();
  for (const Cell& c : cells) EXPECT_EQ(pictures.Find(c.picture), nullptr);
  std::filesystem::remove(folder.Path() / "FONT.BMP");
  EXPECT_FALSE(pictures.LoadFont(game));
}

}  // namespace
}  // namespace fl3
