#include "EnetSoak.h"

#include <arpa/inet.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <ostream>
#include <thread>

#include "EnetMachine.h"
#include "SeatPlayers.h"
#include "SoakPlan.h"
#include "net/NetReplay.h"
#include "net/PasswordProof.h"
#include "replay/ReplayPlayback.h"

namespace fl3::netlab {
namespace {

constexpr int kWaitSeconds = 20;  // for the seats to be taken
constexpr int kMachines = 5;

struct EnetMatch {
  std::vector<MachineSummary> machines;  // the host, three clients, the spectator
  std::vector<EnetMachine::Heard> heard;
  std::vector<net::SessionEvent> events;  // the host's
  std::uint64_t playbackHash = 0;
  int drops = 0;
  int desyncs = 0;
  std::int64_t latestWakeMs = 0;  // the loop's worst lateness: CPU, not network
  std::string problem;
};

// The host's match, written as a replay, read back and played through.
std::uint64_t PlaybackHash(const net::NetMatch& match) {
  if (match.EndFrame() < 0) return 0;
  Replay replay;
  if (!DecodeReplay(EncodeReplay(net::ReplayOf(match, 0)), replay)) return 0;
  auto state = std::make_unique<GameState>();
  ReplayPlayback playback(*state, replay);
  return playback.PlayThrough({}, false).differingFrame < 0 ? replay.finalHash : 0;
}

net::HostConfig HostConfigOf(const LabSettings& settings, std::unique_ptr<FigureControlSource>& player) {
  net::HostConfig config;
  config.start = settings.start;
  config.maxFrames = settings.maxFrames;
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    config.seats[index] = i == 0 ? net::HostSeat::Computer : net::HostSeat::Network;
    config.start.figures[index].cont = i == 0 ? ContCpu : ContMan;
  }
  player = PlayerFor(config.start, 0);
  config.sources[0] = player.get();
  return config;
}

struct ClientRig {
  GameState state;
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> players;
  std::unique_ptr<EnetClientMachine> machine;
};

EnetMatch PlayEnetMatch(const SoakPlan& plan, int seconds) {
  const LabSettings& settings = plan.settings;
  EnetMatch result;
  std::unique_ptr<FigureControlSource> hostPlayer;
  net::HostConfig config = HostConfigOf(settings, hostPlayer);
  net::SeededNonces nonces(settings.start.cpuSeed);
  config.nonces = &nonces;
  auto hostState = std::make_unique<GameState>();
  EnetHostMachine host(*hostState, config, 0, settings.shims[0], settings.clocks[0], kWaitSeconds);
  if (host.Port() == 0) return result.problem = host.Error(), result;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(host.Port());
  std::vector<std::unique_ptr<ClientRig>> clients;
  std::vector<EnetMachine*> machines{&host};
  for (int i = 1; i < kMachines; ++i) {
    ClientRig& rig = *clients.emplace_back(std::make_unique<ClientRig>());
    const bool watching = i == kMachines - 1;
    net::ClientConfig client;
    client.name = watching ? "spectator" : "player " + std::to_string(i);
    client.role = watching ? net::Role::Spectator : net::Role::Player;
    ClientRig* self = &rig;
    client.seatFor = [self](int figure, int, const MatchStart& start) {
      auto& player = self->players[static_cast<std::size_t>(figure)];
      player = PlayerFor(start, figure);
      return net::LocalSeat{player.get(), true};
    };
    rig.machine = std::make_unique<EnetClientMachine>(rig.state, client, address, settings.shims[static_cast<std::size_t>(i)],
                                                      settings.clocks[static_cast<std::size_t>(i)], watching);
    if (!rig.machine->Error().empty()) return result.problem = rig.machine->Error(), result;
    machines.push_back(rig.machine.get());
  }
  result.latestWakeMs = RunMachines(machines, SteadyMs() + (kWaitSeconds + seconds + 60) * 1000LL);
  for (EnetMachine* machine : machines) result.machines.push_back(machine->Summary()), result.heard.push_back(machine->HeardSoFar());
  result.events = host.Events();
  if (const net::NetMatch* match = host.Session().Match()) result.playbackHash = PlaybackHash(*match);
  result.drops = DropsAmong(host.Events());
  result.desyncs = host.Session().Stats().desyncs;
  return result;
}

bool Good(const EnetMatch& match) {
  bool good = match.problem.empty() && match.drops == 0 && match.desyncs == 0 && match.playbackHash != 0 &&
              match.machines.size() == kMachines;
  for (const MachineSummary& machine : match.machines) {
    good = good && machine.end.reason == net::EndReason::Over && machine.finalHash == match.playbackHash;
  }
  return good;
}

}  // namespace

int RunEnetSoak(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  const std::vector<MatchStart> levels = SoakLevels(options, errors);
  if (levels.empty()) return 1;
  const auto began = std::chrono::steady_clock::now();
  std::vector<SoakPlan> plans;
  for (int index = options.firstMatch; index < options.firstMatch + options.matches; ++index) {
    plans.push_back(PlanSoakMatch(levels[static_cast<std::size_t>(index) % levels.size()], index, options, options.seconds,
                                  options.seconds * 1000 / ControlFrame::kNetworkFrameMs));
  }
  std::vector<EnetMatch> results(plans.size());
  std::atomic<std::size_t> next{0};
  std::mutex said;
  auto work = [&] {
    for (std::size_t index = next++; index < plans.size(); index = next++) {
      results[index] = PlayEnetMatch(plans[index], options.seconds);
      const std::lock_guard<std::mutex> lock(said);
      errors << "fuselark3-net: match " << options.firstMatch + index << " (" << index + 1 << "/" << plans.size() << "), " << plans[index].roundTripMs << " ms, "
             << plans[index].loss * 100 << " % loss: " << (Good(results[index]) ? "good" : "FAILED") << std::endl;
    }
  };
  std::vector<std::thread> workers;
  for (int i = 0; i < std::min<int>(options.parallel, options.matches); ++i) workers.emplace_back(work);
  for (std::thread& worker : workers) worker.join();

  SoakBands bands;
  nlohmann::ordered_json failures = nlohmann::json::array();
  int failed = 0, drops = 0, desyncs = 0;
  std::int64_t latestWakeMs = 0;
  for (std::size_t index = 0; index < plans.size(); ++index) {
    const EnetMatch& match = results[index];
    std::vector<SoakMachine> machines;
    for (const MachineSummary& machine : match.machines) {
      machines.push_back({machine.stats, machine.end.reason == net::EndReason::Over && machine.finalHash == match.playbackHash});
    }
    const bool good = Good(match);
    failed += good ? 0 : 1, drops += match.drops, desyncs += match.desyncs;
    if (!good) {
      nlohmann::ordered_json ends = nlohmann::json::array();
      for (std::size_t i = 0; i < match.machines.size(); ++i) {
        const MachineSummary& machine = match.machines[i];
        const EnetMachine::Heard& heard = match.heard[i];
        ends.push_back({{"mode", machine.mode}, {"end", ReasonName(machine.end.reason)}, {"message", machine.end.message},
                        {"frames", machine.frames}, {"finalHash", HashText(machine.finalHash)}, {"framesWaited", machine.stats.framesWaited},
                        {"heard", {heard.reliable, heard.unsequenced, heard.connected, heard.disconnected}}});
      }
      nlohmann::ordered_json events = nlohmann::json::array();
      for (const net::SessionEvent& event : match.events) events.push_back({event.name, static_cast<int>(event.kind), event.frame});
      failures.push_back({{"match", options.firstMatch + static_cast<int>(index)}, {"roundTripMs", plans[index].roundTripMs},
                          {"loss", plans[index].loss}, {"problem", match.problem}, {"drops", match.drops},
                          {"playbackHash", HashText(match.playbackHash)}, {"latestWakeMs", match.latestWakeMs},
                          {"machines", ends}, {"hostEvents", events}});
    }
    bands.Add(plans[index], match.machines.empty() ? 0 : match.machines[0].frames, machines, good, match.drops, match.desyncs,
              match.latestWakeMs);
    latestWakeMs = std::max(latestWakeMs, match.latestWakeMs);
  }
  nlohmann::ordered_json json;
  json["matches"] = options.matches;
  json["failed"] = failed;
  json["drops"] = drops;
  json["desyncs"] = desyncs;
  json["failures"] = failures;
  json["bands"] = bands.Json();
  json["latestWakeMs"] = latestWakeMs;
  json["wallSeconds"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  out << json.dump(1) << "\n";
  return failed == 0 ? 0 : 1;
}

}  // namespace fl3::netlab
