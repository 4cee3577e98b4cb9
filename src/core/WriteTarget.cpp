#include "WriteTarget.h"

#include "FileAccess.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace fl3 {
namespace {

// As many as the system itself follows before it gives up.
constexpr int kMostLinksFollowed = 40;

IoResult Refused(const std::filesystem::path& path, const std::string& why) {
  return IoResult::Failure(DescribeFile(path, "cannot be written: " + why));
}

// A folder keeps the system's own words, which the settings and key files
// have always shown for it.
std::string KindOfNonFile(mode_t mode) {
  if (S_ISDIR(mode)) return std::generic_category().message(EISDIR);
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  if (S_ISFIFO(mode)) return "it is a pipe, not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

// One link step; a relative link is relative to the folder holding it.
bool FollowLink(std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path next = std::filesystem::read_symlink(path, error);
  if (error) return false;
  path = next.is_absolute() ? next : path.parent_path() / next;
  return true;
}

}  // namespace

IoResult ResolveWriteTarget(const std::filesystem::path& path, std::filesystem::path& target) {
  std::filesystem::path current = path;
  for (int links = 0; links <= kMostLinksFollowed; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return Refused(path, std::generic_category().message(errno));
      target = current;  // a new file, or the missing target of a link
      return IoResult::Success();
    }
    if (S_ISLNK(info.st_mode)) {
      if (!FollowLink(current)) return Refused(path, "its link cannot be read");
      continue;
    }
    if (!S_ISREG(info.st_mode)) return Refused(path, KindOfNonFile(info.st_mode));
    if ((info.st_mode & 0222) == 0 || ::access(current.c_str(), W_OK) != 0) {
      return Refused(path, std::generic_category().message(EACCES));
    }
    target = current;
    return IoResult::Success();
  }
  return Refused(path, std::generic_category().message(ELOOP));
}

}  // namespace fl3
