#include "RunningLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace fl3 {

RunningLock RunningLock::Take(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kFileName;
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  // A lock file already there can still be locked in a folder gone read-only.
  if (fd < 0) fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return RunningLock(-1, false);
  int result = 0;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    return RunningLock(-1, true);
  }
  return RunningLock(fd, false);
}

RunningLock::RunningLock(RunningLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), heldByAnother_(other.heldByAnother_) {}

RunningLock::~RunningLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace fl3
