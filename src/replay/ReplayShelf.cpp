#include "replay/ReplayShelf.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "core/FileAccess.h"
#include "core/GameFolder.h"
#include "core/StaleTemporaryFiles.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kKeptMark = " (kept)";
constexpr std::size_t kLongestLevelPart = 40;

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && EqualsIgnoringCase(text.substr(text.size() - end.size()), end);
}

// The level's name without ".FL3", with only letters, digits, '-' and '_'
// kept, so that the name stays portable and cannot look kept.
std::string LevelPart(std::string_view levelName) {
  if (EndsWith(levelName, ".FL3")) levelName.remove_suffix(4);
  std::string part;
  for (const char c : levelName.substr(0, kLongestLevelPart)) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    part += plain ? c : '_';
  }
  return part.empty() ? "LEVEL" : part;
}

std::string LocalTimeText(std::int64_t seconds) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (::localtime_r(&time, &local) == nullptr) return "0000-00-00 00-00-00";
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", &local);
  return text;
}

std::string Quoted(const std::string& file) { return "\"" + file + "\""; }

IoResult FileFailure(const std::string& file, const std::string& what, const std::error_code& error) {
  return IoResult::Failure(Quoted(file) + " cannot be " + what + ": " + error.message());
}

std::string KeptEnd() { return std::string(kKeptMark) + ReplayShelf::kExtension; }

bool Taken(const fs::path& directory, const std::string& stem) {
  std::error_code error;
  return fs::exists(directory / (stem + ReplayShelf::kExtension), error) || fs::exists(directory / (stem + KeptEnd()), error);
}

// Two matches may end within the same second: the later one gets a number.
std::string FreeName(const fs::path& directory, const Replay& replay, int sequence) {
  std::string stem = ReplayFileName(replay, sequence);
  stem.resize(stem.size() - std::string_view(ReplayShelf::kExtension).size());
  std::string candidate = stem;
  for (int number = 2; Taken(directory, candidate); ++number) candidate = stem + " " + std::to_string(number);
  return candidate + ReplayShelf::kExtension;
}

}  // namespace

IoResult ReadReplayFile(const fs::path& path, Replay& replay) {
  std::string bytes;
  if (const IoResult read = ReadFileStart(path, kMaxReplayFileBytes + 1, bytes); !read) return read;
  if (const IoResult decoded = DecodeReplay(bytes, replay); !decoded) {
    return IoResult::Failure(Quoted(path.filename().string()) + ": " + decoded.reason);
  }
  return IoResult::Success();
}

std::string ReplayFileName(const Replay& replay, int sequence) {
  std::string name = LocalTimeText(replay.recordedAtSeconds) + " " + LevelPart(replay.start.levelName);
  if (sequence > 0) name += " " + std::to_string(sequence);
  return name + ReplayShelf::kExtension;
}

IoResult ReplayShelf::Add(const Replay& replay, int sequence, bool makeRoom) const {
  std::error_code error;
  fs::create_directories(directory_, error);
  if (error) return IoResult::Failure("the folder " + Quoted(directory_.string()) + " cannot be made: " + error.message());
  RemoveStaleTemporaryFiles(directory_);
  const std::string name = FreeName(directory_, replay, sequence);
  if (const IoResult written = WriteFileAtomically(directory_ / name, EncodeReplay(replay)); !written) return written;
  if (makeRoom) MakeRoom();
  return IoResult::Success();
}

std::vector<ReplayShelf::Entry> ReplayShelf::List() const {
  std::vector<Entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(directory_, error); !error && it != fs::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    const std::string name = it->path().filename().string();
    if (!it->is_regular_file(typeError) || name.starts_with(".") || !EndsWith(name, kExtension)) continue;
    entries.push_back({name, EndsWith(name, KeptEnd())});
  }
  // The names begin with the date and time.
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.file > b.file; });
  return entries;
}

void ReplayShelf::MakeRoom() const {
  const std::vector<Entry> entries = List();
  for (std::size_t i = kNewestKept; i < entries.size(); ++i) {
    if (!entries[i].kept) Remove(entries[i].file);
  }
}

IoResult ReplayShelf::Read(const std::string& file, Replay& replay) const {
  return ReadReplayFile(directory_ / file, replay);
}

IoResult ReplayShelf::SetKept(std::string& file, bool kept) const {
  const std::string keptEnd = KeptEnd();
  const bool isKept = EndsWith(file, keptEnd);
  if (isKept == kept) return IoResult::Success();
  const std::string stem = file.substr(0, file.size() - (isKept ? keptEnd : std::string(kExtension)).size());
  const std::string renamed = stem + (kept ? keptEnd : std::string(kExtension));
  std::error_code error;
  if (fs::exists(directory_ / renamed, error)) return IoResult::Failure(Quoted(renamed) + " is there already");
  fs::rename(directory_ / file, directory_ / renamed, error);
  if (error) return FileFailure(file, "renamed", error);
  file = renamed;
  return IoResult::Success();
}

IoResult ReplayShelf::Remove(const std::string& file) const {
  std::error_code error;
  if (!fs::remove(directory_ / file, error) && error) return FileFailure(file, "deleted", error);
  return IoResult::Success();
}

}  // namespace fl3
