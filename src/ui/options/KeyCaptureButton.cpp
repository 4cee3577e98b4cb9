#include "ui/options/KeyCaptureButton.h"

#include <QKeyEvent>

#include "media/Keyboard.h"

namespace fl3 {
namespace {

const char* const kIdleCaption = "...";
const char* const kWaitingCaption = "?";

}  // namespace

KeyCaptureButton::KeyCaptureButton(QWidget* parent) : QPushButton(kIdleCaption, parent) {
  setAutoDefault(false);
  setToolTip("Set this key by pressing it (Escape cancels)");
  connect(this, &QPushButton::clicked, this, [this] { waiting_ ? StopWaiting() : StartWaiting(); });
}

void KeyCaptureButton::StartWaiting() {
  waiting_ = true;
  setText(kWaitingCaption);
  setDown(true);
  setFocus(Qt::OtherFocusReason);
}

void KeyCaptureButton::StopWaiting() {
  waiting_ = false;
  setText(kIdleCaption);
  setDown(false);
}

// Taken before the button's own key handling, so that Tab, Space, Return and
// the arrows are keys to choose rather than moves of the focus or clicks.
bool KeyCaptureButton::event(QEvent* event) {
  if (!waiting_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease &&
                    event->type() != QEvent::ShortcutOverride)) {
    return QPushButton::event(event);
  }
  event->accept();
  if (event->type() != QEvent::KeyPress) return true;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (key.key() == Qt::Key_Escape) {
    StopWaiting();
    return true;
  }
  const int code = ScanCodeOfKeyEvent(key);
  if (code == 0) return true;  // a key without a code: keep waiting
  StopWaiting();
  emit keyCaptured(code);
  return true;
}

void KeyCaptureButton::focusOutEvent(QFocusEvent* event) {
  if (waiting_) StopWaiting();
  QPushButton::focusOutEvent(event);
}

}  // namespace fl3
