#include "ArenaMatch.h"

#include <ctime>
#include <memory>

#include "BaselineBot.h"
#include "DodgerBot.h"
#include "HunterBot.h"
#include "ai/ComputerPlayer.h"
#include "match/FreshBlasts.h"
#include "match/MatchFrame.h"

namespace fl3::arena {
namespace {

// Who was standing where and with how many lives before a frame, and which
// bombs had not gone off yet: enough to tell afterwards whose fire hurt whom.
struct BeforeFrame {
  std::array<Character, FigureCount> figures{};
  FreshBlasts blasts;
};

void Remember(const GameState& state, BeforeFrame& before) {
  before.figures = state.Characters;
  before.blasts.Remember(state);
}

void CountLosses(const GameState& state, const BeforeFrame& before, ArenaMatchReport& report) {
  for (int i = 0; i < FigureCount; ++i) {
    const Character& was = before.figures[static_cast<std::size_t>(i)];
    if (!was.InPlay() || !OnMap(was.X, was.Y)) continue;
    int own = 0, others = 0;
    before.blasts.ForEachReaching(state, was.X, was.Y, [&](std::int32_t owner) { (owner == i ? own : others) += 1; });
    const Character& now = state.Characters[static_cast<std::size_t>(i)];
    // In Most Kills nobody loses lives; every blast that reaches a figure counts.
    std::int64_t lost = own + others;
    if (state.MatchKind != MatchMostKills) lost = now.InPlay() ? was.Lives - now.Lives : was.Lives;
    if (lost <= 0) continue;
    // Another's fire in the same frame would have cost the life alone, so such
    // a loss is theirs; only fire of the figure's own alone counts as own.
    const std::int64_t byOwn = own > 0 && others == 0 ? std::min<std::int64_t>(lost, own) : 0;
    report.ownFireLosses[static_cast<std::size_t>(i)] += byOwn;
    report.othersFireLosses[static_cast<std::size_t>(i)] += lost - byOwn;
  }
}

void SetUpFigures(GameState& state, const ArenaRules& rules, const std::array<int, FigureCount>& seatOfFigure,
                  const std::vector<Seat>& seats) {
  for (int i = 0; i < FigureCount; ++i) {
    Character& figure = state.Characters[static_cast<std::size_t>(i)];
    const int seat = seatOfFigure[static_cast<std::size_t>(i)];
    figure.Cont = seat >= 0 && seats[static_cast<std::size_t>(seat)].kind != Seat::Off ? ContCpu : ContOff;
    if (figure.Cont == ContOff) {
      figure.X = figure.Y = OffMapPos;
    } else {
      figure.Lives = rules.kind == MatchNormal ? rules.lives : (rules.kind == MatchMostKills ? 0 : 99);
    }
  }
  state.MatchKind = rules.kind;
  state.TimeLeft = rules.seconds * 1000;
}

}  // namespace

ArenaMatchReport PlayArenaMatch(const LevelData& level, const ArenaRules& rules, const std::vector<Seat>& seats,
                                const std::array<int, FigureCount>& seatOfFigure, std::uint64_t seed,
                                DecisionTimes& times) {
  auto state = std::make_unique<GameState>();
  ApplyLevelToState(level, *state);
  SetUpFigures(*state, rules, seatOfFigure, seats);

  MatchEngine engine(*state, level.BackgroundNumber);
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> players;
  std::array<std::unique_ptr<TimedSource>, FigureCount> timed;
  for (int i = 0; i < FigureCount; ++i) {
    const int seat = seatOfFigure[static_cast<std::size_t>(i)];
    if (seat < 0 || state->Characters[static_cast<std::size_t>(i)].Cont == ContOff) continue;
    const Seat& who = seats[static_cast<std::size_t>(seat)];
    const std::uint64_t figureSeed = seed * 4 + static_cast<std::uint64_t>(i) + 1;
    auto& player = players[static_cast<std::size_t>(i)];
    // Only the computer players are timed; a figure on `still` has no source and stands.
    if (who.kind == Seat::Computer) {
      player = std::make_unique<ComputerPlayer>(who.strength, figureSeed);
      timed[static_cast<std::size_t>(i)] = std::make_unique<TimedSource>(*player, times);
      engine.SetControlSource(i, timed[static_cast<std::size_t>(i)].get());
      continue;
    }
    if (who.kind == Seat::Baseline) player = std::make_unique<BaselineBot>(figureSeed);
    if (who.kind == Seat::Dodger) player = std::make_unique<DodgerBot>(figureSeed);
    if (who.kind == Seat::Hunter) player = std::make_unique<HunterBot>(figureSeed);
    engine.SetControlSource(i, player.get());
  }

  std::optional<ReplayRecorder> recorder;
  if (rules.recordReplays) {
    recorder.emplace(CaptureMatchStart(*state, level.TileSetNumber, level.BackgroundNumber, {0, 1, 2, 3}, "", seed));
  }
  ArenaMatchReport report;
  const auto finish = [&](const FrameOutcome& outcome) {
    if (recorder) report.replay = recorder->Finish(outcome.end, outcome.winner, engine, std::time(nullptr));
    return report;
  };
  const KeyState noKeys{};
  std::optional<RollbackCheck> rollback;
  if (rules.syncDepth > 0) rollback.emplace(engine, rules.syncDepth);
  BeforeFrame before;
  for (report.frames = 1; report.frames <= rules.maxFrames; ++report.frames) {
    Remember(*state, before);
    if (rollback) rollback->BeforeFrame();
    const FrameOutcome outcome = engine.RunFrame(rules.frameMs, noKeys, nullptr);
    if (recorder) recorder->AddFrame(engine.LastControls(), engine);
    // The match goes on from the frames played again.
    if (rollback && (report.mismatch = rollback->AfterFrame())) return report;
    CountLosses(*state, before, report);
    if (outcome.end == MatchEnd::Running) continue;
    if (outcome.end == MatchEnd::Winner) report.winnerSeat = seatOfFigure[static_cast<std::size_t>(outcome.winner)];
    return finish(outcome);
  }
  report.frames = rules.maxFrames;
  report.cutShort = true;
  return finish({});
}

}  // namespace fl3::arena
