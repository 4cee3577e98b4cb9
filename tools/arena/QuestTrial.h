#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "ai/CpuStrength.h"
#include "core/LevelFile.h"
#include "quest/Quest.h"

namespace fl3::arena {

struct QuestTrialOptions {
  std::string questName;      // the quest file's name, for the summary
  CpuStrength standIn = CpuStrength::Normal;  // plays each player's seat
  int players = 1;
  long long matches = 0;      // per stage
  std::uint64_t seed = 0;
};

// Finds a stage's level; the quest reader has made sure each one is there.
using TrialLevels = std::function<LevelData(const std::string& name)>;

// Plays every stage of the quest `matches` times with computer players of
// the stand-in's strength in the players' seats, judged as the game judges
// a stage, and sums up each stage's share of wins.
nlohmann::json RunQuestTrial(const Quest& quest, const TrialLevels& levels, const QuestTrialOptions& options);

}  // namespace fl3::arena
