#pragma once
#include "ui/quest/QuestScreens.h"
#include "ui/start/StartCharacterSheet.h"

class QWidget;

namespace fl3 {

class GameFolder;
class GamepadSource;

// The quest's windows as the game shows them, modal over the start screen.
class QtQuestScreens : public QuestScreens {
 public:
  QtQuestScreens(const GameFolder& folder, GamepadSource* pads, QWidget* parent);

  std::optional<QuestChoice> Choose(const std::vector<QuestChoiceEntry>& quests) override;
  bool ShowCard(const StageCardInfo& card) override;
  bool ShowResult(const StageResultInfo& result) override;
  void ShowSummary(const QuestSummaryInfo& summary) override;

 private:
  const GameFolder& folder_;
  GamepadSource* pads_;
  QWidget* parent_;
  StartCharacterSheet sheet_;
};

}  // namespace fl3
