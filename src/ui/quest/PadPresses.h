#pragma once
#include <QObject>
#include <QTimer>
#include <array>

namespace fl3 {

class GamepadSource;

// Tells when any player presses a pad's first button (the one that plants),
// for windows between matches that a pad may wave on. Null pads: never.
class PadPresses : public QObject {
  Q_OBJECT

 public:
  PadPresses(GamepadSource* pads, QObject* parent);

 signals:
  void pressed();

 private:
  void Poll();

  GamepadSource* pads_;
  QTimer timer_;
  std::array<bool, 4> held_{true, true, true, true};  // a button held on arrival is no press
};

}  // namespace fl3
