#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

// How every message about a file names it: its full path in quotes, so the
// player sees which folder to look in, then what went wrong.
std::string DescribeFile(const std::filesystem::path& path, std::string_view what);
// The system's own words for a failed call's error number.
std::string ErrnoText(int error);

// Reads a whole file; the reason names the file and what went wrong.
IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Reads at most `maxBytes` from the start of a file, for readers that need
// only a file's beginning and must not be made to swallow a huge file.
IoResult ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes);

// Whether a new file can be made in the folder, found out by making one and
// removing it again: the only test that every file system and user answer
// truly.
IoResult CheckFolderWritable(const std::filesystem::path& folder);

// Who may read a written file: everybody, or (a file holding a password)
// its owner alone.
enum class Readers { Everybody, OwnerOnly };

// Writes to a temporary file beside the target, flushes it and renames it over
// the target, so a failed write never destroys the old file. Only regular
// files are replaced: a link is written through, anything else is refused.
IoResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                             Readers readers = Readers::Everybody);

}  // namespace fl3
