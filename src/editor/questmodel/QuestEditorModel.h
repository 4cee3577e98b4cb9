#pragma once
#include <functional>
#include <string>

#include "editor/questmodel/QuestDraft.h"

namespace fl3 {

class Messages;

// What the quest editor holds: the quest being made, the stage chosen in its
// list, and whether anything changed since it was opened or saved. Each
// change marks the quest changed only when it changes something.
class QuestEditorModel {
 public:
  // A fresh quest of one stage on `firstLevel`, unchanged.
  QuestEditorModel(Messages& messages, const std::string& firstLevel);

  bool Changed = false;

  const QuestDraft& Draft() const { return draft_; }
  Quest ToQuest() const { return QuestOf(draft_); }
  // After Open or Import: the first stage chosen. Changed is the caller's.
  void Load(const Quest& quest);

  // Texts are kept to one line and the quest's limits.
  void SetName(const std::string& name);
  void SetAbout(const std::string& about);
  void SetTries(std::int32_t tries);

  int Chosen() const { return chosen_; }
  void Choose(int stage);
  const StageDraft& ChosenStage() const { return draft_.stages[static_cast<std::size_t>(chosen_)]; }
  void ChangeChosenStage(const std::function<void(StageDraft&)>& change);

  // The stage list: a new stage or a copy of the chosen one goes right
  // after it and is chosen; the chosen stage moves or goes. A quest keeps
  // 1 to 40 stages, so each is refused (false) at those ends.
  bool AddStage();
  bool DuplicateStage();
  bool DeleteStage();
  bool MoveStageUp();
  bool MoveStageDown();
  bool CanAdd() const;
  bool CanDelete() const { return draft_.stages.size() > quest_limits::kMinStages; }
  bool CanMoveUp() const { return chosen_ > 0; }
  bool CanMoveDown() const { return chosen_ + 1 < static_cast<int>(draft_.stages.size()); }

  Messages& MessageBoxes() { return messages_; }

 private:
  void Insert(StageDraft stage);
  void Swap(int with);
  template <typename Value>
  void Set(Value& field, const Value& value);

  Messages& messages_;
  QuestDraft draft_;
  int chosen_ = 0;
};

}  // namespace fl3
