#pragma once
#include <QPushButton>

namespace fl3 {

// The small button beside a key list: clicked, it waits for the next key
// pressed and reports its key code; Escape, a click elsewhere or leaving the
// window gives up waiting.
class KeyCaptureButton : public QPushButton {
  Q_OBJECT

 public:
  explicit KeyCaptureButton(QWidget* parent);

  bool Waiting() const { return waiting_; }

 signals:
  void keyCaptured(int code);

 protected:
  bool event(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void StartWaiting();
  void StopWaiting();

  bool waiting_ = false;
};

}  // namespace fl3
