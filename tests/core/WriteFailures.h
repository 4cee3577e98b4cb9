#pragma once
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

namespace fl3::testing {

// While alive, no file of this process may grow beyond `bytes`: a write past
// it fails with "File too large". Unlike a read-only folder this stops root
// too, so a failing write can be tested under any user.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

// Root reads and writes regardless of permission bits.
inline bool PermissionsStopUs() { return ::geteuid() != 0; }

}  // namespace fl3::testing
