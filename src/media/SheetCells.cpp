#include "media/SheetCells.h"

#include <QRect>

#include "media/PictureFile.h"

namespace fl3 {

std::optional<QImage> ReadSheet(const std::filesystem::path& file) {
  PictureRead read = ReadPicture(file);
  if (read.problem != PictureProblem::None) return std::nullopt;
  QImage sheet = read.image.convertToFormat(QImage::Format_ARGB32);
  if (sheet.isNull()) return std::nullopt;
  return sheet;
}

QImage CutCell(const QImage& sheet, int left, int top, int width, int height) {
  QImage cell(width, height, QImage::Format_ARGB32);
  if (cell.isNull()) return cell;
  cell.fill(0u);
  const QRect inside = QRect(left, top, width, height).intersected(sheet.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(sheet.constScanLine(y));
    auto* to = reinterpret_cast<std::uint32_t*>(cell.scanLine(y - top));
    for (int x = inside.left(); x <= inside.right(); ++x) to[x - left] = from[x];
  }
  return cell;
}

}  // namespace fl3
