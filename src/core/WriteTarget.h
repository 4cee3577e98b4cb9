#pragma once
#include <filesystem>

#include "IoResult.h"

namespace fl3 {

// Where an atomic write of `path` may put its new file. A symbolic link is
// followed to the file it names, so the link survives and its target is
// replaced in the target's own folder. Anything that is not a regular file
// (a device, pipe, socket or folder) is refused, and so is a file without
// write permission, even for a user who could override it.
IoResult ResolveWriteTarget(const std::filesystem::path& path, std::filesystem::path& target);

}  // namespace fl3
