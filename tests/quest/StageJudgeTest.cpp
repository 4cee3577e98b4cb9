// The stage judge and its referee: allies win and lose together, each rule's
// win, loss and draw, the players' kills, and a stage ended by Escape that
// replays exactly.
#include <gtest/gtest.h>

#include "MatchTestKit.h"
#include "match/MatchFrame.h"
#include "quest/StageReferee.h"
#include "replay/ReplayPlayback.h"

namespace fl3::testing {
namespace {

constexpr std::int32_t kOut = -1;  // a figure that left play: Cont OFF, 0 lives

using W = StageVerdict;

StageSeats Seats(int players, int opponents) {
  QuestStage stage;
  stage.lives = 3;
  stage.opponents.assign(static_cast<std::size_t>(opponents), QuestOpponent{});
  return SeatStage(stage, players, {0, 1});
}

TEST(StageJudge, AlliesWinAndLoseTogetherAndEachRuleHasItsWinLossAndDraw) {
  const struct {
    StageRule rule;
    std::int32_t kills;
    int players, opponents;
    std::array<std::int32_t, FigureCount> lives;  // kOut: out of play
    std::int32_t timeLeft;
    StageVerdict verdict;
    const char* fault;
  } rows[] = {
      {StageRule::DefeatAll, 0, 2, 2, {kOut, 1, kOut, kOut}, 0, W::Won, "only player 1 looked at"},
      {StageRule::DefeatAll, 0, 2, 2, {kOut, 2, 1, kOut}, 0, W::Playing, "lost once any player is out"},
      {StageRule::DefeatAll, 0, 2, 2, {kOut, kOut, kOut, 1}, 0, W::Lost, "players out, an opponent stands"},
      {StageRule::DefeatAll, 0, 1, 3, {2, kOut, kOut, 1}, 0, W::Playing, "the last opponent's seat skipped"},
      {StageRule::DefeatAll, 0, 1, 3, {kOut, kOut, kOut, kOut}, 0, W::Draw, "everybody out in one frame"},
      {StageRule::MostKills, 0, 2, 2, {2, 1, 2, 0}, 1, W::Playing, "judged before the time is up"},
      {StageRule::MostKills, 0, 2, 2, {2, 1, 2, 0}, 0, W::Won, "the allies' kills not added up"},
      {StageRule::MostKills, 0, 2, 2, {-1, 3, 2, 0}, -40, W::Draw, "own-fire minus not counted"},
      {StageRule::MostKills, 0, 1, 2, {2, 0, 3, kOut}, 0, W::Lost, "behind one of the opponents"},
      {StageRule::MostKills, 5, 2, 2, {3, 2, 9, 9}, 500, W::Won, "the kill goal missed by one"},
      {StageRule::MostKills, 5, 1, 1, {4, 0, kOut, kOut}, 0, W::Lost, "more than the opponent is not the goal"},
      {StageRule::Outlast, 0, 1, 3, {1, kOut, kOut, kOut}, 900, W::Won, "the last side standing waits for the time"},
      {StageRule::Outlast, 0, 2, 1, {kOut, kOut, 5, kOut}, 900, W::Lost, "the players out"},
      {StageRule::Outlast, 0, 2, 2, {1, 3, 3, 2}, 0, W::Won, "the allies' lives not added up"},
      {StageRule::Outlast, 0, 1, 2, {2, 3, 1, kOut}, 0, W::Lost, "behind the best opponent"},
      {StageRule::Outlast, 0, 1, 2, {3, 3, 1, kOut}, 0, W::Draw, "level with the best opponent"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    QuestStage stage;
    stage.rule = row.rule;
    stage.kills = row.kills;
    const StageSeats seats = Seats(row.players, row.opponents);
    GameState state;
    state.MatchKind = static_cast<std::int32_t>(row.rule);
    state.TimeLeft = row.timeLeft;
    for (std::size_t i = 0; i < seats.size(); ++i) {
      Character& figure = state.Characters[i];
      const bool out = row.lives[i] == kOut && row.rule != StageRule::MostKills;
      figure.Cont = seats[i].role == SeatRole::Empty || out ? ContOff : ContMan;
      // An empty seat keeps the 5 lives an earlier match left it: they count for nobody.
      figure.Lives = seats[i].role == SeatRole::Empty ? 5 : out ? 0 : row.lives[i];
    }
    EXPECT_EQ(JudgeStage(stage, seats, state), row.verdict);
  }
}

// Two players against one opponent on an open field, the opponent two cells
// from player 1 and in the reach of either's fire.
struct Stage {
  QuestStage stage;
  StageSeats seats = Seats(2, 1);
  GameState state;

  Stage() {
    MakeOpenField(state);
    PlaceFigure(state, 0, 1, 1).PowerFire = 3;
    PlaceFigure(state, 1, 20, 10);
    PlaceFigure(state, 2, 3, 1).Lives = 1;  // the opponent (its seat decides, not its controller)
    state.Characters[2].PowerFire = 3;
    state.MatchKind = MatchNormal;
  }
};

TEST(StageReferee, KillsAreThePlayersFireOnOpponentsAndAVerdictTheEngineWouldPlayOnEndsWithEscapeThatReplays) {
  const struct {
    int planter;
    std::int32_t kills;
    const char* fault;
  } rows[] = {{0, 1, "a player's blast on an opponent not counted"},
              {2, 0, "an opponent's own bomb counted for the players"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    Stage stage;
    ReplayRecorder recorder(CaptureMatchStart(stage.state, 0, -1, {0, 1, 2, 3}, "OPEN.FL3", 0));
    StageReferee referee(stage.stage, stage.seats, stage.state);
    MatchEngine engine(stage.state, -1);
    FrameOutcome outcome;
    bool escape = false;
    std::int64_t msUntilVerdict = 0;
    for (int frame = 0; frame < 200 && outcome.end == MatchEnd::Running; ++frame) {
      KeyState keys = frame == 0 ? Holding({{row.planter, Key::Plant}}) : KeyState{};
      keys[kEscapeKey] = escape ? 0x80 : 0;
      outcome = engine.RunFrame(51, keys, nullptr);
      recorder.AddFrame(engine.LastControls(), engine);
      if (referee.Verdict() == StageVerdict::Playing) msUntilVerdict += 51;
      escape = referee.AfterFrame(stage.state, outcome);
    }
    // Both players stand once the opponent is out: the engine alone would play on.
    EXPECT_EQ(referee.Verdict(), StageVerdict::Won);
    EXPECT_EQ(outcome.end, MatchEnd::Quit);
    EXPECT_EQ(referee.Tally().kills, row.kills);
    EXPECT_EQ(referee.Tally().ms, msUntilVerdict);  // the Escape frame is no part of the stage's time
    const Replay replay = recorder.Finish(outcome.end, outcome.winner, engine, 0);
    ASSERT_TRUE(replay.frames.back().escape);
    GameState watched;
    ReplayPlayback playback(watched, replay);
    EXPECT_EQ(playback.PlayThrough().differingFrame, -1);
    EXPECT_EQ(playback.MoveTo(playback.FrameCount(), nullptr).end, MatchEnd::Quit);
    EXPECT_EQ((std::array{watched.Characters[0].InPlay(), watched.Characters[1].InPlay(), watched.Characters[2].InPlay()}),
              (std::array{true, true, false}));
  }
}

}  // namespace
}  // namespace fl3::testing
