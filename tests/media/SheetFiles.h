#pragma once
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "TempFolder.h"
#include "core/Character.h"
#include "core/GameState.h"

namespace fl3::testing {

inline void SaveBitmap(const TempFolder& folder, const std::string& name, const QImage& image) {
  image.save(QString::fromStdString((folder.Path() / name).string()), "BMP");
}

// Tileset: cell i filled with red 8 (i + 1); cell 5 has the transparent grey in its corner.
inline QImage TileSheet(int width = 800, int height = 32) {
  QImage sheet(width, height, QImage::Format_RGB32);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) sheet.setPixel(x, y, 0xFF000000u | std::uint32_t(8 * (x / 32 + 1)) << 16);
  if (width > 160) sheet.setPixel(160, 0, 0xFFC0C0C0);
  return sheet;
}

// Character sheet: each pixel tells its frame (red), its row of 64 (green)
// and its height inside the row (blue); frame 0 of row 0 has grey in its corner.
inline QImage CharacterSheet(int rows = 4) {
  QImage sheet(384, 64 * rows, QImage::Format_RGB32);
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < 384; ++x)
      sheet.setPixel(x, y, 0xFF000000u | std::uint32_t(x / 32) << 16 | std::uint32_t(y / 64) << 8 | std::uint32_t(y % 64));
  sheet.setPixel(0, 0, 0xFFC0C0C0);
  return sheet;
}

inline std::uint32_t CharacterTexel(int frame, int row, int height) {
  return 0xFF000000u | std::uint32_t(frame) << 16 | std::uint32_t(row) << 8 | std::uint32_t(height);
}

// A winner picture of half size: magenta with a green texel at (10, 20).
inline QImage WinnerPicture() {
  QImage picture(128, 128, QImage::Format_RGB32);
  picture.fill(0xFFFF00FFu);
  picture.setPixel(10, 20, 0xFF00FF00u);
  return picture;
}

// Everything a match with tileset 3, background 2 and all winner pictures needs.
inline void WriteAllSheets(const TempFolder& folder) {
  SaveBitmap(folder, "A3.BMP", TileSheet());
  QImage background(256, 128, QImage::Format_RGB32);
  background.fill(0xFF336699u);
  SaveBitmap(folder, "B2.BMP", background);
  SaveBitmap(folder, "C.BMP", CharacterSheet());
  for (int slot = 0; slot < 4; ++slot) SaveBitmap(folder, "WIN" + std::to_string(slot) + ".BMP", WinnerPicture());
}

inline std::array<Character, FigureCount> Figures(std::int32_t c0, std::int32_t c1, std::int32_t c2, std::int32_t c3) {
  std::array<Character, FigureCount> figures{};
  figures[0].Cont = c0;
  figures[1].Cont = c1;
  figures[2].Cont = c2;
  figures[3].Cont = c3;
  return figures;
}

}  // namespace fl3::testing
