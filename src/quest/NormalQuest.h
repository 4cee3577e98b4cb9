#pragma once
#include <string>
#include <vector>

#include "core/LevelFile.h"
#include "quest/Quest.h"

namespace fl3 {

inline constexpr int kNormalQuestStages = 8;

// One stage's level for a Normal Quest: its name and what it holds.
struct NormalQuestLevel {
  std::string name;
  LevelData level;
};

// The quest "Start Normal Quest" makes on the spot: eight stages, one level
// each (the same level throughout, or a different one each stage for
// "~Random"), from one Easy opponent to three Hard ones with the rules taking
// turns. Opponents beyond the start cells a level has stay out (the first
// always plays). `title` names where it is played: a level, "random levels".
Quest MakeNormalQuest(const std::string& title, const std::vector<NormalQuestLevel>& levels);

}  // namespace fl3
