#include "StaleTemporaryFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <ctime>
#include <system_error>

namespace fl3 {
namespace {

constexpr std::size_t kFilledInLetters = 6;

bool IsMine(const std::filesystem::path& file, std::chrono::seconds minimumAge) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) return false;
  return std::time(nullptr) - info.st_mtime >= minimumAge.count();
}

}  // namespace

bool IsOurTemporaryName(std::string_view name) {
  // At least ".X." before the filled-in part.
  if (name.size() < 3 + kFilledInLetters || name.front() != '.') return false;
  const std::size_t dot = name.size() - kFilledInLetters - 1;
  if (name[dot] != '.') return false;
  for (const char c : name.substr(dot + 1)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds minimumAge) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::filesystem::path& file = it->path();
    if (!IsOurTemporaryName(file.filename().string()) || !IsMine(file, minimumAge)) continue;
    std::error_code removeError;
    std::filesystem::remove(file, removeError);  // whatever stays is harmless and tried again next start
  }
}

}  // namespace fl3
