#pragma once
#include <string>
#include <vector>

namespace fl3 {

class EditorModel;
class GameFolder;

inline constexpr const char* kLevelExtension = ".FL3";

// The names of the folder's level files, as the name field lists them.
std::vector<std::string> LevelFileNames(const GameFolder& folder);

// Open: nothing for an empty name; a missing file is reported before any
// question about unsaved changes. A file that cannot be read is reported
// and leaves the level as it was. True when a level was loaded.
bool OpenLevel(EditorModel& editor, const GameFolder& folder, const std::string& name);

// Save As: adds ".FL3" to `name` (the name field) unless it already ends so
// in any letter case, asks before overwriting, then writes the level
// atomically. A failed write is reported and keeps FileChanged.
void SaveLevelAs(EditorModel& editor, const GameFolder& folder, std::string& name);

// Exit: asks about unsaved changes, then clears the shared level and shows
// the pointer again. False when the user chose to stay.
bool ExitEditor(EditorModel& editor);

}  // namespace fl3
