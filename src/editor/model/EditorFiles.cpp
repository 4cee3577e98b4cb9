#include "editor/model/EditorFiles.h"

#include "core/GameFolder.h"
#include "core/GameState.h"
#include "core/LevelFile.h"
#include "core/Messages.h"
#include "editor/model/EditorMessages.h"
#include "editor/model/EditorQuestions.h"
#include "editor/model/EditorModel.h"

namespace fl3 {

std::vector<std::string> LevelFileNames(const GameFolder& folder) {
  return folder.List(std::string("*") + kLevelExtension);
}

bool OpenLevel(EditorModel& editor, const GameFolder& folder, const std::string& name) {
  if (name.empty()) return false;
  Messages& messages = editor.MessageBoxes();
  const auto path = folder.Find(name);
  if (!path) {
    messages.Show(kFileMissingText, kFileNotFoundTitle, MessageIcon::Critical, MessageButtons::Ok);
    return false;
  }
  if (editor.FileChanged && !Confirm(messages, kOpenChangedText, kWarningTitle)) return false;
  // The whole file is read before anything changes, so a short or
  // unreadable file leaves the level being edited intact.
  if (IoResult loaded = LoadLevel(*path, editor.State(), editor.TileSetNumber, editor.BackgroundNumber); !loaded) {
    ReportFailure(messages, kOpenFailedText, kOpenFailedTitle, loaded.reason);
    return false;
  }
  editor.FileChanged = false;
  return true;
}

void SaveLevelAs(EditorModel& editor, const GameFolder& folder, std::string& name) {
  if (!EndsInExtension(name, kLevelExtension)) name += kLevelExtension;
  Messages& messages = editor.MessageBoxes();
  if (!IsBareFileName(name)) {
    ReportFailure(messages, kSaveFailedText, kSaveFailedTitle, "\"" + name + "\" is not a valid file name");
    return;
  }
  const auto existing = folder.Find(name);
  if (existing && !Confirm(messages, std::string(kOverwriteText) + "\n" + name, kOverwriteTitle)) return;
  // Written to a temporary file and renamed over the old one: a failed save
  // never loses the old level.
  const LevelData level = LevelFromState(editor.State(), editor.TileSetNumber, editor.BackgroundNumber);
  // A shipped level of that name stays as it is; the saved one hides it.
  if (IoResult written = WriteLevelFile(folder.PathForWriting(name), level); !written) {
    ReportFailure(messages, kSaveFailedText, kSaveFailedTitle, written.reason);
    return;
  }
  editor.FileChanged = false;
}

bool ExitEditor(EditorModel& editor) {
  if (editor.FileChanged && !Confirm(editor.MessageBoxes(), kExitChangedText, kWarningTitle)) return false;
  ClearLevel(editor.State());
  if (editor.PointerHidden) {
    editor.PointerHidden = false;
    editor.ShowPointer(true);
  }
  return true;
}

}  // namespace fl3
