#include "ui/match/ScaledFrameWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace fl3 {
namespace {

constexpr int kBlock = 32;  // a cell of the field
constexpr int kBandRows = 32;

}  // namespace

ScaledFrameWidget::ScaledFrameWidget(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), paintsOnScreen_((parent == nullptr || (flags & Qt::Window)) && X11FrameOutput::Usable()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_PaintOnScreen, paintsOnScreen_);
}

ScaledFrameWidget::~ScaledFrameWidget() = default;

QPaintEngine* ScaledFrameWidget::paintEngine() const {
  return paintsOnScreen_ ? nullptr : QWidget::paintEngine();
}

void ScaledFrameWidget::PresentFrame(const QImage& frame) {
  if (frame.depth() != 32) {
    PresentFrame(frame.convertToFormat(QImage::Format_RGB32));
    return;
  }
  if (shown_.size() != frame.size() || shown_.format() != frame.format()) {
    shown_ = frame.copy();
    changedBlocks_.assign(static_cast<std::size_t>((shown_.width() + kBlock - 1) / kBlock), 0);
    changedAreas_.reserve(changedBlocks_.size() * static_cast<std::size_t>((shown_.height() + kBlock - 1) / kBlock));
    Rescale();
    repaint();
    return;
  }
  TakeChanges(frame);
  if (changedAreas_.empty()) return;
  if (x11_ && isVisible()) {
    // Straight to the window: no region or paint event to make each frame.
    for (const QRect& area : changedAreas_) PaintScaled(nullptr, area.intersected(scaling_.Target()));
    x11_->Flush();
    return;
  }
  QRegion changed;
  for (const QRect& area : changedAreas_) changed += area;
  repaint(changed);
}

void ScaledFrameWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Rescale();
}

void ScaledFrameWidget::Rescale() {
  scaling_ = FrameScaling(shown_.size(), size());
  const QRect& target = scaling_.Target();
  if (shown_.isNull() || target.isEmpty()) return;
  band_ = QImage(target.width(), kBandRows, shown_.format());
}

void ScaledFrameWidget::TakeChanges(const QImage& frame) {
  changedAreas_.clear();
  const int bytesPerPixel = frame.depth() / 8, width = frame.width();
  for (int top = 0; top < frame.height(); top += kBlock) {
    const int bottom = std::min(top + kBlock, frame.height());
    std::fill(changedBlocks_.begin(), changedBlocks_.end(), 0);
    for (int y = top; y < bottom; ++y) {
      const uchar* now = frame.constScanLine(y);
      const uchar* was = shown_.constScanLine(y);
      if (std::memcmp(now, was, static_cast<std::size_t>(width * bytesPerPixel)) == 0) continue;
      for (std::size_t block = 0; block < changedBlocks_.size(); ++block) {
        const int left = static_cast<int>(block) * kBlock, right = std::min(left + kBlock, width);
        if (!changedBlocks_[block] &&
            std::memcmp(now + left * bytesPerPixel, was + left * bytesPerPixel,
                        static_cast<std::size_t>((right - left) * bytesPerPixel)) != 0)
          changedBlocks_[block] = 1;
      }
    }
    // Runs of changed blocks become one rectangle each.
    for (std::size_t block = 0; block < changedBlocks_.size();) {
      if (!changedBlocks_[block]) {
        ++block;
        continue;
      }
      const std::size_t first = block;
      while (block < changedBlocks_.size() && changedBlocks_[block]) ++block;
      const int left = static_cast<int>(first) * kBlock, right = std::min(static_cast<int>(block) * kBlock, width);
      for (int y = top; y < bottom; ++y)
        std::memcpy(shown_.scanLine(y) + left * bytesPerPixel, frame.constScanLine(y) + left * bytesPerPixel,
                    static_cast<std::size_t>((right - left) * bytesPerPixel));
      changedAreas_.push_back(scaling_.OnWidget(QRect(left, top, right - left, bottom - top)));
    }
  }
}

void ScaledFrameWidget::paintEvent(QPaintEvent* event) {
  std::unique_ptr<QPainter> painter;
  if (paintsOnScreen_) {
    if (!x11_) x11_ = X11FrameOutput::For(*this);
    if (!x11_) return;
  } else {
    painter = std::make_unique<QPainter>(this);
  }
  const QRect& target = scaling_.Target();
  for (const QRect& area : event->region()) {
    for (const QRect& bar : QRegion(area).subtracted(shown_.isNull() ? QRect() : target))
      PaintBlack(painter.get(), bar);
    if (!shown_.isNull()) PaintScaled(painter.get(), area.intersected(target));
  }
  if (x11_) x11_->Flush();
}

void ScaledFrameWidget::PaintBlack(QPainter* painter, const QRect& area) {
  if (painter) painter->fillRect(area, Qt::black);
  else x11_->FillBlack(area);
}

// Row by row through the band; a row showing the same picture row as the one
// above is a copy of it.
void ScaledFrameWidget::PaintScaled(QPainter* painter, const QRect& area) {
  if (area.isEmpty() || band_.isNull()) return;
  const QRect& target = scaling_.Target();
  const int x0 = area.left() - target.left();
  const auto rowBytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
  for (int top = area.top(); top <= area.bottom(); top += kBandRows) {
    const int rows = std::min(kBandRows, area.bottom() + 1 - top);
    for (int i = 0; i < rows; ++i) {
      const int y = top + i - target.top();
      auto* out = reinterpret_cast<QRgb*>(band_.scanLine(i));
      if (i > 0 && scaling_.SourceRow(y - 1) == scaling_.SourceRow(y)) {
        std::memcpy(out, band_.constScanLine(i - 1), rowBytes);
        continue;
      }
      const auto* in = reinterpret_cast<const QRgb*>(shown_.constScanLine(scaling_.SourceRow(y)));
      for (int x = 0; x < area.width(); ++x) out[x] = in[scaling_.SourceColumn(x0 + x)];
    }
    if (painter) painter->drawImage(QPoint(area.left(), top), band_, QRect(0, 0, area.width(), rows));
    else x11_->Put(band_, area.width(), rows, QPoint(area.left(), top));
  }
}

}  // namespace fl3
