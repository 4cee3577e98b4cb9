#include "ui/start/StartTitlePicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include "core/GameFolder.h"
#include "media/PictureFile.h"

namespace fl3 {
namespace {

QPixmap DrawnTitle() {
  QPixmap picture(kTitleWidth, kTitleHeight);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient sky(0, 0, 0, kTitleHeight);
  sky.setColorAt(0.0, QColor(20, 10, 40));
  sky.setColorAt(1.0, QColor(120, 30, 10));
  painter.fillRect(picture.rect(), sky);

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(40);
  font.setBold(true);
  QPainterPath text;
  text.addText(0, 0, font, QStringLiteral("FUSELARK3"));
  const QRectF bounds = text.boundingRect();
  text.translate((kTitleWidth - bounds.width()) / 2 - bounds.left(), 46 - bounds.center().y());

  QLinearGradient flame(0, 20, 0, 70);
  flame.setColorAt(0.0, QColor(255, 240, 120));
  flame.setColorAt(1.0, QColor(255, 90, 0));
  painter.setPen(QPen(QColor(60, 0, 0), 3));
  painter.setBrush(flame);
  painter.drawPath(text);

  QFont small(QStringLiteral("DejaVu Sans"));
  small.setPixelSize(12);
  painter.setFont(small);
  painter.setPen(QColor(255, 220, 180));
  painter.drawText(QRect(0, 80, kTitleWidth, 20), Qt::AlignCenter, QStringLiteral("bombs, fire and friends"));
  return picture;
}

}  // namespace

QPixmap StartTitlePicture(const GameFolder& folder) {
  if (const auto path = folder.Find("TITLE.BMP")) {
    const QPixmap picture = QPixmap::fromImage(ReadPicture(*path, "BMP").image);
    if (picture.size() == QSize(kTitleWidth, kTitleHeight)) return picture;
    if (!picture.isNull()) return picture.scaled(kTitleWidth, kTitleHeight);
  }
  return DrawnTitle();
}

}  // namespace fl3
