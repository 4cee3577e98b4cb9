#pragma once
#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/match/FrameScaling.h"
#include "ui/match/X11FrameOutput.h"

namespace fl3 {

// Shows a picture of a fixed size scaled to fill the widget with its shape
// kept, pixels sharp, black bars beside it. A new frame repaints only the
// screen area of the 32 x 32 blocks that differ from the frame before, so
// presenting costs about the same on any screen size. On X11 the pixels go
// straight to the window, without a screen-sized backing store, and a frame
// is put there at once, without a paint event.
class ScaledFrameWidget : public QWidget {
 public:
  explicit ScaledFrameWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  ~ScaledFrameWidget() override;

  // Shows the frame now. Every frame has the size of the first, 32 bits a pixel.
  void PresentFrame(const QImage& frame);

 protected:
  QPaintEngine* paintEngine() const override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Rescale();
  // Copies the changed blocks into the shown frame and lists their areas on
  // the widget in changedAreas_.
  void TakeChanges(const QImage& frame);
  void PaintBlack(QPainter* painter, const QRect& area);
  // Through the painter, or straight to the X window without one.
  void PaintScaled(QPainter* painter, const QRect& area);

  QImage shown_;  // the frame on screen, at its own size
  FrameScaling scaling_;
  QImage band_;  // a few scaled rows, painted in one go
  std::vector<char> changedBlocks_;
  std::vector<QRect> changedAreas_;  // room for every block, made with the first frame
  const bool paintsOnScreen_;
  std::unique_ptr<X11FrameOutput> x11_;  // made at the first paint, when the window exists
};

}  // namespace fl3
