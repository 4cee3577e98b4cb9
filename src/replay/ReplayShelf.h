#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "core/IoResult.h"
#include "replay/Replay.h"

namespace fl3 {

// Reads a replay file whole (refusing anything larger than a replay can be);
// the reason names the file.
IoResult ReadReplayFile(const std::filesystem::path& path, Replay& replay);

// The folder of replays: one file per match, named by the local date and
// time the match ended and its level, so that a listing reads in order
// ("2025-03-14 18-05-09 GARDEN.REPLAY"). A replay the player keeps carries
// " (kept)" before the extension and is never deleted to make room.
class ReplayShelf {
 public:
  static constexpr std::size_t kNewestKept = 50;
  static constexpr const char* kExtension = ".REPLAY";

  explicit ReplayShelf(std::filesystem::path directory) : directory_(std::move(directory)) {}
  const std::filesystem::path& Directory() const { return directory_; }

  // Writes the replay as a new file (never over another) and deletes the
  // files older than the newest 50 that are not kept. `sequence` > 0 goes
  // into the name, for tools that write many replays a second.
  IoResult Add(const Replay& replay, int sequence = 0, bool makeRoom = true) const;

  struct Entry {
    std::string file;
    bool kept = false;
  };
  // The replay files, newest first.
  std::vector<Entry> List() const;

  IoResult Read(const std::string& file, Replay& replay) const;
  // Renames the file to mark it kept or not; `file` becomes the new name.
  IoResult SetKept(std::string& file, bool kept) const;
  IoResult Remove(const std::string& file) const;

 private:
  void MakeRoom() const;

  std::filesystem::path directory_;
};

// The name a replay gets: date and time (local), level, sequence.
std::string ReplayFileName(const Replay& replay, int sequence);

}  // namespace fl3
