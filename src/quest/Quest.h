#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ai/CpuStrength.h"
#include "core/GameState.h"

namespace fl3 {

// How a stage is won; each is one of the three kinds of match, played as
// any other match of that kind.
enum class StageRule : std::int32_t {
  DefeatAll = MatchNormal,   // every opponent out while a player figure stands
  MostKills = MatchMostKills,  // for the stage's time: more kills than every opponent, or its kills
  Outlast = MatchMostLives,  // for the stage's time: more lives left than every opponent
};

struct QuestOpponent {
  CpuStrength strength = CpuStrength::Normal;
  std::int32_t lives = 3;      // Most kills counts kills from 0 instead
  std::int32_t character = 4;  // row of the character sheet
  friend bool operator==(const QuestOpponent&, const QuestOpponent&) = default;
};

struct QuestStage {
  std::string level;  // a level file of the game folder, by name
  StageRule rule = StageRule::DefeatAll;
  std::int32_t lives = 3;    // each player's; Most kills counts kills from 0 instead
  std::int32_t seconds = 0;  // Most kills and Outlast only
  std::int32_t kills = 0;    // Most kills only: 0 = more than every opponent
  std::string briefing;      // one line
  std::vector<QuestOpponent> opponents;
  friend bool operator==(const QuestStage&, const QuestStage&) = default;
};

struct Quest {
  std::string name;
  std::string about;  // one paragraph
  std::int32_t tries = 3;
  std::vector<QuestStage> stages;
  friend bool operator==(const Quest&, const Quest&) = default;
};

// What a quest file may hold; the reader refuses anything outside.
namespace quest_limits {
inline constexpr std::size_t kNameCharacters = 60;
inline constexpr std::size_t kAboutCharacters = 400;
inline constexpr std::size_t kBriefingCharacters = 200;
inline constexpr std::int32_t kMinTries = 1, kMaxTries = 9;
inline constexpr std::size_t kMinStages = 1, kMaxStages = 40;
inline constexpr std::size_t kMinOpponents = 1, kMaxOpponents = 3;
inline constexpr std::int32_t kMinLives = 1, kMaxLives = 99;
inline constexpr std::int32_t kMinSeconds = 10, kMaxSeconds = 999;
inline constexpr std::int32_t kMaxKills = 99;
inline constexpr std::int32_t kMaxCharacter = 63;
}  // namespace quest_limits

inline bool RuleHasTime(StageRule rule) { return rule != StageRule::DefeatAll; }

// The stage's rule as the stage card says it, and its short name.
std::string RuleInWords(const QuestStage& stage);
std::string RuleName(StageRule rule);
std::string StrengthName(CpuStrength strength);
// How a stage's replay names its occasion: the quest, the stage and how it
// went ("won"; empty while undecided), in at most `maxBytes` bytes.
std::string StageOccasion(const Quest& quest, int stage, const std::string& outcome, std::size_t maxBytes);

}  // namespace fl3
