#pragma once
// Reading the pictures the build put into the game folder.
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fl3::testing {

inline std::filesystem::path GameDir() {
  const char* dir = std::getenv("FUSELARK3_GAME_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path();
}

inline QImage LoadPicture(const std::filesystem::path& file) {
  return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
}

// Bits per pixel from the bitmap header.
inline int BmpBitsPerPixel(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  char header[30] = {};
  in.read(header, sizeof header);
  if (!in || header[0] != 'B' || header[1] != 'M') return 0;
  return static_cast<unsigned char>(header[28]) | (static_cast<unsigned char>(header[29]) << 8);
}

inline QRgb Opaque(unsigned rgb) { return 0xFF000000u | rgb; }

// How many pixels of the rectangle have exactly the colour.
inline int CountColour(const QImage& image, int x, int y, int w, int h, QRgb colour) {
  int n = 0;
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) n += image.pixel(px, py) == colour;
  return n;
}

}  // namespace fl3::testing
