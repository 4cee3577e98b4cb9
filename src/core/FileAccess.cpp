#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

#include "WriteTarget.h"

namespace fl3 {

std::string DescribeFile(const std::filesystem::path& path, std::string_view what) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return "\"" + (error ? path : full.lexically_normal()).string() + "\": " + std::string(what);
}

std::string ErrnoText(int error) { return std::generic_category().message(error); }

namespace {

IoResult Failed(const std::filesystem::path& path, const char* doing, int error) {
  return IoResult::Failure(DescribeFile(path, std::string(doing) + ErrnoText(error)));
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

// Makes the rename itself survive a power cut; a folder that cannot be
// synced changes nothing about the file's content, so failure is ignored.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

IoResult ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return Failed(path, "cannot be read: ", errno);
  if (!S_ISREG(info.st_mode)) return IoResult::Failure(DescribeFile(path, "this is not a file"));
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Failed(path, "cannot be read: ", errno);
  std::string content;
  char buffer[4096];
  while (content.size() < maxBytes) {
    const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - content.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int readError = errno;
      ::close(fd);
      return Failed(path, "cannot be read: ", readError);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  bytes = std::move(content);
  return IoResult::Success();
}

IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  return ReadFileStart(path, std::numeric_limits<std::size_t>::max(), bytes);
}

IoResult CheckFolderWritable(const std::filesystem::path& folder) {
  // Named like the atomic writes' temporary files, so one left by a crash is
  // cleared at the next start.
  std::string probe = (folder / ".write-test.XXXXXX").string();
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return Failed(folder, "cannot be written: ", errno);
  ::close(fd);
  ::unlink(probe.c_str());
  return IoResult::Success();
}

IoResult WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes, Readers readers) {
  std::filesystem::path path;
  if (IoResult usable = ResolveWriteTarget(requested, path); !usable) return usable;
  std::string temporary = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return Failed(path, "cannot be written: ", errno);
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  ::fchmod(fd, readers == Readers::OwnerOnly ? 0600 : 0644);
  if (::close(fd) != 0 && written) {
    const int closeError = errno;
    ::unlink(temporary.c_str());
    return Failed(path, "cannot be written: ", closeError);
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return Failed(path, "cannot be written: ", writeError);
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    return Failed(path, "cannot be written: ", renameError);
  }
  SyncFolder(path.parent_path());
  return IoResult::Success();
}

}  // namespace fl3
