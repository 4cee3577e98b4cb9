#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <system_error>

#include "WriteTarget.h"

namespace fl3 {
namespace {

std::string Describe(const std::filesystem::path& path, const std::string& what) {
  return "\"" + path.filename().string() + "\": " + what;
}

std::string ErrnoText(int error) { return std::generic_category().message(error); }

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
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return IoResult::Failure(Describe(path, "the file does not exist"));
  if (!std::filesystem::is_regular_file(status)) return IoResult::Failure(Describe(path, "this is not a file"));
  std::ifstream in(path, std::ios::binary);
  if (!in) return IoResult::Failure(Describe(path, "the file cannot be opened for reading"));
  std::string content;
  char buffer[4096];
  while (content.size() < maxBytes && in) {
    const std::size_t wanted = std::min(sizeof buffer, maxBytes - content.size());
    in.read(buffer, static_cast<std::streamsize>(wanted));
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return IoResult::Failure(Describe(path, "the file cannot be read"));
  bytes = std::move(content);
  return IoResult::Success();
}

IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  return ReadFileStart(path, std::numeric_limits<std::size_t>::max(), bytes);
}

IoResult WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
  std::filesystem::path path;
  if (IoResult usable = ResolveWriteTarget(requested, path); !usable) return usable;
  std::string temporary = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return IoResult::Failure(Describe(path, "cannot be written: " + ErrnoText(errno)));
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  ::fchmod(fd, 0644);
  if (::close(fd) != 0 && written) {
    const int closeError = errno;
    ::unlink(temporary.c_str());
    return IoResult::Failure(Describe(path, "cannot be written: " + ErrnoText(closeError)));
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return IoResult::Failure(Describe(path, "cannot be written: " + ErrnoText(writeError)));
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    return IoResult::Failure(Describe(path, "cannot be written: " + ErrnoText(renameError)));
  }
  SyncFolder(path.parent_path());
  return IoResult::Success();
}

}  // namespace fl3
