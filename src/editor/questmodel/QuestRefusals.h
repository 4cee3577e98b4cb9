#pragma once
#include <string>
#include <vector>

#include "editor/questmodel/QuestDraft.h"
#include "quest/QuestFile.h"

namespace fl3 {

// Why the stage cannot be played as it stands: its level (missing, or with
// fewer start cells on the field than it has figures), a rule without its
// time, no opponent. Empty when it can.
std::vector<std::string> StageRefusals(const StageDraft& stage, const QuestLevels& levels);

// Every reason the quest cannot be saved, each stage's reasons led by
// "Stage n: ".
std::vector<std::string> QuestRefusals(const QuestDraft& quest, const QuestLevels& levels);

}  // namespace fl3
