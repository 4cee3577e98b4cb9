#pragma once
#include <array>
#include <cstdint>

#include "match/ControlFrame.h"
#include "match/DrawList.h"
#include "match/FigureWalk.h"
#include "match/MatchDrawing.h"
#include "net/RollbackRunner.h"

namespace fl3::net {

// Where other machines' figures are drawn, so that a correction never makes
// one jump. A corrected figure goes on from where it was drawn, along the
// path the corrected frames say it took, a little faster than it walks,
// until it is where the match has it: the correction shortens or lengthens
// a step. From a place the corrected frames never held (a step predicted
// too far) it walks back first. Out of a blast the match does not have it in
// it runs, half a cell a drawing. Only the picture changes; the match, its
// hashes and its sounds never do.
class FigureSmoother {
 public:
  static constexpr int kTrail = RollbackRunner::kWindow;  // frames of the corrected path a figure may be drawn behind
  // Frames of path made up per frame of time, on top of the walk itself.
  static constexpr double kCatchUpRate = 2.0;
  // Walking back from a place never held, in pixels a millisecond: as fast as a step.
  static constexpr double kBackPixelsPerMs = double{kStepPixels} / ControlFrame::kNetworkFrameMs;

  // The figures of `own` are drawn where the match has them; so is every
  // figure until it is followed for the first time.
  void Follow(const RollbackRunner& runner, std::uint8_t own, std::int64_t nowMs);
  // Moves the figures' pictures on the field in `draws` to where they are drawn.
  void Place(DrawList& draws) const;
  // Whether some figure is drawn away from where the match has it: its
  // picture then changes between frames.
  bool CatchingUp() const;
  FigurePlace Drawn(int figure) const { return figures_[static_cast<std::size_t>(figure)].drawn; }

 private:
  struct Path {
    std::array<FigurePlace, kTrail + 1> at{};  // at[k]: after frame `newest - k`
    int newest = -1;
    int length = 0;
    FigurePlace At(double lag) const;
    bool SameAs(const Path& older) const;  // over the frames both hold
  };
  struct Figure {
    Path path;
    double lag = 0;        // frames behind along the path
    FigurePlace away{};    // off the path: a place the corrected frames never held
    FigurePlace drawn{};
    bool smoothed = false;
  };

  static Path PathOf(const RollbackRunner& runner, int figure);
  static double NearestLag(const Path& path, FigurePlace place);
  static void CatchUp(Figure& figure, std::int64_t elapsedMs);
  static void LeaveBlasts(Figure& figure, const MatchSnapshot& now, const Character& truth);

  std::array<Figure, FigureCount> figures_{};
  std::int64_t lastMs_ = 0;
  bool followed_ = false;
};

}  // namespace fl3::net
