#include "net/FigureSmoother.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "match/ControlFrame.h"
#include "match/StatusDrawing.h"

namespace fl3::net {
namespace {

constexpr float kCell = kCellSize;
constexpr double kTieSlackPixels = 0.5;
constexpr double kWalkPixelsPerFrame = kStepPixels;
// A prediction walks a figure at most the rollback window away from its path.
constexpr double kFarthestAwayPixels = (FigureSmoother::kTrail + 1) * kWalkPixelsPerFrame;
constexpr double kBlastStepPixels = 2.0;         // how finely a figure is moved through a blast
constexpr double kBlastPixelsPerDrawing = 16.0;  // half a cell

FigurePlace Plus(FigurePlace a, FigurePlace b) { return {a.x + b.x, a.y + b.y}; }
FigurePlace Minus(FigurePlace a, FigurePlace b) { return {a.x - b.x, a.y - b.y}; }
double Length(FigurePlace a) { return std::hypot(a.x, a.y); }

struct Cell {
  std::int32_t x, y;
  friend bool operator==(const Cell&, const Cell&) = default;
};

// The cell a figure's picture stands in: the one it is nearer to.
Cell CellOf(FigurePlace place) {
  return {static_cast<std::int32_t>(std::floor((place.x + kCell / 2) / kCell)),
          static_cast<std::int32_t>(std::floor((place.y + kCell + kCell / 2) / kCell))};
}

bool Burning(const MatchSnapshot& state, Cell cell) {
  if (!OnMap(cell.x, cell.y)) return false;
  const std::int32_t code = state.tiles[static_cast<std::size_t>(CellIndex(cell.x, cell.y))];
  return code >= CellFireHorizontal && code <= CellFireCentre;
}

}  // namespace

FigurePlace FigureSmoother::Path::At(double lag) const {
  if (length <= 0) return {};
  lag = std::clamp(lag, 0.0, static_cast<double>(length - 1));
  const int k = static_cast<int>(lag);
  if (k + 1 >= length) return at[static_cast<std::size_t>(k)];
  const auto t = static_cast<float>(lag - k);
  const FigurePlace a = at[static_cast<std::size_t>(k)], b = at[static_cast<std::size_t>(k + 1)];
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

bool FigureSmoother::Path::SameAs(const Path& older) const {
  const int from = std::max(newest - length + 1, older.newest - older.length + 1);
  for (int frame = from; frame <= std::min(newest, older.newest); ++frame) {
    if (!(at[static_cast<std::size_t>(newest - frame)] == older.at[static_cast<std::size_t>(older.newest - frame)])) return false;
  }
  return true;
}

// A path ends where the figure left the field or came back to it: it never walked that way.
FigureSmoother::Path FigureSmoother::PathOf(const RollbackRunner& runner, int figure) {
  Path path;
  path.newest = runner.Current() - 1;
  for (int k = 0; k <= kTrail; ++k) {
    const MatchSnapshot* state = runner.StateAfter(path.newest - k);
    if (state == nullptr) break;
    const FigurePlace place = FigurePicturePlace(state->figures[static_cast<std::size_t>(figure)]);
    if (k > 0 && Length(Minus(place, path.at[static_cast<std::size_t>(k - 1)])) > kCell) break;
    path.at[static_cast<std::size_t>(k)] = place;
    path.length = k + 1;
  }
  return path;
}

// The point of the path nearest to `place`; of points about as near, the newest.
double FigureSmoother::NearestLag(const Path& path, FigurePlace place) {
  double best = std::numeric_limits<double>::max(), bestLag = 0;
  if (path.length == 1) return 0;
  for (int k = 0; k + 1 < path.length; ++k) {
    const FigurePlace a = path.at[static_cast<std::size_t>(k)];
    const FigurePlace d = Minus(path.at[static_cast<std::size_t>(k + 1)], a);
    const double squared = double{d.x} * d.x + double{d.y} * d.y;
    const FigurePlace toPlace = Minus(place, a);
    const double t = squared > 0 ? std::clamp((double{toPlace.x} * d.x + double{toPlace.y} * d.y) / squared, 0.0, 1.0) : 0.0;
    const double distance = Length(Minus(place, path.At(k + t)));
    if (distance < best - kTieSlackPixels) best = distance, bestLag = k + t;
  }
  return bestLag;
}

// Back onto the path first, then along it: a corner is never cut.
void FigureSmoother::CatchUp(Figure& figure, std::int64_t elapsedMs) {
  const double away = Length(figure.away), back = kBackPixelsPerMs * static_cast<double>(elapsedMs);
  if (away > back) {
    const auto keep = static_cast<float>((away - back) / away);
    figure.away = {figure.away.x * keep, figure.away.y * keep};
    return;
  }
  figure.away = {};
  const double frames = (back - away) / kBackPixelsPerMs / ControlFrame::kNetworkFrameMs;
  figure.lag = std::max(0.0, figure.lag - frames * kCatchUpRate);
}

// A blast in a cell where the match does not have the figure now: the
// figure crossed it before the fire came, or only the prediction had it
// there. Back to its path and along it, it runs out at half a cell a drawing.
void FigureSmoother::LeaveBlasts(Figure& figure, const MatchSnapshot& now, const Character& truth) {
  const Cell truthCell{truth.X, truth.Y}, truthPicture = CellOf(figure.path.At(0));
  const auto burnsElsewhere = [&](Cell cell) { return Burning(now, cell) && !(cell == truthCell) && !(cell == truthPicture); };
  const auto drawnCell = [&figure] { return CellOf(Plus(figure.path.At(figure.lag), figure.away)); };
  for (double moved = 0; moved < kBlastPixelsPerDrawing && burnsElsewhere(drawnCell()); moved += kBlastStepPixels) {
    const double away = Length(figure.away);
    if (away > 0) {
      const auto keep = static_cast<float>(std::max(0.0, away - kBlastStepPixels) / away);
      figure.away = {figure.away.x * keep, figure.away.y * keep};
    } else if (figure.lag > 0) {
      figure.lag = std::max(0.0, figure.lag - kBlastStepPixels / kWalkPixelsPerFrame);
    } else {
      return;
    }
  }
}

void FigureSmoother::Follow(const RollbackRunner& runner, std::uint8_t own, std::int64_t nowMs) {
  const std::int64_t elapsed = followed_ ? std::clamp<std::int64_t>(nowMs - lastMs_, 0, 1000) : 0;
  const MatchSnapshot* now = runner.StateAfter(runner.Current() - 1);
  for (int i = 0; i < FigureCount; ++i) {
    Figure& figure = figures_[static_cast<std::size_t>(i)];
    const Path path = PathOf(runner, i);
    const bool mine = (own >> i & 1u) != 0;
    if (mine || !followed_ || path.length == 0) {
      figure.lag = 0;
      figure.away = {};
    } else if (!path.SameAs(figure.path)) {
      // A correction: go on from where the figure was drawn, unless no
      // step could bring it back (the prediction had it fall, or come back).
      figure.lag = NearestLag(path, figure.drawn);
      figure.away = Minus(figure.drawn, path.At(figure.lag));
      if (Length(figure.away) > kFarthestAwayPixels) figure.lag = 0, figure.away = {};
    }
    figure.path = path;
    figure.lag = std::min(figure.lag, static_cast<double>(std::max(0, path.length - 1)));
    CatchUp(figure, elapsed);
    if (now != nullptr && !mine) LeaveBlasts(figure, *now, now->figures[static_cast<std::size_t>(i)]);
    figure.drawn = Plus(path.At(figure.lag), figure.away);
  }
  followed_ = true;
  lastMs_ = nowMs;
}

void FigureSmoother::Place(DrawList& draws) const {
  if (!followed_) return;
  for (std::size_t k = 0; k < draws.Size(); ++k) {
    SpriteDraw& draw = draws.At(k);
    const int figure = draw.picture.index;
    // The portraits in the panels are one cell high.
    if (draw.picture.kind != PictureKind::Character || draw.height != 2 * kCell || figure < 0 || figure >= FigureCount) continue;
    const Figure& followed = figures_[static_cast<std::size_t>(figure)];
    if (followed.path.length == 0) continue;
    const FigurePlace drawn = followed.drawn;
    draw.x = drawn.x;
    draw.y = drawn.y;
  }
}

bool FigureSmoother::CatchingUp() const {
  return std::any_of(figures_.begin(), figures_.end(),
                     [](const Figure& figure) { return figure.lag > 0 || figure.away.x != 0 || figure.away.y != 0; });
}

}  // namespace fl3::net
