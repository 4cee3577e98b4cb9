#include "editor/PalettePictures.h"

#include <QPainter>
#include <QPainterPath>

namespace fl3 {
namespace {

const QColor kOutline(60, 60, 60);
const QColor kOrange(236, 140, 40);
const QColor kOrangeLight(255, 190, 110);
const QColor kOrangeDark(160, 80, 15);

// A transparent picture with a painter ready for smooth drawing.
class Canvas {
 public:
  explicit Canvas(int size) : pixmap_(size, size) {
    pixmap_.fill(Qt::transparent);
    painter_.begin(&pixmap_);
    painter_.setRenderHint(QPainter::Antialiasing);
  }
  QPainter& Painter() { return painter_; }
  QPixmap Done() {
    painter_.end();
    return pixmap_;
  }

 private:
  QPixmap pixmap_;
  QPainter painter_;
};

QRectF Inner(int size) { return QRectF(0.5, 0.5, size - 1.0, size - 1.0); }

void DrawNumber(QPainter& painter, int number, int size, const QColor& colour) {
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPixelSize(std::max(7, size * 5 / 8));
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString::number(number));
}

void DrawRings(QPainter& painter, int size, const QColor& outer, const QColor& inner) {
  const QPointF centre(size / 2.0, size / 2.0);
  const double ring = size / 8.0;
  painter.setBrush(Qt::NoBrush);
  const QColor colours[] = {outer, inner, outer};
  for (int i = 0; i < 3; ++i) {
    const double radius = size / 2.0 - ring * (0.6 + 1.3 * i);
    if (radius <= 0.5) break;
    painter.setPen(QPen(colours[i], ring));
    painter.drawEllipse(centre, radius, radius);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(inner);
  painter.drawEllipse(centre, ring * 0.8, ring * 0.8);
}

}  // namespace

QPixmap FloorNothingPicture(int size) {
  Canvas canvas(size);
  QPainter& painter = canvas.Painter();
  painter.setPen(QPen(kOutline, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(Inner(size));
  painter.drawLine(QPointF(0.5, 0.5), QPointF(size - 0.5, size - 0.5));
  painter.drawLine(QPointF(size - 0.5, 0.5), QPointF(0.5, size - 0.5));
  return canvas.Done();
}

QPixmap FloorDoodadPicture(int size) {
  Canvas canvas(size);
  QPainter& painter = canvas.Painter();
  painter.setPen(QPen(kOutline, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(Inner(size));
  return canvas.Done();
}

// A solid block: bevelled edges, light above and left, dark below and right.
QPixmap BlockPicture(int number, int size) {
  Canvas canvas(size);
  QPainter& painter = canvas.Painter();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(0, 0, size, size, kOrange);
  const int bevel = std::max(2, size / 8);
  for (int i = 0; i < bevel; ++i) {
    painter.setPen(kOrangeLight);
    painter.drawLine(i, i, size - 1 - i, i);
    painter.drawLine(i, i, i, size - 1 - i);
    painter.setPen(kOrangeDark);
    painter.drawLine(i, size - 1 - i, size - 1 - i, size - 1 - i);
    painter.drawLine(size - 1 - i, i, size - 1 - i, size - 1 - i);
  }
  painter.setRenderHint(QPainter::Antialiasing);
  DrawNumber(painter, number, size, Qt::black);
  return canvas.Done();
}

// A wooden crate: planks framed and braced, so it reads as breakable.
QPixmap BoxPicture(int number, int size) {
  Canvas canvas(size);
  QPainter& painter = canvas.Painter();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(0, 0, size, size, kOrange);
  painter.setPen(QPen(kOrangeDark, 1));
  for (int y = size / 4; y < size; y += size / 4) painter.drawLine(1, y, size - 2, y);
  const int frame = std::max(2, size / 8);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kOrangeDark);
  painter.drawRect(0, 0, size, frame);
  painter.drawRect(0, size - frame, size, frame);
  painter.drawRect(0, 0, frame, size);
  painter.drawRect(size - frame, 0, frame, size);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawNumber(painter, number, size, Qt::white);
  return canvas.Done();
}

QPixmap BombPicture(int size) {
  Canvas canvas(size);
  QPainter& painter = canvas.Painter();
  const double radius = size * 0.36;
  const QPointF centre(size * 0.45, size * 0.58);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(25, 25, 35));
  painter.drawEllipse(centre, radius, radius);
  painter.setBrush(QColor(150, 150, 170));
  painter.drawEllipse(centre + QPointF(-radius * 0.35, -radius * 0.35), radius * 0.22, radius * 0.22);
  QPainterPath fuse(centre + QPointF(radius * 0.6, -radius * 0.6));
  fuse.quadTo(QPointF(size * 0.78, size * 0.12), QPointF(size * 0.9, size * 0.18));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(120, 90, 50), std::max(1.0, size / 12.0)));
  painter.drawPath(fuse);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 210, 40));
  painter.drawEllipse(QPointF(size * 0.9, size * 0.16), size * 0.1, size * 0.1);
  return canvas.Done();
}

QPixmap FireRingsPicture(int size) {
  Canvas canvas(size);
  DrawRings(canvas.Painter(), size, QColor(220, 30, 20), QColor(255, 215, 0));
  return canvas.Done();
}

QPixmap BlueRingsPicture(int size) {
  Canvas canvas(size);
  DrawRings(canvas.Painter(), size, QColor(20, 60, 210), QColor(110, 170, 255));
  return canvas.Done();
}

}  // namespace fl3
