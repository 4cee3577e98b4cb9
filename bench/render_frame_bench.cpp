// One whole match frame drawn into the 800 x 600 back buffer: background,
// 750 tiles (floor and cell for every cell), 4 figures, 4 status panels and
// the time. Goal: under 2 ms. Run with --benchmark_repetitions to see the median.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/GameFolder.h"
#include "core/GameState.h"
#include "media/DrawListExecutor.h"

namespace fl3 {
namespace {

constexpr std::uint32_t kGrey = 0xFFC0C0C0;

void Save(const std::filesystem::path& folder, const std::string& name, const QImage& image) {
  image.save(QString::fromStdString((folder / name).string()), "BMP");
}

// Sheets shaped like the real ones: floor and walls fill their cells, items,
// bombs, fire and figures leave the grey around a round shape.
void WriteSheets(const std::filesystem::path& folder) {
  QImage tiles(800, 32, QImage::Format_RGB32);
  for (int x = 0; x < 800; ++x) {
    const int code = x / 32;
    for (int y = 0; y < 32; ++y) {
      const int dx = x % 32 - 16, dy = y - 16;
      const bool shape = code < 7 || dx * dx + dy * dy < 150;
      tiles.setPixel(x, y, shape ? 0xFF000000u | std::uint32_t(code * 9) << 16 | std::uint32_t(x ^ y) << 8 : kGrey);
    }
  }
  Save(folder, "A0.BMP", tiles);
  QImage background(640, 480, QImage::Format_RGB32);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) background.setPixel(x, y, 0xFF000000u | std::uint32_t(x * 7 ^ y * 3));
  Save(folder, "B0.BMP", background);
  QImage characters(384, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 384; ++x) {
      const int dx = x % 32 - 16, dy = y % 64 - 32;
      characters.setPixel(x, y, dx * dx / 2 + dy * dy / 4 < 200 ? 0xFF204080u + std::uint32_t(x) : kGrey);
    }
  Save(folder, "C.BMP", characters);
  QImage winner(256, 256, QImage::Format_RGB32);
  winner.fill(0xFFFF00FFu);
  for (int slot = 0; slot < 4; ++slot) Save(folder, "WIN" + std::to_string(slot) + ".BMP", winner);
  QImage font(256, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) font.setPixel(x, y, (x % 32) / 8 == 1 || (y % 32) / 8 == 1 ? 0xFFFFFFFFu : 0xFF000000u);
  Save(folder, "FONT.BMP", font);
}

SpriteDraw Sprite(PictureRef picture, int x, int y, int width, int height) {
  SpriteDraw draw;
  draw.picture = picture;
  draw.x = float(x);
  draw.y = float(y);
  draw.width = float(width);
  draw.height = float(height);
  return draw;
}

void AddNumber(DrawList& list, int x, int y, int value, std::uint32_t colour) {
  const std::string digits = std::to_string(value);
  for (std::size_t k = 0; k < digits.size(); ++k) {
    const int d = digits[k] - '0';
    SpriteDraw draw = Sprite({PictureKind::Font, 0, 0, 0}, x + 32 * int(k), y, 32, 32);
    draw.uLeft = float(d % 8) / 8;
    draw.uRight = float(d % 8 + 1) / 8;
    draw.vTop = float(d / 8) / 8;
    draw.vBottom = float(d / 8 + 1) / 8;
    draw.colour = colour;
    list.Add(draw);
  }
}

DrawList FullFrame() {
  DrawList list;
  list.Add(Sprite({PictureKind::Background, 0, 0, 0}, 0, 0, 1024, 512));
  for (int x = 0; x < MapWidth; ++x)
    for (int y = 0; y < MapHeight; ++y) {
      list.Add(Sprite({PictureKind::Tile, 0, 0, 0}, 32 * x, 32 * y, 32, 32));
      list.Add(Sprite({PictureKind::Tile, std::int8_t((x * 7 + y * 3) % TilePictureCount), 0, 0}, 32 * x, 32 * y, 32, 32));
    }
  for (std::int8_t figure = 0; figure < FigureCount; ++figure)
    list.Add(Sprite({PictureKind::Character, figure, std::int8_t(1 + figure % 3), std::int8_t(figure)},
                    100 + 160 * figure, 64 + 64 * figure, 32, 64));
  for (std::int8_t figure = 0; figure < FigureCount; ++figure) {
    const int bx = figure % 2 == 0 ? 32 : 416;
    const int by = figure < 2 ? 480 : 512;
    SpriteDraw portrait = Sprite({PictureKind::Character, figure, 1, DirDown}, bx, by, 32, 32);
    portrait.vBottom = 0.5f;
    list.Add(portrait);
    AddNumber(list, bx + 32, by, 3, figure == 1 ? kTintRed : kTintWhite);
    list.Add(Sprite({PictureKind::Tile, 8, 0, 0}, bx + 96, by, 32, 32));
    AddNumber(list, bx + 128, by, 12, kTintWhite);
    list.Add(Sprite({PictureKind::Tile, 7, 0, 0}, bx + 192, by, 32, 32));
    AddNumber(list, bx + 224, by, 10, kTintWhite);
  }
  AddNumber(list, 352, 544, 120, kTintWhite);
  return list;
}

void BM_FullMatchFrame(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "fuselark3-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::filesystem::path folder = pattern;
  WriteSheets(folder);
  const GameFolder game(folder);
  std::array<Character, FigureCount> figures{};
  for (Character& figure : figures) figure.Cont = ContMan;
  MatchPictures pictures;
  const bool built = pictures.Build(game, 0, 0, {0, 1, 2, 3}, figures) && pictures.LoadFont(game);
  std::filesystem::remove_all(folder);
  if (!built) {
    state.SkipWithError("pictures not built");
    return;
  }
  const DrawList list = FullFrame();
  SpriteRenderer renderer(800, 600);
  for (auto _ : state) {
    renderer.Clear(0xFF0000FF);
    ExecuteDrawList(list, pictures, renderer);
    benchmark::DoNotOptimize(renderer.BackBuffer().constBits());
    benchmark::ClobberMemory();
  }
  state.counters["draws"] = double(list.Size());
}
BENCHMARK(BM_FullMatchFrame)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace fl3

BENCHMARK_MAIN();
