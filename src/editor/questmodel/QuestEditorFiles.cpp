#include "editor/questmodel/QuestEditorFiles.h"

#include <filesystem>

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "editor/model/EditorMessages.h"
#include "editor/model/EditorQuestions.h"
#include "editor/questmodel/QuestEditorMessages.h"
#include "editor/questmodel/QuestEditorModel.h"
#include "editor/questmodel/QuestRefusals.h"
#include "quest/QuestList.h"
#include "quest/QuestStageCheck.h"

namespace fl3 {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

}  // namespace

std::vector<std::string> QuestFileNames(const GameFolder& folder) { return folder.List(kQuestFilePattern); }

// Run from its build folder the game keeps its own files and the player's in
// one folder, so the campaign is known by its name there.
bool IsShippedQuest(const GameFolder& folder, const std::string& name) {
  if (EqualsIgnoringCase(name, kCampaignFileName)) return true;
  if (folder.ShippedDirectory().empty()) return false;
  return GameFolder(folder.ShippedDirectory()).Exists(name);
}

bool OpenQuest(QuestEditorModel& editor, const GameFolder& folder, const std::string& name) {
  if (name.empty()) return false;
  Messages& messages = editor.MessageBoxes();
  if (!folder.Exists(name)) {
    messages.Show(kFileMissingText, kFileNotFoundTitle, MessageIcon::Critical, MessageButtons::Ok);
    return false;
  }
  if (editor.Changed && !Confirm(messages, kOpenChangedText, kWarningTitle)) return false;
  Quest quest;
  std::vector<UnplayableStage> unplayable;
  if (IoResult read = ReadQuestFileKeepingStages(folder, name, quest, unplayable); !read) {
    ReportFailure(messages, kQuestOpenFailedText, kOpenFailedTitle, read.reason);
    return false;
  }
  editor.Load(quest);
  editor.Changed = false;
  return true;
}

bool ReadyToWrite(QuestEditorModel& editor, const QuestLevels& levels, std::string& name, const WritingTexts& texts) {
  if (!EndsInExtension(name, kQuestExtension)) name += kQuestExtension;
  Messages& messages = editor.MessageBoxes();
  // A name of nothing but the extension would make a hidden file.
  if (!IsBareFileName(name) || name.size() == std::string(kQuestExtension).size()) {
    ReportFailure(messages, texts.failed, texts.failedTitle, "\"" + name + "\" is not a valid file name");
    return false;
  }
  if (const std::vector<std::string> refusals = QuestRefusals(editor.Draft(), levels); !refusals.empty()) {
    messages.Show(texts.notDone + Lines(refusals), kQuestNotPlayableTitle, MessageIcon::Critical, MessageButtons::Ok);
    return false;
  }
  return true;
}

bool SaveQuestAs(QuestEditorModel& editor, const GameFolder& folder, const QuestLevels& levels, std::string& name) {
  if (!ReadyToWrite(editor, levels, name, {kQuestSaveFailedText, kSaveFailedTitle, kQuestNotSavedText})) return false;
  Messages& messages = editor.MessageBoxes();
  if (IsShippedQuest(folder, name)) {
    messages.Show("\"" + name + "\"" + kShippedQuestText, kQuestNotSavedTitle, MessageIcon::Critical,
                  MessageButtons::Ok);
    return false;
  }
  if (folder.Exists(name) && !Confirm(messages, std::string(kOverwriteText) + "\n" + name, kOverwriteTitle)) return false;
  const Quest quest = editor.ToQuest();
  // The reader has the last word: nothing it would refuse is ever written.
  IoResult written = CheckQuest(quest, name, levels);
  if (written) written = WriteQuestFile(folder, name, quest);
  if (!written) {
    ReportFailure(messages, kQuestSaveFailedText, kSaveFailedTitle, written.reason);
    return false;
  }
  editor.Changed = false;
  return true;
}

bool ExitQuestEditor(QuestEditorModel& editor) {
  return !editor.Changed || Confirm(editor.MessageBoxes(), kExitChangedText, kWarningTitle);
}

}  // namespace fl3
