#pragma once
#include <QImage>
#include <QPointF>
#include <functional>
#include <vector>

#include "Colour.h"

namespace fl3::art {

// A picture drawn pixel by pixel. Nothing is antialiased, so every colour
// that reaches a file is one we picked, and colour keys stay exact.
// Pixels start transparent; Flatten lays the picture on a key colour.
class PixelCanvas {
 public:
  PixelCanvas(int width, int height);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

  void Set(int x, int y, QRgb colour);
  QRgb At(int x, int y) const;
  bool Opaque(int x, int y) const;

  void FillRect(int x, int y, int w, int h, QRgb colour);
  // Pixels whose centre lies inside the ellipse (centre cx, cy, radii rx, ry).
  void FillEllipse(double cx, double cy, double rx, double ry, QRgb colour);
  // A lit ball: the ramp is picked by how much each pixel faces the light.
  void FillBall(double cx, double cy, double rx, double ry, const Ramp& ramp);
  void FillPolygon(const std::vector<QPointF>& corners, QRgb colour);
  void Line(int x0, int y0, int x1, int y1, QRgb colour);
  // Calls paint(x, y) for each pixel centre inside the ellipse.
  void ForEllipse(double cx, double cy, double rx, double ry, const std::function<void(int, int)>& paint);

  // Every transparent pixel beside an opaque one takes the colour.
  void Outline(QRgb colour, bool withCorners = false);
  // Copies the opaque pixels of the source with its corner at (dx, dy).
  void Blit(const PixelCanvas& source, int dx, int dy);
  // Replaces one exact colour by another.
  void Recolour(QRgb from, QRgb to);

  PixelCanvas Mirrored() const;
  PixelCanvas Flipped() const;
  // A quarter turn clockwise.
  PixelCanvas Turned() const;

  // Opaque picture with the key colour where nothing was drawn. A drawn
  // pixel that happens to equal the key is nudged off it so it stays visible.
  QImage Flatten(QRgb key) const;

 private:
  QImage image_;
};

}  // namespace fl3::art
