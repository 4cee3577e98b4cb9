#include "media/Keyboard.h"

#include <QGuiApplication>

#include "media/KeyEventKeyboard.h"
#include "media/X11Keyboard.h"

namespace fl3 {

std::unique_ptr<KeyboardSource> InitKeyboard(QObject& window) {
  if (auto whole = X11Keyboard::Open()) return whole;
  const QString platform = QGuiApplication::platformName();
  const bool nativeKeycodes = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
  return std::make_unique<KeyEventKeyboard>(window, nativeKeycodes);
}

}  // namespace fl3
