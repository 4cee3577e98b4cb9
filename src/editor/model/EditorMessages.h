#pragma once

namespace fl3 {

// The editor's message boxes, word for word.
inline constexpr const char* kWeirdCombinationText = "You can't select random item and no box!";
inline constexpr const char* kWeirdCombinationTitle = "Weird Combination";

inline constexpr const char* kFileMissingText = "File does not exsist.";
inline constexpr const char* kFileNotSelectedText = "File not selected.";
inline constexpr const char* kFileNotFoundTitle = "File not found!";

inline constexpr const char* kOpenChangedText =
    "File has been changed since last save, would you still like OPEN OPEN OPEN the file?";
inline constexpr const char* kExitChangedText =
    "File has been changed since last save, would you still like EXIT EXIT EXIT?";
inline constexpr const char* kWarningTitle = "W A R N I N G !";

inline constexpr const char* kOverwriteText = "File already exsists, do you wish to overwrite the exsisting file?";
inline constexpr const char* kOverwriteTitle = "File exsists!";

// Our own: a level that cannot be read or written.
inline constexpr const char* kOpenFailedText = "The level could not be opened.";
inline constexpr const char* kOpenFailedTitle = "Open failed!";
inline constexpr const char* kSaveFailedText = "The level could not be saved.";
inline constexpr const char* kSaveFailedTitle = "Save failed!";

}  // namespace fl3
