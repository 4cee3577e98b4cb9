#include "Figure.h"

namespace fl3::art {

namespace {

constexpr int kHip = 45, kAnkle = 56;

void FrontLegs(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  const Ramp leg = RampOf(look.bottom), shoe = RampOf(look.shoes);
  const bool back = pose.facing == Facing::Up;
  for (int side = 0; side < 2; ++side) {
    const bool lifted = pose.step == side + 1;
    const int x = side == 0 ? 11 : 17;
    const int bottom = lifted ? kAnkle - 2 : kAnkle;
    c.FillRect(x, kHip, 4, bottom - kHip + 1, side == 0 ? leg.base : leg.mid);
    c.FillRect(side == 0 ? x + 3 : x, kHip, 1, bottom - kHip + 1, leg.mid);
    c.FillRect(x, kHip, 4, 1, leg.dark);
    const int shoeX = side == 0 ? x - 1 : x;
    c.FillRect(shoeX, bottom + 1, 5, 4, shoe.base);
    c.FillRect(shoeX, bottom + 1, 5, 1, back ? shoe.mid : shoe.light);
    c.FillRect(shoeX, bottom + 4, 5, 1, shoe.dark);
  }
}

// One leg seen from the side, from the hip to a foot that points right.
void SideLeg(PixelCanvas& c, int hipX, int footX, int footLift, const Ramp& leg, const Ramp& shoe) {
  const int ankle = kAnkle - footLift;
  c.FillPolygon({{double(hipX), double(kHip)}, {hipX + 4.0, double(kHip)}, {footX + 4.0, ankle + 1.0},
                 {double(footX), ankle + 1.0}},
                leg.base);
  c.FillRect(footX, ankle - 1, 4, 2, leg.mid);
  c.FillRect(footX - 1, ankle + 1, 7, 4, shoe.base);
  c.FillRect(footX - 1, ankle + 1, 6, 1, shoe.light);
  c.FillRect(footX - 1, ankle + 4, 7, 1, shoe.dark);
}

void SideLegs(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  const Ramp near = RampOf(look.bottom), far = RampOf(Shade(look.bottom, 0.75));
  const Ramp shoe = RampOf(look.shoes), farShoe = RampOf(Shade(look.shoes, 0.75));
  switch (pose.step) {
    case 0: SideLeg(c, 14, 14, 0, near, shoe); break;
    case 1:
      SideLeg(c, 13, 10, 1, far, farShoe);
      SideLeg(c, 14, 18, 0, near, shoe);
      break;
    default:
      SideLeg(c, 14, 18, 0, far, farShoe);
      SideLeg(c, 13, 10, 1, near, shoe);
      break;
  }
}

}  // namespace

void PaintLegs(PixelCanvas& c, const FigureLook& look, const FramePose& pose) {
  if (pose.facing == Facing::Right) SideLegs(c, look, pose);
  else FrontLegs(c, look, pose);
}

}  // namespace fl3::art
