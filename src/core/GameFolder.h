#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FileAccess.h"
#include "IoResult.h"

namespace fl3 {

// Every file the game reads or writes. Either one folder (the game run from
// where it was built) or the player's own folder laid over the read-only
// folder of shipped files: look-ups try the player's folder first, listings
// join both, and writes only ever land in the player's folder.
// Names are matched without regard to letter case, as on the system the
// game's files come from; a folder of a matching name is never taken for a file.
class GameFolder {
 public:
  explicit GameFolder(std::filesystem::path directory);
  GameFolder(std::filesystem::path playersDirectory, std::filesystem::path shippedDirectory);

  // The folder written to, and the one to name when telling the player where
  // files go.
  const std::filesystem::path& Directory() const { return directory_; }
  // Empty for a single folder.
  const std::filesystem::path& ShippedDirectory() const { return shipped_; }
  // Where a file is looked for, for messages: "/own" or "/own or /shipped".
  std::string SearchedFolders() const;

  // The existing regular file whose name matches `name` ignoring case, the
  // player's own before a shipped one.
  std::optional<std::filesystem::path> Find(std::string_view name) const;
  bool Exists(std::string_view name) const { return Find(name).has_value(); }

  // Names of the regular files matching a pattern with '*' and '?', ignoring
  // case, sorted without regard to case (ties by exact name, so stable). A
  // shipped file hidden by a player's file of the same name is left out.
  std::vector<std::string> List(std::string_view pattern) const;

  // Where a file of this name is written: the existing file of that name in
  // any case in the written folder, otherwise exactly the name given there.
  std::filesystem::path PathForWriting(std::string_view name) const;

  IoResult ReadAll(std::string_view name, std::string& bytes) const;
  IoResult WriteAtomically(std::string_view name, std::string_view bytes, Readers readers = Readers::Everybody) const;
  // Removes the file from the written folder if present; a missing file is
  // not an error, and a shipped file is never removed.
  IoResult Remove(std::string_view name) const;

 private:
  std::filesystem::path directory_;
  std::filesystem::path shipped_;
};

bool MatchesPatternIgnoringCase(std::string_view name, std::string_view pattern);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// Orders names as the level lists show them: letter case ignored.
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace fl3
