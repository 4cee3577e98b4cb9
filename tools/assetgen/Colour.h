#pragma once
#include <QColor>
#include <array>

namespace fl3::art {

// Colours are opaque 0xRRGGBB values with the alpha byte set.
constexpr QRgb Rgb(unsigned hex) { return 0xFF000000u | (hex & 0xFFFFFFu); }
constexpr QRgb Clear = 0x00000000u;

QRgb Mix(QRgb a, QRgb b, double t);
// Darker below 1, lighter above; lighter leans towards a warm white.
QRgb Shade(QRgb c, double factor);

// Four steps from shadow to highlight, the way pixel art shades a surface.
struct Ramp {
  QRgb dark, mid, base, light;
};
Ramp RampOf(QRgb base);

// The dark line drawn around sprites, shared so everything looks of a piece.
constexpr QRgb InkLine = Rgb(0x1E1822);

}  // namespace fl3::art
