#include "ui/match/FrameScaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fl3 {
namespace {

// Qt's scaled blit: a 16.16 step from the centre of the first target pixel.
std::vector<int> SourcesOf(int sourceLength, int targetLength) {
  std::vector<int> sources(static_cast<std::size_t>(std::max(targetLength, 0)));
  if (sourceLength <= 0 || targetLength <= 0) return sources;
  const double scale = static_cast<double>(sourceLength) / targetLength;
  const auto step = static_cast<std::uint32_t>(static_cast<int>(0x00010000 * scale));
  auto at = static_cast<std::uint32_t>(static_cast<int>(std::ceil(0.5 * scale * 65536)) - 1);
  for (int& source : sources) {
    source = std::min(static_cast<int>(at >> 16), sourceLength - 1);
    at += step;
  }
  return sources;
}

// Sources only grow along the target, so this is their inverse.
std::vector<int> FirstTargets(const std::vector<int>& sources, int sourceLength) {
  std::vector<int> first(static_cast<std::size_t>(std::max(sourceLength, 0)) + 1);
  for (int s = 0; s <= sourceLength; ++s)
    first[static_cast<std::size_t>(s)] =
        static_cast<int>(std::lower_bound(sources.begin(), sources.end(), s) - sources.begin());
  return first;
}

}  // namespace

FrameScaling::FrameScaling(QSize picture, QSize widget) {
  const QSize scaled = picture.scaled(widget, Qt::KeepAspectRatio);
  target_ = QRect(QPoint((widget.width() - scaled.width()) / 2, (widget.height() - scaled.height()) / 2), scaled);
  columns_ = SourcesOf(picture.width(), scaled.width());
  rows_ = SourcesOf(picture.height(), scaled.height());
  firstColumn_ = FirstTargets(columns_, picture.width());
  firstRow_ = FirstTargets(rows_, picture.height());
}

QRect FrameScaling::OnWidget(const QRect& pictureRect) const {
  const auto index = [](int v, const std::vector<int>& first) {
    return static_cast<std::size_t>(std::clamp(v, 0, static_cast<int>(first.size()) - 1));
  };
  if (firstColumn_.empty() || firstRow_.empty()) return {};
  const int left = firstColumn_[index(pictureRect.left(), firstColumn_)];
  const int right = firstColumn_[index(pictureRect.left() + pictureRect.width(), firstColumn_)];
  const int top = firstRow_[index(pictureRect.top(), firstRow_)];
  const int bottom = firstRow_[index(pictureRect.top() + pictureRect.height(), firstRow_)];
  return QRect(target_.left() + left, target_.top() + top, right - left, bottom - top);
}

}  // namespace fl3
