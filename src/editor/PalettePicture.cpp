#include "editor/PalettePicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace fl3 {

PalettePicture::PalettePicture(const QPixmap& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setFixedSize(picture.size());
}

void PalettePicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

void PalettePicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace fl3
