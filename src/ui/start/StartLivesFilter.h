#pragma once
#include <QObject>

namespace fl3 {

// Lets only the digits 0 to 9 and Backspace reach a lives entry; every other
// typed character is dropped. Keys without a character (arrows, Delete) and
// shortcuts pass, and pasted text is held to digits by the entry's validator.
class StartLivesFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace fl3
