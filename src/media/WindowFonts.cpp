#include "media/WindowFonts.h"

#include <QFontMetrics>

namespace fl3 {

QFont WindowFont(int pixelSize) {
  QFont font("DejaVu Sans Condensed");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  return font;
}

QFont FittingFont(QFont font, const QStringList& texts, int width) {
  const auto fits = [&] {
    for (const QString& text : texts) {
      if (QFontMetrics(font).horizontalAdvance(text) > width) return false;
    }
    return true;
  };
  while (font.pixelSize() > 8 && !fits()) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

QFont FittingWrappedFont(QFont font, const QString& text, QSize box) {
  const auto fits = [&] {
    const QRect needed = QFontMetrics(font).boundingRect(QRect(QPoint(), box), Qt::TextWordWrap, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
  };
  while (font.pixelSize() > 8 && !fits()) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

}  // namespace fl3
