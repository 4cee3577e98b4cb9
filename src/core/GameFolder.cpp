#include "GameFolder.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "FileAccess.h"

namespace fl3 {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// A bare file name: anything else could reach outside the game folder.
bool IsBareName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

template <typename Visit>
void ForEachRegularFile(const std::filesystem::path& directory, Visit visit) {
  // error_code overloads throughout: a folder that vanishes or cannot be read
  // mid-listing ends the listing instead of throwing.
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    visit(it->path().filename().string());
  }
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  const auto byLower = [](char x, char y) { return Lower(x) < Lower(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLower)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLower)) return false;
  return a < b;
}

bool MatchesPatternIgnoringCase(std::string_view name, std::string_view pattern) {
  // Iterative wildcard match with one backtrack point for the last '*'.
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

namespace {

// The file of that name in one folder: the exact name, else the first of
// the names differing only in case.
std::optional<std::filesystem::path> FindIn(const std::filesystem::path& directory, std::string_view name) {
  if (directory.empty()) return std::nullopt;
  std::optional<std::string> exact, other;
  ForEachRegularFile(directory, [&](const std::string& candidate) {
    if (candidate == name) {
      exact = candidate;
    } else if (EqualsIgnoringCase(candidate, name) && (!other || LessIgnoringCase(candidate, *other))) {
      other = candidate;
    }
  });
  if (exact) return directory / *exact;
  if (other) return directory / *other;
  return std::nullopt;
}

std::vector<std::string> ListIn(const std::filesystem::path& directory, std::string_view pattern) {
  std::vector<std::string> names;
  if (directory.empty()) return names;
  ForEachRegularFile(directory, [&](const std::string& candidate) {
    if (MatchesPatternIgnoringCase(candidate, pattern)) names.push_back(candidate);
  });
  return names;
}

bool HoldsNameIgnoringCase(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& held) { return EqualsIgnoringCase(held, name); });
}

}  // namespace

GameFolder::GameFolder(std::filesystem::path directory) : directory_(std::move(directory)) {}

GameFolder::GameFolder(std::filesystem::path playersDirectory, std::filesystem::path shippedDirectory)
    : directory_(std::move(playersDirectory)), shipped_(std::move(shippedDirectory)) {}

std::optional<std::filesystem::path> GameFolder::Find(std::string_view name) const {
  if (!IsBareName(name)) return std::nullopt;
  if (auto own = FindIn(directory_, name)) return own;
  return FindIn(shipped_, name);
}

std::string GameFolder::SearchedFolders() const {
  return shipped_.empty() ? directory_.string() : directory_.string() + " or " + shipped_.string();
}

std::vector<std::string> GameFolder::List(std::string_view pattern) const {
  const std::vector<std::string> own = ListIn(directory_, pattern);
  std::vector<std::string> names = own;
  for (std::string& shipped : ListIn(shipped_, pattern)) {
    if (!HoldsNameIgnoringCase(own, shipped)) names.push_back(std::move(shipped));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
  return names;
}

std::filesystem::path GameFolder::PathForWriting(std::string_view name) const {
  if (auto existing = FindIn(directory_, name)) return *existing;
  return directory_ / std::string(name);
}

IoResult GameFolder::ReadAll(std::string_view name, std::string& bytes) const {
  const auto path = Find(name);
  if (!path) return IoResult::Failure("\"" + std::string(name) + "\": no such file in " + SearchedFolders());
  return ReadWholeFile(*path, bytes);
}

IoResult GameFolder::WriteAtomically(std::string_view name, std::string_view bytes, Readers readers) const {
  if (!IsBareName(name)) return IoResult::Failure("\"" + std::string(name) + "\" is not a valid file name");
  return WriteFileAtomically(PathForWriting(name), bytes, readers);
}

IoResult GameFolder::Remove(std::string_view name) const {
  if (!IsBareName(name)) return IoResult::Success();
  const auto path = FindIn(directory_, name);
  if (!path) return IoResult::Success();
  std::error_code error;
  if (!std::filesystem::remove(*path, error) && error) {
    return IoResult::Failure(DescribeFile(*path, "cannot be deleted: " + error.message()));
  }
  return IoResult::Success();
}

}  // namespace fl3
