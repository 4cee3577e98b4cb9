#pragma once
#include <string>
#include <vector>

#include "quest/Quest.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kCampaignFileName = "CAMPAIGN.FLQ";

// One quest file of the game folder, read, or refused with the reader's reason.
struct QuestListEntry {
  std::string fileName;
  Quest quest;
  std::string refusal;  // empty when the quest can be played
};

// Every quest file of the game folder: the shipped campaign first, then the
// others in the order of the level lists.
std::vector<QuestListEntry> ListQuests(const GameFolder& folder);

}  // namespace fl3
