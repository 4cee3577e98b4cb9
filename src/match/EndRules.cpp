#include "match/EndRules.h"

namespace fl3 {
namespace {

FrameOutcome Running() { return {}; }
FrameOutcome NoWinner() { return {MatchEnd::NoWinner, -1, 0}; }
FrameOutcome WinnerIs(int figure) { return {MatchEnd::Winner, figure, 0}; }

const Character& FigureAt(const GameState& state, int i) { return state.Characters[static_cast<std::size_t>(i)]; }

FrameOutcome LastFigureStanding(const GameState& state, int& candidate) {
  int outOfPlay = 0;
  for (int i = 0; i < FigureCount; ++i) {
    if (FigureAt(state, i).InPlay()) {
      candidate = i;
    } else {
      ++outOfPlay;
    }
  }
  if (outOfPlay == FigureCount) return NoWinner();
  if (outOfPlay == FigureCount - 1) return WinnerIs(candidate);
  return Running();
}

// Highest count wins; a tie among figures in play has no winner. Figures out
// of play keep whatever count they hold and take no part.
FrameOutcome HighestCount(const GameState& state, int& candidate) {
  if (state.TimeLeft > 0) return Running();
  std::int32_t best = 0;
  candidate = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const Character& figure = FigureAt(state, i);
    if (figure.InPlay() && figure.Lives > best) {
      candidate = i;
      best = figure.Lives;
    }
  }
  for (int i = 0; i < FigureCount; ++i) {
    const Character& figure = FigureAt(state, i);
    if (i != candidate && figure.InPlay() && figure.Lives == best) return NoWinner();
  }
  // Nobody in play above 0 and figure 0 itself out of play: there is no
  // figure to show.
  if (!FigureAt(state, candidate).InPlay()) return NoWinner();
  return WinnerIs(candidate);
}

}  // namespace

FrameOutcome CheckMatchEnd(const GameState& state, int& candidate) {
  if (state.MatchKind == MatchNormal) return LastFigureStanding(state, candidate);
  if (state.MatchKind == MatchMostKills || state.MatchKind == MatchMostLives) return HighestCount(state, candidate);
  return Running();
}

}  // namespace fl3
