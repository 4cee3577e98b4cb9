#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/LevelFile.h"
#include "quest/QuestList.h"
#include "quest/QuestProgress.h"
#include "quest/QuestRun.h"
#include "quest/StageSeats.h"

namespace fl3 {

// A quest in the chooser, with what is kept of it.
struct QuestChoiceEntry {
  QuestListEntry file;
  QuestRecord record;
};

struct QuestChoice {
  std::size_t entry = 0;
  bool fromStart = false;  // else: "Continue" at the furthest stage reached
};

struct StageCardInfo {
  const Quest& quest;
  int stage;
  std::int32_t triesLeft;
  const StageSeats& seats;
  const LevelData& level;  // for its picture
};

struct StageResultInfo {
  const Quest& quest;
  int stage;
  StageVerdict verdict;
  StageTally tally;
  std::int32_t triesLeft;
};

struct QuestSummaryInfo {
  const Quest& quest;
  const QuestRun& run;
  const QuestRecord& record;  // the best results kept
};

// The quest's windows, each shown until the player goes on: the game's
// dialogs, or a script in tests.
class QuestScreens {
 public:
  virtual ~QuestScreens() = default;
  // The chooser; nothing when it is closed.
  virtual std::optional<QuestChoice> Choose(const std::vector<QuestChoiceEntry>& quests) = 0;
  // False when the player pressed Escape instead of going on.
  virtual bool ShowCard(const StageCardInfo& card) = 0;
  virtual bool ShowResult(const StageResultInfo& result) = 0;
  virtual void ShowSummary(const QuestSummaryInfo& summary) = 0;
};

}  // namespace fl3
