#include <tuple>

#include "Noise.h"
#include "TileArt.h"

namespace fl3::art {

namespace {

// Short blades of grass, scattered the same way every time.
PixelCanvas GrassFloor() {
  PixelCanvas t(Cell, Cell);
  const Ramp g{Rgb(0x3C7A34), Rgb(0x4E9438), Rgb(0x62AC42), Rgb(0x86CA58)};
  t.FillRect(0, 0, Cell, Cell, g.base);
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x) {
      const auto h = Hash(x, y, 11) % 100;
      if (h < 6) t.Set(x, y, g.mid);
      else if (h < 9) t.Set(x, y, g.light);
    }
  Noise n(7);
  for (int i = 0; i < 11; ++i) {
    const int x = 1 + n.Below(29), y = 2 + n.Below(27);
    t.Set(x, y, g.light);
    t.Set(x, y + 1, g.mid);
    t.Set(x + 1, y + 1, g.light);
    t.Set(x + 1, y + 2, g.mid);
  }
  // Two tiny flowers.
  for (auto [x, y, petal] : {std::tuple{8, 9, Rgb(0xFFF4E0)}, std::tuple{22, 21, Rgb(0xFFD84A)}}) {
    t.Set(x, y - 1, petal), t.Set(x - 1, y, petal), t.Set(x + 1, y, petal), t.Set(x, y + 1, petal);
    t.Set(x, y, Rgb(0xF08A2A));
  }
  // A faint seam shows the grid without cluttering the field.
  for (int i = 0; i < Cell; ++i) t.Set(i, Cell - 1, g.mid), t.Set(Cell - 1, i, g.mid);
  return t;
}

// Four slate flagstones with dark mortar between them.
PixelCanvas SlateFloor() {
  PixelCanvas t(Cell, Cell);
  const Ramp s{Rgb(0x1E2029), Rgb(0x2A2D3A), Rgb(0x363A4A), Rgb(0x464B5E)};
  t.FillRect(0, 0, Cell, Cell, s.dark);
  const int stones[4][4] = {{0, 0, 17, 13}, {18, 0, 14, 13}, {0, 14, 11, 18}, {12, 14, 20, 18}};
  int index = 0;
  for (const auto& st : stones) {
    const int x = st[0], y = st[1], w = st[2] - 1, h = st[3] - 1;
    t.FillRect(x, y, w, h, s.base);
    t.FillRect(x, y, w, 1, s.light);
    t.FillRect(x, y, 1, h, s.light);
    t.FillRect(x, y + h - 1, w, 1, s.mid);
    t.FillRect(x + w - 1, y, 1, h, s.mid);
    for (int py = y + 2; py < y + h - 2; ++py)
      for (int px = x + 2; px < x + w - 2; ++px)
        if (Hash(px, py, 23 + index) % 100 < 7) t.Set(px, py, s.mid);
    ++index;
  }
  // A hairline crack in the big stone.
  t.Line(16, 19, 20, 23, s.dark), t.Line(20, 23, 22, 23, s.dark), t.Line(22, 23, 25, 27, s.dark);
  return t;
}

// A warm sandstone tile with a small inlaid rosette.
PixelCanvas SandstoneFloor() {
  PixelCanvas t(Cell, Cell);
  const Ramp s{Rgb(0xC09458), Rgb(0xD8B078), Rgb(0xECCA94), Rgb(0xFADFB2)};
  t.FillRect(0, 0, Cell, Cell, s.base);
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x)
      if (Hash(x, y, 31) % 100 < 6) t.Set(x, y, s.mid);
  t.FillRect(0, 0, Cell, 1, s.light);
  t.FillRect(0, 0, 1, Cell, s.light);
  t.FillRect(0, Cell - 1, Cell, 1, s.dark);
  t.FillRect(Cell - 1, 0, 1, Cell, s.dark);
  t.FillRect(1, Cell - 2, Cell - 2, 1, s.mid);
  t.FillRect(Cell - 2, 1, 1, Cell - 2, s.mid);
  const QRgb inlay = Rgb(0xC0603C), inlayLight = Rgb(0x4AA8A0);
  t.Set(15, 13, inlay), t.Set(16, 13, inlay), t.Set(13, 15, inlay), t.Set(13, 16, inlay);
  t.Set(18, 15, inlay), t.Set(18, 16, inlay), t.Set(15, 18, inlay), t.Set(16, 18, inlay);
  t.FillRect(15, 15, 2, 2, inlayLight);
  return t;
}

}  // namespace

PixelCanvas DrawFloor(int look) {
  switch (look) {
    case 1: return SlateFloor();
    case 2: return SandstoneFloor();
    default: return GrassFloor();
  }
}

}  // namespace fl3::art
