#include "quest/Quest.h"

namespace fl3 {

std::string RuleName(StageRule rule) {
  switch (rule) {
    case StageRule::DefeatAll: return "Defeat them all";
    case StageRule::MostKills: return "Most kills";
    case StageRule::Outlast: return "Outlast";
  }
  return {};
}

std::string StrengthName(CpuStrength strength) {
  switch (strength) {
    case CpuStrength::Easy: return "Easy";
    case CpuStrength::Normal: return "Normal";
    case CpuStrength::Hard: return "Hard";
  }
  return {};
}

std::string RuleInWords(const QuestStage& stage) {
  const std::string seconds = std::to_string(stage.seconds) + " seconds";
  switch (stage.rule) {
    case StageRule::DefeatAll: return "Defeat them all: every opponent out while one of you still stands.";
    case StageRule::MostKills:
      if (stage.kills > 0) return "Most kills: score " + std::to_string(stage.kills) + " kills within " + seconds + ".";
      return "Most kills: after " + seconds + ", more kills than every opponent.";
    case StageRule::Outlast: return "Outlast: after " + seconds + ", more lives left than every opponent.";
  }
  return {};
}

std::string StageOccasion(const Quest& quest, int stage, const std::string& outcome, std::size_t maxBytes) {
  const std::string where = ", stage " + std::to_string(stage + 1) + " of " + std::to_string(quest.stages.size()) +
                            (outcome.empty() ? "" : ": " + outcome);
  std::string name = quest.name;
  const std::size_t room = maxBytes > where.size() ? maxBytes - where.size() : 0;
  if (name.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;  // whole characters only
    name.resize(cut);
  }
  return (name + where).substr(0, maxBytes);
}

}  // namespace fl3
