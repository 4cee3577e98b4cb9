#pragma once
#include <array>

#include <QGroupBox>

#include "core/GameState.h"

class QRadioButton;

namespace fl3 {

// The computer players' strength in the options window: "Easy", "Normal",
// "Hard". A choice reaches the shared state at once, like the keys do.
// Object names: "FrameCpu", "optionCpu0".."optionCpu2".
class OptionsCpuGroup : public QGroupBox {
  Q_OBJECT

 public:
  static constexpr int kWidth = 225;
  static constexpr int kHeight = 113;

  OptionsCpuGroup(GameState& state, QWidget* parent);

  void ShowCurrentValue();

 private:
  GameState& state_;
  std::array<QRadioButton*, 3> options_{};
};

}  // namespace fl3
