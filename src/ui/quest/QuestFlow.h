#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/GameState.h"
#include "match/MatchFrame.h"
#include "quest/QuestProgress.h"
#include "ui/quest/QuestScreens.h"
#include "ui/start/StartCharacterSheet.h"
#include "ui/start/StartMatchPreparation.h"

namespace fl3 {

class GameFolder;
class Messages;

// One stage's match, set up in the shared state, and what the game adds to
// an ordinary match for it.
struct QuestMatch {
  std::int32_t tileSetNumber = 0;
  std::int32_t backgroundNumber = -1;
  std::array<std::int32_t, FigureCount> characters{};
  std::string levelName;
  std::array<CpuStrength, FigureCount> strengths{};
  // Sees every frame; true: end the match with Escape (MatchLoop::Hooks).
  std::function<bool(const FrameOutcome&)> afterFrame;
  std::function<std::string()> occasion;  // for the replay, once the match is over
  std::array<std::string, FigureCount> names;
};

// A quest from its first window to its last: the chooser, then stage card,
// match and result stage after stage, the summary at the end, with tries,
// progress kept in QUESTS.SAV and Escape asking whether to leave.
class QuestFlow {
 public:
  // Plays the match and returns when it is over and torn down.
  using RunMatch = std::function<void(const QuestMatch& match)>;

  QuestFlow(GameState& state, const GameFolder& folder, Messages& messages, QuestScreens& screens, RunMatch runMatch);

  void Play(const QuestStartChoices& choices);
  // One stage tried from the quest editor: its card, its match and its
  // result, with the quest's full tries shown and nothing kept.
  void TryStage(const Quest& quest, int stage, const QuestStartChoices& choices);

 private:
  struct StagePlay {
    StageVerdict verdict;
    StageTally tally;
  };

  void PlayGameQuest(const QuestStartChoices& choices);
  void PlayNormalQuest(const QuestStartChoices& choices);
  std::optional<Quest> MakeNormal(const QuestStartChoices& choices);
  void Run(const Quest& quest, const std::string& key, int firstStage, const QuestStartChoices& choices,
           const std::vector<UnplayableStage>& passedOver = {});
  bool PassedOver(QuestRun& run, const std::vector<UnplayableStage>& passedOver);
  StageSeats Seat(const QuestStage& stage, const QuestStartChoices& choices) const;
  std::optional<StagePlay> PlayStage(const Quest& quest, int stage, const StageSeats& seats);
  bool CanSeat(const QuestStage& stage, const StageSeats& seats);
  bool AskToLeave();
  QuestProgress& Progress();
  void Keep(const std::string& key, const QuestRun& run);

  GameState& state_;
  const GameFolder& folder_;
  Messages& messages_;
  QuestScreens& screens_;
  RunMatch runMatch_;
  StartCharacterSheet sheet_;
  std::optional<QuestProgress> progress_;  // read once a run of the game
  bool saveFailureTold_ = false;
};

}  // namespace fl3
