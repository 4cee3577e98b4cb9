#include "editor/questmodel/QuestRefusals.h"

#include <algorithm>

#include "quest/QuestStageCheck.h"

namespace fl3 {

std::vector<std::string> StageRefusals(const StageDraft& draft, const QuestLevels& levels) {
  std::vector<std::string> reasons;
  const QuestStage stage = StageOf(draft);
  if (stage.opponents.empty()) reasons.push_back("no opponent: \"" + RuleName(stage.rule) + "\" needs at least one");
  if (RuleHasTime(stage.rule) && (stage.seconds < quest_limits::kMinSeconds || stage.seconds > quest_limits::kMaxSeconds)) {
    reasons.push_back("\"" + RuleName(stage.rule) + "\" needs its time: " + std::to_string(quest_limits::kMinSeconds) +
                      " to " + std::to_string(quest_limits::kMaxSeconds) + " seconds");
  }
  if (auto problem = LevelProblem(stage, levels)) reasons.push_back(*problem);
  return reasons;
}

std::vector<std::string> QuestRefusals(const QuestDraft& quest, const QuestLevels& levels) {
  std::vector<std::string> reasons;
  if (std::all_of(quest.name.begin(), quest.name.end(), [](char c) { return c == ' '; })) {
    reasons.push_back("The quest has no name.");
  }
  for (std::size_t i = 0; i < quest.stages.size(); ++i) {
    for (const std::string& reason : StageRefusals(quest.stages[i], levels)) {
      reasons.push_back("Stage " + std::to_string(i + 1) + ": " + reason + ".");
    }
  }
  return reasons;
}

}  // namespace fl3
