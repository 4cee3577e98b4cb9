#pragma once
#include <QGroupBox>
#include <QTimer>
#include <array>
#include <vector>

#include "core/GameState.h"
#include "core/PadChoices.h"

class QComboBox;

namespace fl3 {

class GamepadSource;

// The options window's group where each player picks "Keyboard only" or one
// of the pads plugged in, by its name. A pad chosen earlier but not plugged
// in now stays listed, so the choice is not lost. Choices reach the shared
// state at once; the window saves them with everything else. While shown it
// looks for pads plugged in or out every second.
class OptionsPadFrame : public QGroupBox {
  Q_OBJECT

 public:
  static constexpr int kWidth = 225;
  static constexpr int kHeight = 245;
  static constexpr int kLookForPadsMs = 1000;

  // pads may be null: no pad support, only "Keyboard only" is offered.
  OptionsPadFrame(GameState& state, GamepadSource* pads, QWidget* parent);

  // Lists the pads plugged in now and shows each player's choice.
  void ShowPads();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void OnChosen(int player, int index);
  void LookForPads();

  GameState& state_;
  GamepadSource* pads_;
  std::array<QComboBox*, FigureCount> lists_{};
  std::vector<PadIdentity> shown_;
  QTimer lookForPads_;
};

}  // namespace fl3
