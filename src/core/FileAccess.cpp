#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

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

}  // namespace

IoResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return IoResult::Failure(Describe(path, "the file does not exist"));
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return IoResult::Failure(Describe(path, "the file cannot be opened for reading"));
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return IoResult::Failure(Describe(path, "the file cannot be read"));
  bytes = std::move(content);
  return IoResult::Success();
}

IoResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::string temporary = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return IoResult::Failure(Describe(path, "cannot be written: " + ErrnoText(errno)));
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  ::fchmod(fd, 0644);
  ::close(fd);
  if (!written) {
    ::unlink(temporary.c_str());
    return IoResult::Failure(Describe(path, "cannot be written: " + ErrnoText(writeError)));
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    return IoResult::Failure(Describe(path, "cannot be written: " + ErrnoText(renameError)));
  }
  return IoResult::Success();
}

}  // namespace fl3
