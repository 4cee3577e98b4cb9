#include "match/Damage.h"

#include "match/WholeNumbers.h"

namespace fl3 {

void Hurt(GameState& state, int figureIndex, int by, std::int32_t pain) {
  Character& figure = state.Characters[static_cast<std::size_t>(figureIndex)];
  if (state.MatchKind != MatchMostKills) {
    figure.Lives = AddClamped(figure.Lives, -static_cast<std::int64_t>(pain));
    if (figure.Lives <= 0) Die(figure);
    return;
  }
  if (by < 0 || by >= FigureCount) return;
  Character& bomber = state.Characters[static_cast<std::size_t>(by)];
  // Standing on the bomber's cell counts against the bomber: its own bomb,
  // or a victim it shared the cell with.
  const bool sameCell = figure.X == bomber.X && figure.Y == bomber.Y;
  bomber.Lives = AddClamped(bomber.Lives, sameCell ? -1 : 1);
}

void Die(Character& figure) {
  figure.X = OffMapPos;
  figure.Y = OffMapPos;
  figure.Cont = ContOff;
  figure.Lives = 0;
}

}  // namespace fl3
