#pragma once
#include <string>
#include <vector>

#include "quest/Quest.h"
#include "quest/QuestStageCheck.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kCampaignFileName = "CAMPAIGN.FLQ";

// One quest file of the game folder, read, or refused with the reader's
// reason. A stage whose level has gone since is passed over; a quest with no
// stage left to play is refused.
struct QuestListEntry {
  std::string fileName;
  Quest quest;
  std::string refusal;  // empty when the quest can be played
  std::vector<UnplayableStage> passedOver{};
};

// Every quest file of the game folder: the shipped campaign first, then the
// others in the order of the level lists.
std::vector<QuestListEntry> ListQuests(const GameFolder& folder);

}  // namespace fl3
