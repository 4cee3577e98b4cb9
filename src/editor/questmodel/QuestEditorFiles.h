#pragma once
#include <string>
#include <vector>

#include "quest/QuestFile.h"

namespace fl3 {

class GameFolder;
class QuestEditorModel;

inline constexpr const char* kQuestExtension = ".FLQ";

// The names of the folder's quest files, as the name field lists them.
std::vector<std::string> QuestFileNames(const GameFolder& folder);

// Whether a quest of that name comes with the game: it is never written over.
bool IsShippedQuest(const GameFolder& folder, const std::string& name);

// Open, as the level editor's: nothing for an empty name, a missing file
// told before any question about unsaved changes. A quest whose level has
// gone opens all the same (its stage is marked where it is shown); one the
// reader refuses otherwise is told and leaves the editor as it was. True
// when a quest was loaded.
bool OpenQuest(QuestEditorModel& editor, const GameFolder& folder, const std::string& name);

// Save As: adds ".FLQ" to `name` (the name field) unless it ends so in any
// letter case. A quest that cannot be played is refused with every reason,
// each naming its stage, and so is a shipped quest's name; only then is
// writing over a file asked. Written as a temporary file and renamed, in the
// player's folder. True when it was written.
bool SaveQuestAs(QuestEditorModel& editor, const GameFolder& folder, const QuestLevels& levels, std::string& name);

// What Save As and Export check before they write: `name` (".FLQ" added)
// must be a bare file name and the quest playable; a refusal is told, led
// by `texts.notDone`, with every reason. True when writing may go on.
struct WritingTexts {
  const char* failed;       // "The quest could not be saved."
  const char* failedTitle;  // "Save failed!"
  const char* notDone;      // "Nothing was saved: ..."
};
bool ReadyToWrite(QuestEditorModel& editor, const QuestLevels& levels, std::string& name, const WritingTexts& texts);

// Exit: asks about unsaved changes; false when the player chose to stay.
bool ExitQuestEditor(QuestEditorModel& editor);

}  // namespace fl3
