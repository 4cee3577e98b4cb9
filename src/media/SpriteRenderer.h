#pragma once
#include <QImage>
#include <cstdint>
#include <vector>

#include "media/Texture.h"

namespace fl3 {

// Draws textured rectangles into a back buffer of a fixed size (800 x 600
// for a match, the canvas size in the editor), the way the game's sprite
// device did: nearest texel, colour tint multiplying each channel, alpha
// blended source-alpha over inverse-source-alpha. The owner shows the back
// buffer ("present") by painting it.
class SpriteRenderer {
 public:
  // A size of 0 (a failed set-up) gives a renderer that draws nothing.
  SpriteRenderer(int width, int height);

  // The back buffer stays opaque, whatever the colour's alpha byte.
  void Clear(std::uint32_t argb);
  // Texture coordinates pick the part (uLeft, vTop)..(uRight, vBottom) of the
  // texture, stretched over the rectangle. colour is 0x??RRGGBB; its alpha
  // byte has no effect. A null texture draws nothing.
  void DrawSprite(const Texture* texture, float x, float y, float width, float height, float uLeft, float vTop,
                  float uRight, float vBottom, std::uint32_t colour);

  // A prepared picture (text laid over a frame), alpha blended at (x, y).
  void DrawPicture(int x, int y, const QImage& picture);

  // Paint it, don't keep a copy: a copy held over the next frame would make
  // that frame's drawing duplicate the whole buffer.
  const QImage& BackBuffer() const { return backBuffer_; }

 private:
  QImage backBuffer_;
  std::vector<int> columnTexels_;  // texel column of each pixel of the sprite being drawn
};

}  // namespace fl3
