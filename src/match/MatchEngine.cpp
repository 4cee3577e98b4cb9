#include "match/BombPass.h"
#include "match/EndRules.h"
#include "match/FigureWalk.h"
#include "match/MatchDrawing.h"
#include "match/MatchFrame.h"
#include "match/MatchKeys.h"
#include "match/MatchSnapshot.h"
#include "match/WholeNumbers.h"

namespace fl3 {

MatchEngine::MatchEngine(GameState& state, std::int32_t backgroundNumber)
    : state_(state), backgroundNumber_(backgroundNumber) {
  sources_.fill(&keyboard_);
}

void MatchEngine::SetControlSource(int figure, FigureControlSource* source) {
  if (figure >= 0 && figure < FigureCount) sources_[static_cast<std::size_t>(figure)] = source;
}

void MatchEngine::PrepareFigures() {
  for (Character& figure : state_.Characters) {
    if (figure.InPlay()) Prepare(figure, state_.FrameTime);
  }
}

void MatchEngine::CountTimeDown(DrawList* draw) {
  if (state_.MatchKind != MatchMostKills && state_.MatchKind != MatchMostLives) return;
  state_.TimeLeft = AddClamped(state_.TimeLeft, -static_cast<std::int64_t>(state_.FrameTime));
  if (draw) DrawTime(*draw, state_.TimeLeft);
}

FrameOutcome MatchEngine::RunFrame(std::int32_t frameTimeMs, const KeyState& keys, DrawList* draw) {
  if (draw) draw->Clear();
  if (ended_) return {last_.end, last_.winner, 0};
  state_.FrameTime = frameTimeMs;
  frameKeys_ = keys;
  return RunFrameWith(sources_, frameKeys_, draw);
}

FrameOutcome MatchEngine::RunFrame(const ControlFrame& frame, DrawList* draw) {
  if (draw) draw->Clear();
  if (ended_) return {last_.end, last_.winner, 0};
  state_.FrameTime = frame.frameTimeMs;
  frameKeys_.fill(0);
  if (frame.escape) frameKeys_[kEscapeKey] = 0x80;
  RecordedControls recorded(frame);
  FigureControlSources sources;
  sources.fill(&recorded);
  return RunFrameWith(sources, frameKeys_, draw);
}

FrameOutcome MatchEngine::RunFrameWith(const FigureControlSources& sources, const KeyState& keys, DrawList* draw) {
  FrameEvents events;
  const bool escape = ReadMatchKeys(state_, keys, sources, applied_);
  applied_.frameTimeMs = state_.FrameTime;
  RunBombPass(state_, events);
  if (draw) DrawMap(*draw, state_, backgroundNumber_);
  PrepareFigures();
  if (draw) {
    DrawFigures(*draw, state_);
    DrawStatusPanels(*draw, state_);
  }
  CountTimeDown(draw);

  FrameOutcome outcome = CheckMatchEnd(state_, candidate_);
  if (outcome.end == MatchEnd::Winner && draw) DrawWinner(*draw, outcome.winner);
  // Escape lets the frame finish; the end rules still have their say.
  if (outcome.end == MatchEnd::Running && escape) outcome.end = MatchEnd::Quit;
  outcome.beeps = events.beeps;
  ended_ = outcome.end != MatchEnd::Running;
  last_ = outcome;
  return outcome;
}

void MatchEngine::Save(MatchSnapshot& snapshot) const {
  snapshot.figures = state_.Characters;
  snapshot.tiles = state_.TileMap;
  snapshot.items = state_.ItemMap;
  snapshot.bombs.assign(state_.Bombs.begin(), state_.Bombs.end());
  snapshot.levelMusic = state_.LevelMusic;
  snapshot.matchKind = state_.MatchKind;
  snapshot.timeLeft = state_.TimeLeft;
  snapshot.frameTime = state_.FrameTime;
  snapshot.random = state_.Random.State();
  snapshot.candidate = candidate_;
  snapshot.ended = ended_;
  snapshot.last = last_;
}

void MatchEngine::Restore(const MatchSnapshot& snapshot) {
  for (std::size_t i = 0; i < state_.Characters.size(); ++i) {
    // Each machine keeps its own keys; a snapshot from elsewhere brings others'.
    const KeyLayout keys = state_.Characters[i].Keys;
    state_.Characters[i] = snapshot.figures[i];
    state_.Characters[i].Keys = keys;
  }
  state_.TileMap = snapshot.tiles;
  state_.ItemMap = snapshot.items;
  state_.Bombs.Assign(snapshot.bombs);
  state_.LevelMusic = snapshot.levelMusic;
  state_.MatchKind = snapshot.matchKind;
  state_.TimeLeft = snapshot.timeLeft;
  state_.FrameTime = snapshot.frameTime;
  state_.Random.SetState(snapshot.random);
  candidate_ = snapshot.candidate;
  ended_ = snapshot.ended;
  last_ = snapshot.last;
}

}  // namespace fl3
