#include "Jumps.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "NetLab.h"
#include "SoakPlan.h"
#include "net/FigureSmoother.h"

namespace fl3::netlab {
namespace {

constexpr int kSampleMs = 10;
constexpr int kMatchSeconds = 40;
constexpr int kMostFrames = 800;
constexpr int kStillSamples = 10;   // drawn still this long (100 ms): the figure stands
constexpr int kWindowSamples = 30;  // a start or a stop: the 300 ms after or before it
constexpr float kCellPixels = 32.0f;

using Track = std::vector<FigurePlace>;

bool OnField(FigurePlace place) { return place.x >= -kCellPixels && place.x <= MapWidth * kCellPixels && place.y <= MapHeight * kCellPixels; }

// The moves between drawings, in cells, of the 300 ms after each start and before each stop.
struct Moves {
  std::vector<double> atStart, atStop;
  int starts = 0, stops = 0;
  double largest = 0;

  void Add(const Track& track) {
    std::vector<double> moves(track.size(), 0.0);
    for (std::size_t k = 1; k < track.size(); ++k) {
      if (!OnField(track[k]) || !OnField(track[k - 1])) continue;
      moves[k] = std::hypot(track[k].x - track[k - 1].x, track[k].y - track[k - 1].y) / kCellPixels;
      largest = std::max(largest, moves[k]);
    }
    const auto still = [&](std::size_t from, std::size_t to) {
      return std::all_of(moves.begin() + static_cast<std::ptrdiff_t>(from), moves.begin() + static_cast<std::ptrdiff_t>(to),
                         [](double move) { return move == 0; });
    };
    for (std::size_t k = kStillSamples; k + kStillSamples < moves.size(); ++k) {
      if (moves[k] == 0) continue;
      if (still(k - kStillSamples, k)) {
        ++starts;
        for (std::size_t j = k; j < std::min(moves.size(), k + kWindowSamples); ++j) atStart.push_back(moves[j]);
      }
      if (still(k + 1, k + 1 + kStillSamples)) {
        ++stops;
        for (std::size_t j = k + 1 - std::min<std::size_t>(k, kWindowSamples); j <= k; ++j) atStop.push_back(moves[j]);
      }
    }
  }
};

double Largest(const std::vector<double>& moves) { return moves.empty() ? 0 : *std::max_element(moves.begin(), moves.end()); }

// Of the drawings that moved the figure at all.
double Percentile(std::vector<double> moves, double share) {
  moves.erase(std::remove(moves.begin(), moves.end(), 0.0), moves.end());
  if (moves.empty()) return 0;
  std::sort(moves.begin(), moves.end());
  return moves[static_cast<std::size_t>(share * static_cast<double>(moves.size() - 1))];
}

double Rounded(double cells) { return std::round(cells * 1000) / 1000; }

}  // namespace

int RunJumps(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  const std::vector<MatchStart> levels = SoakLevels(options, errors);
  if (levels.empty()) return 1;
  Moves moves;
  std::vector<int> delays;
  int roundTrip = 0, failed = 0;
  double behind = 0;  // how far a drawn figure was from where the match had it
  for (int index = 0; index < options.matches; ++index) {
    SoakPlan plan = PlanSoakMatch(levels[static_cast<std::size_t>(index) % levels.size()], index, options, kMatchSeconds, kMostFrames);
    plan.settings.inputDelay = options.inputDelay;
    plan.settings.sampledPlayers = true;
    std::array<Track, FigureCount> tracks;
    net::FigureSmoother smoother;
    plan.settings.watchEveryMs = kSampleMs;
    plan.settings.watch = [&](std::int64_t nowMs, const net::NetMatch& match, std::uint8_t own) {
      const net::RollbackRunner& runner = match.Runner();
      const MatchSnapshot* shown = runner.StateAfter(runner.Current() - 1);
      if (runner.Current() == 0 || shown == nullptr) return;
      if (options.smooth) smoother.Follow(runner, own, nowMs);
      for (int i = 0; i < FigureCount; ++i) {
        if ((own >> i & 1u) != 0) continue;
        const FigurePlace truth = FigurePicturePlace(shown->figures[static_cast<std::size_t>(i)]);
        const FigurePlace drawn = options.smooth ? smoother.Drawn(i) : truth;
        tracks[static_cast<std::size_t>(i)].push_back(drawn);
        if (OnField(truth)) behind = std::max<double>(behind, std::hypot(drawn.x - truth.x, drawn.y - truth.y) / kCellPixels);
      }
    };
    const LabResult result = RunLabMatch(plan.settings);
    failed += result.timedOut || result.desyncs > 0;
    for (const Track& track : tracks) moves.Add(track);
    if (result.machines.size() > 1) delays.push_back(result.machines[1].inputDelay);
    roundTrip = plan.roundTripMs;
  }
  nlohmann::ordered_json json;
  json["matches"] = options.matches;
  json["roundTripMs"] = roundTrip;
  json["loss"] = options.minLoss;
  json["smooth"] = options.smooth;
  json["clientInputDelays"] = delays;
  json["starts"] = moves.starts;
  json["stops"] = moves.stops;
  json["largestAtStartCells"] = Rounded(Largest(moves.atStart));
  json["largestAtStopCells"] = Rounded(Largest(moves.atStop));
  json["p99AtStartCells"] = Rounded(Percentile(moves.atStart, 0.99));
  json["p99AtStopCells"] = Rounded(Percentile(moves.atStop, 0.99));
  json["largestCells"] = Rounded(moves.largest);
  json["largestBehindCells"] = Rounded(behind);
  json["failedMatches"] = failed;
  out << json.dump(1) << "\n";
  return failed == 0 ? 0 : 1;
}

}  // namespace fl3::netlab
