#include "quest/QuestStageCheck.h"

#include "core/FileAccess.h"
#include "core/GameFolder.h"

namespace fl3 {
namespace {

// Stands in for every level while the rest of a quest is read: one that
// serves any stage.
std::optional<LevelData> AnyLevel(const std::string&) {
  LevelData level;
  for (std::size_t i = 0; i < level.Figures.size(); ++i) level.Figures[i] = {static_cast<std::int32_t>(i), 0, 1, 1};
  return level;
}

}  // namespace

std::optional<std::string> LevelProblem(const QuestStage& stage, const QuestLevels& levels) {
  if (stage.level.empty()) return "no level is chosen";
  const std::optional<LevelData> level = levels ? levels(stage.level) : std::nullopt;
  if (!level) return "the level \"" + stage.level + "\" is not in the game folder or cannot be played";
  if (const std::optional<int> player = MissingStartCell(stage, *level)) {
    return "the level \"" + stage.level + "\" has no start cell on the field for player " + std::to_string(*player) +
           ", whom this stage needs";
  }
  return std::nullopt;
}

std::vector<UnplayableStage> StagesWithoutTheirLevel(const Quest& quest, const QuestLevels& levels) {
  std::vector<UnplayableStage> unplayable;
  for (std::size_t i = 0; i < quest.stages.size(); ++i) {
    if (auto problem = LevelProblem(quest.stages[i], levels)) unplayable.push_back({static_cast<int>(i), *problem});
  }
  return unplayable;
}

IoResult ReadQuestTextKeepingStages(std::string_view text, const std::string& fileName, const QuestLevels& levels,
                                    Quest& quest, std::vector<UnplayableStage>& unplayable) {
  Quest read;
  if (IoResult result = ReadQuestText(text, fileName, AnyLevel, read); !result) return result;
  unplayable = StagesWithoutTheirLevel(read, levels);
  quest = std::move(read);
  return IoResult::Success();
}

IoResult ReadQuestFileKeepingStages(const GameFolder& folder, const std::string& fileName, Quest& quest,
                                    std::vector<UnplayableStage>& unplayable) {
  const auto path = folder.Find(fileName);
  if (!path) return IoResult::Failure(fileName + ": there is no such quest file in " + folder.SearchedFolders());
  std::string text;
  // One byte more than a quest may have, so that a larger file is told as such.
  if (IoResult read = ReadFileStart(*path, kMaxQuestFileBytes + 1, text); !read) return read;
  return ReadQuestTextKeepingStages(text, fileName, LevelsOf(folder), quest, unplayable);
}

}  // namespace fl3
