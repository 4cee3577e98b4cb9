#include "ui/start/StartLivesFilter.h"

#include <QKeyEvent>

namespace fl3 {
namespace {

bool IsDroppedCharacter(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backspace) return false;
  const QString text = key.text();
  if (text.isEmpty()) return false;
  for (const QChar c : text) {
    if (!c.isPrint()) return false;  // Ctrl shortcuts such as copy and select all
  }
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return true;
  }
  return false;
}

}  // namespace

bool StartLivesFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && IsDroppedCharacter(*static_cast<QKeyEvent*>(event))) return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace fl3
