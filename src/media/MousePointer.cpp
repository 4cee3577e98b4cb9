#include "media/MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace fl3 {
namespace {

bool BlankOnTop() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::BlankCursor;
}

}  // namespace

// The blank override cursors stacked on top play the part of the system's
// show/hide counter: hiding makes sure one is on top, showing takes off all
// of them, so earlier calls never leave the pointer in the wrong state.
void ShowMouse(bool show) {
  if (qGuiApp == nullptr) return;
  if (show) {
    while (BlankOnTop()) QGuiApplication::restoreOverrideCursor();
  } else if (!BlankOnTop()) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  }
}

}  // namespace fl3
