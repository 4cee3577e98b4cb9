#include "AppIcon.h"

#include "Artwork.h"
#include "TileArt.h"

namespace fl3::art {
namespace {

// A lit bomb on a rounded orange plate, in the game's own pixel style.
PixelCanvas DrawIconCell() {
  PixelCanvas icon(Cell, Cell);
  const Ramp plate = RampOf(Rgb(0xE8862A));
  icon.FillRect(2, 1, 28, 30, plate.mid);
  icon.FillRect(1, 2, 30, 28, plate.mid);
  icon.FillRect(2, 2, 28, 27, plate.base);
  icon.FillRect(3, 2, 26, 1, plate.light);
  icon.FillRect(2, 3, 1, 25, plate.light);
  icon.FillRect(2, 29, 28, 1, plate.dark);
  icon.FillRect(30, 3, 1, 26, plate.dark);
  PaintInkedBomb(icon, 14.5, 19.0, 9.0, 3);
  return icon;
}

}  // namespace

QImage DrawAppIcon(int size) {
  const PixelCanvas cell = DrawIconCell();
  QImage image(cell.Width(), cell.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < cell.Height(); ++y) {
    for (int x = 0; x < cell.Width(); ++x) image.setPixel(x, y, cell.At(x, y));
  }
  // Whole multiples keep the pixels sharp; other sizes are smoothed.
  const auto mode = size % cell.Width() == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
  return image.scaled(size, size, Qt::IgnoreAspectRatio, mode);
}

}  // namespace fl3::art
