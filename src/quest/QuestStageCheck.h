#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/IoResult.h"
#include "quest/QuestFile.h"

namespace fl3 {

class GameFolder;

// A stage that cannot be played as the game folder stands, and why.
struct UnplayableStage {
  int stage = 0;  // from 0
  std::string reason;
  friend bool operator==(const UnplayableStage&, const UnplayableStage&) = default;
};

// Why the stage's level cannot serve it: missing, unreadable, or without
// the start cells its figures need. Nothing when it can.
std::optional<std::string> LevelProblem(const QuestStage& stage, const QuestLevels& levels);

// The quest's stages whose level cannot serve them.
std::vector<UnplayableStage> StagesWithoutTheirLevel(const Quest& quest, const QuestLevels& levels);

// The strict reader in every respect but the levels: a quest whose level was
// deleted or changed since it was written is kept, and such stages are
// listed instead of refusing the whole quest. `quest` and `unplayable`
// change only on success.
IoResult ReadQuestTextKeepingStages(std::string_view text, const std::string& fileName, const QuestLevels& levels,
                                    Quest& quest, std::vector<UnplayableStage>& unplayable);
IoResult ReadQuestFileKeepingStages(const GameFolder& folder, const std::string& fileName, Quest& quest,
                                    std::vector<UnplayableStage>& unplayable);

}  // namespace fl3
