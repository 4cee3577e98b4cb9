#include "Soak.h"

#include <chrono>
#include <map>
#include <ostream>
#include <random>

#include <nlohmann/json.hpp>

#include "MachineSummary.h"
#include "NetLab.h"
#include "core/GameFolder.h"
#include "core/LevelFile.h"

namespace fl3::netlab {
namespace {

struct Band {
  int matches = 0;
  std::int64_t framesWaited = 0;
  std::int64_t msWaited = 0;
  int deepest = 0;
  std::int64_t rollbacks = 0;
  std::int64_t frames = 0;
  std::int64_t matchFrames = 0;
};

LabSettings SoakMatch(const MatchStart& level, int index, const ToolOptions& options, int& roundTrip, double& loss) {
  std::mt19937_64 random(options.shim.seed * 1'000'003 + static_cast<std::uint64_t>(index));
  LabSettings settings;
  settings.start = level;
  settings.start.kind = index % 3;
  settings.start.timeLeftMs = 60'000;
  settings.start.cpuSeed = random();
  settings.start.random = static_cast<std::uint32_t>(random() % (1u << 24));
  for (MatchStart::Figure& figure : settings.start.figures) {
    figure.cont = ContCpu;
    figure.lives = settings.start.kind == MatchNormal ? 2 : settings.start.kind == MatchMostKills ? 0 : 99;
  }
  settings.maxFrames = 3600;
  roundTrip = std::uniform_int_distribution<int>(0, options.maxRoundTripMs)(random);
  loss = std::uniform_real_distribution<double>(0, options.maxLoss)(random);
  for (std::size_t i = 0; i < settings.shims.size(); ++i) {
    settings.shims[i] = {roundTrip / 2, std::min(options.shim.jitterMs, roundTrip / 2), loss, options.shim.duplicate,
                         options.shim.reorder, random()};
  }
  return settings;
}

}  // namespace

int RunSoak(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  const GameFolder folder(options.levels);
  std::vector<MatchStart> levels;
  for (const std::string& name : folder.List("*.FL3")) {
    LevelData level;
    if (!ReadLevelFile(*folder.Find(name), level)) continue;
    MatchStart start;
    start.level = EncodeLevel(level);
    start.levelName = name;
    levels.push_back(std::move(start));
  }
  if (levels.empty()) {
    errors << "fuselark3-net: no level files in " << options.levels.string() << "\n";
    return 1;
  }
  const auto began = std::chrono::steady_clock::now();
  std::map<std::string, Band> bands;  // by round trip and loss
  nlohmann::ordered_json failures = nlohmann::json::array();
  int desyncs = 0, mismatches = 0, timeouts = 0;
  std::int64_t clientBytes = 0, clientMs = 0;
  for (int index = 0; index < options.matches; ++index) {
    int roundTrip = 0;
    double loss = 0;
    const LabSettings settings = SoakMatch(levels[static_cast<std::size_t>(index) % levels.size()], index, options, roundTrip, loss);
    const LabResult result = RunLabMatch(settings);
    if (!options.replays.empty()) {
      const GameFolder replays(options.replays);
      const std::string name = "soak-" + std::to_string(index + 1) + ".REPLAY";
      if (const IoResult written = replays.WriteAtomically(name, result.hostReplay); !written) {
        errors << "fuselark3-net: " << written.reason << "\n";
        return 1;
      }
    }
    bool good = !result.timedOut && result.desyncs == 0 && result.machines.size() == 4;
    for (const LabMachine& machine : result.machines) {
      good = good && machine.finalHash == result.playbackHash && machine.end.reason == net::EndReason::Over;
    }
    desyncs += result.desyncs;
    timeouts += result.timedOut;
    if (!good) {
      ++mismatches;
      failures.push_back({{"match", index}, {"level", settings.start.levelName}, {"kind", settings.start.kind},
                          {"roundTripMs", roundTrip}, {"loss", loss}});
    }
    const int low = roundTrip / 100 * 100;
    Band& band = bands[std::to_string(low) + "-" + std::to_string(low + 99) + " ms, loss " + (loss <= 0.05 ? "0-5 %" : "5-10 %")];
    ++band.matches;
    band.matchFrames += result.machines.empty() ? 0 : result.machines[0].endFrame + 1;
    for (std::size_t i = 0; i < result.machines.size(); ++i) {
      const LabMachine& machine = result.machines[i];
      band.framesWaited += machine.stats.framesWaited;
      band.msWaited += machine.stats.waitedMs;
      band.deepest = std::max(band.deepest, machine.stats.deepestRollback);
      band.rollbacks += machine.stats.rollbacks;
      band.frames += machine.stats.framesPlayed;
      if (i > 0) clientBytes += machine.bytesSent + machine.bytesReceived, clientMs += result.virtualMs;
    }
  }
  nlohmann::ordered_json json;
  json["matches"] = options.matches;
  json["desyncs"] = desyncs;
  json["hashMismatches"] = mismatches;
  json["timeouts"] = timeouts;
  json["failures"] = failures;
  for (const auto& [name, band] : bands) {
    json["bands"][name] = {{"matches", band.matches}, {"meanFrames", band.matchFrames / band.matches}, {"framesWaited", band.framesWaited}, {"msWaited", band.msWaited},
                           {"deepestRollback", band.deepest}, {"rollbacksPerMachineMinute",
                            band.frames > 0 ? static_cast<double>(band.rollbacks) * 1176.0 / static_cast<double>(band.frames) : 0.0}};
  }
  json["clientPayloadBytesPerSecondBothWays"] = clientMs > 0 ? static_cast<double>(clientBytes) * 1000.0 / static_cast<double>(clientMs) : 0.0;
  json["wallSeconds"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  out << json.dump(1) << "\n";
  return mismatches == 0 ? 0 : 1;
}

}  // namespace fl3::netlab
