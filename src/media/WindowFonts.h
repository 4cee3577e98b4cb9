#pragma once
#include <QFont>
#include <QStringList>

namespace fl3 {

// Small and narrow, so the texts fit the small windows' fixed arrangements.
QFont WindowFont(int pixelSize = 11);

// The font made smaller, down to 8 pixels, until every text fits the width.
QFont FittingFont(QFont font, const QStringList& texts, int width);

// The same for a text wrapped into lines: it must fit the box's width and height.
QFont FittingWrappedFont(QFont font, const QString& text, QSize box);

}  // namespace fl3
