#pragma once
#include <cstdint>
#include <vector>

#include "match/FigureControls.h"

namespace fl3::arena {

// How long computer decisions take, kept as counts per nanosecond so that
// millions of them fit: every call, and the calls made while the figure
// stood on a cell (the ones where it really plans).
class DecisionTimes {
 public:
  DecisionTimes();
  void Add(std::int64_t ns, bool standing);
  double MedianAllUs() const { return MedianUs(all_, allCount_); }
  double MedianStandingUs() const { return MedianUs(standing_, standingCount_); }
  std::int64_t Count() const { return allCount_; }

 private:
  static double MedianUs(const std::vector<std::uint32_t>& counts, std::int64_t total);
  std::vector<std::uint32_t> all_, standing_;
  std::int64_t allCount_ = 0, standingCount_ = 0;
};

// Times another source's decisions.
class TimedSource : public FigureControlSource {
 public:
  TimedSource(FigureControlSource& inner, DecisionTimes& times) : inner_(inner), times_(times) {}
  FigureControls ControlsFor(const GameState& state, int figure) override;

 private:
  FigureControlSource& inner_;
  DecisionTimes& times_;
};

}  // namespace fl3::arena
