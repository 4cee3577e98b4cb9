#pragma once
#include <filesystem>

namespace fl3 {

// Held while the game runs on a folder, so that a second copy started on the
// same folder knows and does not write over the first one's files. The
// system lets go of it when the holder ends in any way, a kill included, so
// a lock file left behind by a copy killed earlier is simply taken over.
inline constexpr const char* kAlreadyRunningText =
    "FUSELARK3 is already running. Carry on in its window: a second copy would write over the same keys, "
    "settings and levels.";

class RunningLock {
 public:
  static constexpr const char* kFileName = ".fuselark3.lock";

  // A folder where no lock file can be made gives no lock and no refusal:
  // nothing can be written there by either copy anyway.
  static RunningLock Take(const std::filesystem::path& folder);

  RunningLock(RunningLock&& other) noexcept;
  RunningLock& operator=(RunningLock&&) = delete;
  RunningLock(const RunningLock&) = delete;
  ~RunningLock();

  bool HeldByAnother() const { return heldByAnother_; }

 private:
  RunningLock(int fd, bool heldByAnother) : fd_(fd), heldByAnother_(heldByAnother) {}

  int fd_ = -1;
  bool heldByAnother_ = false;
};

}  // namespace fl3
