// Saves the whole X screen as a PNG: the end-to-end test and the documentation
// screenshots are taken with it, on Xvfb.
// Qt first: Xlib defines macros that clash with Qt's names.
#include <QImage>
#include <cstdio>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuselark3-xshot OUT.png\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "fuselark3-xshot: cannot open the X display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* shot = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                           static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (shot == nullptr) {
    std::fprintf(stderr, "fuselark3-xshot: cannot read the screen\n");
    XCloseDisplay(display);
    return 1;
  }
  QImage image(attributes.width, attributes.height, QImage::Format_RGB32);
  for (int y = 0; y < attributes.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long pixel = XGetPixel(shot, x, y);
      line[x] = qRgb(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                     static_cast<int>(pixel & 0xFF));
    }
  }
  XDestroyImage(shot);
  XCloseDisplay(display);
  return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
