#include "media/Keyboard.h"

#include <QGuiApplication>

#include "media/KeyEventKeyboard.h"
#include "media/X11Keyboard.h"

namespace fl3 {
namespace {

bool NativeKeycodesAreX11() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

}  // namespace

std::unique_ptr<KeyboardSource> InitKeyboard(QObject& window) {
  if (auto whole = X11Keyboard::Open()) return whole;
  return std::make_unique<KeyEventKeyboard>(window, NativeKeycodesAreX11());
}

int ScanCodeOfKeyEvent(const QKeyEvent& event) { return ScanCodeOfKeyEvent(event, NativeKeycodesAreX11()); }

}  // namespace fl3
