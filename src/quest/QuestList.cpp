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
    QuestListEntry entry{name, {}, {}};
    if (const IoResult read = ReadQuestFile(folder, name, entry.quest); !read) entry.refusal = read.reason;
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace fl3
