#pragma once
#include <QObject>
#include <QPointer>

class QKeyEvent;

#include "core/KeyState.h"
#include "core/KeyTaps.h"

namespace fl3 {

// The key code of a key event, 0 for a key without one. nativeKeycodes: the
// event's native scan code is an X11 keycode (xcb and Wayland), which tells
// left and right keys apart; otherwise Qt's key is used.
int ScanCodeOfKeyEvent(const QKeyEvent& event, bool nativeKeycodes);

// The keyboard where the whole keyboard cannot be asked for (Wayland, no
// display): follows the key presses and releases sent to one window, the
// one with the keyboard focus. Auto-repeat is ignored, a key tapped between
// two reads still shows in the next one, and losing the focus lets go of
// every key, since the releases would go elsewhere.
class KeyEventKeyboard : public QObject, public KeyboardSource {
 public:
  // nativeKeycodes as for ScanCodeOfKeyEvent.
  KeyEventKeyboard(QObject& window, bool nativeKeycodes);
  ~KeyEventKeyboard() override;

  void ReadKeyboard(KeyState& keys) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QObject> window_;
  bool nativeKeycodes_;
  KeyState held_{};
  KeyTaps taps_;
};

}  // namespace fl3
