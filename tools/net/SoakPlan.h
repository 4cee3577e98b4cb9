#pragma once
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "NetLab.h"
#include "ToolOptions.h"

namespace fl3::netlab {

// One match of a soak: kinds in turn, computer players in every seat, a
// round trip and a loss drawn from the options' ranges, and every machine on
// a clock of its own (hours to days apart, up to 200 ppm fast or slow).
struct SoakPlan {
  LabSettings settings;
  int roundTripMs = 0;
  double loss = 0;
};

inline constexpr std::int64_t kMostClockOffsetMs = 5LL * 24 * 3600 * 1000;
inline constexpr double kMostClockRatePpm = 200;

SoakPlan PlanSoakMatch(const MatchStart& level, int index, const ToolOptions& options, int matchSeconds, int maxFrames);
// Every level of the options' folder; empty (and said) when none reads.
std::vector<MatchStart> SoakLevels(const ToolOptions& options, std::ostream& errors);

// Peers the host lost during a match (left, silent, late, put out).
int DropsAmong(const std::vector<net::SessionEvent>& events);

// How one machine of a soak match did.
struct SoakMachine {
  net::MatchStats stats;
  bool over = false;  // ended "over", on the match's hash
};

// The soak's table by round trip (100 ms bands) and loss (0-5 %, 5-10 %).
class SoakBands {
 public:
  // `latestWakeMs`: how late the machines' loop woke at worst (real time only).
  void Add(const SoakPlan& plan, int matchFrames, const std::vector<SoakMachine>& machines, bool good, int drops, int desyncs,
           std::int64_t latestWakeMs = 0);
  nlohmann::ordered_json Json() const;

 private:
  struct Band {
    int matches = 0, failed = 0, drops = 0, desyncs = 0, deepest = 0;
    std::int64_t framesWaited = 0, msWaited = 0, rollbacks = 0, frames = 0, matchFrames = 0, latestWakeMs = 0;
  };
  std::map<std::string, Band> bands_;
};

}  // namespace fl3::netlab
