#include "DecisionTimes.h"

#include <algorithm>
#include <chrono>

namespace fl3::arena {
namespace {

constexpr std::size_t kBuckets = 1'000'000;  // 1 ms; slower calls count as 1 ms

}  // namespace

DecisionTimes::DecisionTimes() : all_(kBuckets, 0), standing_(kBuckets, 0) {}

void DecisionTimes::Add(std::int64_t ns, bool standing) {
  const auto bucket = static_cast<std::size_t>(std::clamp<std::int64_t>(ns, 0, kBuckets - 1));
  ++all_[bucket];
  ++allCount_;
  if (standing) {
    ++standing_[bucket];
    ++standingCount_;
  }
}

double DecisionTimes::MedianUs(const std::vector<std::uint32_t>& counts, std::int64_t total) {
  if (total == 0) return 0;
  std::int64_t seen = 0;
  for (std::size_t ns = 0; ns < counts.size(); ++ns) {
    seen += counts[ns];
    if (seen * 2 >= total) return static_cast<double>(ns) / 1000.0;
  }
  return static_cast<double>(counts.size()) / 1000.0;
}

FigureControls TimedSource::ControlsFor(const GameState& state, int figure) {
  const bool standing = !state.Characters[static_cast<std::size_t>(figure)].Moving;
  const auto start = std::chrono::steady_clock::now();
  const FigureControls controls = inner_.ControlsFor(state, figure);
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start);
  times_.Add(ns.count(), standing);
  return controls;
}

}  // namespace fl3::arena
