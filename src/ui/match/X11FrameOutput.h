#pragma once
#include <QImage>
#include <QRect>
#include <memory>

class QWidget;
typedef struct _XDisplay Display;
typedef struct _XGC* GC;

namespace fl3 {

// Puts 32-bit 0xRRGGBB pixels straight into a widget's X window, so a
// full-screen widget needs no screen-sized copy of itself (Qt's backing
// store) in memory.
class X11FrameOutput {
 public:
  // Whether widgets of this application are X windows of a visual that
  // takes such pixels as they are.
  static bool Usable();
  // For the widget's window; null where not usable.
  static std::unique_ptr<X11FrameOutput> For(QWidget& widget);
  ~X11FrameOutput();
  X11FrameOutput(const X11FrameOutput&) = delete;
  X11FrameOutput& operator=(const X11FrameOutput&) = delete;

  void FillBlack(const QRect& area);
  // The first rows and width columns of the picture, at `at` in the window.
  void Put(const QImage& picture, int width, int rows, QPoint at);
  // Sends what was put to the X server.
  void Flush();

 private:
  X11FrameOutput(Display* display, unsigned long window);

  Display* display_;
  unsigned long window_;
  GC gc_;
  int depth_;
};

}  // namespace fl3
