#include "media/SpriteRenderer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/PixelBlend.h"

namespace fl3 {
namespace {

constexpr double kFixedOne = 4294967296.0;  // texel positions step in 32.32 fixed point

// The pixels whose centres lie in [start, start + length): the top-left fill
// rule of the sprite device, clipped to the buffer.
struct Span {
  int first = 0;
  int end = 0;
  bool Empty() const { return end <= first; }
};

Span Cover(float start, float length, int limit) {
  const float finish = start + length;  // summed in single precision, as the device did
  const double first = std::ceil(static_cast<double>(start) - 0.5);
  const double end = std::ceil(static_cast<double>(finish) - 0.5);
  return {static_cast<int>(std::clamp(first, 0.0, double(limit))), static_cast<int>(std::clamp(end, 0.0, double(limit)))};
}

// Texel position (in texels, 32.32 fixed) at the centre of pixel `pixel`, and
// its step from one pixel to the next.
struct TexelWalk {
  std::int64_t start = 0;
  std::int64_t step = 0;
};

TexelWalk Walk(int pixel, float origin, float length, float coordFirst, float coordLast, int texels) {
  const double span = static_cast<double>(coordLast) - coordFirst;
  const double along = (pixel + 0.5 - origin) / length;
  const double position = (coordFirst + along * span) * texels;
  return {static_cast<std::int64_t>(std::floor(position * kFixedOne)),
          static_cast<std::int64_t>(std::floor(span * texels / length * kFixedOne))};
}

int TexelAt(std::int64_t fixed, int texels) { return std::clamp(static_cast<int>(fixed >> 32), 0, texels - 1); }

template <bool kTinted>
void BlendIndexed(std::uint32_t* target, const std::uint32_t* source, const int* texels, int count, Tint tint) {
  for (int i = 0; i < count; ++i) {
    std::uint32_t texel = source[texels[i]];
    if constexpr (kTinted) texel = tint.Apply(texel);
    target[i] = BlendOver(texel, target[i]);
  }
}

void BlendContiguous(std::uint32_t* target, const std::uint32_t* source, int count, TextureAlpha alpha) {
  switch (alpha) {
    case TextureAlpha::Opaque:
      std::memcpy(target, source, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
      break;
    case TextureAlpha::Keyed:
      for (int i = 0; i < count; ++i) target[i] = SelectOpaque(source[i], target[i]);
      break;
    case TextureAlpha::Mixed:
      for (int i = 0; i < count; ++i) target[i] = BlendOver(source[i], target[i]);
      break;
  }
}

}  // namespace

SpriteRenderer::SpriteRenderer(int width, int height)
    : backBuffer_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32),
      columnTexels_(static_cast<std::size_t>(std::max(width, 0))) {
  Clear(0xFF000000);
}

void SpriteRenderer::Clear(std::uint32_t argb) {
  if (backBuffer_.isNull()) return;
  backBuffer_.fill(argb | 0xFF000000u);
}

void SpriteRenderer::DrawSprite(const Texture* texture, float x, float y, float width, float height, float uLeft,
                                float vTop, float uRight, float vBottom, std::uint32_t colour) {
  if (texture == nullptr || texture->pixels.isNull() || backBuffer_.isNull()) return;
  if (!(width > 0) || !(height > 0)) return;
  const Span columns = Cover(x, width, backBuffer_.width());
  const Span rows = Cover(y, height, backBuffer_.height());
  if (columns.Empty() || rows.Empty()) return;

  const QImage& pixels = texture->pixels;
  const int textureWidth = pixels.width();
  const int textureHeight = pixels.height();
  const int count = columns.end - columns.first;

  const TexelWalk across = Walk(columns.first, x, width, uLeft, uRight, textureWidth);
  const int firstTexel = TexelAt(across.start, textureWidth);
  // One texel per pixel, starting on a texel: rows are copied straight across.
  const bool contiguous = across.step == (std::int64_t{1} << 32) && across.start >= 0 &&
                          (across.start >> 32) + count <= textureWidth;
  if (!contiguous) {
    std::int64_t position = across.start;
    for (int i = 0; i < count; ++i, position += across.step) columnTexels_[i] = TexelAt(position, textureWidth);
  }

  const Tint tint(colour);
  uchar* const targetBits = backBuffer_.bits();  // detaches once, not per row
  const qsizetype targetStride = backBuffer_.bytesPerLine();
  const TexelWalk down = Walk(rows.first, y, height, vTop, vBottom, textureHeight);
  std::int64_t position = down.start;
  for (int row = rows.first; row < rows.end; ++row, position += down.step) {
    const auto* source = reinterpret_cast<const std::uint32_t*>(pixels.constScanLine(TexelAt(position, textureHeight)));
    auto* target = reinterpret_cast<std::uint32_t*>(targetBits + row * targetStride) + columns.first;
    if (tint.IsWhite() && contiguous) {
      BlendContiguous(target, source + firstTexel, count, texture->alpha);
    } else if (tint.IsWhite()) {
      BlendIndexed<false>(target, source, columnTexels_.data(), count, tint);
    } else if (contiguous) {
      for (int i = 0; i < count; ++i) target[i] = BlendOver(tint.Apply(source[firstTexel + i]), target[i]);
    } else {
      BlendIndexed<true>(target, source, columnTexels_.data(), count, tint);
    }
  }
}

void SpriteRenderer::DrawPicture(int x, int y, const QImage& picture) {
  if (backBuffer_.isNull()) return;
  QPainter painter(&backBuffer_);
  painter.drawImage(x, y, picture);
}

}  // namespace fl3
