// Screen pictures for the end-to-end test and the documentation, on Xvfb:
//   fuselark3-xshot shot OUT.png [X Y W H]   the screen, or a part of it
//   fuselark3-xshot diff A.png B.png          pixels that differ and where
//   fuselark3-xshot parts A.png B.png         separate places that differ, and the largest one's size
//   fuselark3-xshot colours A.png X Y W H     distinct colours in a part
// Qt first: Xlib defines macros that clash with Qt's names.
#include <QImage>
#include <QSet>
#include <algorithm>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

QImage GrabScreen() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return {};
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* shot = XGetImage(display, root, 0, 0, static_cast<unsigned>(attributes.width),
                           static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  QImage image;
  if (shot != nullptr) {
    image = QImage(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < attributes.width; ++x) {
        const unsigned long pixel = XGetPixel(shot, x, y);
        line[x] = qRgb(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                       static_cast<int>(pixel & 0xFF));
      }
    }
    XDestroyImage(shot);
  }
  XCloseDisplay(display);
  return image;
}

QRect RectFrom(char* argv[], int first) {
  return {std::atoi(argv[first]), std::atoi(argv[first + 1]), std::atoi(argv[first + 2]), std::atoi(argv[first + 3])};
}

int Shot(int argc, char* argv[]) {
  QImage screen = GrabScreen();
  if (screen.isNull()) {
    std::fprintf(stderr, "fuselark3-xshot: cannot read the X screen\n");
    return 1;
  }
  if (argc == 7) screen = screen.copy(RectFrom(argv, 3));
  return screen.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}

bool Comparable(const QImage& a, const QImage& b) {
  if (!a.isNull() && a.size() == b.size()) return true;
  std::fprintf(stderr, "fuselark3-xshot: pictures missing or of different sizes\n");
  return false;
}

// Differing pixels up to two apart belong to one place.
int Parts(char* argv[]) {
  const QImage a(QString::fromLocal8Bit(argv[2])), b(QString::fromLocal8Bit(argv[3]));
  if (!Comparable(a, b)) return 1;
  const int w = a.width(), h = a.height();
  std::vector<char> open(static_cast<std::size_t>(w * h));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) open[static_cast<std::size_t>(y * w + x)] = a.pixel(x, y) != b.pixel(x, y);
  }
  int parts = 0, widest = 0, highest = 0;
  std::vector<QPoint> stack;
  for (int start = 0; start < w * h; ++start) {
    if (!open[static_cast<std::size_t>(start)]) continue;
    ++parts;
    QRect box;
    stack.assign(1, QPoint(start % w, start / w));
    open[static_cast<std::size_t>(start)] = 0;
    while (!stack.empty()) {
      const QPoint p = stack.back();
      stack.pop_back();
      box |= QRect(p, QSize(1, 1));
      for (int y = std::max(0, p.y() - 2); y <= std::min(h - 1, p.y() + 2); ++y) {
        for (int x = std::max(0, p.x() - 2); x <= std::min(w - 1, p.x() + 2); ++x) {
          if (!open[static_cast<std::size_t>(y * w + x)]) continue;
          open[static_cast<std::size_t>(y * w + x)] = 0;
          stack.emplace_back(x, y);
        }
      }
    }
    widest = std::max(widest, box.width());
    highest = std::max(highest, box.height());
  }
  std::printf("%d %d %d\n", parts, widest, highest);
  return 0;
}

int Diff(char* argv[]) {
  const QImage a(QString::fromLocal8Bit(argv[2])), b(QString::fromLocal8Bit(argv[3]));
  if (!Comparable(a, b)) return 1;
  long count = 0;
  QRect box;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) == b.pixel(x, y)) continue;
      ++count;
      box |= QRect(x, y, 1, 1);
    }
  }
  std::printf("%ld %d %d %d %d\n", count, box.x(), box.y(), box.width(), box.height());
  return 0;
}

int Colours(char* argv[]) {
  const QImage image(QString::fromLocal8Bit(argv[2]));
  const QRect part = RectFrom(argv, 3).intersected(image.rect());
  QSet<QRgb> seen;
  for (int y = part.top(); y <= part.bottom(); ++y) {
    for (int x = part.left(); x <= part.right(); ++x) seen.insert(image.pixel(x, y));
  }
  std::printf("%lld\n", static_cast<long long>(seen.size()));
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "shot" && (argc == 3 || argc == 7)) return Shot(argc, argv);
  if (mode == "diff" && argc == 4) return Diff(argv);
  if (mode == "parts" && argc == 4) return Parts(argv);
  if (mode == "colours" && argc == 7) return Colours(argv);
  std::fprintf(stderr, "usage: fuselark3-xshot shot OUT.png [X Y W H] | diff A.png B.png | parts A.png B.png | colours A.png X Y W H\n");
  return 2;
}
