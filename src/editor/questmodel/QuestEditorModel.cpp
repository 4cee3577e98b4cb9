#include "editor/questmodel/QuestEditorModel.h"

#include <algorithm>
#include <utility>

namespace fl3 {

QuestEditorModel::QuestEditorModel(Messages& messages, const std::string& firstLevel) : messages_(messages) {
  draft_.stages.push_back(FreshStage(firstLevel));
}

void QuestEditorModel::Load(const Quest& quest) {
  draft_ = DraftOf(quest);
  if (draft_.stages.empty()) draft_.stages.push_back(FreshStage(""));
  chosen_ = 0;
}

template <typename Value>
void QuestEditorModel::Set(Value& field, const Value& value) {
  if (field == value) return;
  field = value;
  Changed = true;
}

void QuestEditorModel::SetName(const std::string& name) { Set(draft_.name, OneLine(name, quest_limits::kNameCharacters)); }

void QuestEditorModel::SetAbout(const std::string& about) {
  Set(draft_.about, OneLine(about, quest_limits::kAboutCharacters));
}

void QuestEditorModel::SetTries(std::int32_t tries) {
  Set(draft_.tries, std::clamp(tries, quest_limits::kMinTries, quest_limits::kMaxTries));
}

void QuestEditorModel::Choose(int stage) {
  chosen_ = std::clamp(stage, 0, static_cast<int>(draft_.stages.size()) - 1);
}

void QuestEditorModel::ChangeChosenStage(const std::function<void(StageDraft&)>& change) {
  StageDraft changed = ChosenStage();
  change(changed);
  changed.stage.briefing = OneLine(changed.stage.briefing, quest_limits::kBriefingCharacters);
  Set(draft_.stages[static_cast<std::size_t>(chosen_)], changed);
}

bool QuestEditorModel::CanAdd() const { return draft_.stages.size() < quest_limits::kMaxStages; }

void QuestEditorModel::Insert(StageDraft stage) {
  draft_.stages.insert(draft_.stages.begin() + chosen_ + 1, std::move(stage));
  ++chosen_;
  Changed = true;
}

bool QuestEditorModel::AddStage() {
  if (!CanAdd()) return false;
  Insert(FreshStage(ChosenStage().stage.level));
  return true;
}

bool QuestEditorModel::DuplicateStage() {
  if (!CanAdd()) return false;
  Insert(ChosenStage());
  return true;
}

bool QuestEditorModel::DeleteStage() {
  if (!CanDelete()) return false;
  draft_.stages.erase(draft_.stages.begin() + chosen_);
  chosen_ = std::min(chosen_, static_cast<int>(draft_.stages.size()) - 1);
  Changed = true;
  return true;
}

void QuestEditorModel::Swap(int with) {
  std::swap(draft_.stages[static_cast<std::size_t>(chosen_)], draft_.stages[static_cast<std::size_t>(with)]);
  chosen_ = with;
  Changed = true;
}

bool QuestEditorModel::MoveStageUp() {
  if (!CanMoveUp()) return false;
  Swap(chosen_ - 1);
  return true;
}

bool QuestEditorModel::MoveStageDown() {
  if (!CanMoveDown()) return false;
  Swap(chosen_ + 1);
  return true;
}

}  // namespace fl3
