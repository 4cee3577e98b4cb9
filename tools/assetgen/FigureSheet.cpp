#include "Artwork.h"
#include "Figure.h"

namespace fl3::art {

namespace {

constexpr int kFrameWidth = 32, kFrameHeight = 64;

// The cast, one sheet row each. Colours and headgear keep them apart even
// at the size of a status-panel portrait.
const FigureLook kCast[] = {
    // A fiery hero with a headband.
    {Rgb(0xF6C8A0), Rgb(0xE04A22), Rgb(0xE8742A), Rgb(0x34406A), Rgb(0x6A3A22), Rgb(0xFFD23A), Rgb(0xF4F0EA),
     Hair::Spiky, Gear::Headband, Outfit::Jacket},
    // A young wizard in a pointed hat.
    {Rgb(0xF2C49C), Rgb(0xD8DCE8), Rgb(0x3A5AC8), Rgb(0x2A3A80), Rgb(0x4A3050), Rgb(0xF2C232), Rgb(0x3050B8),
     Hair::Short, Gear::WizardHat, Outfit::Robe},
    // A hooded ranger.
    {Rgb(0xE8B48C), Rgb(0x7A4A2A), Rgb(0x5C9A3E), Rgb(0xB89868), Rgb(0x5A3A24), Rgb(0x8A5A2A), Rgb(0x3A7436),
     Hair::Short, Gear::Hood, Outfit::Tunic},
    // A masked night runner.
    {Rgb(0xE6B894), Rgb(0x222230), Rgb(0x3A3A48), Rgb(0x2E2E3A), Rgb(0x1E1E26), Rgb(0xA04ED8), Rgb(0x32323E),
     Hair::Short, Gear::Mask, Outfit::Wrap},
    // A small robot.
    {Rgb(0x9AA8BC), Rgb(0x8894A8), Rgb(0x7E8CA4), Rgb(0x5E6A80), Rgb(0x3E4658), Rgb(0x4AE0E8), Rgb(0xA8B4C8),
     Hair::Short, Gear::Robot, Outfit::Plating},
    // A miner with a lamp.
    {Rgb(0xD89A70), Rgb(0x5A3A22), Rgb(0x3E70C0), Rgb(0xE07A2A), Rgb(0x4A3022), Rgb(0xFFD84A), Rgb(0xF2C230),
     Hair::Short, Gear::HardHat, Outfit::Overalls},
    // A girl with cat ears.
    {Rgb(0xFAD4B4), Rgb(0xF27AB0), Rgb(0xC8449A), Rgb(0xF4F0EA), Rgb(0xC0303A), Rgb(0xFFD0E0), Rgb(0xF27AB0),
     Hair::Bob, Gear::CatEars, Outfit::Dress},
    // A pirate.
    {Rgb(0xE0A878), Rgb(0x4A2A1A), Rgb(0xC83A3A), Rgb(0x2E4E8A), Rgb(0x2A1E1A), Rgb(0xE8B83A), Rgb(0x2A2438),
     Hair::Tied, Gear::Tricorn, Outfit::Stripes},
};

}  // namespace

PixelCanvas DrawFigure(const FigureLook& look, Facing facing, int step) {
  if (facing == Facing::Left) return DrawFigure(look, Facing::Right, step).Mirrored();
  PixelCanvas frame(kFrameWidth, kFrameHeight);
  const FramePose pose{facing, step, step == 0 ? 0 : -1};
  PaintLegs(frame, look, pose);
  PaintBody(frame, look, pose);
  PaintHead(frame, look, pose);
  PaintHeadGear(frame, look, pose);
  frame.Outline(InkLine);
  return frame;
}

PixelCanvas DrawCharacterSheet() {
  constexpr int rows = sizeof(kCast) / sizeof(kCast[0]);
  PixelCanvas sheet(12 * kFrameWidth, rows * kFrameHeight);
  for (int row = 0; row < rows; ++row)
    for (int frame = 0; frame < 12; ++frame)
      sheet.Blit(DrawFigure(kCast[row], static_cast<Facing>(frame / 3), frame % 3), frame * kFrameWidth,
                 row * kFrameHeight);
  return sheet;
}

}  // namespace fl3::art
