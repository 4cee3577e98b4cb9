#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

// Reads a whole file; the reason names the file and what went wrong.
IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Writes to a temporary file beside the target, flushes it and renames it over
// the target, so a failed write never destroys the old file.
IoResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace fl3
