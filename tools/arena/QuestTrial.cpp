#include "QuestTrial.h"

#include <memory>

#include "ai/ComputerSeats.h"
#include "match/MatchFrame.h"
#include "quest/StageReferee.h"

namespace fl3::arena {
namespace {

constexpr std::int32_t kFrameMs = 51;
// A stage still undecided after ten minutes of game time counts as not won.
constexpr int kMaxFrames = 600'000 / kFrameMs;

StageVerdict PlayStage(const QuestStage& stage, const LevelData& level, const QuestTrialOptions& options,
                       std::uint64_t seed) {
  auto state = std::make_unique<GameState>();
  ApplyLevelToState(level, *state);
  const StageSeats seats = SeatStage(stage, options.players, {0, 1});
  PrepareStage(stage, seats, *state);
  std::array<CpuStrength, FigureCount> strengths = SeatStrengths(seats);
  for (std::size_t i = 0; i < seats.size(); ++i) {
    if (seats[i].role != SeatRole::Player) continue;
    state->Characters[i].Cont = ContCpu;  // the seat, not the controller, makes it a player's
    strengths[i] = options.standIn;
  }
  MatchEngine engine(*state, level.BackgroundNumber);
  const ComputerSeats computers(*state, strengths, seed);
  computers.SeatOn(engine);
  StageReferee referee(stage, seats, *state);
  const KeyState noKeys{};
  for (int frame = 0; frame < kMaxFrames; ++frame) {
    const FrameOutcome outcome = engine.RunFrame(kFrameMs, noKeys, nullptr);
    // The Escape the game would send next changes nothing of the verdict.
    if (referee.AfterFrame(*state, outcome) || outcome.end != MatchEnd::Running) break;
  }
  return referee.Verdict();
}

double Share(long long part, long long whole) { return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole); }

// The win share over a run of stages, [first, last).
double ShareOf(const std::vector<long long>& wins, std::size_t first, std::size_t last, long long matches) {
  long long won = 0;
  for (std::size_t i = first; i < last; ++i) won += wins[i];
  return Share(won, matches * static_cast<long long>(last - first));
}

}  // namespace

nlohmann::json RunQuestTrial(const Quest& quest, const TrialLevels& levels, const QuestTrialOptions& options) {
  nlohmann::json stages = nlohmann::json::array();
  std::vector<long long> wins;
  for (std::size_t s = 0; s < quest.stages.size(); ++s) {
    const QuestStage& stage = quest.stages[s];
    const LevelData level = levels(stage.level);
    long long won = 0, lost = 0, draws = 0;
    for (long long m = 0; m < options.matches; ++m) {
      const std::uint64_t seed = options.seed * 1'000'003 + s * 10'007 + static_cast<std::uint64_t>(m);
      const StageVerdict verdict = PlayStage(stage, level, options, seed);
      won += verdict == StageVerdict::Won;
      lost += verdict == StageVerdict::Lost;
      draws += verdict == StageVerdict::Draw;
    }
    wins.push_back(won);
    nlohmann::json opponents = nlohmann::json::array();
    for (const QuestOpponent& opponent : stage.opponents) opponents.push_back(StrengthName(opponent.strength));
    stages.push_back({{"stage", s + 1}, {"level", stage.level}, {"rule", RuleName(stage.rule)},
                      {"opponents", opponents}, {"won", won}, {"lost", lost}, {"draws", draws},
                      {"undecided", options.matches - won - lost - draws},
                      {"win_share", Share(won, options.matches)}});
  }
  const std::size_t quarter = std::max<std::size_t>(1, wins.size() / 4);
  return {{"quest", quest.name},
          {"file", options.questName},
          {"stand_in", "cpu:" + std::to_string(static_cast<int>(options.standIn))},
          {"players", options.players},
          {"matches_per_stage", options.matches},
          {"seed", options.seed},
          {"stages", stages},
          {"first_quarter_win_share", ShareOf(wins, 0, quarter, options.matches)},
          {"last_quarter_win_share", ShareOf(wins, wins.size() - quarter, wins.size(), options.matches)}};
}

}  // namespace fl3::arena
