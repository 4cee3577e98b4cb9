#pragma once
#include <QObject>
#include <QPoint>
#include <array>

#include "core/GameState.h"
#include "ui/options/OptionsKeySlots.h"

class QComboBox;
class QDialog;
class QPushButton;

namespace fl3 {

class GamepadSource;
class KeyTestWindow;
class OptionsPadFrame;

// The options window's ways of setting up input besides the key lists: a
// small button beside each key list that takes the next key pressed
// ("buttonSetKey1_0".."buttonSetKey4_4"), the key test ("buttonKeyTest") in
// the row of the buttons that leave the window, and the gamepad group at the
// place given.
class OptionsInputControls : public QObject {
  Q_OBJECT

 public:
  using KeyLists = std::array<std::array<QComboBox*, KeySlotCount>, FigureCount>;

  OptionsInputControls(QDialog& window, GameState& state, GamepadSource* pads, const KeyLists& keyLists,
                       QPoint padFrameAt);

  void ShowPads();

 private:
  void AddCaptureButton(QComboBox* list, int player, int slot);
  void OpenKeyTest();

  QDialog& window_;
  GameState& state_;
  QPushButton* buttonKeyTest_ = nullptr;
  OptionsPadFrame* padFrame_ = nullptr;
  KeyTestWindow* keyTest_ = nullptr;
};

}  // namespace fl3
