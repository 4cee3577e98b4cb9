#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "LevelDesigns.h"
#include "PixelCanvas.h"
#include "TempFolder.h"
#include "core/Grid.h"

namespace fl3::testing {
namespace {

int RunGenerator(const QStringList& arguments) {
  QProcess generator;
  generator.start(QStringLiteral(FUSELARK3_ASSETGEN), arguments);
  if (!generator.waitForFinished(120000)) return -1;
  return generator.exitStatus() == QProcess::NormalExit ? generator.exitCode() : -1;
}

std::map<std::string, std::string> Contents(const std::filesystem::path& folder, const std::filesystem::path& names) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(names)) {
    std::ifstream in(folder / entry.path().filename(), std::ios::binary);
    files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

TEST(AssetGenerator, DrawsTheSameBytesEveryTimeAsTheBuildDidAndReportsWhatItCannotDo) {
  TempFolder first, second;
  ASSERT_EQ(RunGenerator({QString::fromStdString(first.Path().string())}), 0);
  ASSERT_EQ(RunGenerator({QString::fromStdString(second.Path().string())}), 0);
  const auto drawn = Contents(first.Path(), first.Path());
  EXPECT_GE(drawn.size(), 32u);
  EXPECT_TRUE(drawn == Contents(second.Path(), first.Path())) << "the two runs differ";
  const char* game = std::getenv("FUSELARK3_GAME_DIR");
  EXPECT_TRUE(drawn == Contents(game ? game : "", first.Path())) << "the game folder is out of date";

  EXPECT_EQ(RunGenerator({}), 2);
  // A plain file where the folder should be: it stops with an error and leaves the file.
  const auto blocker = first.Write("NOT A FOLDER", "x");
  EXPECT_EQ(RunGenerator({QString::fromStdString(blocker.string())}), 1);
  EXPECT_EQ(first.Read("NOT A FOLDER"), "x");
}

TEST(ArtTools, PaintThatMatchesTheKeyStaysVisibleAsTheSameGrey) {
  art::PixelCanvas canvas(3, 1);
  canvas.Set(0, 0, art::Rgb(0xC0C0C0));
  canvas.Set(1, 0, art::Rgb(0x123456));
  const QImage flat = canvas.Flatten(art::Rgb(0xC0C0C0));
  EXPECT_EQ(flat.format(), QImage::Format_RGB888);
  EXPECT_NE(flat.pixel(0, 0), art::Rgb(0xC0C0C0));
  EXPECT_EQ(flat.pixel(0, 0) & 0xFFFFFF00u, art::Rgb(0xC0C0C0) & 0xFFFFFF00u);  // nudged by the smallest step
  EXPECT_EQ(flat.pixel(1, 0), art::Rgb(0x123456));
  EXPECT_EQ(flat.pixel(2, 0), art::Rgb(0xC0C0C0));
}

TEST(ArtTools, LevelTextBecomesCellsItemsAndStarts) {
  art::LevelDesign design{"TEST.FL3", 1, -1, art::Hidden::Random, 5, "X.MID", 1, 2, {}};
  for (auto& row : design.rows) row = ".........................";
  design.rows[0] = "1xyz#=@..................";
  design.rows[14] = "........................2";
  const LevelData level = art::BuildLevel(design);
  const std::pair<std::int32_t, std::int32_t> row0[] = {{CellNothing, ItemNone}, {CellBox1, ItemRandom},
      {CellBox2, ItemRandom}, {CellBox3, ItemRandom}, {CellBlock1, ItemNone}, {CellBlock2, ItemNone},
      {CellBlock3, ItemNone}, {CellNothing, ItemNone}};
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(std::pair(level.TileMap[CellIndex(x, 0)], level.ItemMap[CellIndex(x, 0)]), row0[x]) << x;
  // Figures without a start cell in the text have no place on the level.
  const FigureStart starts[] = {{0, 0, 1, 2}, {24, 14, 1, 2}, {OffMapPos, OffMapPos, 1, 2}, {OffMapPos, OffMapPos, 1, 2}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(level.Figures[i], starts[i]) << i;
  EXPECT_EQ(level.TileSetNumber, 1);
  EXPECT_EQ(level.BackgroundNumber, -1);
  EXPECT_EQ(level.LevelMusic, "X.MID");
}

}  // namespace
}  // namespace fl3::testing
