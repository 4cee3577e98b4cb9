#include "Soak.h"

#include <chrono>
#include <ostream>

#include <nlohmann/json.hpp>

#include "NetLab.h"
#include "SoakPlan.h"
#include "core/GameFolder.h"

namespace fl3::netlab {
namespace {

constexpr int kMatchSeconds = 60;
constexpr int kMostFrames = 3600;

}  // namespace

int RunSoak(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  const std::vector<MatchStart> levels = SoakLevels(options, errors);
  if (levels.empty()) return 1;
  const auto began = std::chrono::steady_clock::now();
  SoakBands bands;
  nlohmann::ordered_json failures = nlohmann::json::array();
  int desyncs = 0, mismatches = 0, timeouts = 0;
  std::int64_t clientBytes = 0, clientMs = 0;
  for (int index = 0; index < options.matches; ++index) {
    const SoakPlan plan = PlanSoakMatch(levels[static_cast<std::size_t>(index) % levels.size()], index, options,
                                        kMatchSeconds, kMostFrames);
    const LabResult result = RunLabMatch(plan.settings);
    if (!options.replays.empty()) {
      const GameFolder replays(options.replays);
      const std::string name = "soak-" + std::to_string(index + 1) + ".REPLAY";
      if (const IoResult written = replays.WriteAtomically(name, result.hostReplay); !written) {
        errors << "fuselark3-net: " << written.reason << "\n";
        return 1;
      }
    }
    bool good = !result.timedOut && result.desyncs == 0 && result.machines.size() == 4;
    std::vector<SoakMachine> machines;
    for (std::size_t i = 0; i < result.machines.size(); ++i) {
      const LabMachine& machine = result.machines[i];
      const bool over = machine.finalHash == result.playbackHash && machine.end.reason == net::EndReason::Over;
      machines.push_back({machine.stats, over});
      good = good && over;
      if (i > 0) clientBytes += machine.bytesSent + machine.bytesReceived, clientMs += result.virtualMs;
    }
    desyncs += result.desyncs;
    timeouts += result.timedOut;
    if (!good) {
      ++mismatches;
      failures.push_back({{"match", index}, {"level", plan.settings.start.levelName}, {"kind", plan.settings.start.kind},
                          {"roundTripMs", plan.roundTripMs}, {"loss", plan.loss}});
    }
    const int matchFrames = result.machines.empty() ? 0 : result.machines[0].endFrame + 1;
    bands.Add(plan, matchFrames, machines, good, DropsAmong(result.events), result.desyncs);
  }
  nlohmann::ordered_json json;
  json["matches"] = options.matches;
  json["desyncs"] = desyncs;
  json["hashMismatches"] = mismatches;
  json["timeouts"] = timeouts;
  json["failures"] = failures;
  json["bands"] = bands.Json();
  json["clientPayloadBytesPerSecondBothWays"] = clientMs > 0 ? static_cast<double>(clientBytes) * 1000.0 / static_cast<double>(clientMs) : 0.0;
  json["wallSeconds"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  out << json.dump(1) << "\n";
  return mismatches == 0 ? 0 : 1;
}

}  // namespace fl3::netlab
