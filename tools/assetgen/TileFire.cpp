#include <cmath>
#include <limits>

#include "TileArt.h"

namespace fl3::art {

namespace {

constexpr double kCentreLine = 16.0;
constexpr double kTip = 17.0;           // where an end piece starts to round off
constexpr double kTipStretch = 1.3;     // makes the rounded end a pointed tongue
constexpr double kOpen = std::numeric_limits<double>::infinity();

struct Layer {
  double reach;
  double wobble;
  double phase;
  QRgb colour;
};

// Outermost first. Every wave repeats every 16 pixels, so pieces placed side
// by side continue each other's edges exactly.
constexpr Layer kLayers[] = {
    {13.0, 1.3, 0.0, Rgb(0xB0201A)},
    {11.5, 1.2, 0.9, Rgb(0xE8481C)},
    {9.0, 1.0, 2.1, Rgb(0xFF9424)},
    {6.2, 0.8, 3.0, Rgb(0xFFDA48)},
    {2.8, 0.5, 4.4, Rgb(0xFFFBE4)},
};

double Wave(double along, double side, const Layer& layer) {
  constexpr double pi = 3.14159265358979;
  return layer.wobble * (std::sin(2 * pi * along / 16 + layer.phase + side * 1.9) +
                         0.45 * std::sin(2 * pi * along / 8 + 2 * layer.phase + side));
}

// A run of flame along one axis: open towards the edges it joins, rounded
// where it ends. `along` runs with the flame, `across` at right angles.
struct Arm {
  double from, to;  // -kOpen / kOpen where the arm leaves the cell
  double Distance(double along, double across, const Layer& layer) const {
    const double beyond = std::max({0.0, from - along, along - to}) * kTipStretch;
    const double off = across - kCentreLine;
    return std::hypot(beyond, off) + Wave(along, off < 0 ? 0.0 : 1.0, layer);
  }
};

struct Shape {
  bool horizontal = false, vertical = false, burst = false;
  Arm across{-kOpen, kOpen};  // the horizontal arm
  Arm down{-kOpen, kOpen};    // the vertical arm
};

Shape ShapeOf(FirePiece piece) {
  Shape s;
  switch (piece) {
    case FirePiece::Horizontal: s.horizontal = true; break;
    case FirePiece::Vertical: s.vertical = true; break;
    case FirePiece::RightEnd: s.horizontal = true, s.across = {-kOpen, kTip}; break;
    case FirePiece::LeftEnd: s.horizontal = true, s.across = {Cell - kTip, kOpen}; break;
    case FirePiece::LowerEnd: s.vertical = true, s.down = {-kOpen, kTip}; break;
    case FirePiece::UpperEnd: s.vertical = true, s.down = {Cell - kTip, kOpen}; break;
    case FirePiece::Centre: s.horizontal = s.vertical = s.burst = true; break;
  }
  return s;
}

bool Inside(const Shape& s, double x, double y, const Layer& layer) {
  if (s.horizontal && s.across.Distance(x, y, layer) < layer.reach) return true;
  if (s.vertical && s.down.Distance(y, x, layer) < layer.reach) return true;
  if (s.burst) {
    // The blast's heart swells out between the arms, towards the corners,
    // but stays inside the cell where the arms meet the next pieces.
    const double r = std::hypot(x - kCentreLine, y - kCentreLine);
    const double angle = std::atan2(y - kCentreLine, x - kCentreLine);
    const double diagonal = std::sin(2 * angle) * std::sin(2 * angle);
    const double radius = (14.0 + 4.0 * diagonal) * layer.reach / 13.0 + 0.6 * std::sin(8 * angle + layer.phase);
    return r < radius;
  }
  return false;
}

}  // namespace

PixelCanvas DrawFire(FirePiece piece) {
  PixelCanvas tile(Cell, Cell);
  const Shape shape = ShapeOf(piece);
  for (const Layer& layer : kLayers)
    for (int y = 0; y < Cell; ++y)
      for (int x = 0; x < Cell; ++x)
        if (Inside(shape, x + 0.5, y + 0.5, layer)) tile.Set(x, y, layer.colour);
  return tile;
}

}  // namespace fl3::art
