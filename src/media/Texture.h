#pragma once
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace fl3 {

// How a texture's alpha runs, found once when it is made so that drawing can
// copy opaque pictures and select keyed ones instead of blending.
enum class TextureAlpha : std::uint8_t {
  Opaque,  // every texel alpha 255
  Keyed,   // every texel alpha 0 or 255
  Mixed,   // anything else
};

// A picture ready for drawing: 32-bit ARGB pixels in which every texel that
// matched the colour key is fully transparent.
struct Texture {
  QImage pixels;  // QImage::Format_ARGB32
  TextureAlpha alpha = TextureAlpha::Mixed;
};
using TexturePtr = std::shared_ptr<const Texture>;

// Reads a BMP (or any picture Qt reads). width/height 0 keep the picture's own
// size, otherwise it is stretched to that size with point filtering. A texel
// equal to colorKey in all bits (0xAARRGGBB, pictures from files are opaque)
// becomes transparent; colorKey 0 keys nothing. Returns null when the file is
// missing or unreadable.
TexturePtr LoadTexture(const std::filesystem::path& file, int width, int height, std::uint32_t colorKey);
TexturePtr TextureFromImage(const QImage& image, int width, int height, std::uint32_t colorKey);

}  // namespace fl3
