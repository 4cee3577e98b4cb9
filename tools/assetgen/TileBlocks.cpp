#include "Noise.h"
#include "TileArt.h"

namespace fl3::art {

namespace {

// Blocks fill their cell: a lit top face and a shaded front face below it,
// so a row of blocks reads as a wall seen from above and in front.
constexpr int kFront = 22;

void PaintSlab(PixelCanvas& t, const Ramp& top, const Ramp& front, std::uint32_t grain) {
  t.FillRect(0, 0, Cell, kFront, top.base);
  for (int y = 2; y < kFront - 1; ++y)
    for (int x = 2; x < Cell - 2; ++x)
      if (Hash(x, y, grain) % 100 < 8) t.Set(x, y, top.mid);
  t.FillRect(0, 0, Cell, 1, top.light);
  t.FillRect(0, 0, 1, kFront, top.light);
  t.FillRect(1, 1, Cell - 2, 1, Mix(top.light, top.base, 0.5));
  t.FillRect(Cell - 1, 0, 1, kFront, top.mid);
  t.FillRect(0, kFront - 1, Cell, 1, top.light);
  t.FillRect(0, kFront, Cell, Cell - kFront, front.base);
  t.FillRect(0, kFront, Cell, 1, front.light);
  t.FillRect(0, Cell - 1, Cell, 1, front.dark);
  t.FillRect(Cell - 1, kFront, 1, Cell - kFront, front.mid);
}

PixelCanvas StoneBlock(QRgb stone, std::uint32_t grain) {
  PixelCanvas t(Cell, Cell);
  const Ramp r = RampOf(stone);
  PaintSlab(t, r, RampOf(Shade(stone, 0.72)), grain);
  // A bevelled panel inset in the top face.
  t.FillRect(6, 5, 20, 1, r.mid);
  t.FillRect(6, 5, 1, 12, r.mid);
  t.FillRect(6, 17, 20, 1, r.light);
  t.FillRect(25, 5, 1, 13, r.light);
  // Mortar joints on the front.
  const Ramp f = RampOf(Shade(stone, 0.72));
  t.FillRect(0, 27, Cell, 1, f.dark);
  t.FillRect(12, kFront + 1, 1, 4, f.dark);
  t.FillRect(24, 28, 1, 3, f.dark);
  return t;
}

PixelCanvas BrickBlock(QRgb brick, QRgb cap) {
  PixelCanvas t(Cell, Cell);
  const Ramp b = RampOf(brick), c = RampOf(cap);
  PaintSlab(t, c, b, 5);
  const QRgb mortar = Rgb(0x4E5058);
  // Capstones seen from above.
  t.FillRect(0, 10, Cell, 1, c.mid);
  t.FillRect(16, 1, 1, 9, c.mid);
  t.FillRect(8, 11, 1, 10, c.mid);
  t.FillRect(24, 11, 1, 10, c.mid);
  // Two courses of bricks on the front, staggered.
  t.FillRect(0, 26, Cell, 1, mortar);
  for (int x : {10, 21}) t.FillRect(x, kFront + 1, 1, 3, mortar);
  for (int x : {4, 15, 26}) t.FillRect(x, 27, 1, 4, mortar);
  for (int x : {1, 11, 22}) t.FillRect(x, kFront + 1, 8, 1, b.light);
  for (int x : {5, 16, 27}) t.FillRect(x, 27, 9, 1, b.light);
  return t;
}

PixelCanvas MossyBlock() {
  PixelCanvas t = StoneBlock(Rgb(0x8C9290), 41);
  const Ramp moss{Rgb(0x2E6A2C), Rgb(0x3F8434), Rgb(0x58A240), Rgb(0x7CC050)};
  for (auto [cx, cy, r] : {std::tuple{6.0, 5.0, 7.0}, std::tuple{25.0, 15.0, 6.5}, std::tuple{13.0, 19.0, 4.5},
                           std::tuple{27.0, 3.0, 3.5}})
    t.ForEllipse(cx, cy, r, r * 0.8, [&](int x, int y) {
      if (y >= kFront) return;
      const double nx = (x + 0.5 - cx) / r, ny = (y + 0.5 - cy) / (r * 0.8);
      const double d = nx * nx + ny * ny;
      if (d > 0.7 && Hash(x, y, 45) % 3 == 0) return;  // a ragged edge
      QRgb c = moss.base;
      if (nx + ny < -0.7) c = moss.light;
      else if (nx + ny > 0.8) c = moss.mid;
      t.Set(x, y, c);
    });
  // Vines trailing down the front.
  for (int x : {4, 5, 13, 27}) {
    const int length = 3 + static_cast<int>(Hash(x, 0, 47) % 6);
    for (int y = kFront; y < kFront + length; ++y) t.Set(x + (y % 3 == 0), y, y % 2 ? moss.mid : moss.base);
  }
  return t;
}

// Cave rock: broken facets instead of a dressed face.
PixelCanvas RockBlock(QRgb rock, std::uint32_t grain) {
  PixelCanvas t(Cell, Cell);
  const Ramp r = RampOf(rock);
  PaintSlab(t, r, RampOf(Shade(rock, 0.7)), grain);
  t.FillPolygon({{2, 2}, {14, 2}, {11, 10}, {2, 12}}, r.light);
  t.FillPolygon({{15, 2}, {30, 2}, {30, 9}, {19, 12}, {12, 10}}, r.base);
  t.FillPolygon({{2, 13}, {11, 11}, {18, 13}, {15, 21}, {2, 21}}, r.base);
  t.FillPolygon({{19, 13}, {30, 10}, {30, 21}, {16, 21}}, r.mid);
  t.Line(2, 12, 11, 10, r.dark), t.Line(11, 10, 14, 2, r.dark), t.Line(12, 10, 19, 12, r.dark);
  t.Line(19, 12, 30, 9, r.dark), t.Line(18, 13, 15, 21, r.dark);
  const Ramp f = RampOf(Shade(rock, 0.7));
  t.Line(7, kFront + 1, 9, Cell - 2, f.dark), t.Line(21, kFront + 1, 19, Cell - 2, f.dark);
  return t;
}

PixelCanvas MetalBlock() {
  PixelCanvas t(Cell, Cell);
  const Ramp m{Rgb(0x4A5262), Rgb(0x6A7486), Rgb(0x8894A8), Rgb(0xB4BED0)};
  PaintSlab(t, m, RampOf(Rgb(0x5A6274)), 53);
  // Cross brace and rivets.
  t.Line(4, 4, 27, 17, m.mid), t.Line(4, 5, 26, 17, m.light);
  t.Line(27, 4, 4, 17, m.mid), t.Line(26, 4, 4, 16, m.light);
  for (auto [x, y] : {std::pair{3, 3}, std::pair{27, 3}, std::pair{3, 17}, std::pair{27, 17}}) {
    t.FillRect(x, y, 2, 2, m.light);
    t.Set(x + 1, y + 1, m.dark);
  }
  const Ramp f = RampOf(Rgb(0x5A6274));
  for (int x : {3, 15, 27}) t.Set(x, 26, f.light), t.Set(x + 1, 27, f.dark);
  return t;
}

PixelCanvas BasaltBlock() {
  PixelCanvas t(Cell, Cell);
  const Ramp top{Rgb(0x26282C), Rgb(0x363A40), Rgb(0x4A4E56), Rgb(0x6A6E78)};
  PaintSlab(t, top, RampOf(Rgb(0x34363C)), 59);
  // The hexagonal top of a column, with a glowing seam of ore.
  t.FillPolygon({{8, 3}, {24, 3}, {29, 11}, {24, 19}, {8, 19}, {3, 11}}, top.light);
  t.FillPolygon({{9, 4}, {23, 4}, {27, 11}, {23, 18}, {9, 18}, {5, 11}}, top.base);
  t.Line(9, 13, 14, 10, Rgb(0xE86A2A)), t.Line(14, 10, 19, 12, Rgb(0xFFA040)), t.Line(19, 12, 23, 8, Rgb(0xE86A2A));
  const Ramp f = RampOf(Rgb(0x34363C));
  for (int x : {5, 11, 17, 23, 29}) t.FillRect(x, kFront + 2, 1, Cell - kFront - 3, f.dark);
  return t;
}

// Grey desert granite, a sun carved into it.
PixelCanvas CarvedGranite() {
  PixelCanvas t = StoneBlock(Rgb(0x9C9890), 61);
  const QRgb carve = Rgb(0x4A4640);
  t.FillRect(13, 24, 6, 5, carve);
  t.FillRect(14, 25, 4, 3, Rgb(0xF2B45A));
  for (int x : {10, 21}) t.FillRect(x, 26, 2, 1, carve);
  return t;
}

// Steel plate with brass trim.
PixelCanvas TiledPillar() {
  PixelCanvas t(Cell, Cell);
  const Ramp steel{Rgb(0x4C525C), Rgb(0x6C7480), Rgb(0x8C96A2), Rgb(0xC0C8D2)};
  const Ramp gold{Rgb(0x9A6A1E), Rgb(0xC48C2A), Rgb(0xE8B43C), Rgb(0xFFE08A)};
  PaintSlab(t, steel, RampOf(Rgb(0x5E6570)), 67);
  t.FillRect(2, 2, 28, 2, gold.base), t.FillRect(2, 18, 28, 2, gold.mid);
  t.FillRect(2, 2, 2, 18, gold.base), t.FillRect(28, 2, 2, 18, gold.mid);
  // A diamond of tiles in the middle.
  t.FillPolygon({{16, 6}, {24, 11}, {16, 16}, {8, 11}}, steel.light);
  t.FillPolygon({{16, 8}, {21, 11}, {16, 14}, {11, 11}}, gold.light);
  for (int x = 2; x < Cell - 2; x += 6) t.FillRect(x, 26, 3, 2, gold.base);
  return t;
}

}  // namespace

PixelCanvas DrawBlock(int look, int which) {
  switch (look * 3 + which) {
    case 0: return StoneBlock(Rgb(0x9A9EA8), 3);
    case 1: return BrickBlock(Rgb(0x7C8088), Rgb(0xA8AAB0));
    case 2: return MossyBlock();
    case 3: return RockBlock(Rgb(0x70747C), 71);
    case 4: return MetalBlock();
    case 5: return BasaltBlock();
    case 6: return CarvedGranite();
    case 7: return TiledPillar();
    default: return RockBlock(Rgb(0x8A867E), 73);
  }
}

}  // namespace fl3::art
