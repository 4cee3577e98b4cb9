#pragma once
#include <QRect>
#include <QSize>
#include <vector>

namespace fl3 {

// Where a picture lands on a widget when scaled to fill it with its shape
// kept, centred, and which picture pixel each widget pixel shows. The choice
// is the one Qt's nearest-neighbour drawImage makes when it paints the whole
// picture (16.16 fixed-point steps from the first pixel), so a part painted
// on its own matches the whole at every edge, at any scale.
class FrameScaling {
 public:
  FrameScaling() = default;
  FrameScaling(QSize picture, QSize widget);

  // In widget pixels.
  const QRect& Target() const { return target_; }
  // The picture column or row shown x or y pixels into the target.
  int SourceColumn(int x) const { return columns_[static_cast<std::size_t>(x)]; }
  int SourceRow(int y) const { return rows_[static_cast<std::size_t>(y)]; }
  // The widget pixels that show part of the picture's rectangle, and nothing else.
  QRect OnWidget(const QRect& pictureRect) const;

 private:
  QRect target_;
  std::vector<int> columns_, rows_;
  // For each picture column or row, and one past the last: the first target
  // pixel that shows it or a later one.
  std::vector<int> firstColumn_, firstRow_;
};

}  // namespace fl3
