#pragma once
#include <QObject>
#include <QPointer>

#include "core/KeyState.h"

namespace fl3 {

// The keyboard where the whole keyboard cannot be asked for (Wayland, no
// display): follows the key presses and releases sent to one window, the
// one with the keyboard focus. Auto-repeat is ignored, and losing the focus
// lets go of every key, since the releases would go elsewhere.
class KeyEventKeyboard : public QObject, public KeyboardSource {
 public:
  // nativeKeycodes: the events' native scan codes are X11 keycodes (xcb and
  // Wayland), which tell left and right keys apart; otherwise Qt's key is used.
  KeyEventKeyboard(QObject& window, bool nativeKeycodes);
  ~KeyEventKeyboard() override;

  void ReadKeyboard(KeyState& keys) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QObject> window_;
  bool nativeKeycodes_;
  KeyState held_{};
};

}  // namespace fl3
