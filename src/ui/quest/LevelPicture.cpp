#include "ui/quest/LevelPicture.h"

#include <QPainter>
#include <array>

#include "core/GameFolder.h"
#include "media/MatchPictures.h"
#include "media/PictureFile.h"

namespace fl3 {
namespace {

const QColor kPlayerMarks[FigureCount] = {QColor(230, 40, 40), QColor(40, 90, 230), QColor(40, 170, 60),
                                          QColor(230, 200, 40)};

QImage ReadNumbered(const GameFolder& folder, const char* letter, std::int32_t number) {
  if (number < 0) return {};
  const auto file = folder.Find(letter + std::to_string(number) + ".BMP");
  return file ? ReadPicture(*file).image.convertToFormat(QImage::Format_ARGB32) : QImage();
}

// Tile `code` of the strip with its colour key cleared.
QImage Tile(const QImage& tileset, std::int32_t code) {
  QImage tile = tileset.copy(code * kTileSize, 0, kTileSize, kTileSize);
  for (int y = 0; y < tile.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
    for (int x = 0; x < tile.width(); ++x) {
      if ((line[x] | 0xFF000000u) == kTileColourKey) line[x] = 0;
    }
  }
  return tile;
}

QColor PlainColour(std::int32_t code) {
  if (IsBlock(code)) return QColor(90, 90, 96);
  if (IsBox(code)) return QColor(170, 120, 60);
  return QColor(96, 150, 80);
}

}  // namespace

QImage DrawLevelPicture(const LevelData& level, const GameFolder& folder, int cellSize,
                        const std::array<bool, FigureCount>& playing) {
  QImage picture(MapWidth * cellSize, MapHeight * cellSize, QImage::Format_RGB32);
  picture.fill(PlainColour(CellNothing));
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QImage tileset = ReadNumbered(folder, "A", level.TileSetNumber);
  const bool tiled = tileset.width() >= kTileSize * (CellBlock3 + 1) && tileset.height() >= kTileSize;
  std::array<QImage, CellBlock3 + 1> tiles;
  for (std::int32_t code = 0; tiled && code <= CellBlock3; ++code) tiles[static_cast<std::size_t>(code)] = Tile(tileset, code);
  const QImage background = ReadNumbered(folder, "B", level.BackgroundNumber);
  if (!background.isNull()) painter.drawImage(picture.rect(), background);
  for (int y = 0; y < MapHeight; ++y) {
    for (int x = 0; x < MapWidth; ++x) {
      const QRect cell(x * cellSize, y * cellSize, cellSize, cellSize);
      const std::int32_t code = level.TileMap[static_cast<std::size_t>(CellIndex(x, y))];
      if (!tiled) {
        painter.fillRect(cell, PlainColour(code));
        continue;
      }
      // As in a match: without a background the floor tile lies under every cell.
      if (background.isNull()) painter.drawImage(cell, tiles[0]);
      if (code >= 0 && code <= CellBlock3) painter.drawImage(cell, tiles[static_cast<std::size_t>(code)]);
    }
  }
  painter.setRenderHint(QPainter::Antialiasing);
  for (std::size_t i = 0; i < level.Figures.size(); ++i) {
    const FigureStart& start = level.Figures[i];
    if (!playing[i] || !OnMap(start.X, start.Y)) continue;
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(kPlayerMarks[i]);
    painter.drawEllipse(QRectF(start.X * cellSize + 1.5, start.Y * cellSize + 1.5, cellSize - 3, cellSize - 3));
  }
  return picture;
}

}  // namespace fl3
