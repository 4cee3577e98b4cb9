#pragma once
#include <QGroupBox>
#include <array>

#include "core/GameState.h"

class QComboBox;

namespace fl3 {

class GamepadSource;

// The options window's group where each player picks "Keyboard only" or one
// of the pads plugged in, by its name. A pad chosen earlier but not plugged
// in now stays listed, so the choice is not lost. Choices reach the shared
// state at once; the window saves them with everything else.
class OptionsPadFrame : public QGroupBox {
  Q_OBJECT

 public:
  static constexpr int kHeight = 69;

  // pads may be null: no pad support, only "Keyboard only" is offered.
  OptionsPadFrame(GameState& state, GamepadSource* pads, QWidget* parent);

  // Lists the pads plugged in now and shows each player's choice.
  void ShowPads();

 private:
  void OnChosen(int player, int index);

  GameState& state_;
  GamepadSource* pads_;
  std::array<QComboBox*, FigureCount> lists_{};
};

}  // namespace fl3
