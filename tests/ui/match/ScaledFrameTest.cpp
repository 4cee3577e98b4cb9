#include <QPainter>
#include <QScreen>
#include <QTest>

#include "QtTestApplication.h"
#include "ui/match/ScaledFrameWidget.h"

namespace fl3::testing {
namespace {

// Every pixel of its own colour, so a pixel taken from a wrong source shows.
void Speckle(QImage& frame, const QRect& area, std::uint32_t seed) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      frame.setPixel(x, y, 0xFF000000u | ((x * 2654435761u) ^ (y * 40503u) ^ (seed * 97u)));
}

// The whole frame scaled by Qt in one go beside black bars, as painted before.
QImage WholeScaled(const QImage& frame, QSize size) {
  QImage screen(size, QImage::Format_RGB32);
  screen.fill(Qt::black);
  QPainter painter(&screen);
  const QSize scaled = frame.size().scaled(size, Qt::KeepAspectRatio);
  painter.drawImage(QRect(QPoint((size.width() - scaled.width()) / 2, (size.height() - scaled.height()) / 2), scaled),
                    frame);
  return screen;
}

// What the window shows: its backing store, with whatever earlier paints left in it.
QImage OnScreen(QWidget& widget) {
  return widget.screen()->grabWindow(widget.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Faults: a part scaled on its own picks other source pixels at its edges than
// the whole (rounding restarted per part, or not Qt's), a change not repainted.
TEST(ScaledFrame, ShowsWhatScalingTheWholeFrameShowsAfterEveryChange) {
  for (QSize size : {QSize(1000, 700), QSize(1600, 1200)}) {
    ScaledFrameWidget widget;
    widget.resize(size);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QImage frame(800, 600, QImage::Format_RGB32);
    Speckle(frame, frame.rect(), 1);
    widget.PresentFrame(frame);
    EXPECT_EQ(OnScreen(widget), WholeScaled(frame, size)) << size.width();
    // Two figures half way through a step, fire across a row of cells, a digit.
    for (const QRect& moved : {QRect(104, 96, 32, 64), QRect(416, 300, 32, 64), QRect(160, 224, 160, 32),
                               QRect(224, 160, 32, 160), QRect(352, 544, 32, 32)})
      Speckle(frame, moved, 2);
    widget.PresentFrame(frame);
    EXPECT_EQ(OnScreen(widget), WholeScaled(frame, size)) << size.width();

    Speckle(frame, QRect(768, 448, 32, 32), 3);  // only one cell, in the last column
    widget.PresentFrame(frame);
    EXPECT_EQ(OnScreen(widget), WholeScaled(frame, size)) << size.width();
  }
}

}  // namespace
}  // namespace fl3::testing
