#include <cmath>

#include "TileArt.h"

namespace fl3::art {

namespace {

void PaintSpark(PixelCanvas& c, int x, int y, int size) {
  if (size <= 0) return;
  const QRgb hot = Rgb(0xFFFBE4), mid = Rgb(0xFFD640), edge = Rgb(0xFF7A1C);
  for (int i = -size; i <= size; ++i) {
    const QRgb colour = std::abs(i) == size ? edge : (std::abs(i) * 2 >= size ? mid : hot);
    c.Set(x + i, y, colour);
    c.Set(x, y + i, colour);
  }
  if (size >= 2) {
    c.Set(x - 1, y - 1, mid), c.Set(x + 1, y - 1, mid);
    c.Set(x - 1, y + 1, mid), c.Set(x + 1, y + 1, mid);
  }
  c.Set(x, y, hot);
}

// A flame as a teardrop: round below, pointed above, in three nested colours.
void PaintFlame(PixelCanvas& c, double cx, double bottom, double height, QRgb outer, QRgb inner, QRgb core) {
  const QRgb colours[] = {outer, inner, core};
  for (int layer = 0; layer < 3; ++layer) {
    const double scale = 1.0 - 0.3 * layer;
    const double r = height * 0.32 * scale;
    const double cy = bottom - r - layer * 0.6;
    const double tipY = cy - height * 0.78 * scale;
    c.FillEllipse(cx, cy, r, r, colours[layer]);
    c.FillPolygon({{cx - r, cy}, {cx + r, cy}, {cx + r * 0.35, tipY + r * 0.5}, {cx - r * 0.15, tipY}}, colours[layer]);
  }
}

// A rounded plate with a bevel; the item's picture goes on top.
void PaintPlate(PixelCanvas& c, QRgb colour) {
  const Ramp r = RampOf(colour);
  c.FillRect(3, 2, 26, 28, r.mid);
  c.FillRect(2, 3, 28, 26, r.mid);
  c.FillRect(3, 3, 26, 25, r.base);
  c.FillRect(4, 3, 24, 1, r.light);
  c.FillRect(3, 4, 1, 23, r.light);
  c.FillRect(3, 28, 26, 1, r.dark);
  c.FillRect(29, 4, 1, 24, r.dark);
  c.FillRect(28, 27, 1, 1, r.dark);
}

}  // namespace

void PaintBomb(PixelCanvas& c, double cx, double cy, double radius, int spark) {
  const Ramp body{Rgb(0x16162A), Rgb(0x262C44), Rgb(0x3C4666), Rgb(0x7F8CB8)};
  c.FillBall(cx, cy, radius, radius, body);
  // A small glint sells the round shape.
  const int gx = static_cast<int>(std::floor(cx - radius * 0.45)), gy = static_cast<int>(std::floor(cy - radius * 0.5));
  c.Set(gx, gy, Rgb(0xE8EEFF));
  c.Set(gx + 1, gy, Rgb(0xC8D2F0));
  c.Set(gx, gy + 1, Rgb(0xC8D2F0));
  // Cap and fuse.
  const int capX = static_cast<int>(std::floor(cx)) - 2, capY = static_cast<int>(std::floor(cy - radius)) - 2;
  c.FillRect(capX, capY, 5, 3, Rgb(0x8A8FA0));
  c.FillRect(capX, capY + 2, 5, 1, Rgb(0x5A5E70));
  c.FillRect(capX + 1, capY, 2, 1, Rgb(0xC4C8D6));
  const int fx = capX + 2, fy = capY - 1;
  const QRgb cord = Rgb(0xD8B07A), cordDark = Rgb(0x9A7048);
  c.Set(fx, fy, cord), c.Set(fx + 1, fy - 1, cordDark), c.Set(fx + 1, fy - 2, cord);
  c.Set(fx + 2, fy - 3, cordDark), c.Set(fx + 3, fy - 3, cord);
  PaintSpark(c, fx + 4, fy - 4, spark);
}

void PaintInkedBomb(PixelCanvas& canvas, double cx, double cy, double radius, int spark) {
  PixelCanvas bomb(canvas.Width(), canvas.Height());
  PaintBomb(bomb, cx, cy, radius, spark);
  PixelCanvas inked(canvas.Width(), canvas.Height());
  inked.Blit(bomb, 0, 0);
  inked.Outline(InkLine);
  canvas.Blit(inked, 0, 0);
  canvas.Blit(bomb, 0, 0);
}

PixelCanvas DrawBombFrame(int frame) {
  // The bomb swells and shrinks while the spark flickers, one step a frame.
  constexpr double swell[8] = {0.0, 0.4, 0.8, 1.2, 1.6, 1.2, 0.8, 0.4};
  constexpr int spark[8] = {3, 2, 3, 1, 3, 2, 2, 1};
  const double radius = 10.0 + swell[frame];
  PixelCanvas tile(Cell, Cell);
  PaintInkedBomb(tile, 15.5, 29.5 - radius - 0.5, radius, spark[frame]);
  return tile;
}

PixelCanvas DrawItem(ItemKind kind) {
  PixelCanvas tile(Cell, Cell);
  switch (kind) {
    case ItemKind::Bomb: {
      PaintPlate(tile, Rgb(0x3F78D8));
      PaintInkedBomb(tile, 15.0, 18.0, 7.5, 2);
      break;
    }
    case ItemKind::Fire: {
      PaintPlate(tile, Rgb(0xD03A2C));
      PixelCanvas flame(Cell, Cell);
      PaintFlame(flame, 15.5, 27.0, 21.0, Rgb(0xFF8A1E), Rgb(0xFFD03C), Rgb(0xFFF8D8));
      flame.Outline(Rgb(0x5A1010));
      tile.Blit(flame, 0, 0);
      break;
    }
    case ItemKind::DoubleFire: {
      PaintPlate(tile, Rgb(0x4A3ABC));
      PixelCanvas flames(Cell, Cell);
      PaintFlame(flames, 10.5, 26.0, 15.0, Rgb(0x3AA8FF), Rgb(0x9CE4FF), Rgb(0xF4FCFF));
      PaintFlame(flames, 19.5, 27.0, 21.0, Rgb(0x3AA8FF), Rgb(0x9CE4FF), Rgb(0xF4FCFF));
      flames.Outline(Rgb(0x10183C));
      tile.Blit(flames, 0, 0);
      break;
    }
  }
  PixelCanvas framed(Cell, Cell);
  framed.Blit(tile, 0, 0);
  framed.Outline(InkLine);
  framed.Blit(tile, 0, 0);
  return framed;
}

}  // namespace fl3::art
