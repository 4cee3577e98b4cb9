#pragma once
#include <QDialog>

#include "ui/quest/QuestScreens.h"

class QLabel;
class QPushButton;

namespace fl3 {

class GamepadSource;

// After a stage: won, lost or a draw, the game time and the players' kills,
// and what comes next. Enter (or a pad's first button) goes on; Escape does not.
class StageResultWindow : public QDialog {
  Q_OBJECT

 public:
  StageResultWindow(const StageResultInfo& result, GamepadSource* pads, QWidget* parent = nullptr);

  QLabel* labelVerdict() const { return verdict_; }
  QLabel* labelNext() const { return next_; }

 private:
  QLabel* verdict_ = nullptr;
  QLabel* next_ = nullptr;
};

}  // namespace fl3
