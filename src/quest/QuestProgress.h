#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/IoResult.h"
#include "quest/QuestRun.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kQuestProgressFileName = "QUESTS.SAV";

// What is kept of one quest between runs.
struct QuestRecord {
  int reached = 1;            // the furthest stage opened, from 1
  bool finished = false;      // every stage won
  int bestStages = 0;         // most stages won in one run
  std::int64_t bestMs = 0;    // the game time of those stages
  std::vector<std::int64_t> stageBestMs;  // fastest win of each stage; 0: not won yet
  friend bool operator==(const QuestRecord&, const QuestRecord&) = default;
};

// Progress and best results of every quest played, by the quest's key.
struct QuestProgress {
  std::map<std::string, QuestRecord> records;

  // A quest file's key, and a Normal Quest's (one per level, "~Random" too).
  static std::string FileKey(std::string_view fileName);
  static std::string LevelKey(std::string_view levelEntry);

  // The record of a quest of that many stages (a fresh one when none is kept;
  // a kept one fitted to the stages the quest has now).
  QuestRecord Get(const std::string& key, int stageCount) const;
  // After every stage of a run: the furthest stage and the best results.
  void Note(const std::string& key, const QuestRun& run);

  friend bool operator==(const QuestProgress&, const QuestProgress&) = default;
};

// The file's text (JSON with a format version) and its strict reader.
std::string EncodeQuestProgress(const QuestProgress& progress);
IoResult DecodeQuestProgress(std::string_view text, QuestProgress& progress);

// Reads QUESTS.SAV from the player's folder. A damaged file is renamed aside
// (QUESTS.SAV.damaged, numbered when that name is taken) and `report` tells
// so; progress then starts afresh. A missing file is no damage.
QuestProgress LoadQuestProgress(const GameFolder& folder, std::string& report);
// Written as a temporary file and renamed.
IoResult SaveQuestProgress(const GameFolder& folder, const QuestProgress& progress);

}  // namespace fl3
