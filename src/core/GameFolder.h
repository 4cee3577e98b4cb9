#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "IoResult.h"

namespace fl3 {

// The one folder that holds every file the game reads or writes. Names are
// matched without regard to letter case, as on the system the game's files
// come from; a folder of a matching name is never taken for a file.
class GameFolder {
 public:
  explicit GameFolder(std::filesystem::path directory);

  const std::filesystem::path& Directory() const { return directory_; }

  // The existing regular file whose name matches `name` ignoring case.
  std::optional<std::filesystem::path> Find(std::string_view name) const;
  bool Exists(std::string_view name) const { return Find(name).has_value(); }

  // Names of the regular files matching a pattern with '*' and '?', ignoring
  // case, sorted without regard to case (ties by exact name, so stable).
  std::vector<std::string> List(std::string_view pattern) const;

  // Where a file of this name is written: the existing file of that name in
  // any case, otherwise exactly the name given.
  std::filesystem::path PathForWriting(std::string_view name) const;

  IoResult ReadAll(std::string_view name, std::string& bytes) const;
  IoResult WriteAtomically(std::string_view name, std::string_view bytes) const;
  // Removes the file if present; a missing file is not an error.
  IoResult Remove(std::string_view name) const;

 private:
  std::filesystem::path directory_;
};

bool MatchesPatternIgnoringCase(std::string_view name, std::string_view pattern);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// Orders names as the level lists show them: letter case ignored.
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace fl3
