#include <cmath>

#include "Figure.h"

namespace fl3::art {

namespace {

constexpr QRgb kEye = Rgb(0x1E1822);
constexpr QRgb kGlint = Rgb(0xFFFFFF);

bool InHead(int x, int y, double grow, int lift) {
  const double nx = (x + 0.5 - HeadX) / (HeadRx + grow), ny = (y + 0.5 - HeadY - lift) / (HeadRy + grow);
  return nx * nx + ny * ny <= 1.0;
}

void Skin(PixelCanvas& c, const FigureLook& look, int lift) {
  const Ramp s = RampOf(look.skin);
  for (int y = 0; y < 34; ++y)
    for (int x = 0; x < 32; ++x) {
      if (!InHead(x, y, 0.0, lift)) continue;
      // Shadow along the right and lower rim only, so faces stay clean.
      const bool rim = !InHead(x + 2, y + 1, 0.0, lift);
      c.Set(x, y, rim ? s.mid : s.base);
    }
  c.FillRect(14, 30 + lift, 4, 2, s.mid);  // neck
}

void FrontFace(PixelCanvas& c, const FigureLook& look, int lift) {
  const int y = 21 + lift;
  for (int x : {11, 19}) {
    c.FillRect(x, y, 2, 3, kEye);
    c.Set(x, y, kGlint);
  }
  const QRgb blush = Mix(look.skin, Rgb(0xE8506A), 0.35);
  c.FillRect(8, y + 4, 2, 1, blush);
  c.FillRect(22, y + 4, 2, 1, blush);
  c.FillRect(15, y + 6, 2, 1, Shade(look.skin, 0.5));
}

void SideFace(PixelCanvas& c, const FigureLook& look, int lift) {
  const int y = 21 + lift;
  c.FillRect(21, y, 2, 3, kEye);
  c.Set(21, y, kGlint);
  c.FillRect(21, y + 4, 2, 1, Mix(look.skin, Rgb(0xE8506A), 0.35));
  c.Set(24, y + 6, Shade(look.skin, 0.5));
  c.Set(23, y + 6, Shade(look.skin, 0.5));
  // The ear.
  c.FillRect(13, y + 1, 2, 3, Shade(look.skin, 0.8));
}

// Where the fringe ends on the forehead, per style.
int FringeLine(Hair style, int x) {
  switch (style) {
    case Hair::Spiky: return 17 + ((x / 2) % 2 == 0 ? 1 : -1);
    case Hair::Bob: return x % 5 == 0 ? 17 : 18;
    default: return 16 + (x % 4 == 0 ? 1 : 0);
  }
}

// How far down the sides the hair reaches.
int SideLength(Hair style) {
  switch (style) {
    case Hair::Bob: return 30;
    case Hair::Spiky: return 24;
    default: return 21;
  }
}

void PaintHairPixel(PixelCanvas& c, const Ramp& h, int x, int y, int lift) {
  const bool rim = !InHead(x + 2, y + 1, 0.8, lift);
  const bool shine = (y - lift) >= 14 && (y - lift) <= 15 && x >= 9 && x <= 13;
  c.Set(x, y, shine ? h.light : (rim ? h.mid : h.base));
}

void Hairdo(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  const Ramp h = RampOf(look.hair);
  const int lift = pose.lift;
  for (int y = 0; y < 34; ++y)
    for (int x = 0; x < 32; ++x) {
      if (!InHead(x, y, 0.8, lift)) continue;
      const int ly = y - lift;
      bool hair = false;
      switch (pose.facing) {
        case Facing::Down: {
          const bool sides = x <= 7 || x >= 24;
          hair = ly < FringeLine(look.hairStyle, x) || (sides && ly < SideLength(look.hairStyle));
          break;
        }
        case Facing::Up: hair = ly < (look.hairStyle == Hair::Bob ? 31 : 28); break;
        default: {
          const bool backOfHead = x < 16 && !(x >= 13 && x <= 14 && ly >= 22 && ly <= 24);
          hair = ly < FringeLine(look.hairStyle, x) - (x > 18 ? 0 : 1) ||
                 (backOfHead && ly < SideLength(look.hairStyle) + 2);
          break;
        }
      }
      if (hair) PaintHairPixel(c, h, x, y, lift);
    }
  if (look.hairStyle == Hair::Spiky) {
    const double top = 12.0 + lift;
    for (auto [base, tip] : {std::pair{8.0, 5.0}, std::pair{13.0, 9.0}, std::pair{18.0, 14.0}, std::pair{23.0, 20.0}}) {
      c.FillPolygon({{base - 3, top + 3}, {tip, top - 5}, {base + 3, top + 2}}, h.base);
      c.Line(static_cast<int>(tip), static_cast<int>(top) - 4, static_cast<int>(tip) + 1, static_cast<int>(top),
             h.light);
    }
  }
  if (look.hairStyle == Hair::Tied && pose.facing != Facing::Down) {
    const int x = pose.facing == Facing::Up ? 14 : 6;
    c.FillRect(x, 26 + lift, 4, 7, h.base);
    c.FillRect(x, 26 + lift, 4, 1, RampOf(look.accent).base);
    c.FillRect(x + 3, 27 + lift, 1, 6, h.mid);
  }
}

}  // namespace

void PaintHead(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  Skin(c, look, pose.lift);
  if (pose.facing == Facing::Down) FrontFace(c, look, pose.lift);
  if (pose.facing == Facing::Right) SideFace(c, look, pose.lift);
  Hairdo(c, look, pose);
}

}  // namespace fl3::art
