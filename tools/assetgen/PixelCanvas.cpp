#include "PixelCanvas.h"

#include <algorithm>
#include <cmath>

namespace fl3::art {

PixelCanvas::PixelCanvas(int width, int height) : image_(width, height, QImage::Format_ARGB32) {
  image_.fill(Qt::transparent);
}

void PixelCanvas::Set(int x, int y, QRgb colour) {
  if (Inside(x, y)) image_.setPixel(x, y, colour);
}

QRgb PixelCanvas::At(int x, int y) const { return Inside(x, y) ? image_.pixel(x, y) : Clear; }

bool PixelCanvas::Opaque(int x, int y) const { return qAlpha(At(x, y)) != 0; }

void PixelCanvas::FillRect(int x, int y, int w, int h, QRgb colour) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) Set(px, py, colour);
}

void PixelCanvas::ForEllipse(double cx, double cy, double rx, double ry,
                             const std::function<void(int, int)>& paint) {
  if (rx <= 0 || ry <= 0) return;
  const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
      if (nx * nx + ny * ny <= 1.0) paint(x, y);
    }
}

void PixelCanvas::FillEllipse(double cx, double cy, double rx, double ry, QRgb colour) {
  ForEllipse(cx, cy, rx, ry, [&](int x, int y) { Set(x, y, colour); });
}

void PixelCanvas::FillBall(double cx, double cy, double rx, double ry, const Ramp& ramp) {
  ForEllipse(cx, cy, rx, ry, [&](int x, int y) {
    const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
    const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
    // Light from the upper left, a little in front.
    const double lit = -0.45 * nx - 0.55 * ny + 0.70 * nz;
    QRgb c = ramp.dark;
    if (lit > 0.88) c = ramp.light;
    else if (lit > 0.45) c = ramp.base;
    else if (lit > 0.12) c = ramp.mid;
    Set(x, y, c);
  });
}

void PixelCanvas::FillPolygon(const std::vector<QPointF>& corners, QRgb colour) {
  if (corners.size() < 3) return;
  double minX = corners[0].x(), maxX = minX, minY = corners[0].y(), maxY = minY;
  for (const auto& p : corners) {
    minX = std::min(minX, p.x()), maxX = std::max(maxX, p.x());
    minY = std::min(minY, p.y()), maxY = std::max(maxY, p.y());
  }
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y)
    for (int x = static_cast<int>(std::floor(minX)); x <= static_cast<int>(std::ceil(maxX)); ++x) {
      const double px = x + 0.5, py = y + 0.5;
      bool inside = false;
      for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const QPointF& a = corners[i];
        const QPointF& b = corners[j];
        if ((a.y() > py) != (b.y() > py) && px < (b.x() - a.x()) * (py - a.y()) / (b.y() - a.y()) + a.x())
          inside = !inside;
      }
      if (inside) Set(x, y, colour);
    }
}

void PixelCanvas::Line(int x0, int y0, int x1, int y1, QRgb colour) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (true) {
    Set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

void PixelCanvas::Outline(QRgb colour, bool withCorners) {
  const QImage before = image_;
  auto opaqueBefore = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < Width() && y < Height() && qAlpha(before.pixel(x, y)) != 0;
  };
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) {
      if (opaqueBefore(x, y)) continue;
      bool touches = opaqueBefore(x - 1, y) || opaqueBefore(x + 1, y) || opaqueBefore(x, y - 1) ||
                     opaqueBefore(x, y + 1);
      if (withCorners)
        touches = touches || opaqueBefore(x - 1, y - 1) || opaqueBefore(x + 1, y - 1) ||
                  opaqueBefore(x - 1, y + 1) || opaqueBefore(x + 1, y + 1);
      if (touches) image_.setPixel(x, y, colour);
    }
}

void PixelCanvas::Blit(const PixelCanvas& source, int dx, int dy) {
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x)
      if (source.Opaque(x, y)) Set(dx + x, dy + y, source.At(x, y));
}

void PixelCanvas::Recolour(QRgb from, QRgb to) {
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x)
      if (image_.pixel(x, y) == from) image_.setPixel(x, y, to);
}

PixelCanvas PixelCanvas::Mirrored() const {
  PixelCanvas out(Width(), Height());
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) out.image_.setPixel(Width() - 1 - x, y, image_.pixel(x, y));
  return out;
}

PixelCanvas PixelCanvas::Flipped() const {
  PixelCanvas out(Width(), Height());
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) out.image_.setPixel(x, Height() - 1 - y, image_.pixel(x, y));
  return out;
}

PixelCanvas PixelCanvas::Turned() const {
  PixelCanvas out(Height(), Width());
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) out.image_.setPixel(Height() - 1 - y, x, image_.pixel(x, y));
  return out;
}

QImage PixelCanvas::Flatten(QRgb key) const {
  const QRgb opaqueKey = key | 0xFF000000u;
  const QRgb nudged = qRgb(qRed(key), qGreen(key), qBlue(key) ^ 1);
  QImage out(Width(), Height(), QImage::Format_RGB888);
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x) {
      const QRgb c = image_.pixel(x, y);
      if (qAlpha(c) == 0) out.setPixel(x, y, opaqueKey);
      else out.setPixel(x, y, (c | 0xFF000000u) == opaqueKey ? nudged : (c | 0xFF000000u));
    }
  return out;
}

}  // namespace fl3::art
