#include "ui/match/X11FrameOutput.h"

#include <QGuiApplication>
#include <QWidget>
// Qt's headers come first: Xlib defines macros that clash with them.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fl3 {
namespace {

Display* ApplicationDisplay() {
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->display() : nullptr;
}

// True colour with 8 bits a channel in 32-bit pixels: a QImage row as it is.
bool TakesRgb32(Display* display) {
  const int screen = DefaultScreen(display);
  const Visual* visual = DefaultVisual(display, screen);
  if (visual->c_class != TrueColor || visual->red_mask != 0xFF0000 || visual->green_mask != 0xFF00 ||
      visual->blue_mask != 0xFF)
    return false;
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool fits = false;
  for (int i = 0; i < count; ++i)
    fits = fits || (formats[i].depth == DefaultDepth(display, screen) && formats[i].bits_per_pixel == 32);
  if (formats != nullptr) XFree(formats);
  return fits && QSysInfo::ByteOrder == QSysInfo::LittleEndian;
}

}  // namespace

bool X11FrameOutput::Usable() {
  Display* display = ApplicationDisplay();
  return display != nullptr && TakesRgb32(display);
}

std::unique_ptr<X11FrameOutput> X11FrameOutput::For(QWidget& widget) {
  if (!Usable()) return nullptr;
  return std::unique_ptr<X11FrameOutput>(new X11FrameOutput(ApplicationDisplay(), widget.winId()));
}

X11FrameOutput::X11FrameOutput(Display* display, unsigned long window)
    : display_(display),
      window_(window),
      gc_(XCreateGC(display, window, 0, nullptr)),
      depth_(DefaultDepth(display, DefaultScreen(display))) {
  XSetForeground(display_, gc_, BlackPixel(display_, DefaultScreen(display_)));
}

X11FrameOutput::~X11FrameOutput() { XFreeGC(display_, gc_); }

void X11FrameOutput::FillBlack(const QRect& area) {
  if (area.isEmpty()) return;
  XFillRectangle(display_, window_, gc_, area.left(), area.top(), static_cast<unsigned>(area.width()),
                 static_cast<unsigned>(area.height()));
}

void X11FrameOutput::Put(const QImage& picture, int width, int rows, QPoint at) {
  if (width <= 0 || rows <= 0) return;
  // Described in place, so nothing is allocated or copied on our side.
  XImage image{};
  image.width = picture.width();
  image.height = rows;
  image.format = ZPixmap;
  image.data = const_cast<char*>(reinterpret_cast<const char*>(picture.constBits()));
  image.byte_order = LSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = LSBFirst;
  image.bitmap_pad = 32;
  image.depth = depth_;
  image.bytes_per_line = static_cast<int>(picture.bytesPerLine());
  image.bits_per_pixel = 32;
  image.red_mask = 0xFF0000;
  image.green_mask = 0xFF00;
  image.blue_mask = 0xFF;
  if (XInitImage(&image) == 0) return;
  XPutImage(display_, window_, gc_, &image, 0, 0, at.x(), at.y(), static_cast<unsigned>(width),
            static_cast<unsigned>(rows));
}

void X11FrameOutput::Flush() { XFlush(display_); }

}  // namespace fl3
