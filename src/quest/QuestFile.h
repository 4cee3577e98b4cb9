#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/IoResult.h"
#include "core/LevelFile.h"
#include "quest/Quest.h"

namespace fl3 {

class GameFolder;

inline constexpr std::int32_t kQuestFormat = 1;
inline constexpr const char* kQuestFilePattern = "*.FLQ";
// No quest file is larger; the reader takes in no more.
inline constexpr std::size_t kMaxQuestFileBytes = 256 * 1024;

// The level of that name, or nothing when there is no such level (or it
// cannot be read).
using QuestLevels = std::function<std::optional<LevelData>(const std::string& name)>;
// The levels of a game folder, read as the start screen reads them.
QuestLevels LevelsOf(const GameFolder& folder);

// A quest as the text of its file: UTF-8 JSON, keys in a fixed order.
std::string WriteQuestText(const Quest& quest);

// The strict reader: an unknown or repeated key, a wrong type, a number out
// of range, a missing level or one without the start cells the stage needs,
// and a rule without its time are refused with a reason naming the file, the
// quest, the stage and the value. `quest` changes only on success.
IoResult ReadQuestText(std::string_view text, const std::string& fileName, const QuestLevels& levels, Quest& quest);

// Whether a quest made in memory is one the reader takes, with the reader's
// reason if not.
IoResult CheckQuest(const Quest& quest, const std::string& fileName, const QuestLevels& levels);

// The player whose start cell the stage needs and the level lacks (1..4), or
// nothing. Seats 1 and 2 may hold players, the opponents follow them.
std::optional<int> MissingStartCell(const QuestStage& stage, const LevelData& level);

IoResult ReadQuestFile(const GameFolder& folder, const std::string& fileName, Quest& quest);
// Written as a temporary file and renamed, in the player's folder.
IoResult WriteQuestFile(const GameFolder& folder, const std::string& fileName, const Quest& quest);

}  // namespace fl3
