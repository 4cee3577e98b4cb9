#pragma once
#include <filesystem>
#include <string>

#include "quest/QuestFile.h"

namespace fl3 {

class GameFolder;
class QuestEditorModel;

// Sharing a quest with a friend: the quest file and every level it uses,
// together in one folder.

// Writes the quest being edited as `name` (".FLQ" added as by Save As) and
// a copy of each of its levels into `target`. A quest that cannot be played
// is refused as by Save As; files of those names already in the folder are
// written over only after one question naming them. True when all was written.
bool ExportQuest(QuestEditorModel& editor, const GameFolder& folder, const QuestLevels& levels, std::string& name,
                 const std::filesystem::path& target);

// Reads the quest file `questFile` back (after the question about unsaved
// changes): the levels beside it are copied into the player's folder, a
// level whose name is taken by a different level under a new name that its
// stages then use. The quest opens changed, under its file's name (`name`),
// for Save As to keep. True when it was read.
bool ImportQuest(QuestEditorModel& editor, const GameFolder& folder, const std::filesystem::path& questFile,
                 std::string& name);

}  // namespace fl3
