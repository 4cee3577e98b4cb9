#include "Figure.h"

namespace fl3::art {

namespace {

constexpr QRgb kLinen = Rgb(0xF2EEE4);
constexpr QRgb kLeather = Rgb(0x4A3024);

int Swing(int step, int side) {
  if (step == 0) return 0;
  return (step == 1) == (side == 0) ? -1 : 1;
}

void Belt(PixelCanvas& c, int x, int w, int y, QRgb buckle, int buckleX) {
  c.FillRect(x, y, w, 2, kLeather);
  c.FillRect(buckleX, y, 2, 2, buckle);
}

void FrontOutfit(PixelCanvas& c, const FigureLook& look, int y0, bool back) {
  const Ramp t = RampOf(look.top), a = RampOf(look.accent), b = RampOf(look.bottom);
  switch (look.outfit) {
    case Outfit::Jacket:
      if (!back) {
        c.FillRect(14, y0 + 1, 4, 9, kLinen);
        c.FillRect(13, y0 + 1, 1, 10, t.dark), c.FillRect(18, y0 + 1, 1, 10, t.dark);
        c.FillRect(11, y0 + 4, 2, 4, a.base);
      } else {
        c.FillRect(15, y0 + 2, 2, 8, t.mid);
      }
      Belt(c, 10, 12, y0 + 11, a.light, 15);
      break;
    case Outfit::Robe:
      c.FillPolygon({{10, double(y0)}, {22, double(y0)}, {24, 56}, {8, 56}}, t.base);
      c.FillPolygon({{10, double(y0)}, {12, double(y0)}, {11, 56}, {8, 56}}, t.light);
      c.FillPolygon({{19, double(y0)}, {22, double(y0)}, {24, 56}, {20, 56}}, t.mid);
      c.FillRect(8, 54, 17, 2, a.base);
      c.FillRect(10, y0 + 10, 12, 2, a.base);
      if (!back) c.FillRect(15, y0 + 12, 2, 11, a.mid);
      break;
    case Outfit::Tunic:
      c.FillRect(10, y0 + 12, 12, 4, t.base);
      c.FillRect(10, y0 + 12, 1, 4, t.light);
      c.FillRect(19, y0 + 12, 3, 4, t.mid);
      c.FillRect(10, y0 + 15, 12, 1, t.dark);
      if (!back) c.FillPolygon({{13, double(y0)}, {19, double(y0)}, {16, y0 + 4.0}}, look.skin);
      Belt(c, 10, 12, y0 + 10, a.base, 17);
      break;
    case Outfit::Wrap:
      if (!back) c.Line(11, y0, 16, y0 + 6, t.light), c.Line(20, y0, 16, y0 + 6, t.mid);
      c.FillRect(10, y0 + 10, 12, 3, a.base);
      c.FillRect(10, y0 + 10, 12, 1, a.light);
      c.FillRect(back ? 12 : 19, y0 + 13, 2, 4, a.mid);
      break;
    case Outfit::Plating:
      if (!back) {
        c.FillRect(13, y0 + 2, 6, 5, t.dark);
        c.FillRect(14, y0 + 3, 4, 3, a.base);
        c.FillRect(14, y0 + 3, 2, 1, a.light);
      } else {
        for (int y = y0 + 2; y < y0 + 8; y += 2) c.FillRect(12, y, 8, 1, t.dark);
      }
      c.FillRect(10, y0 + 9, 12, 1, t.dark), c.FillRect(10, y0 + 11, 12, 1, t.dark);
      break;
    case Outfit::Overalls:
      c.FillRect(11, y0 + 5, 10, 9, b.base);
      c.FillRect(11, y0 + 5, 1, 9, b.light);
      c.FillRect(19, y0 + 5, 2, 9, b.mid);
      c.FillRect(12, y0, 2, 5, b.base), c.FillRect(18, y0, 2, 5, b.mid);
      if (!back) {
        c.Set(12, y0 + 5, a.light), c.Set(19, y0 + 5, a.light);
        c.FillRect(14, y0 + 7, 4, 3, b.mid);
      }
      break;
    case Outfit::Dress:
      if (!back) c.FillRect(12, y0, 8, 2, kLinen);
      c.FillPolygon({{9, y0 + 10.0}, {23, y0 + 10.0}, {26, y0 + 19.0}, {6, y0 + 19.0}}, t.base);
      c.FillPolygon({{9, y0 + 10.0}, {12, y0 + 10.0}, {10, y0 + 19.0}, {6, y0 + 19.0}}, t.light);
      c.FillPolygon({{20, y0 + 10.0}, {23, y0 + 10.0}, {26, y0 + 19.0}, {22, y0 + 19.0}}, t.mid);
      c.FillRect(7, y0 + 18, 19, 1, kLinen);
      c.FillRect(10, y0 + 10, 12, 1, a.base);
      break;
    case Outfit::Stripes:
      for (int y = y0 + 1; y < y0 + 11; y += 3) c.FillRect(11, y, 10, 1, kLinen);
      Belt(c, 10, 12, y0 + 11, a.light, 15);
      break;
  }
}

void FrontArms(PixelCanvas& c, const FigureLook& look, const FramePose& pose, int y0) {
  const Ramp t = RampOf(look.top), s = RampOf(look.skin);
  for (int side = 0; side < 2; ++side) {
    const int x = side == 0 ? 7 : 22;
    const int hand = y0 + 10 + Swing(pose.step, side);
    c.FillRect(x, y0 + 1, 3, hand - y0 - 1, side == 0 ? t.base : t.mid);
    c.FillRect(side == 0 ? x : x + 2, y0 + 2, 1, hand - y0 - 3, side == 0 ? t.light : t.dark);
    if (look.outfit == Outfit::Robe) c.FillRect(side == 0 ? x - 1 : x, hand - 2, 4, 2, t.light);
    c.FillRect(x, hand, 3, 2, side == 0 ? s.base : s.mid);
  }
}

void FrontBody(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  const int y0 = 31 + pose.lift;
  const Ramp t = RampOf(look.top);
  const bool back = pose.facing == Facing::Up;
  c.FillRect(10, y0, 12, 14, t.base);
  c.FillRect(10, y0, 1, 14, t.light);
  c.FillRect(19, y0, 3, 14, t.mid);
  c.FillRect(11, y0, 10, 1, t.light);
  FrontOutfit(c, look, y0, back);
  FrontArms(c, look, pose, y0);
}

void SideOutfit(PixelCanvas& c, const FigureLook& look, int y0) {
  const Ramp t = RampOf(look.top), a = RampOf(look.accent), b = RampOf(look.bottom);
  switch (look.outfit) {
    case Outfit::Jacket:
      c.FillRect(19, y0 + 1, 1, 9, kLinen);
      Belt(c, 12, 8, y0 + 11, a.light, 18);
      break;
    case Outfit::Robe:
      c.FillPolygon({{12, double(y0)}, {20, double(y0)}, {22, 56}, {10, 56}}, t.base);
      c.FillPolygon({{12, double(y0)}, {14, double(y0)}, {13, 56}, {10, 56}}, t.light);
      c.FillRect(10, 54, 13, 2, a.base);
      c.FillRect(12, y0 + 10, 8, 2, a.base);
      break;
    case Outfit::Tunic:
      c.FillRect(12, y0 + 12, 8, 4, t.base);
      c.FillRect(12, y0 + 15, 8, 1, t.dark);
      Belt(c, 12, 8, y0 + 10, a.base, 18);
      break;
    case Outfit::Wrap:
      c.FillRect(12, y0 + 10, 8, 3, a.base);
      c.FillRect(12, y0 + 10, 8, 1, a.light);
      c.FillRect(10, y0 + 11, 2, 5, a.mid);
      break;
    case Outfit::Plating:
      c.FillRect(17, y0 + 2, 2, 5, a.base);
      c.FillRect(12, y0 + 9, 8, 1, t.dark), c.FillRect(12, y0 + 11, 8, 1, t.dark);
      break;
    case Outfit::Overalls:
      c.FillRect(13, y0 + 5, 7, 9, b.base);
      c.FillRect(15, y0, 2, 5, b.base);
      c.Set(19, y0 + 6, a.light);
      break;
    case Outfit::Dress:
      c.FillPolygon({{11, y0 + 10.0}, {21, y0 + 10.0}, {23, y0 + 19.0}, {8, y0 + 19.0}}, t.base);
      c.FillPolygon({{11, y0 + 10.0}, {13, y0 + 10.0}, {11, y0 + 19.0}, {8, y0 + 19.0}}, t.light);
      c.FillRect(9, y0 + 18, 14, 1, kLinen);
      c.FillRect(12, y0 + 10, 8, 1, a.base);
      c.FillRect(17, y0, 3, 2, kLinen);
      break;
    case Outfit::Stripes:
      for (int y = y0 + 1; y < y0 + 11; y += 3) c.FillRect(12, y, 8, 1, kLinen);
      Belt(c, 12, 8, y0 + 11, a.light, 18);
      break;
  }
}

void SideBody(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  const int y0 = 31 + pose.lift;
  const Ramp t = RampOf(look.top), s = RampOf(look.skin);
  c.FillRect(12, y0, 8, 14, t.base);
  c.FillRect(12, y0, 2, 14, t.light);
  c.FillRect(19, y0, 1, 14, t.mid);
  SideOutfit(c, look, y0);
  // The near arm swings against the near leg.
  const int handX = pose.step == 0 ? 14 : (pose.step == 1 ? 11 : 18);
  const int handY = y0 + (pose.step == 0 ? 10 : 9);
  c.FillPolygon({{14, y0 + 1.0}, {17, y0 + 1.0}, {handX + 3.0, double(handY)}, {double(handX), double(handY)}},
                t.mid);
  c.FillPolygon({{14, y0 + 1.0}, {15, y0 + 1.0}, {handX + 1.0, double(handY)}, {double(handX), double(handY)}},
                t.base);
  if (look.outfit == Outfit::Robe) c.FillRect(handX - 1, handY - 2, 5, 2, t.light);
  c.FillRect(handX, handY, 3, 2, s.base);
  c.Set(handX + 2, handY + 1, s.mid);
}

}  // namespace

void PaintBody(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  if (pose.facing == Facing::Right) SideBody(c, look, pose);
  else FrontBody(c, look, pose);
}

}  // namespace fl3::art
