#include "media/KeyEventKeyboard.h"

#include <QKeyEvent>

#include "media/KeyTranslation.h"

namespace fl3 {

int ScanCodeOfKeyEvent(const QKeyEvent& event, bool nativeKeycodes) {
  if (nativeKeycodes) {
    const int code = ScanCodeFromX11Keycode(event.nativeScanCode());
    if (code != 0) return code;
  }
  return ScanCodeFromQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

KeyEventKeyboard::KeyEventKeyboard(QObject& window, bool nativeKeycodes)
    : window_(&window), nativeKeycodes_(nativeKeycodes) {
  window.installEventFilter(this);
}

KeyEventKeyboard::~KeyEventKeyboard() {
  if (window_) window_->removeEventFilter(this);
}

void KeyEventKeyboard::ReadKeyboard(KeyState& keys) {
  keys = held_;
  taps_.AddTo(keys);
}

bool KeyEventKeyboard::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (key.isAutoRepeat()) break;
      const int code = ScanCodeOfKeyEvent(key, nativeKeycodes_);
      if (code == 0) break;
      const bool press = event->type() == QEvent::KeyPress;
      held_[static_cast<std::size_t>(code)] = press ? 0x80 : 0;
      if (press) taps_.Pressed(code);
      break;
    }
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
      held_.fill(0);
      taps_.Forget();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace fl3
