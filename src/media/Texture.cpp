#include "media/Texture.h"

#include "media/PictureFile.h"

namespace fl3 {
namespace {

// Nearest texel for each target texel, sampled at the target texel's centre.
QImage StretchPoint(const QImage& source, int width, int height) {
  if (source.width() == width && source.height() == height) return source;
  QImage target(width, height, QImage::Format_ARGB32);
  if (target.isNull()) return target;
  const qint64 sourceWidth = source.width();
  const qint64 sourceHeight = source.height();
  for (int y = 0; y < height; ++y) {
    const int sourceY = static_cast<int>((2 * y + 1) * sourceHeight / (2 * qint64{height}));
    const auto* from = reinterpret_cast<const std::uint32_t*>(source.constScanLine(sourceY));
    auto* to = reinterpret_cast<std::uint32_t*>(target.scanLine(y));
    for (int x = 0; x < width; ++x) to[x] = from[(2 * x + 1) * sourceWidth / (2 * qint64{width})];
  }
  return target;
}

void KeyOut(QImage& image, std::uint32_t colorKey) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] == colorKey) row[x] = 0;
    }
  }
}

TextureAlpha AlphaOf(const QImage& image) {
  bool keyed = false;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t alpha = row[x] >> 24;
      if (alpha == 0) keyed = true;
      else if (alpha != 0xFF) return TextureAlpha::Mixed;
    }
  }
  return keyed ? TextureAlpha::Keyed : TextureAlpha::Opaque;
}

}  // namespace

TexturePtr TextureFromImage(const QImage& image, int width, int height, std::uint32_t colorKey) {
  if (image.isNull() || width < 0 || height < 0) return nullptr;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  if (argb.isNull()) return nullptr;
  QImage pixels = StretchPoint(argb, width == 0 ? argb.width() : width, height == 0 ? argb.height() : height);
  if (pixels.isNull()) return nullptr;
  if (colorKey != 0) KeyOut(pixels, colorKey);
  const TextureAlpha alpha = AlphaOf(pixels);
  return std::make_shared<const Texture>(Texture{std::move(pixels), alpha});
}

TexturePtr LoadTexture(const std::filesystem::path& file, int width, int height, std::uint32_t colorKey) {
  const PictureRead read = ReadPicture(file);
  if (read.problem != PictureProblem::None) return nullptr;
  return TextureFromImage(read.image, width, height, colorKey);
}

}  // namespace fl3
