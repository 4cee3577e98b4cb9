#include <cmath>
#include <string>

#include "Artwork.h"
#include "PixelFont.h"

namespace fl3::art {

namespace {

constexpr QRgb kPlayerColours[WinnerSlots] = {Rgb(0xE04438), Rgb(0x3A78E0), Rgb(0x3EAE4A), Rgb(0x9A4AD8)};
constexpr double kPi = 3.14159265358979;

// Rays of the player's colour fanning out behind the cup.
void Burst(PixelCanvas& c, QRgb colour) {
  const Ramp r = RampOf(colour);
  const double cx = 128, cy = 104;
  for (int ray = 0; ray < 12; ++ray) {
    const double a = ray * 2 * kPi / 12 + kPi / 24, half = kPi / 26;
    c.FillPolygon({{cx, cy},
                   {cx + 118 * std::cos(a - half), cy + 100 * std::sin(a - half)},
                   {cx + 118 * std::cos(a + half), cy + 100 * std::sin(a + half)}},
                  ray % 2 ? r.light : r.base);
  }
  c.FillEllipse(cx, cy, 70, 62, r.light);
  c.FillEllipse(cx, cy, 62, 54, Shade(colour, 1.5));
}

void Trophy(PixelCanvas& c, int slot) {
  const Ramp gold{Rgb(0xA8641A), Rgb(0xD8921E), Rgb(0xF6C23A), Rgb(0xFFEA96)};
  PixelCanvas cup(c.Width(), c.Height());
  // Handles first, so the bowl covers their inner ends.
  for (int side : {-1, 1}) {
    cup.FillEllipse(128 + side * 50, 78, 20, 22, gold.mid);
    cup.FillEllipse(128 + side * 50, 78, 11, 13, Clear);
  }
  cup.ForEllipse(128, 78, 11 + 50, 13, [&](int x, int y) {
    const double nx = (x - 128.0 - 50) / 11, nx2 = (x - 128.0 + 50) / 11, ny = (y - 78.0) / 13;
    if (nx * nx + ny * ny <= 1.0 || nx2 * nx2 + ny * ny <= 1.0) cup.Set(x, y, Clear);
  });
  // The bowl: wide at the rim, rounding into the stem.
  cup.FillPolygon({{80, 44}, {176, 44}, {170, 96}, {150, 126}, {106, 126}, {86, 96}}, gold.base);
  cup.FillEllipse(128, 100, 42, 30, gold.base);
  cup.FillPolygon({{86, 48}, {100, 48}, {104, 110}, {94, 104}}, gold.light);
  cup.FillPolygon({{156, 48}, {172, 48}, {164, 100}, {146, 120}}, gold.mid);
  cup.FillEllipse(128, 44, 48, 8, gold.mid);
  cup.FillEllipse(128, 44, 44, 6, gold.dark);
  // Stem and base.
  cup.FillRect(118, 128, 20, 22, gold.base);
  cup.FillRect(118, 128, 5, 22, gold.light);
  cup.FillRect(132, 128, 6, 22, gold.mid);
  cup.FillRect(100, 150, 56, 10, gold.base);
  cup.FillRect(100, 150, 56, 3, gold.light);
  cup.FillRect(92, 160, 72, 16, Rgb(0x5A3A2A));
  cup.FillRect(92, 160, 72, 3, Rgb(0x7A5038));
  cup.FillRect(108, 165, 40, 7, gold.mid);
  // The slot's number on the bowl.
  const std::string number = std::to_string(slot + 1);
  const int w = TextWidth(number, FontStyle::Bold, 4, 0);
  DrawText(cup, number, FontStyle::Bold, 128 - w / 2 + 2, 68, 4, 4, 0, gold.dark);
  DrawText(cup, number, FontStyle::Bold, 128 - w / 2, 66, 4, 4, 0, Rgb(0xFFFBE8));
  PixelCanvas inked(c.Width(), c.Height());
  inked.Blit(cup, 0, 0);
  inked.Outline(InkLine);
  inked.Outline(InkLine);
  c.Blit(inked, 0, 0);
  c.Blit(cup, 0, 0);
}

void Banner(PixelCanvas& c, QRgb colour) {
  const Ramp r = RampOf(colour);
  PixelCanvas b(c.Width(), c.Height());
  b.FillPolygon({{10, 196}, {40, 196}, {40, 236}, {10, 236}, {22, 216}}, r.dark);
  b.FillPolygon({{246, 196}, {216, 196}, {216, 236}, {246, 236}, {234, 216}}, r.dark);
  b.FillRect(32, 186, 192, 42, r.base);
  b.FillRect(32, 186, 192, 4, r.light);
  b.FillRect(32, 224, 192, 4, r.mid);
  const int w = TextWidth("WINNER", FontStyle::Bold, 3, 3);
  DrawText(b, "WINNER", FontStyle::Bold, 128 - w / 2 + 2, 195, 3, 3, 3, r.dark);
  DrawText(b, "WINNER", FontStyle::Bold, 128 - w / 2, 193, 3, 3, 3, Rgb(0xFFFBE8));
  PixelCanvas inked(c.Width(), c.Height());
  inked.Blit(b, 0, 0);
  inked.Outline(InkLine);
  inked.Outline(InkLine);
  c.Blit(inked, 0, 0);
  c.Blit(b, 0, 0);
}

void Sparkles(PixelCanvas& c) {
  const QRgb s = Rgb(0xFFFBE8);
  for (auto [x, y, size] : {std::tuple{40, 40, 6}, std::tuple{214, 30, 5}, std::tuple{226, 150, 4}, std::tuple{30, 150, 5}}) {
    c.FillRect(x - size, y, 2 * size + 1, 1, s);
    c.FillRect(x, y - size, 1, 2 * size + 1, s);
    c.FillRect(x - 1, y - 1, 3, 3, s);
  }
}

}  // namespace

PixelCanvas DrawWinner(int slot) {
  PixelCanvas c(256, 256);
  const QRgb colour = kPlayerColours[slot % WinnerSlots];
  Burst(c, colour);
  Trophy(c, slot);
  Banner(c, colour);
  Sparkles(c);
  return c;
}

}  // namespace fl3::art
