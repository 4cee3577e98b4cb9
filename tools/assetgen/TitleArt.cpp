#include <algorithm>
#include <cmath>

#include "Artwork.h"
#include "Noise.h"
#include "PixelFont.h"
#include "TileArt.h"

namespace fl3::art {

namespace {

constexpr int kWidth = 312, kHeight = 108;
constexpr char kTitle[] = "FUSELARK3";
constexpr int kScaleX = 4, kScaleY = 4, kSpacing = 3;

// A dusk sky in flat bands, darkest at the top, warm near the hills.
void Sky(PixelCanvas& c) {
  const QRgb bands[] = {Rgb(0x1A1838), Rgb(0x221E48), Rgb(0x2E2656), Rgb(0x3E2C62), Rgb(0x583468),
                        Rgb(0x7A3C66), Rgb(0xA04A5E), Rgb(0xC8604E), Rgb(0xE88442)};
  const int band = kHeight / 9 + 1;
  for (int y = 0; y < kHeight; ++y) {
    const int i = std::min(8, y / band);
    const int within = y % band;
    for (int x = 0; x < kWidth; ++x) {
      // Two dithered rows soften each band edge.
      const bool dither = i < 8 && within >= band - 2 && (x + y) % 2 == 0;
      c.Set(x, y, dither ? bands[i + 1] : bands[i]);
    }
  }
  Noise n(3);
  for (int i = 0; i < 40; ++i) {
    const int x = n.Below(kWidth), y = n.Below(44);
    c.Set(x, y, i % 5 == 0 ? Rgb(0xFFF4C0) : Rgb(0xB8B4E0));
  }
}

void Hills(PixelCanvas& c) {
  const QRgb far = Rgb(0x3A2A4E), near = Rgb(0x1E2A2E), grass = Rgb(0x2E4A34);
  for (int x = 0; x < kWidth; ++x) {
    const double t = x / 312.0 * 6.2832;
    const int farTop = 80 + static_cast<int>(7 * std::sin(t * 1.3 + 0.5) + 3 * std::sin(t * 3.1));
    const int nearTop = 92 + static_cast<int>(5 * std::sin(t * 2.1 + 2.0) + 2 * std::sin(t * 5.3));
    c.FillRect(x, farTop, 1, kHeight - farTop, far);
    c.FillRect(x, nearTop, 1, kHeight - nearTop, near);
    c.Set(x, nearTop, grass);
  }
}

// The title in fire colours: light at the top of each stroke, deep red below,
// with a dark drop and an ink rim.
PixelCanvas Lettering() {
  PixelCanvas letters(kWidth, kHeight);
  const int w = TextWidth(kTitle, FontStyle::Bold, kScaleX, kSpacing);
  const int x = (kWidth - w) / 2 - 2, y = 14;
  PixelCanvas drop(kWidth, kHeight);
  for (int d = 1; d <= 4; ++d) DrawText(drop, kTitle, FontStyle::Bold, x + d, y + d, kScaleX, kScaleY, kSpacing, Rgb(0x6A1C22));
  PixelCanvas face(kWidth, kHeight);
  DrawText(face, kTitle, FontStyle::Bold, x, y, kScaleX, kScaleY, kSpacing, Rgb(0xFFFFFF));
  const QRgb ramp[] = {Rgb(0xFFF6C0), Rgb(0xFFE05A), Rgb(0xFFC23A), Rgb(0xFF9A2A), Rgb(0xF0702A), Rgb(0xD8482A)};
  for (int py = 0; py < kHeight; ++py)
    for (int px = 0; px < kWidth; ++px) {
      if (!face.Opaque(px, py)) continue;
      const int band = std::clamp((py - y) * 6 / (9 * kScaleY), 0, 5);
      // A highlight where a stroke begins from above.
      const bool top = !face.Opaque(px, py - 1);
      face.Set(px, py, top ? Rgb(0xFFFDF0) : ramp[band]);
    }
  letters.Blit(drop, 0, 0);
  letters.Blit(face, 0, 0);
  letters.Outline(Rgb(0x1A0E16));
  letters.Outline(Rgb(0x1A0E16));
  return letters;
}

// A lit fuse runs under the title to a bomb on the right.
void Fuse(PixelCanvas& c) {
  const QRgb cord = Rgb(0xD8B07A), cordDark = Rgb(0x8A6040);
  int prev = 0;
  for (int x = 28; x <= 268; ++x) {
    const int y = 70 + static_cast<int>(2.5 * std::sin(x / 9.0));
    if (x > 28) c.Line(x - 1, prev, x, y, (x / 3) % 2 ? cord : cordDark);
    c.Set(x, y + 1, Rgb(0x3A2418));
    prev = y;
  }
  c.Line(268, prev, 281, 67, cord);
  c.Line(268, prev + 1, 281, 68, Rgb(0x3A2418));
  PaintInkedBomb(c, 284, 80, 12, 0);
  // The spark at the burning end.
  const int sx = 28, sy = 70;
  const QRgb hot = Rgb(0xFFFBE4), mid = Rgb(0xFFD640), edge = Rgb(0xFF7A1C);
  c.FillRect(sx - 5, sy, 11, 1, edge), c.FillRect(sx, sy - 5, 1, 11, edge);
  c.FillRect(sx - 3, sy, 7, 1, mid), c.FillRect(sx, sy - 3, 1, 7, mid);
  c.FillRect(sx - 1, sy - 1, 3, 3, hot);
  for (auto [dx, dy] : {std::pair{-3, -3}, std::pair{3, -3}, std::pair{-3, 3}, std::pair{3, 3}}) c.Set(sx + dx, sy + dy, mid);
}

}  // namespace

PixelCanvas DrawTitle() {
  PixelCanvas c(kWidth, kHeight);
  Sky(c);
  Hills(c);
  Fuse(c);
  c.Blit(Lettering(), 0, 0);
  return c;
}

}  // namespace fl3::art
