#pragma once
#include <chrono>
#include <filesystem>
#include <string_view>

namespace fl3 {

// A name our atomic writer gives its temporary file: '.', the target's name,
// '.', and the six letters or digits the system fills in.
bool IsOurTemporaryName(std::string_view name);

// A write that was killed midway leaves its temporary file behind; this
// removes those in `folder` that are older than `minimumAge` (younger ones
// may belong to a write still running in another process). Only regular
// files of ours are touched; the files they were meant to replace are intact.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               std::chrono::seconds minimumAge = std::chrono::seconds(60));

}  // namespace fl3
