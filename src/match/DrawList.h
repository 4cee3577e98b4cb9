#pragma once
#include <cstdint>
#include <vector>

namespace fl3 {

// Which of the match's pictures a draw uses. The renderer maps these to the
// textures cut for the match; a picture it does not hold is simply not drawn.
enum class PictureKind : std::uint8_t { Tile, Background, Font, Character, Winner };

struct PictureRef {
  PictureKind kind = PictureKind::Tile;
  std::int8_t index = 0;      // tile code 0..24, or the figure 0..3
  std::int8_t step = 0;       // Character: animation step 1..3
  std::int8_t direction = 0;  // Character: 0 left, 1 up, 2 right, 3 down
  friend bool operator==(const PictureRef&, const PictureRef&) = default;
};

inline constexpr std::uint32_t kTintWhite = 0xFFFFFF;
inline constexpr std::uint32_t kTintRed = 0xFF0000;

// One textured rectangle: target in pixels, texture coordinates 0..1, and a
// tint (0xRRGGBB) that multiplies each channel.
struct SpriteDraw {
  PictureRef picture;
  float x = 0, y = 0, width = 0, height = 0;
  float uLeft = 0, vTop = 0, uRight = 1, vBottom = 1;
  std::uint32_t colour = kTintWhite;
  friend bool operator==(const SpriteDraw&, const SpriteDraw&) = default;
};

// A frame's draws in order. Capacity is kept between frames, so a running
// match does not allocate.
class DrawList {
 public:
  DrawList() { draws_.reserve(1024); }
  void Clear() { draws_.clear(); }
  void Add(const SpriteDraw& draw) { draws_.push_back(draw); }
  void RemoveLast() {
    if (!draws_.empty()) draws_.pop_back();
  }
  const std::vector<SpriteDraw>& Draws() const { return draws_; }
  SpriteDraw& At(std::size_t index) { return draws_[index]; }
  std::size_t Size() const { return draws_.size(); }

 private:
  std::vector<SpriteDraw> draws_;
};

}  // namespace fl3
