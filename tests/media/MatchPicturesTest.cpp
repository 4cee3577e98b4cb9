#include "media/MatchPictures.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "SheetFiles.h"
#include "core/GameFolder.h"

namespace fl3 {
namespace {

using testing::CharacterTexel;
using testing::Figures;
using testing::SaveBitmap;

constexpr std::array<std::int32_t, FigureCount> kRows{1, 0, 3, 2};

std::uint32_t Texel(const Texture* texture, int x, int y) { return texture->pixels.pixel(x, y); }

TEST(MatchPictures, FigureFramesComeFromTheirCellsOfTheCharacterSheet) {
  testing::TempFolder folder;
  testing::WriteAllSheets(folder);
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(GameFolder(folder.Path()), 3, 2, kRows, Figures(ContMan, ContMan, ContMan, ContMan)));

  // Figure i shows picture kRows[i]; step j facing k is frame 3k + j - 1. So figure 0
  // (picture 1) step 2 facing down is frame 10, at x = 320, y = 64..127 of the sheet.
  const struct {
    std::int8_t figure, step, facing;
    int frame, x, y;
  } cells[] = {{0, 2, DirDown, 10, 0, 0}, {0, 2, DirDown, 10, 31, 63}, {0, 1, DirLeft, 0, 5, 5},
               {0, 3, DirUp, 5, 5, 5},    {0, 2, DirRight, 7, 5, 5},    {1, 1, DirLeft, 0, 1, 0},
               {2, 3, DirDown, 11, 0, 10}, {3, 2, DirRight, 7, 5, 5}};
  for (const auto& c : cells) {
    const Texture* frame = pictures.Find({PictureKind::Character, c.figure, c.step, c.facing});
    ASSERT_NE(frame, nullptr) << int(c.figure) << " " << c.frame;
    EXPECT_EQ(frame->pixels.size(), QSize(32, 64));
    EXPECT_EQ(Texel(frame, c.x, c.y), CharacterTexel(c.frame, kRows[c.figure], c.y)) << int(c.figure) << " " << c.frame;
  }
  ASSERT_EQ(pictures.P(0).Count(), 3);
  // Picture 0's first frame has the transparent grey in its corner.
  EXPECT_EQ(Texel(pictures.P(1).Item(1)->picLeft.get(), 0, 0), 0u);

  // Winner pictures are doubled to 256 x 256 with magenta transparent.
  const Texture* winner = pictures.WinPic(3);
  ASSERT_NE(winner, nullptr);
  ASSERT_EQ(winner->pixels.size(), QSize(256, 256));
  EXPECT_EQ(Texel(winner, 0, 0), 0u);
  EXPECT_EQ(Texel(winner, 21, 41), 0xFF00FF00u);
}

TEST(MatchPictures, TilesAndBackgroundAreCutToTheirSizes) {
  testing::TempFolder folder;
  testing::WriteAllSheets(folder);
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(GameFolder(folder.Path()), 3, 2, kRows, Figures(ContMan, ContOff, ContOff, ContOff)));
  for (int code = 0; code < TilePictureCount; ++code) {
    const Texture* tile = pictures.TilePicture(code);
    ASSERT_NE(tile, nullptr) << code;
    EXPECT_EQ(tile->pixels.size(), QSize(32, 32));
    EXPECT_EQ(Texel(tile, 31, 31), 0xFF000000u | std::uint32_t(8 * (code + 1)) << 16) << code;
  }
  EXPECT_EQ(Texel(pictures.TilePicture(5), 0, 0), 0u);
  EXPECT_EQ(pictures.TilePicture(25), nullptr);
  EXPECT_EQ(pictures.TilePicture(-1), nullptr);
  ASSERT_NE(pictures.BackgroundPicture(), nullptr);
  EXPECT_EQ(pictures.BackgroundPicture()->pixels.size(), QSize(1024, 512));
  EXPECT_EQ(Texel(pictures.BackgroundPicture(), 1023, 511), 0xFF336699u);

  // No background: nothing reads a "B" file, the rest is built.
  MatchPictures without;
  std::filesystem::remove(folder.Path() / "B2.BMP");
  EXPECT_TRUE(without.Build(GameFolder(folder.Path()), 3, -1, kRows, Figures(ContMan, ContOff, ContOff, ContOff)));
  EXPECT_EQ(without.BackgroundPicture(), nullptr);
  EXPECT_NE(without.WinPic(0), nullptr);
}

TEST(MatchPictures, FiguresThatSitOutGetNothingAndReadNoWinnerFile) {
  testing::TempFolder folder;
  testing::WriteAllSheets(folder);
  std::filesystem::remove(folder.Path() / "WIN2.BMP");
  MatchPictures pictures;
  EXPECT_TRUE(pictures.Build(GameFolder(folder.Path()), 3, 2, kRows, Figures(ContMan, ContCpu, ContOff, ContMan)));
  EXPECT_EQ(pictures.P(2).Count(), 0);
  EXPECT_EQ(pictures.WinPic(2), nullptr);
  EXPECT_EQ(pictures.P(1).Count(), 3);
  EXPECT_EQ(pictures.P(3).Count(), 3);
  EXPECT_NE(pictures.WinPic(3), nullptr);
}

TEST(MatchPictures, AMissingFileStopsTheBuildingAndLeavesWhatWasBuilt) {
  testing::TempFolder folder;
  testing::WriteAllSheets(folder);
  const GameFolder game(folder.Path());
  const auto everyone = Figures(ContMan, ContMan, ContMan, ContMan);

  std::filesystem::remove(folder.Path() / "WIN1.BMP");
  MatchPictures noWinner;
  EXPECT_FALSE(noWinner.Build(game, 3, 2, kRows, everyone));
  EXPECT_NE(noWinner.WinPic(0), nullptr);
  EXPECT_EQ(noWinner.P(1).Count(), 3);
  EXPECT_EQ(noWinner.WinPic(1), nullptr);
  EXPECT_EQ(noWinner.P(2).Count(), 0);
  EXPECT_EQ(noWinner.P(3).Count(), 0);
  EXPECT_EQ(noWinner.WinPic(3), nullptr);
  EXPECT_EQ(noWinner.Find(PictureRef{PictureKind::Character, 3, 1, DirDown}), nullptr);

  std::filesystem::remove(folder.Path() / "B2.BMP");
  MatchPictures noBackground;
  EXPECT_FALSE(noBackground.Build(game, 3, 2, kRows, everyone));
  EXPECT_NE(noBackground.TilePicture(24), nullptr);
  EXPECT_EQ(noBackground.BackgroundPicture(), nullptr);
  EXPECT_EQ(noBackground.P(0).Count(), 0);

  // A second build on the same pictures starts afresh.
  EXPECT_FALSE(noWinner.Build(game, 7, 2, kRows, everyone));
  EXPECT_EQ(noWinner.TilePicture(0), nullptr);
  EXPECT_EQ(noWinner.P(0).Count(), 0);

  folder.Write("C.BMP", "not a picture");
  MatchPictures badSheet;
  EXPECT_FALSE(badSheet.Build(game, 3, -1, kRows, everyone));
  EXPECT_NE(badSheet.TilePicture(0), nullptr);
  EXPECT_EQ(badSheet.P(0).Count(), 0);
}

TEST(MatchPictures, CellsOutsideASmallSheetAreTransparent) {
  testing::TempFolder folder;
  SaveBitmap(folder, "a1.bmp", testing::TileSheet(400, 20));  // found whatever the letter case
  SaveBitmap(folder, "C.BMP", testing::CharacterSheet(1));
  SaveBitmap(folder, "WIN0.BMP", testing::WinnerPicture());
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(GameFolder(folder.Path()), 1, -1, {2, 0, 0, 0}, Figures(ContMan, ContOff, ContOff, ContOff)));
  // Tile 12 starts at x = 384: 16 columns and 20 rows of it lie on the sheet.
  const Texture* tile = pictures.TilePicture(12);
  ASSERT_NE(tile, nullptr);
  EXPECT_EQ(Texel(tile, 15, 19), 0xFF000000u | 8u * 13u << 16);
  EXPECT_EQ(Texel(tile, 16, 0), 0u);
  EXPECT_EQ(Texel(tile, 0, 20), 0u);
  EXPECT_EQ(Texel(pictures.TilePicture(20), 5, 5), 0u);
  // Picture row 2 of a one-row sheet is wholly outside: empty frames, no failure.
  ASSERT_EQ(pictures.P(0).Count(), 3);
  EXPECT_EQ(Texel(pictures.P(0).Item(1)->picDown.get(), 3, 3), 0u);
  EXPECT_NE(pictures.WinPic(0), nullptr);
}

TEST(MatchPictures, DrawReferencesFindTheirTextures) {
  testing::TempFolder folder;
  testing::WriteAllSheets(folder);
  QImage font(256, 256, QImage::Format_RGB32);
  font.fill(0xFF000000u);
  font.setPixel(40, 3, 0xFFFFFFFFu);
  SaveBitmap(folder, "FONT.BMP", font);
  const GameFolder game(folder.Path());
  MatchPictures pictures;
  ASSERT_TRUE(pictures.Build(game, 3, 2, kRows, Figures(ContMan, ContOff, ContOff, ContMan)));
  ASSERT_TRUE(pictures.LoadFont(game));
  ASSERT_EQ(pictures.FontPicture()->pixels.size(), QSize(256, 256));
  EXPECT_EQ(Texel(pictures.FontPicture(), 0, 0), 0u);
  EXPECT_EQ(Texel(pictures.FontPicture(), 40, 3), 0xFFFFFFFFu);

  // Empty pictures: a figure that sits out, a step or facing that does not exist.
  EXPECT_EQ(pictures.Find({PictureKind::Character, 1, 1, DirLeft}), nullptr);
  EXPECT_EQ(pictures.Find({PictureKind::Character, 0, 4, DirLeft}), nullptr);
  EXPECT_EQ(pictures.Find({PictureKind::Character, 0, 0, DirLeft}), nullptr);
  EXPECT_EQ(pictures.Find({PictureKind::Character, 0, 1, 4}), nullptr);
  EXPECT_EQ(pictures.Find({PictureKind::Winner, 2, 0, 0}), nullptr);
  EXPECT_EQ(pictures.Find({PictureKind::Tile, 25, 0, 0}), nullptr);

  pictures.Release();
  EXPECT_EQ(pictures.FontPicture(), nullptr);
  EXPECT_EQ(pictures.TilePicture(0), nullptr);
  EXPECT_EQ(pictures.BackgroundPicture(), nullptr);
  EXPECT_EQ(pictures.P(0).Count(), 0);
  EXPECT_EQ(pictures.WinPic(3), nullptr);

  std::filesystem::remove(folder.Path() / "FONT.BMP");
  EXPECT_FALSE(pictures.LoadFont(game));
  EXPECT_EQ(pictures.FontPicture(), nullptr);
}

TEST(colCharPic, PositionsCountFromOneAndRemovingMovesTheRestDown) {
  const TexturePtr a = std::make_shared<const Texture>();
  const TexturePtr b = std::make_shared<const Texture>();
  colCharPic steps;
  steps.Add(a, nullptr, nullptr, nullptr);
  steps.Add(b, nullptr, a, nullptr);
  EXPECT_EQ(steps.Item(0), nullptr);
  EXPECT_EQ(steps.Item(3), nullptr);
  EXPECT_EQ(steps.Item(2)->Facing(DirRight), a.get());
  EXPECT_EQ(steps.Item(2)->Facing(7), nullptr);
  steps.Remove(1);
  EXPECT_EQ(steps.Count(), 1);
  EXPECT_EQ(steps.Item(1)->picLeft, b);
  steps.Clear();
  EXPECT_EQ(steps.Count(), 0);
  EXPECT_EQ(b.use_count(), 1);  // nothing is held any more
}

}  // namespace
}  // namespace fl3
