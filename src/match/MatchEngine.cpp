#include "match/BombPass.h"
#include "match/EndRules.h"
#include "match/FigureWalk.h"
#include "match/MatchDrawing.h"
#include "match/MatchFrame.h"
#include "match/MatchKeys.h"
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
  FrameEvents events;
  frameKeys_ = keys;
  const bool escape = ReadMatchKeys(state_, frameKeys_, sources_);
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

}  // namespace fl3
