#include "Artwork.h"
#include "Noise.h"

namespace fl3::art {

namespace {

constexpr int kWidth = 1024, kHeight = 512, kCell = 32;

struct Ground {
  Ramp even, odd;      // the two tones of the checker
  QRgb speck, glint;   // scattered detail
  std::uint32_t seed;
};

// A checker matched to the playing grid, so players can count cells, with
// speckles so it never looks flat.
PixelCanvas Checker(const Ground& g) {
  PixelCanvas c(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const bool odd = ((x / kCell) + (y / kCell)) % 2 == 1;
      const Ramp& r = odd ? g.odd : g.even;
      const int lx = x % kCell, ly = y % kCell;
      QRgb colour = r.base;
      const auto h = Hash(x, y, g.seed) % 1000;
      if (h < 45) colour = r.mid;
      else if (h < 60) colour = g.speck;
      else if (h < 75) colour = r.light;
      else if (h < 78) colour = g.glint;
      if (ly == 0 || lx == 0) colour = Mix(colour, r.light, 0.35);
      if (ly == kCell - 1 || lx == kCell - 1) colour = Mix(colour, r.dark, 0.35);
      c.Set(x, y, colour);
    }
  return c;
}

void GrassTufts(PixelCanvas& c, std::uint32_t seed, QRgb dark, QRgb light) {
  Noise n(seed);
  for (int i = 0; i < 900; ++i) {
    const int x = n.Below(kWidth), y = n.Below(kHeight);
    c.Set(x, y, light), c.Set(x, y + 1, dark), c.Set(x + 1, y - 1, light), c.Set(x + 1, y, dark);
  }
}

void Flowers(PixelCanvas& c, std::uint32_t seed) {
  Noise n(seed);
  const QRgb petals[] = {Rgb(0xFFF4E0), Rgb(0xFFD84A), Rgb(0xF07AA8), Rgb(0xA8B8FF)};
  for (int i = 0; i < 140; ++i) {
    const int x = n.Below(kWidth), y = n.Below(kHeight);
    const QRgb p = petals[n.Below(4)];
    c.Set(x, y - 1, p), c.Set(x - 1, y, p), c.Set(x + 1, y, p), c.Set(x, y + 1, p);
    c.Set(x, y, Rgb(0xF08A2A));
  }
}

void Pebbles(PixelCanvas& c, std::uint32_t seed, const Ramp& stone, int count) {
  Noise n(seed);
  for (int i = 0; i < count; ++i) {
    const int x = n.Below(kWidth), y = n.Below(kHeight), w = 2 + n.Below(3);
    c.FillRect(x, y, w, 2, stone.base);
    c.FillRect(x, y, w - 1, 1, stone.light);
    c.FillRect(x + 1, y + 2, w, 1, stone.dark);
  }
}

// Thin cracks wandering across slabs.
void Cracks(PixelCanvas& c, std::uint32_t seed, QRgb colour) {
  Noise n(seed);
  for (int i = 0; i < 60; ++i) {
    int x = n.Below(kWidth), y = n.Below(kHeight);
    for (int s = 0; s < 4 + n.Below(5); ++s) {
      const int nx = x + n.Below(7) - 3, ny = y + 1 + n.Below(4);
      c.Line(x, y, nx, ny, colour);
      x = nx, y = ny;
    }
  }
}

// Small clusters of glowing moss, the only light in the cave.
void GlowMoss(PixelCanvas& c, std::uint32_t seed) {
  Noise n(seed);
  for (int i = 0; i < 70; ++i) {
    const int x = n.Below(kWidth), y = n.Below(kHeight);
    for (int k = 0; k < 6; ++k) c.Set(x + n.Below(7) - 3, y + n.Below(5) - 2, Rgb(0x2E7A74));
    c.Set(x, y, Rgb(0x6ACCBC)), c.Set(x + 1, y, Rgb(0x6ACCBC)), c.Set(x, y - 1, Rgb(0xB8FFEC));
  }
}

// Broad, ragged patches that tint the ground, so the field is not a
// uniform checker.
void Patches(PixelCanvas& c, std::uint32_t seed, QRgb tint, double strength, int count) {
  Noise n(seed);
  for (int i = 0; i < count; ++i) {
    const double cx = n.Below(kWidth), cy = n.Below(kHeight);
    const double rx = 20 + n.Below(50), ry = 14 + n.Below(30);
    c.ForEllipse(cx, cy, rx, ry, [&](int x, int y) {
      const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny > 0.75 && Hash(x, y, seed) % 2) return;
      if (c.Inside(x, y)) c.Set(x, y, Mix(c.At(x, y), tint, strength));
    });
  }
}

// Wind-drawn ripples in the sand.
void Ripples(PixelCanvas& c, std::uint32_t seed, QRgb shade, QRgb light) {
  Noise n(seed);
  for (int i = 0; i < 260; ++i) {
    const int x = n.Below(kWidth), y = n.Below(kHeight), w = 6 + n.Below(10);
    for (int k = 0; k < w; ++k) {
      const int dy = (k < w / 2) ? 0 : 1;
      c.Set(x + k, y + dy, shade);
      c.Set(x + k, y + dy - 1, light);
    }
  }
}

}  // namespace

PixelCanvas DrawBackground(int number) {
  switch (number) {
    case 1: {
      const Ground cave{{Rgb(0x22252E), Rgb(0x2C303C), Rgb(0x363B4A), Rgb(0x444A5C)},
                        {Rgb(0x1E2029), Rgb(0x272A35), Rgb(0x303442), Rgb(0x3C4152)},
                        Rgb(0x4A4458), Rgb(0x5A6478), 17};
      PixelCanvas c = Checker(cave);
      Patches(c, 18, Rgb(0x3A3026), 0.25, 40);
      Cracks(c, 19, Rgb(0x191B22));
      Pebbles(c, 21, RampOf(Rgb(0x4A4E5E)), 260);
      GlowMoss(c, 23);
      return c;
    }
    case 2: {
      const Ground sand{{Rgb(0xB4824A), Rgb(0xCE9A5C), Rgb(0xE2B474), Rgb(0xF2CC92)},
                        {Rgb(0xAC7A44), Rgb(0xC69256), Rgb(0xD8A86A), Rgb(0xEAC286)},
                        Rgb(0xBC8650), Rgb(0xFFF0C8), 29};
      PixelCanvas c = Checker(sand);
      Patches(c, 30, Rgb(0xF6D8A0), 0.3, 50);
      Ripples(c, 31, Rgb(0xC08C54), Rgb(0xF0CC90));
      Pebbles(c, 37, RampOf(Rgb(0x9C7A5E)), 120);
      return c;
    }
    default: {
      const Ground meadow{{Rgb(0x3C7A34), Rgb(0x4E9438), Rgb(0x62AC42), Rgb(0x78C050)},
                          {Rgb(0x3A7432), Rgb(0x4A8C36), Rgb(0x5AA23E), Rgb(0x70B84C)},
                          Rgb(0x44863A), Rgb(0x9CD868), 5};
      PixelCanvas c = Checker(meadow);
      Patches(c, 6, Rgb(0x2E6A2A), 0.22, 45);
      Patches(c, 8, Rgb(0xA8CC5A), 0.18, 35);
      GrassTufts(c, 9, Rgb(0x3E7E32), Rgb(0x8CCC5C));
      Flowers(c, 13);
      return c;
    }
  }
}

}  // namespace fl3::art
