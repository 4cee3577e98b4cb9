#pragma once
#include <QObject>
#include <memory>

#include "core/KeyState.h"
#include "core/KeyTaps.h"

struct _XDisplay;

namespace fl3 {

// The whole keyboard asked of the X server at every read: it reports the keys
// held whichever window has the focus, and key repeat plays no part. The key
// presses the application sees in between are added, so that a key tapped
// between two reads is not missed.
class X11Keyboard : public QObject, public KeyboardSource {
 public:
  // Null when the application does not run on X11.
  static std::unique_ptr<X11Keyboard> Open();
  ~X11Keyboard() override;

  void ReadKeyboard(KeyState& keys) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit X11Keyboard(_XDisplay* display);

  _XDisplay* display_;  // the application's connection, owned by Qt
  KeyTaps taps_;
};

}  // namespace fl3
