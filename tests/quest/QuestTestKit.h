#pragma once
#include <map>
#include <string>

#include "core/LevelFile.h"
#include "quest/QuestFile.h"

namespace fl3::testing {

// A level with start cells for `starts` players, at the field's corners.
inline LevelData LevelWithStarts(int starts) {
  LevelData level;
  level.TileMap.fill(CellNothing);
  level.ItemMap.fill(ItemNone);
  const std::int32_t corners[4][2] = {{1, 1}, {23, 1}, {1, 13}, {23, 13}};
  for (int i = 0; i < 4; ++i) {
    level.Figures[static_cast<std::size_t>(i)] =
        i < starts ? FigureStart{corners[i][0], corners[i][1], 1, 2} : FigureStart{OffMapPos, OffMapPos, 1, 2};
  }
  return level;
}

// GARDEN.FL3 with four start cells and PAIR.FL3 with two.
inline QuestLevels TwoLevels() {
  return [](const std::string& name) -> std::optional<LevelData> {
    if (name == "GARDEN.FL3") return LevelWithStarts(4);
    if (name == "PAIR.FL3") return LevelWithStarts(2);
    return std::nullopt;
  };
}

// A quest written by hand, independent of the writer: every rule, a kill
// goal, one to three opponents and text beyond ASCII.
inline const char* kTrialQuest = R"({
  "format": 1,
  "name": "Trial",
  "about": "Three stages to try the reader.",
  "tries": 2,
  "stages": [
    {"level": "GARDEN.FL3", "rule": "defeat all", "lives": 3, "briefing": "Clear the garden.",
     "opponents": [{"strength": "easy", "lives": 1, "character": 4}]},
    {"level": "GARDEN.FL3", "rule": "most kills", "lives": 2, "seconds": 90, "kills": 5,
     "briefing": "Café fires: five hits.",
     "opponents": [{"strength": "normal", "lives": 2, "character": 5}, {"strength": "hard", "lives": 9, "character": 63}]},
    {"level": "GARDEN.FL3", "rule": "outlast", "lives": 4, "seconds": 120, "briefing": "",
     "opponents": [{"strength": "hard", "lives": 5, "character": 0}]}
  ]
})";

inline Quest TrialQuest() {
  Quest quest{"Trial", "Three stages to try the reader.", 2, {}};
  quest.stages.push_back({"GARDEN.FL3", StageRule::DefeatAll, 3, 0, 0, "Clear the garden.", {{CpuStrength::Easy, 1, 4}}});
  quest.stages.push_back({"GARDEN.FL3", StageRule::MostKills, 2, 90, 5, "Café fires: five hits.",
                          {{CpuStrength::Normal, 2, 5}, {CpuStrength::Hard, 9, 63}}});
  quest.stages.push_back({"GARDEN.FL3", StageRule::Outlast, 4, 120, 0, "", {{CpuStrength::Hard, 5, 0}}});
  return quest;
}

}  // namespace fl3::testing
