#include "media/X11Keyboard.h"

#include <QGuiApplication>
#include <QKeyEvent>
// Qt's headers come first: Xlib defines macros that clash with them.
#include <X11/Xlib.h>
#undef KeyPress  // Qt's event type of that name is meant below

#include "media/KeyEventKeyboard.h"
#include "media/KeyTranslation.h"

namespace fl3 {

std::unique_ptr<X11Keyboard> X11Keyboard::Open() {
  auto* application = qGuiApp;
  if (application == nullptr) return nullptr;
  auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->display() == nullptr) return nullptr;
  return std::unique_ptr<X11Keyboard>(new X11Keyboard(x11->display()));
}

// Every window of the application counts: the X server reports held keys
// whatever has the focus, so taps are taken wherever they land.
X11Keyboard::X11Keyboard(_XDisplay* display) : display_(display) { qGuiApp->installEventFilter(this); }

X11Keyboard::~X11Keyboard() {
  if (qGuiApp != nullptr) qGuiApp->removeEventFilter(this);
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
  taps_.AddTo(keys);
}

bool X11Keyboard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!key.isAutoRepeat()) taps_.Pressed(ScanCodeOfKeyEvent(key, true));
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace fl3
