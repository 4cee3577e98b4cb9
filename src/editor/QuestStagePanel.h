#pragma once
#include <QGroupBox>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editor/questmodel/QuestDraft.h"
#include "quest/QuestFile.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace fl3 {

class GameFolder;
class QuestSeatColumn;
class StartCharacterSheet;

// The chosen stage of the quest editor: its level with a small picture drawn
// from the level itself, the rule with its time and kill goal, the players'
// lives, the three opponent seats and the briefing with the characters left.
// What stops the stage from being played is shown in red under the picture.
class QuestStagePanel : public QGroupBox {
  Q_OBJECT

 public:
  static constexpr int kWidth = 307, kHeight = 330;
  static constexpr int kPictureCell = 6;

  using StageChange = std::function<void(const std::function<void(StageDraft&)>&)>;

  QuestStagePanel(const GameFolder& folder, const StartCharacterSheet& sheet, StageChange change, QWidget* parent);

  // Shows the stage (number from 0 of `count`) and the level list, without
  // reporting changes back.
  void Show(const StageDraft& stage, int number, int count, const std::vector<std::string>& levelNames,
            const std::vector<std::string>& refusals);

  QComboBox* listLevel() const { return level_; }
  QLabel* picLevel() const { return picture_; }
  QLabel* labelProblem() const { return problem_; }
  QComboBox* listRule() const { return rule_; }
  QLineEdit* txtboxTime() const { return time_; }
  QSpinBox* spinKills() const { return kills_; }
  QSpinBox* spinLives() const { return lives_; }
  QuestSeatColumn* seat(int i) const { return seats_.at(static_cast<std::size_t>(i)); }
  QLineEdit* txtboxBriefing() const { return briefing_; }
  QLabel* labelBriefingLeft() const { return briefingLeft_; }

 private:
  void BuildRuleControls();
  void Change(const std::function<void(StageDraft&)>& change);
  void ShowLevel(const StageDraft& stage, const std::vector<std::string>& levelNames);

  const GameFolder& folder_;
  StageChange change_;
  bool showing_ = false;
  std::string shownLevel_;
  QComboBox* level_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* problem_ = nullptr;
  QComboBox* rule_ = nullptr;
  QLineEdit* time_ = nullptr;
  QSpinBox* kills_ = nullptr;
  QSpinBox* lives_ = nullptr;
  std::array<QuestSeatColumn*, kOpponentSeats> seats_{};
  QLineEdit* briefing_ = nullptr;
  QLabel* briefingLeft_ = nullptr;
};

}  // namespace fl3
