#include <cmath>

#include "Noise.h"
#include "TileArt.h"

namespace fl3::art {

namespace {

// Boxes stand inside their cell with an ink outline and a pale rim around
// it, so a field of them reads as separate things to blow up, unlike the
// solid grey walls.
constexpr QRgb BoxRim = Rgb(0xF2E2B4);

PixelCanvas Outlined(const PixelCanvas& art) {
  PixelCanvas t(Cell, Cell);
  t.Blit(art, 0, 0);
  t.Outline(InkLine);
  t.Outline(BoxRim);
  return t;
}

PixelCanvas Crate(QRgb wood, QRgb band) {
  PixelCanvas a(Cell, Cell);
  const Ramp w = RampOf(wood), b = RampOf(band);
  // Top face.
  a.FillRect(2, 3, 28, 19, w.base);
  for (int y : {8, 13, 18}) a.FillRect(5, y, 22, 1, w.mid);
  a.FillRect(2, 3, 28, 3, w.light);
  a.FillRect(2, 19, 28, 3, w.mid);
  a.FillRect(2, 3, 3, 19, w.light);
  a.FillRect(27, 3, 3, 19, w.mid);
  a.Line(5, 18, 26, 6, w.light);
  a.Line(5, 19, 26, 7, w.mid);
  // Front face.
  a.FillRect(2, 22, 28, 8, w.dark);
  a.FillRect(2, 22, 28, 1, w.mid);
  for (int x : {9, 16, 23}) a.FillRect(x, 23, 1, 7, Shade(wood, 0.42));
  // Metal corners.
  for (int x : {2, 27})
    for (int y : {3, 19}) {
      a.FillRect(x, y, 3, 3, b.base);
      a.Set(x + 1, y + 1, b.light);
    }
  for (int x : {2, 27}) a.FillRect(x, 24, 3, 4, b.mid);
  return Outlined(a);
}

PixelCanvas Barrel(QRgb wood) {
  PixelCanvas a(Cell, Cell);
  const Ramp w = RampOf(wood);
  const Ramp hoop{Rgb(0x3A3A46), Rgb(0x55566A), Rgb(0x767890), Rgb(0xA0A4BC)};
  // The body, lit from the left like a cylinder.
  for (int x = 5; x <= 26; ++x) {
    const QRgb c = x < 9 ? w.light : (x < 18 ? w.base : (x < 23 ? w.mid : w.dark));
    a.FillRect(x, 9, 1, 19, c);
  }
  a.FillRect(6, 28, 20, 1, w.dark);
  for (int x : {10, 15, 20}) a.FillRect(x, 14, 1, 14, Shade(wood, 0.6));
  for (int y : {13, 24}) {
    a.FillRect(5, y, 22, 2, hoop.base);
    a.FillRect(5, y, 5, 1, hoop.light);
    a.FillRect(21, y, 6, 2, hoop.mid);
  }
  // The lid.
  a.FillEllipse(16, 9, 11, 5, hoop.mid);
  a.FillEllipse(16, 9, 9.5, 4, w.light);
  a.FillEllipse(16.5, 9.5, 7.5, 2.8, w.base);
  a.FillRect(9, 9, 14, 1, w.mid);
  return Outlined(a);
}

PixelCanvas Bush() {
  PixelCanvas a(Cell, Cell);
  const Ramp g{Rgb(0x1E5A2A), Rgb(0x2E7A34), Rgb(0x44983E), Rgb(0x6CBC52)};
  a.FillBall(9.5, 20, 8, 8, g);
  a.FillBall(22.5, 20, 8, 8, g);
  a.FillBall(16, 11, 9, 8, g);
  a.FillBall(16, 22, 9, 7.5, g);
  for (auto [x, y] : {std::pair{9, 17}, std::pair{19, 9}, std::pair{23, 22}, std::pair{14, 24}, std::pair{12, 11}}) {
    a.FillRect(x, y, 2, 2, Rgb(0xD8343C));
    a.Set(x, y, Rgb(0xFF8A8A));
  }
  return Outlined(a);
}

PixelCanvas Crystals() {
  PixelCanvas a(Cell, Cell);
  const Ramp p{Rgb(0x4A2480), Rgb(0x7038B0), Rgb(0x9C5CE0), Rgb(0xD8B0FF)};
  a.FillEllipse(16, 27, 13, 3.5, Rgb(0x3A3440));
  auto crystal = [&](double cx, double top, double bottom, double half) {
    a.FillPolygon({{cx - half, top + half}, {cx, top}, {cx, bottom}, {cx - half, bottom - 1}}, p.light);
    a.FillPolygon({{cx, top}, {cx + half, top + half}, {cx + half, bottom - 1}, {cx, bottom}}, p.mid);
    a.Line(static_cast<int>(cx) - 1, static_cast<int>(top) + 3, static_cast<int>(cx) - 1,
           static_cast<int>(bottom) - 3, Rgb(0xF4E8FF));
  };
  crystal(9, 11, 28, 4);
  crystal(23, 9, 28, 4.5);
  crystal(16, 2, 29, 5.5);
  return Outlined(a);
}

PixelCanvas Urn(QRgb clay, QRgb stripe) {
  PixelCanvas a(Cell, Cell);
  const Ramp c = RampOf(clay);
  a.FillBall(16, 19.5, 12, 10, c);
  a.FillRect(10, 4, 12, 6, c.mid);
  a.FillRect(10, 4, 3, 6, c.base);
  a.FillEllipse(16, 5, 8, 2.6, c.light);
  a.FillEllipse(16, 5, 5.5, 1.6, Shade(clay, 0.35));
  a.ForEllipse(16, 19.5, 12, 10, [&](int x, int y) {
    if (y == 17 || y == 18) a.Set(x, y, x < 13 ? Shade(stripe, 1.2) : stripe);
    if (y == 22 && x % 3 == 0) a.Set(x, y, stripe);
  });
  return Outlined(a);
}

PixelCanvas Basket() {
  PixelCanvas a(Cell, Cell);
  const Ramp w{Rgb(0x8A5A24), Rgb(0xB07A34), Rgb(0xD09C48), Rgb(0xEEC474)};
  a.FillRect(3, 8, 26, 21, w.base);
  for (int y = 8; y < 29; ++y)
    for (int x = 3; x < 29; ++x)
      if (((x / 3) + (y / 2)) % 2 == 0) a.Set(x, y, ((x + y) % 3) ? w.light : w.base);
  for (int y : {14, 21}) a.FillRect(3, y, 26, 1, w.dark);
  a.FillRect(24, 8, 5, 21, w.mid);
  a.FillRect(3, 28, 26, 1, w.dark);
  // A lid with a knob.
  a.FillEllipse(16, 8, 14, 4.5, w.mid);
  a.FillEllipse(16, 7.5, 12.5, 3.5, w.light);
  a.FillRect(14, 3, 4, 3, w.dark);
  a.FillRect(15, 3, 2, 1, w.base);
  return Outlined(a);
}

PixelCanvas Cactus() {
  PixelCanvas a(Cell, Cell);
  const Ramp g{Rgb(0x2A6A3A), Rgb(0x3A8A46), Rgb(0x58AE56), Rgb(0x8ED27A)};
  auto column = [&](int x, int y, int w, int h) {
    a.FillEllipse(x + w / 2.0, y + w / 2.0, w / 2.0, w / 2.0, g.base);
    a.FillRect(x, y + w / 2, w, h - w / 2, g.base);
    a.FillRect(x + 1, y + 2, 2, h - 3, g.light);
    a.FillRect(x + w - 2, y + 2, 2, h - 2, g.mid);
  };
  column(4, 9, 7, 11);
  a.FillRect(8, 17, 6, 4, g.base);
  column(21, 6, 7, 12);
  a.FillRect(18, 15, 6, 4, g.base);
  column(11, 3, 10, 26);
  for (auto [x, y] : {std::pair{13, 8}, std::pair{18, 12}, std::pair{14, 17}, std::pair{18, 22}, std::pair{6, 13},
                      std::pair{24, 10}, std::pair{13, 25}})
    a.Set(x, y, Rgb(0xF4F0D8));
  a.FillRect(14, 1, 4, 3, Rgb(0xF25A9A));
  a.FillRect(15, 1, 2, 1, Rgb(0xFFB0D4));
  a.FillRect(9, 28, 15, 2, Rgb(0xB08A5A));
  return Outlined(a);
}

}  // namespace

PixelCanvas DrawBox(int look, int which) {
  switch (look * 3 + which) {
    case 0: return Crate(Rgb(0xC08A4A), Rgb(0x8A8FA0));
    case 1: return Barrel(Rgb(0xA8683A));
    case 2: return Bush();
    case 3: return Crystals();
    case 4: return Crate(Rgb(0x7A5A42), Rgb(0x6A8A9A));
    case 5: return Urn(Rgb(0x3A9A7A), Rgb(0xD8B04A));
    case 6: return Urn(Rgb(0xD07040), Rgb(0x3A2A22));
    case 7: return Basket();
    default: return Cactus();
  }
}

}  // namespace fl3::art
