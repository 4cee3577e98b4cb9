#include "ui/quest/QtQuestScreens.h"

#include "ui/quest/QuestChooser.h"
#include "ui/quest/QuestSummaryWindow.h"
#include "ui/quest/StageCard.h"
#include "ui/quest/StageResultWindow.h"

namespace fl3 {

QtQuestScreens::QtQuestScreens(const GameFolder& folder, GamepadSource* pads, QWidget* parent)
    : folder_(folder), pads_(pads), parent_(parent) {
  sheet_.Load(folder_);
}

std::optional<QuestChoice> QtQuestScreens::Choose(const std::vector<QuestChoiceEntry>& quests) {
  QuestChooser chooser(quests, parent_);
  return chooser.exec() == QDialog::Accepted ? chooser.Choice() : std::nullopt;
}

bool QtQuestScreens::ShowCard(const StageCardInfo& card) {
  StageCard window(card, folder_, sheet_, pads_, parent_);
  return window.exec() == QDialog::Accepted;
}

bool QtQuestScreens::ShowResult(const StageResultInfo& result) {
  StageResultWindow window(result, pads_, parent_);
  return window.exec() == QDialog::Accepted;
}

void QtQuestScreens::ShowSummary(const QuestSummaryInfo& summary) {
  QuestSummaryWindow window(summary, parent_);
  window.exec();
}

}  // namespace fl3
