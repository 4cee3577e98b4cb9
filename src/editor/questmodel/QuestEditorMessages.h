#pragma once

namespace fl3 {

// The quest editor's own message boxes; its questions are the level editor's
// (editor/model/EditorMessages.h).
inline constexpr const char* kQuestOpenFailedText = "The quest could not be opened.";
inline constexpr const char* kQuestSaveFailedText = "The quest could not be saved.";
inline constexpr const char* kQuestNotSavedText = "Nothing was saved: this quest cannot be played yet.";
inline constexpr const char* kQuestNotExportedText = "Nothing was exported: this quest cannot be played yet.";
inline constexpr const char* kQuestNotPlayableTitle = "Not playable yet";
inline constexpr const char* kQuestNotSavedTitle = "Cannot save";
inline constexpr const char* kShippedQuestText = " comes with the game and is never changed. Save your quest under another name.";
inline constexpr const char* kStageNotPlayableTitle = "Cannot try";
inline constexpr const char* kExportFailedText = "The quest could not be exported.";
inline constexpr const char* kExportFailedTitle = "Export failed!";
inline constexpr const char* kExportOverwriteText = "The folder already holds these files; write over them?";
inline constexpr const char* kImportFailedText = "The quest could not be imported.";
inline constexpr const char* kImportFailedTitle = "Import failed!";
inline constexpr const char* kSharedTitle = "Quest shared";

}  // namespace fl3
