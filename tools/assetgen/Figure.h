#pragma once
#include "PixelCanvas.h"

namespace fl3::art {

// Sheet order of the facings.
enum class Facing { Left, Up, Right, Down };

enum class Hair { Spiky, Short, Bob, Tied };
enum class Gear { Headband, WizardHat, Hood, Mask, Robot, HardHat, CatEars, Tricorn };
enum class Outfit { Jacket, Robe, Tunic, Wrap, Plating, Overalls, Dress, Stripes };

// Everything that tells one figure from another.
struct FigureLook {
  QRgb skin;
  QRgb hair;
  QRgb top;     // shirt, jacket or robe
  QRgb bottom;  // trousers or skirt
  QRgb shoes;
  QRgb accent;  // belts, bands, trims
  QRgb gear;    // hat, hood or mask
  Hair hairStyle;
  Gear headGear;
  Outfit outfit;
};

// One frame, 32 x 64. step 0 stands, 1 and 2 are the two strides.
// Left is drawn as the mirror of right.
PixelCanvas DrawFigure(const FigureLook& look, Facing facing, int step);

// Parts, drawn facing down, up or right, in this order.
struct FramePose {
  Facing facing;  // never Left here
  int step;       // 0..2
  int lift;       // 0 or -1: the body rises during a stride
};
void PaintLegs(PixelCanvas& c, const FigureLook& look, const FramePose& pose);
void PaintBody(PixelCanvas& c, const FigureLook& look, const FramePose& pose);
void PaintHead(PixelCanvas& c, const FigureLook& look, const FramePose& pose);
void PaintHeadGear(PixelCanvas& c, const FigureLook& look, const FramePose& pose);

// The head's outline, shared by the face, hair and hats.
constexpr double HeadX = 16.0, HeadY = 21.5, HeadRx = 10.0, HeadRy = 9.5;

}  // namespace fl3::art
