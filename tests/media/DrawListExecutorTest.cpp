#include "media/DrawListExecutor.h"

#include <gtest/gtest.h>

#include "SheetFiles.h"
#include "core/GameFolder.h"

namespace fl3 {
namespace {

constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kBackground = 0xFF336699;

SpriteDraw Draw(PictureRef picture, float x, float y, float width, float height) {
  SpriteDraw draw;
  draw.picture = picture;
  draw.x = x;
  draw.y = y;
  draw.width = width;
  draw.height = height;
  return draw;
}

TEST(DrawListExecutor, DrawsEachEntryWithTheMatchPicturesInOrder) {
  testing::TempFolder folder;
  testing::WriteAllSheets(folder);
  QImage font(256, 256, QImage::Format_RGB32);
  font.fill(0xFF000000u);
  for (int y = 0; y < 32; ++y)
    for (int x = 224; x < 256; ++x) font.setPixel(x, y, 0xFFFFFFFFu);  // the cell of digit 7 is all white
  testing::SaveBitmap(folder, "FONT.BMP", font);
  const GameFolder game(folder.Path());
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(game, 3, 2, {1, 0, 0, 0}, testing::Figures(ContMan, ContOff, ContOff, ContOff)));
  ASSERT_TRUE(pictures.LoadFont(game));

  DrawList list;
  list.Add(Draw({PictureKind::Background, 0, 0, 0}, 0, 0, 1024, 512));
  list.Add(Draw({PictureKind::Tile, 9, 0, 0}, 64, 32, 32, 32));
  list.Add(Draw({PictureKind::Tile, 5, 0, 0}, 0, 0, 32, 32));
  list.Add(Draw({PictureKind::Character, 0, 2, DirDown}, 160, 96, 32, 64));
  list.Add(Draw({PictureKind::Winner, 1, 0, 0}, 272, 172, 256, 256));  // figure 1 sits out: no picture
  SpriteDraw seven = Draw({PictureKind::Font, 0, 0, 0}, 352, 544, 32, 32);
  seven.uLeft = 7.0f / 8;
  seven.uRight = 1;
  seven.vBottom = 1.0f / 8;
  seven.colour = kTintRed;
  list.Add(seven);
  SpriteDraw zero = seven;
  zero.x = 384;
  zero.uLeft = 0;
  zero.uRight = 1.0f / 8;
  list.Add(zero);

  SpriteRenderer renderer(800, 600);
  renderer.Clear(kBlue);
  ExecuteDrawList(list, pictures, renderer);
  const QImage& frame = renderer.BackBuffer();
  EXPECT_EQ(frame.pixel(10, 500), kBackground);
  EXPECT_EQ(frame.pixel(69, 37), 0xFF500000u);
  EXPECT_EQ(frame.pixel(0, 0), kBackground);
  EXPECT_EQ(frame.pixel(1, 0), 0xFF300000u);
  EXPECT_EQ(frame.pixel(163, 103), testing::CharacterTexel(10, 1, 7));
  EXPECT_EQ(frame.pixel(280, 180), kBackground);
  EXPECT_EQ(frame.pixel(360, 550), 0xFFFF0000u);
  EXPECT_EQ(frame.pixel(390, 550), kBlue);
  EXPECT_EQ(frame.pixel(600, 590), kBlue);
}

}  // namespace
}  // namespace fl3
