#pragma once
#include <QImage>
#include <filesystem>
#include <optional>

namespace fl3 {

// A picture sheet as 32-bit ARGB, or nothing when the file cannot be read.
std::optional<QImage> ReadSheet(const std::filesystem::path& file);

// The cell of the given size whose top-left corner is (left, top). Whatever
// of it lies outside the sheet is transparent, so a small sheet still yields
// every cell.
QImage CutCell(const QImage& sheet, int left, int top, int width, int height);

}  // namespace fl3
