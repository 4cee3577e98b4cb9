#include "media/SpriteRenderer.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "media/Texture.h"

namespace fl3 {
namespace {

constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kGrey = 0xFFC0C0C0;
constexpr std::uint32_t kWhite = 0xFFFFFF;

std::uint32_t At(const SpriteRenderer& renderer, int x, int y) { return renderer.BackBuffer().pixel(x, y); }

QImage Filled(int width, int height, std::uint32_t argb) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(argb);
  return image;
}

// A picture whose texel (x, y) has red x and green y, so a pixel tells where it came from.
QImage Coordinates(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xFF000000u | (x & 0xFF) << 16 | (y & 0xFF) << 8);
  return image;
}

TEST(SpriteRenderer, ColourKeyHidesExactlyTheKeyColourFromABitmapFile) {
  testing::TempFolder folder;
  QImage sheet(2, 1, QImage::Format_RGB32);
  sheet.setPixel(0, 0, 0xFFC0C0C0);
  sheet.setPixel(1, 0, 0xFFC0C0C1);
  const auto file = folder.Path() / "T.BMP";
  ASSERT_TRUE(sheet.save(QString::fromStdString(file.string()), "BMP"));
  const TexturePtr texture = LoadTexture(file, 0, 0, kGrey);
  ASSERT_NE(texture, nullptr);

  SpriteRenderer renderer(800, 600);
  renderer.Clear(kBlue);
  // Stretched over 64 x 32: the left half is the keyed texel, the right half the other.
  renderer.DrawSprite(texture.get(), 100, 50, 64, 32, 0, 0, 1, 1, kWhite);
  EXPECT_EQ(At(renderer, 100, 50), kBlue);
  EXPECT_EQ(At(renderer, 131, 81), kBlue);
  EXPECT_EQ(At(renderer, 132, 50), 0xFFC0C0C1);
  EXPECT_EQ(At(renderer, 163, 81), 0xFFC0C0C1);
  EXPECT_EQ(At(renderer, 164, 50), kBlue);
  EXPECT_EQ(At(renderer, 132, 82), kBlue);

  // Without a key the grey texel is drawn like any other.
  const TexturePtr unkeyed = LoadTexture(file, 0, 0, 0);
  ASSERT_NE(unkeyed, nullptr);
  renderer.DrawSprite(unkeyed.get(), 100, 50, 64, 32, 0, 0, 1, 1, kWhite);
  EXPECT_EQ(At(renderer, 100, 50), kGrey);
}

TEST(SpriteRenderer, TextureCoordinatesPickThePartStretchedOverTheRectangle) {
  // 4 x 4 texels; rows 0 and 1 have their own colours, columns show in red.
  QImage image(4, 4, QImage::Format_ARGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) image.setPixel(x, y, 0xFF000000u | (0x10u * (x + 1)) << 16 | (0x40u * y) << 8);
  const TexturePtr texture = TextureFromImage(image, 0, 0, 0);
  ASSERT_NE(texture, nullptr);

  SpriteRenderer renderer(64, 64);
  renderer.Clear(kBlue);
  // Top half (v 0 .. 0.5) over 8 x 8: every texel row becomes four pixel rows,
  // every texel column two pixel columns.
  renderer.DrawSprite(texture.get(), 8, 8, 8, 8, 0, 0, 1, 0.5f, kWhite);
  EXPECT_EQ(At(renderer, 8, 8), 0xFF100000u);
  EXPECT_EQ(At(renderer, 9, 11), 0xFF100000u);
  EXPECT_EQ(At(renderer, 10, 11), 0xFF200000u);
  EXPECT_EQ(At(renderer, 15, 11), 0xFF400000u);
  EXPECT_EQ(At(renderer, 8, 12), 0xFF104000u);
  EXPECT_EQ(At(renderer, 15, 15), 0xFF404000u);
  EXPECT_EQ(At(renderer, 8, 16), kBlue);
  EXPECT_EQ(At(renderer, 16, 8), kBlue);
  EXPECT_EQ(At(renderer, 7, 8), kBlue);

  // The right quarter of the texture (u 0.75 .. 1) over 2 x 4 pixels.
  renderer.DrawSprite(texture.get(), 30, 30, 2, 4, 0.75f, 0, 1, 1, kWhite);
  EXPECT_EQ(At(renderer, 30, 30), 0xFF400000u);
  EXPECT_EQ(At(renderer, 31, 33), 0xFF40C000u);
}

TEST(SpriteRenderer, ColourTintMultipliesEachChannel) {
  const TexturePtr texture = TextureFromImage(Filled(2, 2, 0xFF8040C0), 0, 0, 0);
  ASSERT_NE(texture, nullptr);
  SpriteRenderer renderer(16, 16);
  renderer.Clear(kBlue);
  renderer.DrawSprite(texture.get(), 0, 0, 4, 4, 0, 0, 1, 1, 0xFF0000);  // red keeps only red
  renderer.DrawSprite(texture.get(), 4, 0, 4, 4, 0, 0, 1, 1, kWhite);    // white changes nothing
  renderer.DrawSprite(texture.get(), 8, 0, 4, 4, 0, 0, 1, 1, 0x00808080);  // half: 0x80 * 0x80 / 255 = 0x40
  // The colour's alpha byte plays no part.
  renderer.DrawSprite(texture.get(), 12, 0, 4, 4, 0, 0, 1, 1, 0x00FFFFFF);
  EXPECT_EQ(At(renderer, 1, 1), 0xFF800000u);
  EXPECT_EQ(At(renderer, 5, 1), 0xFF8040C0u);
  EXPECT_EQ(At(renderer, 9, 1), 0xFF402060u);
  EXPECT_EQ(At(renderer, 13, 1), 0xFF8040C0u);
  renderer.DrawSprite(texture.get(), 0, 4, 2, 2, 0, 0, 1, 1, 0x00FF00);  // one to one, green only
  EXPECT_EQ(At(renderer, 1, 5), 0xFF004000u);

  // A white digit on a keyed black ground shows red where the digit is.
  QImage digit = Filled(2, 1, 0xFF000000);
  digit.setPixel(1, 0, 0xFFFFFFFF);
  const TexturePtr font = TextureFromImage(digit, 0, 0, 0xFF000000);
  ASSERT_NE(font, nullptr);
  renderer.DrawSprite(font.get(), 0, 8, 4, 2, 0, 0, 1, 1, 0xFF0000);
  EXPECT_EQ(At(renderer, 0, 8), kBlue);
  EXPECT_EQ(At(renderer, 2, 8), 0xFFFF0000u);
}

TEST(SpriteRenderer, BackgroundCoversTheFirstPanelRowAndRunsPastTheRightEdge) {
  testing::TempFolder folder;
  // Any size is stretched to 1024 x 512; a 512 x 256 sheet doubles.
  const auto file = folder.Path() / "B0.BMP";
  ASSERT_TRUE(Coordinates(512, 256).save(QString::fromStdString(file.string()), "BMP"));
  const TexturePtr background = LoadTexture(file, 1024, 512, 0);
  ASSERT_NE(background, nullptr);
  ASSERT_EQ(background->pixels.width(), 1024);
  ASSERT_EQ(background->pixels.height(), 512);

  SpriteRenderer renderer(800, 600);
  renderer.Clear(kBlue);
  renderer.DrawSprite(background.get(), 0, 0, 1024, 512, 0, 0, 1, 1, kWhite);
  EXPECT_EQ(At(renderer, 0, 0), 0xFF000000u);
  // Pixel (799, 511) shows texel (799, 511) of the stretched picture, sheet texel (399, 255).
  EXPECT_EQ(At(renderer, 799, 511), 0xFF000000u | (399 & 0xFF) << 16 | 255u << 8);
  // The band 480..511 behind the first row of panels is background too.
  EXPECT_EQ(At(renderer, 10, 480), 0xFF000000u | 5u << 16 | 240u << 8);
  EXPECT_EQ(At(renderer, 400, 512), kBlue);
  EXPECT_EQ(At(renderer, 799, 599), kBlue);
}

TEST(SpriteRenderer, PartiallyTransparentTexelsBlendOverTheBackBuffer) {
  const TexturePtr texture = TextureFromImage(Filled(1, 1, 0x80FF0000), 0, 0, 0);
  ASSERT_NE(texture, nullptr);
  SpriteRenderer renderer(4, 4);
  renderer.Clear(kBlue);
  renderer.DrawSprite(texture.get(), 0, 0, 2, 2, 0, 0, 1, 1, kWhite);
  // red 255 * 128 / 255 = 128; blue 255 * 127 / 255 = 127.
  EXPECT_EQ(At(renderer, 1, 1), 0xFF80007Fu);
  EXPECT_EQ(At(renderer, 2, 2), kBlue);
}

TEST(SpriteRenderer, SpritesPartlyOffTheBufferAreClipped) {
  const TexturePtr texture = TextureFromImage(Coordinates(32, 32), 0, 0, 0);
  ASSERT_NE(texture, nullptr);
  SpriteRenderer renderer(64, 64);
  renderer.Clear(kBlue);
  renderer.DrawSprite(texture.get(), -16, -8, 32, 32, 0, 0, 1, 1, kWhite);
  EXPECT_EQ(At(renderer, 0, 0), 0xFF100800u);
  EXPECT_EQ(At(renderer, 15, 23), 0xFF1F1F00u);
  EXPECT_EQ(At(renderer, 16, 0), kBlue);
  EXPECT_EQ(At(renderer, 0, 24), kBlue);
  renderer.DrawSprite(texture.get(), 60, 60, 32, 32, 0, 0, 1, 1, kWhite);
  EXPECT_EQ(At(renderer, 63, 63), 0xFF030300u);
}

TEST(SpriteRenderer, NothingToDrawLeavesTheBackBufferAsItWas) {
  SpriteRenderer renderer(8, 8);
  renderer.Clear(0x000000FF);  // the back buffer stays opaque
  EXPECT_EQ(At(renderer, 3, 3), kBlue);
  const TexturePtr texture = TextureFromImage(Filled(1, 1, 0xFFFF0000), 0, 0, 0);
  renderer.DrawSprite(nullptr, 0, 0, 8, 8, 0, 0, 1, 1, kWhite);
  renderer.DrawSprite(texture.get(), 0, 0, 0, 8, 0, 0, 1, 1, kWhite);
  renderer.DrawSprite(texture.get(), 0, 0, -8, 8, 0, 0, 1, 1, kWhite);
  renderer.DrawSprite(texture.get(), 100, 0, 8, 8, 0, 0, 1, 1, kWhite);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(renderer, x, y), kBlue) << x << "," << y;

  // A renderer whose set-up failed takes every call and draws nowhere.
  SpriteRenderer failed(0, 0);
  failed.Clear(kBlue);
  failed.DrawSprite(texture.get(), 0, 0, 8, 8, 0, 0, 1, 1, kWhite);
  EXPECT_TRUE(failed.BackBuffer().isNull());
}

TEST(Texture, LoadingStretchesWithNearestTexelsAndKeepsOwnSizeForZero) {
  testing::TempFolder folder;
  const auto file = folder.Path() / "PIC.BMP";
  ASSERT_TRUE(Coordinates(4, 2).save(QString::fromStdString(file.string()), "BMP"));
  const TexturePtr own = LoadTexture(file, 0, 0, 0);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->pixels.size(), QSize(4, 2));
  // 4 x 2 to 2 x 4: texel (x, y) samples the sheet at ((2x + 1) * 4 / 4, (2y + 1) * 2 / 8) rounded down.
  const TexturePtr stretched = LoadTexture(file, 2, 4, 0);
  ASSERT_NE(stretched, nullptr);
  EXPECT_EQ(stretched->pixels.pixel(0, 0), 0xFF010000u);
  EXPECT_EQ(stretched->pixels.pixel(1, 0), 0xFF030000u);
  EXPECT_EQ(stretched->pixels.pixel(1, 1), 0xFF030000u);
  EXPECT_EQ(stretched->pixels.pixel(0, 2), 0xFF010100u);
  EXPECT_EQ(stretched->pixels.pixel(1, 3), 0xFF030100u);

  EXPECT_EQ(LoadTexture(folder.Path() / "MISSING.BMP", 0, 0, 0), nullptr);
  folder.Write("BROKEN.BMP", "BM not really a bitmap");
  EXPECT_EQ(LoadTexture(folder.Path() / "BROKEN.BMP", 32, 32, kGrey), nullptr);
}

}  // namespace
}  // namespace fl3
