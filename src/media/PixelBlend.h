#pragma once
#include <cstdint>

namespace fl3 {

// x / 255 rounded to nearest for each 16-bit lane of x (values up to 255 * 255).
inline std::uint32_t DivideLanesBy255(std::uint32_t lanes) {
  lanes += 0x00800080u;
  return ((lanes + ((lanes >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// Source-alpha over inverse-source-alpha onto an opaque pixel; the result is
// opaque. Fully opaque and fully clear texels, the usual ones, skip the maths.
inline std::uint32_t BlendOver(std::uint32_t source, std::uint32_t target) {
  const std::uint32_t alpha = source >> 24;
  if (alpha == 0xFF) return source;
  if (alpha == 0) return target;
  const std::uint32_t inverse = 0xFF - alpha;
  const std::uint32_t redBlue = (source & 0x00FF00FFu) * alpha + (target & 0x00FF00FFu) * inverse;
  const std::uint32_t green = ((source >> 8) & 0xFFu) * alpha + ((target >> 8) & 0xFFu) * inverse;
  return 0xFF000000u | DivideLanesBy255(redBlue) | (DivideLanesBy255(green) << 8);
}

// Blending for texels whose alpha is 0 or 255 only, without a branch: the
// top bit of the alpha picks the texel or the target.
inline std::uint32_t SelectOpaque(std::uint32_t source, std::uint32_t target) {
  const std::uint32_t mask = static_cast<std::uint32_t>(static_cast<std::int32_t>(source) >> 31);
  return (source & mask) | (target & ~mask);
}

// The sprite colour: each texel channel times the colour's channel / 255, so
// white leaves a texel as it is. The colour's alpha byte plays no part.
class Tint {
 public:
  explicit Tint(std::uint32_t colour) : colour_(colour & 0x00FFFFFFu) {}

  bool IsWhite() const { return colour_ == 0x00FFFFFFu; }

  std::uint32_t Apply(std::uint32_t texel) const {
    const std::uint32_t redBlue = (Lane(texel, 16) * Lane(colour_, 16)) << 16 | Lane(texel, 0) * Lane(colour_, 0);
    const std::uint32_t green = Lane(texel, 8) * Lane(colour_, 8);
    return (texel & 0xFF000000u) | DivideLanesBy255(redBlue) | (DivideLanesBy255(green) << 8);
  }

 private:
  static std::uint32_t Lane(std::uint32_t value, int shift) { return (value >> shift) & 0xFFu; }
  std::uint32_t colour_;
};

}  // namespace fl3
