#include <cmath>

#include "Noise.h"
#include "TileArt.h"

namespace fl3::art {

namespace {

// Soot of each look: charred grass, cave soot, baked desert earth.
Ramp SootOf(int look) {
  switch (look) {
    case 1: return {Rgb(0x141418), Rgb(0x24252C), Rgb(0x383A44), Rgb(0x5C5E68)};
    case 2: return {Rgb(0x1C120C), Rgb(0x34241A), Rgb(0x52382A), Rgb(0x7A5C48)};
    default: return {Rgb(0x16140E), Rgb(0x2A2618), Rgb(0x403A22), Rgb(0x5E5634)};
  }
}

// How far a point lies out from the middle of the mark, 0 in the middle and
// 1 on its ragged rim; the rim wobbles so no two edges look cut with a compass.
double Reach(int x, int y) {
  const double dx = x + 0.5 - 16.0, dy = y + 0.5 - 16.5;
  const double angle = std::atan2(dy, dx);
  const double rim = 11.0 + 1.6 * std::sin(3 * angle + 0.7) + 1.1 * std::sin(5 * angle + 2.1);
  return std::hypot(dx, dy * 1.15) / rim;
}

}  // namespace

// A scorch mark on nothing: laid over a level's background it leaves the
// ground showing around a burnt patch, whatever that ground is.
PixelCanvas DrawScorch(int look) {
  PixelCanvas t(Cell, Cell);
  const Ramp soot = SootOf(look);
  const std::uint32_t seed = 83 + static_cast<std::uint32_t>(look);
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x) {
      const double reach = Reach(x, y);
      const auto h = Hash(x, y, seed) % 100;
      // The rim thins out into scattered flecks.
      if (reach > 1.25 || (reach > 1.0 && h >= 100 * (1.25 - reach) * 1.6)) continue;
      QRgb c = reach < 0.45 ? soot.dark : (reach < 0.8 ? soot.mid : soot.base);
      if (h < 7) c = soot.light;  // ash
      t.Set(x, y, c);
    }
  // A few cinders still glowing in the middle.
  for (auto [x, y] : {std::pair{14, 15}, std::pair{18, 17}, std::pair{16, 19}}) t.Set(x, y, Rgb(0xC8582A));
  t.Set(15, 15, Rgb(0xF0A040));
  return t;
}

}  // namespace fl3::art
