#include "media/X11Keyboard.h"

#include <QGuiApplication>
// Qt's headers come first: Xlib defines macros that clash with them.
#include <X11/Xlib.h>

#include "media/KeyTranslation.h"

namespace fl3 {

std::unique_ptr<X11Keyboard> X11Keyboard::Open() {
  auto* application = qGuiApp;
  if (application == nullptr) return nullptr;
  auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->display() == nullptr) return nullptr;
  return std::unique_ptr<X11Keyboard>(new X11Keyboard(x11->display()));
}

void X11Keyboard::ReadKeyboard(KeyState& keys) {
  char held[32] = {};
  XQueryKeymap(display_, held);
  keys.fill(0);
  for (unsigned keycode = 0; keycode < 256; ++keycode) {
    if ((static_cast<unsigned char>(held[keycode / 8]) >> (keycode % 8) & 1u) == 0) continue;
    const int code = ScanCodeFromX11Keycode(keycode);
    if (code != 0) keys[static_cast<std::size_t>(code)] = 0x80;
  }
}

}  // namespace fl3
