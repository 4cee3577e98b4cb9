#include "quest/QuestList.h"

#include <algorithm>

#include "core/GameFolder.h"
#include "quest/QuestFile.h"

namespace fl3 {

std::vector<QuestListEntry> ListQuests(const GameFolder& folder) {
  std::vector<std::string> names = folder.List(kQuestFilePattern);
  std::stable_partition(names.begin(), names.end(),
                        [](const std::string& name) { return EqualsIgnoringCase(name, kCampaignFileName); });
  std::vector<QuestListEntry> entries;
  for (const std::string& name : names) {
    QuestListEntry entry{name, {}, {}, {}};
    if (const IoResult read = ReadQuestFileKeepingStages(folder, name, entry.quest, entry.passedOver); !read) {
      entry.refusal = read.reason;
    } else if (entry.passedOver.size() == entry.quest.stages.size()) {
      entry.refusal = name + " (quest \"" + entry.quest.name + "\"): no stage can be played; stage 1: " +
                      entry.passedOver.front().reason;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace fl3
