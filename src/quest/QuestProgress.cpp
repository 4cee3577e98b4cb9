#include "quest/QuestProgress.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include <nlohmann/json.hpp>

#include "core/FileAccess.h"
#include "core/GameFolder.h"

namespace fl3 {
namespace {

using Json = nlohmann::json;

constexpr std::int32_t kProgressFormat = 1;
constexpr std::size_t kMaxProgressBytes = 1u << 20;
constexpr std::size_t kMaxKeyBytes = 300;
constexpr std::int64_t kMaxMs = 1'000'000'000'000;  // far beyond any quest
constexpr int kMaxStages = static_cast<int>(quest_limits::kMaxStages);
constexpr int kSetAsideNames = 100;

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  return upper;
}

void Fit(QuestRecord& record, int stageCount) {
  const int stages = std::max(1, stageCount);
  record.reached = std::clamp(record.reached, 1, stages);
  record.bestStages = std::min(record.bestStages, stages);
  record.stageBestMs.resize(static_cast<std::size_t>(stages), 0);
}

bool Whole(const Json& json, const char* key, std::int64_t low, std::int64_t high, std::int64_t& out) {
  const auto found = json.find(key);
  if (found == json.end() || !found->is_number_integer()) return false;
  if (found->is_number_unsigned() && found->get<std::uint64_t>() > static_cast<std::uint64_t>(high)) return false;
  out = found->get<std::int64_t>();
  return out >= low && out <= high;
}

bool ReadRecord(const Json& json, QuestRecord& record) {
  if (!json.is_object() || json.size() != 5) return false;
  std::int64_t reached = 0, bestStages = 0;
  const auto finished = json.find("finished");
  const auto stageBest = json.find("stage_best_ms");
  if (!Whole(json, "reached", 1, kMaxStages, reached) || !Whole(json, "best_stages", 0, kMaxStages, bestStages) ||
      !Whole(json, "best_ms", 0, kMaxMs, record.bestMs) || finished == json.end() || !finished->is_boolean() ||
      stageBest == json.end() || !stageBest->is_array() || stageBest->size() > quest_limits::kMaxStages) {
    return false;
  }
  record.reached = static_cast<int>(reached);
  record.bestStages = static_cast<int>(bestStages);
  record.finished = finished->get<bool>();
  for (const Json& ms : *stageBest) {
    if (!ms.is_number_integer() || ms.get<std::int64_t>() < 0 || ms.get<std::int64_t>() > kMaxMs) return false;
    record.stageBestMs.push_back(ms.get<std::int64_t>());
  }
  return true;
}

// The first free name beside the file: QUESTS.SAV.damaged, then -2, -3, ...
std::filesystem::path SetAsideName(const std::filesystem::path& file) {
  const std::filesystem::path first = file.string() + ".damaged";
  std::filesystem::path name = first;
  std::error_code error;
  for (int n = 2; n <= kSetAsideNames && std::filesystem::exists(name, error); ++n) {
    name = first.string() + "-" + std::to_string(n);
  }
  return name;
}

}  // namespace

std::string QuestProgress::FileKey(std::string_view fileName) { return "quest:" + Upper(fileName); }
std::string QuestProgress::LevelKey(std::string_view levelEntry) { return "level:" + Upper(levelEntry); }

QuestRecord QuestProgress::Get(const std::string& key, int stageCount) const {
  const auto found = records.find(key);
  QuestRecord record = found == records.end() ? QuestRecord{} : found->second;
  Fit(record, stageCount);
  return record;
}

void QuestProgress::Note(const std::string& key, const QuestRun& run) {
  QuestRecord record = Get(key, run.StageCount());
  record.reached = std::max(record.reached, run.Stage() + 1);
  record.finished |= run.Finished();
  for (const StagePlayed& played : run.Played()) {
    std::int64_t& best = record.stageBestMs[static_cast<std::size_t>(played.stage)];
    if (played.verdict == StageVerdict::Won && (best == 0 || played.tally.ms < best)) best = played.tally.ms;
  }
  const int won = run.StagesWon();
  if (won > record.bestStages || (won > 0 && won == record.bestStages && run.WonMs() < record.bestMs)) {
    record.bestStages = won;
    record.bestMs = run.WonMs();
  }
  records[key] = record;
}

std::string EncodeQuestProgress(const QuestProgress& progress) {
  Json quests = Json::object();
  for (const auto& [key, record] : progress.records) {
    quests[key] = {{"reached", record.reached},
                   {"finished", record.finished},
                   {"best_stages", record.bestStages},
                   {"best_ms", record.bestMs},
                   {"stage_best_ms", record.stageBestMs}};
  }
  const Json json = {{"format", kProgressFormat}, {"quests", quests}};
  return json.dump(1, ' ', false, Json::error_handler_t::replace) + "\n";
}

IoResult DecodeQuestProgress(std::string_view text, QuestProgress& progress) {
  const IoResult damaged = IoResult::Failure("it is damaged");
  if (text.size() > kMaxProgressBytes) return damaged;
  const Json json = Json::parse(text.begin(), text.end(), nullptr, false);
  std::int64_t format = 0;
  if (json.is_discarded() || !json.is_object() || json.size() != 2 || !Whole(json, "format", 0, kMaxMs, format)) {
    return damaged;
  }
  if (format != kProgressFormat) return IoResult::Failure("it was written by another version of the game");
  const auto quests = json.find("quests");
  if (quests == json.end() || !quests->is_object()) return damaged;
  QuestProgress read;
  for (const auto& item : quests->items()) {
    QuestRecord record;
    if (item.key().empty() || item.key().size() > kMaxKeyBytes || !ReadRecord(item.value(), record)) return damaged;
    read.records[item.key()] = record;
  }
  progress = std::move(read);
  return IoResult::Success();
}

QuestProgress LoadQuestProgress(const GameFolder& folder, std::string& report) {
  report.clear();
  QuestProgress progress;
  const auto path = folder.Find(kQuestProgressFileName);
  if (!path) return progress;
  std::string text;
  IoResult read = ReadFileStart(*path, kMaxProgressBytes + 1, text);
  if (read) read = DecodeQuestProgress(text, progress);
  if (read) return progress;
  // Set aside, so that the next save does not write over what may still be mended.
  const std::filesystem::path aside = SetAsideName(*path);
  std::error_code error;
  std::filesystem::rename(*path, aside, error);
  report = "The quests' progress in " + path->string() + " could not be read (" + read.reason + "). " +
           (error ? "It could not be set aside either (" + error.message() + ")."
                  : "It was set aside as " + aside.filename().string() + ".") +
           " Every quest starts from its first stage.";
  return {};
}

IoResult SaveQuestProgress(const GameFolder& folder, const QuestProgress& progress) {
  return folder.WriteAtomically(kQuestProgressFileName, EncodeQuestProgress(progress));
}

}  // namespace fl3
