#pragma once
#include <QWidget>
#include <functional>

#include "editor/questmodel/QuestDraft.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;

namespace fl3 {

class StartCharacterSheet;

// One opponent's seat of a stage, laid out like a figure's column on the
// start screen: its portrait with the arrows that choose it, its controller
// (CPU or OFF), its strength (a button that goes Easy, Normal, Hard) and its
// lives.
class QuestSeatColumn : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 95, kHeight = 96;

  // `changed` is called with the seat as the player left it.
  QuestSeatColumn(int seat, const StartCharacterSheet& sheet, std::function<void(const OpponentSeat&)> changed,
                  QWidget* parent);

  // Shows the seat without calling `changed`.
  void Show(const OpponentSeat& seat);

  QPushButton* buttonSeat() const { return controller_; }
  QPushButton* buttonStrength() const { return strength_; }
  QSpinBox* spinLives() const { return lives_; }
  QScrollBar* scrollChar() const { return character_; }
  QLabel* picChar() const { return portrait_; }

 private:
  void Changed();
  void ShowPortrait();

  const StartCharacterSheet& sheet_;
  std::function<void(const OpponentSeat&)> changed_;
  OpponentSeat seat_;
  bool showing_ = false;
  QLabel* portrait_ = nullptr;
  QScrollBar* character_ = nullptr;
  QPushButton* controller_ = nullptr;
  QPushButton* strength_ = nullptr;
  QSpinBox* lives_ = nullptr;
};

}  // namespace fl3
