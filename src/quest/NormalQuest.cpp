#include "quest/NormalQuest.h"

#include <array>

#include "quest/QuestFile.h"

namespace fl3 {
namespace {

using S = CpuStrength;

struct Rung {
  std::vector<CpuStrength> opponents;
  std::int32_t opponentLives;
};

// From one Easy opponent to three Hard ones.
const std::array<Rung, kNormalQuestStages> kLadder = {{
    {{S::Easy}, 2},
    {{S::Easy, S::Easy}, 2},
    {{S::Normal}, 3},
    {{S::Normal, S::Easy}, 3},
    {{S::Normal, S::Normal}, 3},
    {{S::Hard, S::Normal}, 3},
    {{S::Hard, S::Hard, S::Normal}, 3},
    {{S::Hard, S::Hard, S::Hard}, 3},
}};

constexpr StageRule kRuleTurns[] = {StageRule::DefeatAll, StageRule::MostKills, StageRule::Outlast};
constexpr std::int32_t kPlayerLives = 3;
constexpr std::int32_t kSeconds = 120;
// The cast after the two players' usual pictures.
constexpr std::int32_t kFirstOpponentCharacter = 2;
constexpr std::int32_t kCharacters = 8;

std::string Briefing(const Rung& rung, StageRule rule) {
  const std::size_t count = rung.opponents.size();
  std::string who = count == 1 ? "One " + StrengthName(rung.opponents[0]) + " opponent"
                               : std::to_string(count) + " opponents, the strongest " + StrengthName(rung.opponents[0]);
  const char* what = rule == StageRule::DefeatAll   ? " stands in your way."
                     : rule == StageRule::MostKills ? " counts every hit."
                                                    : " wants to last longer than you.";
  return who + what;
}

}  // namespace

Quest MakeNormalQuest(const std::string& title, const std::vector<NormalQuestLevel>& levels) {
  Quest quest;
  quest.name = "Normal Quest on " + title;
  quest.about = "Eight stages on " + title + ", from one Easy opponent to three Hard ones; the rules take turns.";
  quest.tries = 3;
  if (levels.empty()) return quest;
  for (int i = 0; i < kNormalQuestStages; ++i) {
    const NormalQuestLevel& level = levels[static_cast<std::size_t>(i) % levels.size()];
    const Rung& rung = kLadder[static_cast<std::size_t>(i)];
    QuestStage stage;
    stage.level = level.name;
    stage.rule = kRuleTurns[i % 3];
    stage.lives = kPlayerLives;
    stage.seconds = RuleHasTime(stage.rule) ? kSeconds : 0;
    stage.briefing = Briefing(rung, stage.rule);
    for (const CpuStrength strength : rung.opponents) {
      const auto n = static_cast<std::int32_t>(stage.opponents.size());
      stage.opponents.push_back({strength, rung.opponentLives, (kFirstOpponentCharacter + n + i) % kCharacters});
      // A level without a start cell for the next seat ends the list here.
      if (stage.opponents.size() > 1 && MissingStartCell(stage, level.level)) {
        stage.opponents.pop_back();
        break;
      }
    }
    quest.stages.push_back(stage);
  }
  return quest;
}

}  // namespace fl3
