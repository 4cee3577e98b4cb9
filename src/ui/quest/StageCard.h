#pragma once
#include <QDialog>

#include "ui/quest/QuestScreens.h"

class QLabel;
class QLayout;

namespace fl3 {

class GameFolder;
class GamepadSource;
class StartCharacterSheet;

// Shown before each stage: stage n of N and its rule, the level's picture,
// the briefing, the opponents with their portraits and strengths, and the
// tries left. Enter, a pad's first button or a click begins; Escape does not.
class StageCard : public QDialog {
  Q_OBJECT

 public:
  StageCard(const StageCardInfo& card, const GameFolder& folder, const StartCharacterSheet& sheet,
            GamepadSource* pads, QWidget* parent = nullptr);

  QLabel* labelStage() const { return stage_; }
  QLabel* labelBriefing() const { return briefing_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QLayout* Opponents(const StageCardInfo& card, const StartCharacterSheet& sheet);

  QLabel* stage_ = nullptr;
  QLabel* briefing_ = nullptr;
};

}  // namespace fl3
