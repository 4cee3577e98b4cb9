#include "Colour.h"

#include <algorithm>
#include <cmath>

namespace fl3::art {

namespace {
int Channel(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }
}  // namespace

QRgb Mix(QRgb a, QRgb b, double t) {
  return qRgb(Channel(qRed(a) + (qRed(b) - qRed(a)) * t), Channel(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
              Channel(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

QRgb Shade(QRgb c, double factor) {
  if (factor <= 1.0) return Mix(Rgb(0x140C20), c, factor);
  return Mix(c, Rgb(0xFFF8E8), std::min(1.0, factor - 1.0));
}

Ramp RampOf(QRgb base) { return {Shade(base, 0.55), Shade(base, 0.78), base, Shade(base, 1.28)}; }

}  // namespace fl3::art
