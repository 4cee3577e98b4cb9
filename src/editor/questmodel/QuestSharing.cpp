#include "editor/questmodel/QuestSharing.h"

#include <cctype>
#include <map>
#include <vector>

#include "core/FileAccess.h"
#include "core/GameFolder.h"
#include "core/LevelValues.h"
#include "core/Messages.h"
#include "editor/model/EditorFiles.h"
#include "editor/model/EditorMessages.h"
#include "editor/model/EditorQuestions.h"
#include "editor/questmodel/QuestEditorFiles.h"
#include "editor/questmodel/QuestEditorMessages.h"
#include "editor/questmodel/QuestEditorModel.h"
#include "quest/QuestStageCheck.h"

namespace fl3 {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Each level once, whatever letter case each stage names it in.
std::vector<std::string> LevelsUsed(const Quest& quest) {
  std::map<std::string, std::string> byKey;
  for (const QuestStage& stage : quest.stages) byKey.emplace(Upper(stage.level), stage.level);
  std::vector<std::string> names;
  for (const auto& [key, name] : byKey) names.push_back(name);
  return names;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// The files of an export: name and bytes.
using Files = std::vector<std::pair<std::string, std::string>>;

IoResult GatherExport(const Quest& quest, const GameFolder& folder, const std::string& name, Files& files) {
  files = {{name, WriteQuestText(quest)}};
  for (const std::string& level : LevelsUsed(quest)) {
    std::string bytes;
    if (IoResult read = folder.ReadAll(level, bytes); !read) return read;
    files.emplace_back(level, std::move(bytes));
  }
  return IoResult::Success();
}

// "GARDEN 2.FL3", "GARDEN 3.FL3", ...: the first name no file of the
// folder has and no other level of this import took.
std::string FreeLevelName(const std::string& name, const GameFolder& folder, const std::map<std::string, std::string>& taken) {
  const std::string extension = kLevelExtension;
  const std::string stem = EndsInExtension(name, extension) ? name.substr(0, name.size() - extension.size()) : name;
  for (int number = 2;; ++number) {
    const std::string candidate = stem + " " + std::to_string(number) + extension;
    bool used = folder.Exists(candidate);
    for (const auto& [key, newName] : taken) used = used || EqualsIgnoringCase(newName, candidate);
    if (!used) return candidate;
  }
}

struct LevelCopy {
  std::string from;  // as the quest names it
  std::string name;  // in the player's folder
  std::string bytes;
  bool write = false;
};

// Where each level of the shared folder goes; a level the shared folder
// lacks stays as named (the player's own may serve, or its stage is marked).
IoResult PlanLevelCopies(const Quest& quest, const GameFolder& shared, const GameFolder& folder,
                         std::map<std::string, LevelCopy>& copies) {
  std::map<std::string, std::string> taken;
  for (const std::string& level : LevelsUsed(quest)) {
    LevelCopy copy{level, level, {}, true};
    if (!shared.Exists(level)) continue;
    if (IoResult read = shared.ReadAll(level, copy.bytes); !read) return read;
    LevelData data;
    IoResult usable = DecodeLevel(copy.bytes, data);
    if (usable) usable = CheckLevelValues(data);
    if (!usable) return IoResult::Failure(level + ": " + usable.reason);
    std::string own;
    if (folder.Exists(level) && folder.ReadAll(level, own) && own == copy.bytes) copy.write = false;
    if (copy.write && folder.Exists(level)) copy.name = FreeLevelName(level, folder, taken);
    taken[Upper(level)] = copy.name;
    copies[Upper(level)] = std::move(copy);
  }
  return IoResult::Success();
}

std::string CopiesTold(const std::map<std::string, LevelCopy>& copies) {
  std::vector<std::string> told;
  for (const auto& [key, copy] : copies) {
    if (!copy.write) continue;
    told.push_back(copy.from == copy.name ? copy.name : copy.from + " as " + copy.name + " (yours differs)");
  }
  return told.empty() ? "Its levels were all in your folder already." : "Levels copied into your folder: " + Joined(told) + ".";
}

}  // namespace

bool ExportQuest(QuestEditorModel& editor, const GameFolder& folder, const QuestLevels& levels, std::string& name,
                 const std::filesystem::path& target) {
  if (!ReadyToWrite(editor, levels, name, {kExportFailedText, kExportFailedTitle, kQuestNotExportedText})) return false;
  Messages& messages = editor.MessageBoxes();
  Files files;
  if (IoResult gathered = GatherExport(editor.ToQuest(), folder, name, files); !gathered) {
    ReportFailure(messages, kExportFailedText, kExportFailedTitle, gathered.reason);
    return false;
  }
  // An export is for giving away; in the game's own folders it could only write over the game's files.
  std::error_code ignored;
  for (const auto& own : {folder.Directory(), folder.ShippedDirectory()}) {
    if (!own.empty() && std::filesystem::equivalent(target, own, ignored)) {
      ReportFailure(messages, kExportFailedText, kExportFailedTitle, target.string() + " is the game's own folder; choose another");
      return false;
    }
  }
  const GameFolder there(target);
  std::vector<std::string> existing;
  for (const auto& [file, bytes] : files) {
    if (there.Exists(file)) existing.push_back(file);
  }
  if (!existing.empty() && !Confirm(messages, std::string(kExportOverwriteText) + "\n" + Joined(existing), kOverwriteTitle)) {
    return false;
  }
  for (const auto& [file, bytes] : files) {
    if (IoResult written = WriteFileAtomically(there.PathForWriting(file), bytes); !written) {
      ReportFailure(messages, kExportFailedText, kExportFailedTitle, written.reason);
      return false;
    }
  }
  messages.Show("The quest " + name + " and its levels (" + Joined(LevelsUsed(editor.ToQuest())) + ") are in " +
                    target.string() + ". Give your friend that folder; Import... reads it back.",
                kSharedTitle, MessageIcon::Information, MessageButtons::Ok);
  return true;
}

bool ImportQuest(QuestEditorModel& editor, const GameFolder& folder, const std::filesystem::path& questFile,
                 std::string& name) {
  Messages& messages = editor.MessageBoxes();
  if (editor.Changed && !Confirm(messages, kOpenChangedText, kWarningTitle)) return false;
  const GameFolder shared(questFile.parent_path());
  const std::string fileName = questFile.filename().string();
  Quest quest;
  std::vector<UnplayableStage> unplayable;
  std::map<std::string, LevelCopy> copies;
  IoResult result = ReadQuestFileKeepingStages(shared, fileName, quest, unplayable);
  if (result) result = PlanLevelCopies(quest, shared, folder, copies);
  for (auto it = copies.begin(); result && it != copies.end(); ++it) {
    if (it->second.write) result = folder.WriteAtomically(it->second.name, it->second.bytes);
  }
  if (!result) {
    ReportFailure(messages, kImportFailedText, kImportFailedTitle, result.reason);
    return false;
  }
  for (QuestStage& stage : quest.stages) {
    if (const auto copy = copies.find(Upper(stage.level)); copy != copies.end()) stage.level = copy->second.name;
  }
  editor.Load(quest);
  editor.Changed = true;
  name = fileName;
  messages.Show("The quest " + fileName + " is open. " + CopiesTold(copies) + " Save As keeps the quest.", kSharedTitle,
                MessageIcon::Information, MessageButtons::Ok);
  return true;
}

}  // namespace fl3
