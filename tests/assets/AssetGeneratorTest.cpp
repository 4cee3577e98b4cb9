#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "LevelDesigns.h"
#include "PixelCanvas.h"
#include "TempFolder.h"
#include "core/Grid.h"
#include "core/LevelFile.h"

// The asset generator: its drawing tools, its runs, and the pictures and
// levels the build drew with it into the game folder.
namespace fl3::testing {
namespace {

std::filesystem::path GameFolder() {
  const char* folder = std::getenv("FUSELARK3_GAME_DIR");
  return folder ? folder : "";
}

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
  const std::filesystem::path file = GameFolder() / name;
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
  // Boxes may draw up to their edges ('*': 'k' or 'm').
  const std::string tiles = "o***ooommmmmmmmmmm" "kmkmkmk";  // fire reaches the edges it joins at
  std::vector<Sheet> sheets = {
      {"C.BMP", 384, 512, kGrey, 32, 64, std::string(96, 'm')},  // eight figures of twelve frames
      {"FONT.BMP", 256, 256, kBlack, 32, 32, std::string(10, 'm') + std::string(54, '-')},
      {"TITLE.BMP", 312, 108, kGrey, 312, 108, "o"},
      {"EDIT NONE.BMP", 16, 16, kWhite, 16, 16, "k"},
      {"EDIT QUESTION.BMP", 16, 16, kWhite, 16, 16, "k"},
      {"EDIT POINT.BMP", 24, 24, kWhite, 24, 24, "k"},
  };
  for (const char* n : {"0", "1", "2"}) {
    // Over a background the floor is a scorch mark on the key colour.
    sheets.push_back({std::string("A") + n + ".BMP", 800, 32, kGrey, 32, 32, "*" + tiles.substr(1)});
    sheets.push_back({std::string("A") + std::to_string(std::stoi(n) + 3) + ".BMP", 800, 32, kGrey, 32, 32, tiles});
    sheets.push_back({std::string("B") + n + ".BMP", 1024, 512, kGrey, 1024, 512, "o"});
  }
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
    for (std::size_t i = 0; i < cells.size() && i < sheet.cells.size(); ++i) {
      if (sheet.cells[i] == '*' && (cells[i] == 'k' || cells[i] == 'm')) cells[i] = '*';
    }
    EXPECT_EQ(cells, sheet.cells) << sheet.file;
  }
  // White digits, so that a red tint shows pure red; the arrow's tip is the pointer's hot spot.
  const QImage font = Load("FONT.BMP");
  for (int digit = 0; digit < 10; ++digit)
    EXPECT_GT(CountColour(font, {digit % 8 * 32, digit / 8 * 32, 32, 32}, kWhite), 0) << digit;
  EXPECT_NE(Load("EDIT POINT.BMP").pixel(0, 0), kWhite);
}

using Cell = std::pair<int, int>;

bool IsOpen(const LevelData& level, Cell c) {
  if (!OnMap(c.first, c.second)) return false;
  const auto code = level.TileMap[CellIndex(c.first, c.second)];
  return code == CellNothing || code == CellDoodad;
}

// Whether a first bomb of the figure's reach, planted somewhere in the open
// area around its start, leaves a cell of that area out of its blast.
bool FirstBombHasAWayOut(const LevelData& level, const FigureStart& figure) {
  std::set<Cell> area{{figure.X, figure.Y}};
  for (std::vector<Cell> todo(area.begin(), area.end()); !todo.empty();) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    for (Cell next : {Cell{x + 1, y}, Cell{x - 1, y}, Cell{x, y + 1}, Cell{x, y - 1}})
      if (IsOpen(level, next) && area.insert(next).second) todo.push_back(next);
  }
  for (const auto& [bx, by] : area) {
    std::size_t blast = 1;
    for (const auto& [dx, dy] : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}})
      for (int d = 1; d <= figure.PowerFire && IsOpen(level, {bx + d * dx, by + d * dy}); ++d) ++blast;
    if (blast < area.size()) return true;
  }
  return false;
}

// Cells a figure can reach from its start once the boxes on the way burn.
std::set<Cell> Reachable(const LevelData& level, Cell start) {
  std::set<Cell> seen{start};
  for (std::vector<Cell> todo{start}; !todo.empty();) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    for (Cell next : {Cell{x + 1, y}, Cell{x - 1, y}, Cell{x, y + 1}, Cell{x, y - 1}}) {
      if (!OnMap(next.first, next.second) || seen.count(next)) continue;
      const auto code = level.TileMap[CellIndex(next.first, next.second)];
      if (code >= CellBlock1 && code <= CellBlock3) continue;
      seen.insert(next);
      todo.push_back(next);
    }
  }
  return seen;
}

// Each shipped level loads, uses only codes, pictures and tunes the game has,
// has plenty to blow up, lets every figure burn its way out of its start area
// without blowing itself up and fight its way to the others; together the
// levels use every tileset.
TEST(LevelFiles, EveryShippedLevelIsPlayable) {
  const std::filesystem::path game = GameFolder();
  const std::set<std::string> tunes = {"", "BATTLE.MID", "CAVERN.MID", "SUNRISE.MID"};
  std::set<int> tileSets;
  for (const char* name : {"ARENA.FL3", "CAVERN.FL3", "CROSSFIRE.FL3", "DUEL.FL3", "GARDEN.FL3", "ISLANDS.FL3",
                           "MAZE.FL3", "OASIS.FL3", "SUNRISE.FL3"}) {
    LevelData level;
    const auto result = ReadLevelFile(game / name, level);
    ASSERT_TRUE(result.ok) << name << ": " << result.reason;
    EXPECT_EQ(std::filesystem::file_size(game / name), kLevelFileSize) << name;
    int boxes = 0;
    for (int i = 0; i < CellCount; ++i) {
      const auto code = level.TileMap[i], item = level.ItemMap[i];
      const bool box = code >= CellBox1 && code <= CellBox3;
      EXPECT_TRUE(code >= CellNothing && code <= CellBlock3 && item >= ItemRandom && item <= ItemFire2) << name << i;
      EXPECT_TRUE(box || item == ItemNone) << name << " cell " << i << ": only boxes hide anything";
      boxes += box;
    }
    EXPECT_GE(boxes, 60) << name;
    std::set<Cell> starts;
    const std::set<Cell> reach = Reachable(level, {level.Figures[0].X, level.Figures[0].Y});
    for (const FigureStart& f : level.Figures) {
      const Cell start{f.X, f.Y};
      EXPECT_TRUE(IsOpen(level, start) && reach.count(start)) << name << " start " << f.X << "," << f.Y;
      EXPECT_TRUE(FirstBombHasAWayOut(level, f)) << name << " start " << f.X << "," << f.Y;
      EXPECT_TRUE(f.PowerBombs >= 0 && f.PowerBombs <= 1 && f.PowerFire >= 1 && f.PowerFire <= 2) << name;
      starts.insert(start);
    }
    EXPECT_EQ(starts.size(), 4u) << name << ": every figure has its own start cell";
    const std::string background = "B" + std::to_string(level.BackgroundNumber) + ".BMP";
    EXPECT_TRUE(std::filesystem::exists(game / ("A" + std::to_string(level.TileSetNumber) + ".BMP"))) << name;
    EXPECT_TRUE(level.BackgroundNumber == -1 || std::filesystem::exists(game / background)) << name;
    EXPECT_TRUE(tunes.count(level.LevelMusic)) << name << " names " << level.LevelMusic;
    tileSets.insert(level.TileSetNumber);
    // A burnt cell shows tile 0: over a background a mark on the key colour (else
    // burnt cells show as foreign squares); without one a whole floor under every cell.
    const QImage sheet = Load("A" + std::to_string(level.TileSetNumber) + ".BMP");
    const int key = CountColour(sheet, {0, 0, 32, 32}, kGrey);
    EXPECT_TRUE(level.BackgroundNumber < 0 ? key == 0 : key > 32 * 32 / 2 && key < 32 * 32 - 100) << name << key;
  }
  EXPECT_EQ(tileSets, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

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
  EXPECT_TRUE(drawn == Contents(GameFolder(), first.Path())) << "the game folder is out of date";

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
  const FigureStart starts[] = {{0, 0, 1, 2}, {24, 14, 1, 2}, {OffMapPos, OffMapPos, 1, 2},
                                {OffMapPos, OffMapPos, 1, 2}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(level.Figures[i], starts[i]) << i;
  EXPECT_EQ(level.TileSetNumber, 1);
  EXPECT_EQ(level.BackgroundNumber, -1);
  EXPECT_EQ(level.LevelMusic, "X.MID");
}

}  // namespace
}  // namespace fl3::testing
