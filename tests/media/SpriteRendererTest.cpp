#include "media/SpriteRenderer.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <vector>

#include "TempFolder.h"
#include "media/Texture.h"

namespace fl3 {
namespace {

constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kGrey = 0xFFC0C0C0;
constexpr std::uint32_t kWhite = 0xFFFFFF;

QImage Filled(int width, int height, std::uint32_t argb) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(argb);
  return image;
}

// Texel (x, y) has red x and green y, so a pixel tells where it came from.
QImage Coordinates(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xFF000000u | (x & 0xFF) << 16 | (y & 0xFF) << 8);
  return image;
}

std::string Bmp(const QImage& image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
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
  QImage nearlyGrey(2, 1, QImage::Format_RGB32);
  nearlyGrey.setPixel(0, 0, kGrey);
  nearlyGrey.setPixel(1, 0, 0xFFC0C0C1);
  const auto greyFile = folder.Write("T.BMP", Bmp(nearlyGrey));
  const TexturePtr keyed = LoadTexture(greyFile, 0, 0, kGrey), unkeyed = LoadTexture(greyFile, 0, 0, 0);
  // 4 x 4 texels: red tells the column, green the row.
  QImage grid(4, 4, QImage::Format_ARGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) grid.setPixel(x, y, 0xFF000000u | (0x10u * (x + 1)) << 16 | (0x40u * y) << 8);
  QImage digit = Filled(2, 1, 0xFF000000);
  digit.setPixel(1, 0, 0xFFFFFFFF);
  // Any background size is stretched to 1024 x 512: a 512 x 256 sheet doubles.
  const TexturePtr background = LoadTexture(folder.Write("B0.BMP", Bmp(Coordinates(512, 256))), 1024, 512, 0);
  const TexturePtr parts = TextureFromImage(grid, 0, 0, 0), plain = TextureFromImage(Filled(2, 2, 0xFF8040C0), 0, 0, 0),
                   font = TextureFromImage(digit, 0, 0, 0xFF000000),
                   halfRed = TextureFromImage(Filled(1, 1, 0x80FF0000), 0, 0, 0),
                   coordinates = TextureFromImage(Coordinates(32, 32), 0, 0, 0);

  const Sprite sprites[] = {
      {"only the exact key colour is hidden", keyed.get(), 100, 50, 64, 32, 0, 0, 1, 1, kWhite,
       {{100, 50, kBlue}, {131, 81, kBlue}, {132, 50, 0xFFC0C0C1}, {163, 81, 0xFFC0C0C1}, {164, 50, kBlue}, {132, 82, kBlue}}},
      {"keyed one to one", keyed.get(), 100, 50, 2, 1, 0, 0, 1, 1, kWhite, {{100, 50, kBlue}, {101, 50, 0xFFC0C0C1}}},
      {"without a key the grey is drawn", unkeyed.get(), 100, 50, 64, 32, 0, 0, 1, 1, kWhite, {{100, 50, kGrey}}},
      {"the top half stretched over 8 x 8", parts.get(), 8, 8, 8, 8, 0, 0, 1, 0.5f, kWhite,
       {{8, 8, 0xFF100000}, {9, 11, 0xFF100000}, {10, 11, 0xFF200000}, {15, 11, 0xFF400000}, {8, 12, 0xFF104000},
        {15, 15, 0xFF404000}, {8, 16, kBlue}, {16, 8, kBlue}, {7, 8, kBlue}}},
      {"the right quarter over 2 x 4", parts.get(), 30, 30, 2, 4, 0.75f, 0, 1, 1, kWhite,
       {{30, 30, 0xFF400000}, {31, 33, 0xFF40C000}}},
      {"a red tint keeps only red", plain.get(), 0, 0, 4, 4, 0, 0, 1, 1, 0xFF0000, {{1, 1, 0xFF800000}}},
      {"a half tint halves each channel", plain.get(), 0, 0, 4, 4, 0, 0, 1, 1, 0x808080, {{1, 1, 0xFF402060}}},
      {"a tint one to one", plain.get(), 0, 0, 2, 2, 0, 0, 1, 1, 0x00FF00, {{1, 1, 0xFF004000}}},
      {"a red digit on its keyed ground", font.get(), 0, 8, 4, 2, 0, 0, 1, 1, 0xFF0000, {{0, 8, kBlue}, {2, 8, 0xFFFF0000}}},
      {"the background band and the right edge", background.get(), 0, 0, 1024, 512, 0, 0, 1, 1, kWhite,
       {{0, 0, 0xFF000000}, {799, 511, 0xFF8FFF00}, {10, 480, 0xFF05F000}, {400, 512, kBlue}, {799, 599, kBlue}}},
      {"half alpha blends over the buffer", halfRed.get(), 0, 0, 1, 1, 0, 0, 1, 1, kWhite,
       {{0, 0, 0xFF80007F}, {1, 1, kBlue}}},
      {"clipped at the top left", coordinates.get(), -16, -8, 32, 32, 0, 0, 1, 1, kWhite,
       {{0, 0, 0xFF100800}, {15, 23, 0xFF1F1F00}, {16, 0, kBlue}, {0, 24, kBlue}}},
      {"clipped at the bottom right", coordinates.get(), 796, 596, 32, 32, 0, 0, 1, 1, kWhite, {{799, 599, 0xFF030300}}},
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
      {"OWN.BMP", Bmp(Coordinates(4, 2)), 0, 0, {4, 2}, {{3, 1, 0xFF030100}}},
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

}  // namespace
}  // namespace fl3
