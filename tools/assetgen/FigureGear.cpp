#include "Figure.h"

namespace fl3::art {

namespace {

using Points = std::vector<QPointF>;

Points Lifted(Points points, int lift) {
  for (auto& p : points) p.setY(p.y() + lift);
  return points;
}

// Fills a shape lit from the upper left: its lower right rim in shadow.
void LitShape(PixelCanvas& c, const Points& shape, const Ramp& r) {
  PixelCanvas layer(c.Width(), c.Height());
  layer.FillPolygon(shape, r.base);
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      if (!layer.Opaque(x, y)) continue;
      QRgb colour = r.base;
      if (!layer.Opaque(x + 1, y) || !layer.Opaque(x, y + 1)) colour = r.mid;
      else if (!layer.Opaque(x - 1, y) || !layer.Opaque(x, y - 1)) colour = r.light;
      c.Set(x, y, colour);
    }
}

void Headband(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp g = RampOf(look.gear);
  const int l = p.lift;
  for (int x = 0; x < 32; ++x)
    for (int y = 14 + l; y <= 16 + l; ++y) {
      const double nx = (x + 0.5 - HeadX) / (HeadRx + 0.8), ny = (y + 0.5 - HeadY - l) / (HeadRy + 0.8);
      if (nx * nx + ny * ny <= 1.0 && y > 14 + l) c.Set(x, y, y == 15 + l ? g.base : g.mid);
    }
  if (p.facing == Facing::Right) {
    LitShape(c, Lifted({{7, 15}, {2, 19}, {3, 21}, {8, 17}}, l), g);
    LitShape(c, Lifted({{7, 16}, {4, 23}, {6, 23}, {8, 17}}, l), g);
  } else if (p.facing == Facing::Up) {
    c.FillRect(14, 15 + l, 4, 3, g.light);
    LitShape(c, Lifted({{14, 17}, {11, 25}, {13, 25}, {16, 17}}, l), g);
    LitShape(c, Lifted({{16, 17}, {19, 24}, {21, 24}, {18, 17}}, l), g);
  }
}

void WizardHat(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp g = RampOf(look.gear), a = RampOf(look.accent);
  const int l = p.lift;
  const bool side = p.facing == Facing::Right;
  const Points cone = side ? Points{{9, 14}, {23, 14}, {19, 6}, {10, 0}} : Points{{8, 14}, {24, 14}, {20, 5}, {15, 0}};
  LitShape(c, Lifted(cone, l), g);
  for (int x = 0; x < 32; ++x)
    for (int y = 10 + l; y <= 11 + l; ++y)
      if (c.At(x, y) == g.base || c.At(x, y) == g.light || c.At(x, y) == g.mid) c.Set(x, y, y == 10 + l ? a.light : a.base);
  c.FillEllipse(16, 14.5 + l, 13, 2.6, g.mid);
  c.FillEllipse(15.5, 14 + l, 12, 1.8, g.base);
  if (p.facing == Facing::Down) {
    const int sx = 15, sy = 6 + l;
    c.Set(sx, sy - 1, a.light), c.Set(sx - 1, sy, a.light), c.Set(sx, sy, Rgb(0xFFFFF0));
    c.Set(sx + 1, sy, a.light), c.Set(sx, sy + 1, a.light);
  }
}

void Hood(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp g = RampOf(look.gear);
  const int l = p.lift;
  const double openX = p.facing == Facing::Right ? 20.5 : 16.0;
  const double openRx = p.facing == Facing::Right ? 5.5 : 7.5;
  const bool open = p.facing != Facing::Up;
  // Cape over the shoulders first, then the hood around the face.
  c.FillRect(9, 30 + l, 14, 4, g.mid);
  c.FillRect(9, 30 + l, 14, 1, g.base);
  c.ForEllipse(16, 21 + l, 11.5, 10.8, [&](int x, int y) {
    const double ox = (x + 0.5 - openX) / openRx, oy = (y + 0.5 - 24.0 - l) / 7.0;
    if (open && ox * ox + oy * oy <= 1.0) return;
    const double rx = (x + 2.5 - 16) / 11.5, ry = (y + 1.5 - 21 - l) / 10.8;
    const bool rim = rx * rx + ry * ry > 1.0;
    c.Set(x, y, rim ? g.mid : ((x + 3 < 16 && y < 17 + l) ? g.light : g.base));
  });
  if (p.facing == Facing::Up) c.Line(16, 12 + l, 16, 30 + l, g.mid);
  if (p.facing == Facing::Right) c.FillPolygon(Lifted({{5, 18}, {2, 30}, {7, 27}}, l), g.mid);
}

void Mask(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp g = RampOf(look.gear), a = RampOf(look.accent);
  const int l = p.lift;
  c.ForEllipse(HeadX, HeadY + l, HeadRx + 0.8, HeadRy + 0.8, [&](int x, int y) {
    const int ly = y - l;
    const bool eyeBand = ly >= 19 && ly <= 24 && (p.facing == Facing::Down || (p.facing == Facing::Right && x >= 16));
    if (eyeBand) return;
    const double rx = (x + 2.5 - HeadX) / (HeadRx + 0.8), ry = (y + 1.5 - HeadY - l) / (HeadRy + 0.8);
    c.Set(x, y, rx * rx + ry * ry > 1.0 ? g.mid : (ly < 15 && x < 14 ? g.light : g.base));
  });
  for (int x = 0; x < 32; ++x)
    if (c.At(x, 16 + l) == g.base || c.At(x, 16 + l) == g.mid || c.At(x, 16 + l) == g.light)
      c.Set(x, 16 + l, a.base), c.Set(x, 17 + l, a.mid);
  if (p.facing == Facing::Right) {
    LitShape(c, Lifted({{7, 16}, {2, 19}, {3, 21}, {8, 18}}, l), a);
    LitShape(c, Lifted({{7, 17}, {3, 25}, {5, 25}, {8, 18}}, l), a);
  } else if (p.facing == Facing::Up) {
    c.FillRect(14, 16 + l, 4, 3, a.light);
    LitShape(c, Lifted({{14, 18}, {10, 27}, {12, 27}, {16, 18}}, l), a);
    LitShape(c, Lifted({{16, 18}, {20, 26}, {22, 26}, {18, 18}}, l), a);
  }
}

void RobotHead(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp g = RampOf(look.gear), a = RampOf(look.accent);
  const int l = p.lift;
  c.FillRect(15, 6 + l, 2, 6, g.mid);
  c.FillBall(16, 5 + l, 2.6, 2.6, RampOf(Rgb(0xE0403A)));
  c.FillRect(6, 12 + l, 20, 19, g.base);
  c.FillRect(7, 12 + l, 18, 1, g.light);
  c.FillRect(6, 13 + l, 1, 17, g.light);
  c.FillRect(24, 13 + l, 2, 17, g.mid);
  c.FillRect(7, 29 + l, 18, 1, g.mid);
  for (auto [x, y] : {std::pair{6, 12}, std::pair{25, 12}, std::pair{6, 30}, std::pair{25, 30}}) c.Set(x, y + l, Clear);
  const QRgb visor = Rgb(0x18202E);
  switch (p.facing) {
    case Facing::Down:
      c.FillRect(8, 19 + l, 16, 6, visor);
      c.FillRect(10, 21 + l, 3, 2, a.base), c.FillRect(19, 21 + l, 3, 2, a.base);
      c.Set(10, 21 + l, a.light), c.Set(19, 21 + l, a.light);
      for (int x = 12; x <= 19; x += 2) c.FillRect(x, 27 + l, 1, 2, g.dark);
      c.FillRect(4, 19 + l, 2, 5, a.mid), c.FillRect(26, 19 + l, 2, 5, a.mid);
      break;
    case Facing::Right:
      c.FillRect(15, 19 + l, 11, 6, visor);
      c.FillRect(21, 21 + l, 3, 2, a.base);
      c.Set(21, 21 + l, a.light);
      c.FillRect(10, 19 + l, 3, 5, a.mid);
      c.Set(11, 21 + l, a.light);
      break;
    default:
      for (int y = 17; y <= 23; y += 2) c.FillRect(10, y + l, 12, 1, g.dark);
      c.FillRect(4, 19 + l, 2, 5, a.mid), c.FillRect(26, 19 + l, 2, 5, a.mid);
      break;
  }
}

void HardHat(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp g = RampOf(look.gear);
  const int l = p.lift;
  c.ForEllipse(16, 17.5 + l, 11, 8.5, [&](int x, int y) {
    if (y - l > 16) return;
    c.Set(x, y, (x < 11 && y - l < 13) ? g.light : (x > 22 ? g.mid : g.base));
  });
  c.FillRect(15, 9 + l, 2, 7, g.light);
  const int brimFrom = p.facing == Facing::Right ? 7 : 4, brimTo = p.facing == Facing::Right ? 30 : 28;
  c.FillRect(brimFrom, 15 + l, brimTo - brimFrom, 2, g.mid);
  c.FillRect(brimFrom, 15 + l, brimTo - brimFrom, 1, g.base);
  if (p.facing == Facing::Down) {
    c.FillEllipse(16, 12.5 + l, 3, 2.6, Rgb(0x6A6E7A));
    c.FillEllipse(16, 12.5 + l, 2, 1.6, Rgb(0xFFF6B0));
    c.Set(15, 12 + l, Rgb(0xFFFFFF));
  } else if (p.facing == Facing::Right) {
    c.FillRect(23, 10 + l, 3, 4, Rgb(0x6A6E7A));
    c.FillRect(25, 11 + l, 2, 2, Rgb(0xFFF6B0));
  }
}

void CatEars(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp h = RampOf(look.hair);
  const QRgb inner = Rgb(0xFFB4C8);
  const int l = p.lift;
  switch (p.facing) {
    case Facing::Right:
      LitShape(c, Lifted({{11, 15}, {14, 4}, {20, 13}}, l), h);
      c.FillPolygon(Lifted({{14, 13}, {15, 8}, {18, 13}}, l), inner);
      c.FillPolygon(Lifted({{12, 43}, {7, 40}, {5, 33}, {7, 33}, {9, 39}, {13, 41}}, l), h.base);
      break;
    default: {
      const bool front = p.facing == Facing::Down;
      LitShape(c, Lifted({{6, 17}, {8, 5}, {14, 13}}, l), h);
      LitShape(c, Lifted({{26, 17}, {24, 5}, {18, 13}}, l), h);
      if (front) {
        c.FillPolygon(Lifted({{8, 14}, {9, 9}, {12, 13}}, l), inner);
        c.FillPolygon(Lifted({{24, 14}, {23, 9}, {20, 13}}, l), inner);
      } else {
        c.FillPolygon(Lifted({{16, 43}, {22, 41}, {25, 34}, {23, 34}, {21, 39}, {16, 41}}, l), h.base);
      }
      break;
    }
  }
}

void Tricorn(PixelCanvas& c, const FigureLook& look, const FramePose& p) {
  const Ramp g = RampOf(look.gear), a = RampOf(look.accent);
  const int l = p.lift;
  const bool side = p.facing == Facing::Right;
  const Points hat = side ? Points{{5, 16}, {29, 16}, {27, 10}, {20, 12}, {14, 5}, {8, 10}, {4, 11}}
                          : Points{{2, 16}, {30, 16}, {28, 9}, {22, 11}, {16, 5}, {10, 11}, {4, 9}};
  LitShape(c, Lifted(hat, l), g);
  c.FillRect(side ? 6 : 3, 15 + l, side ? 23 : 27, 1, a.base);
  if (p.facing == Facing::Down) {
    c.FillRect(15, 9 + l, 3, 3, Rgb(0xF2EEE4));
    c.Set(15, 10 + l, g.dark), c.Set(17, 10 + l, g.dark);
    c.Line(7, 17 + l, 19, 20 + l, Rgb(0x241C1C));
    c.FillRect(19, 20 + l, 3, 4, Rgb(0x241C1C));
  } else if (side) {
    c.Line(14, 18 + l, 21, 20 + l, Rgb(0x241C1C));
  }
}

}  // namespace

void PaintHeadGear(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  switch (look.headGear) {
    case Gear::Headband: Headband(c, look, pose); break;
    case Gear::WizardHat: WizardHat(c, look, pose); break;
    case Gear::Hood: Hood(c, look, pose); break;
    case Gear::Mask: Mask(c, look, pose); break;
    case Gear::Robot: RobotHead(c, look, pose); break;
    case Gear::HardHat: HardHat(c, look, pose); break;
    case Gear::CatEars: CatEars(c, look, pose); break;
    case Gear::Tricorn: Tricorn(c, look, pose); break;
  }
}

}  // namespace fl3::art
