#include "SoakPlan.h"

#include <algorithm>
#include <ostream>
#include <random>

#include "core/GameFolder.h"
#include "core/LevelFile.h"

namespace fl3::netlab {

SoakPlan PlanSoakMatch(const MatchStart& level, int index, const ToolOptions& options, int matchSeconds, int maxFrames) {
  std::mt19937_64 random(options.shim.seed * 1'000'003 + static_cast<std::uint64_t>(index));
  SoakPlan plan;
  LabSettings& settings = plan.settings;
  settings.start = level;
  settings.start.kind = index % 3;
  settings.start.timeLeftMs = matchSeconds * 1000;
  settings.start.cpuSeed = random();
  settings.start.random = static_cast<std::uint32_t>(random() % (1u << 24));
  for (MatchStart::Figure& figure : settings.start.figures) {
    figure.cont = ContCpu;
    figure.lives = settings.start.kind == MatchNormal ? 2 : settings.start.kind == MatchMostKills ? 0 : 99;
  }
  settings.maxFrames = maxFrames;
  plan.roundTripMs = std::uniform_int_distribution<int>(options.minRoundTripMs, std::max(options.minRoundTripMs, options.maxRoundTripMs))(random);
  plan.loss = std::uniform_real_distribution<double>(options.minLoss, std::max(options.minLoss, options.maxLoss))(random);
  for (std::size_t i = 0; i < settings.shims.size(); ++i) {
    settings.shims[i] = {plan.roundTripMs / 2, std::min(options.shim.jitterMs, plan.roundTripMs / 2), plan.loss,
                         options.shim.duplicate, options.shim.reorder, random()};
  }
  std::uniform_int_distribution<std::int64_t> offset(3'600'000, kMostClockOffsetMs);
  std::uniform_real_distribution<double> rate(-kMostClockRatePpm, kMostClockRatePpm);
  for (MachineClock& clock : settings.clocks) {
    clock.offsetMs = (random() % 2 == 0 ? 1 : -1) * offset(random);
    clock.ratePpm = rate(random);
  }
  return plan;
}

std::vector<MatchStart> SoakLevels(const ToolOptions& options, std::ostream& errors) {
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
  if (levels.empty()) errors << "fuselark3-net: no level files in " << options.levels.string() << "\n";
  return levels;
}

int DropsAmong(const std::vector<net::SessionEvent>& events) {
  return static_cast<int>(std::count_if(events.begin(), events.end(), [](const net::SessionEvent& event) {
    return event.kind != net::SessionEvent::Kind::Joined && event.kind != net::SessionEvent::Kind::Rejoined;
  }));
}

void SoakBands::Add(const SoakPlan& plan, int matchFrames, const std::vector<SoakMachine>& machines, bool good, int drops,
                    int desyncs, std::int64_t latestWakeMs) {
  const int low = plan.roundTripMs / 100 * 100;
  Band& band = bands_[std::to_string(low) + "-" + std::to_string(low + 99) + " ms, loss " +
                      (plan.loss <= 0.05 ? "0-5 %" : "5-10 %")];
  ++band.matches;
  band.failed += good ? 0 : 1;
  band.drops += drops;
  band.desyncs += desyncs;
  band.matchFrames += matchFrames;
  band.latestWakeMs = std::max(band.latestWakeMs, latestWakeMs);
  for (const SoakMachine& machine : machines) {
    band.framesWaited += machine.stats.framesWaited;
    band.msWaited += machine.stats.waitedMs;
    band.deepest = std::max(band.deepest, machine.stats.deepestRollback);
    band.rollbacks += machine.stats.rollbacks;
    band.frames += machine.stats.framesPlayed;
  }
}

nlohmann::ordered_json SoakBands::Json() const {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  for (const auto& [name, band] : bands_) {
    json[name] = {{"matches", band.matches},
                  {"failed", band.failed},
                  {"drops", band.drops},
                  {"desyncs", band.desyncs},
                  {"meanFrames", band.matchFrames / band.matches},
                  {"framesWaited", band.framesWaited},
                  {"msWaited", band.msWaited},
                  {"deepestRollback", band.deepest},
                  {"latestWakeMs", band.latestWakeMs},
                  {"rollbacksPerMachineMinute",
                   band.frames > 0 ? static_cast<double>(band.rollbacks) * 1176.0 / static_cast<double>(band.frames) : 0.0}};
  }
  return json;
}

}  // namespace fl3::netlab
