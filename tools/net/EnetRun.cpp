#include "EnetRun.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>
#include <sys/resource.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <functional>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>

#include "ai/ComputerPlayer.h"
#include "core/GameFolderChoice.h"
#include "core/LevelFile.h"
#include "MachineSummary.h"
#include "net/ClientSession.h"
#include "net/DesyncReport.h"
#include "net/EnetLink.h"
#include "net/HostSession.h"
#include "net/NetReplay.h"
#include "net/ShimRelay.h"
#include "replay/ReplayShelf.h"
#include "ScriptSeat.h"

namespace fl3::netlab {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool Shimmed(const net::ShimSettings& shim) {
  return shim.latencyMs > 0 || shim.jitterMs > 0 || shim.loss > 0 || shim.duplicate > 0 || shim.reorder > 0;
}

bool Resolve(const std::string& host, std::uint16_t port, sockaddr_in& address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;  // ENet speaks IPv4 only
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  address.sin_port = htons(port);
  freeaddrinfo(found);
  return true;
}

std::uint16_t PortOf(const ToolOptions& options) {
  return options.port >= 0 ? static_cast<std::uint16_t>(options.port) : net::kDefaultPort;
}

std::filesystem::path ReportFolder(const ToolOptions& options) {
  if (!options.folder.empty()) return options.folder;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  return PlayersDirectory(xdg ? xdg : "", home ? home : "");
}

// A session, as the loop sees it.
struct Machine {
  std::function<void(const net::LinkEvent&, std::int64_t)> onEvent;
  std::function<void(std::int64_t)> update;
  std::function<std::int64_t()> nextWake;
  std::function<bool()> done;
  net::Outbox* out = nullptr;
};

// Services ENet (and the shim's relay) from this one thread until the
// machine is done or the deadline passes; sleeps in poll, never spins.
void RunLoop(net::EnetLink& link, net::ShimRelay* relay, Machine& machine, std::int64_t deadlineMs) {
  std::vector<net::LinkEvent> events;
  std::vector<int> sockets;
  std::vector<pollfd> waits;
  std::int64_t lingerUntil = -1;
  for (;;) {
    std::int64_t now = NowMs();
    if (now > deadlineMs || (lingerUntil >= 0 && now > lingerUntil)) break;
    if (lingerUntil < 0 && machine.done()) lingerUntil = now + 300;  // let the last messages leave
    std::int64_t wake = std::min(machine.nextWake(), now + 50);
    if (relay != nullptr && relay->NextDueMs() >= 0) wake = std::min(wake, relay->NextDueMs());
    sockets.assign(1, link.Socket());
    if (relay != nullptr) relay->Sockets(sockets);
    waits.clear();
    for (const int socket : sockets) waits.push_back({socket, POLLIN, 0});
    poll(waits.data(), waits.size(), static_cast<int>(std::clamp<std::int64_t>(wake - now, 0, 50)));
    now = NowMs();
    if (relay != nullptr) relay->Pump(now);
    events.clear();
    link.Poll(events);
    for (const net::LinkEvent& event : events) machine.onEvent(event, now);
    machine.update(now);
    link.Send(*machine.out);
    link.Flush();
    if (relay != nullptr) relay->Pump(now);
  }
}

std::unique_ptr<ComputerPlayer> PlayerFor(const MatchStart& start, int figure) {
  const std::uint64_t seed = start.cpuSeed * 4 + static_cast<std::uint64_t>(figure) + 1;
  return std::make_unique<ComputerPlayer>(static_cast<CpuStrength>(start.cpuStrength), seed);
}

// `play` is "script:FILE".
std::unique_ptr<FigureControlSource> ScriptFrom(const std::string& play, std::string& error) {
  std::ifstream file(play.substr(7));
  std::stringstream text;
  text << file.rdbuf();
  std::vector<FigureControls> frames;
  if (!file || !ReadControlScript(text.str(), frames, error)) {
    if (error.empty()) error = "cannot read " + play.substr(7);
    return nullptr;
  }
  return std::make_unique<ScriptSeat>(std::move(frames));
}

// What the summary needs that only the loop sees.
struct Measure {
  std::int64_t startedMs = -1, endedMs = -1;
  std::uint64_t sentAtStart = 0, receivedAtStart = 0, sent = 0, received = 0;
  double cpuAtStart = 0, cpu = 0;
  void Start(const net::EnetLink& link, std::int64_t now) {
    startedMs = now, sentAtStart = link.BytesSent(), receivedAtStart = link.BytesReceived(), cpuAtStart = CpuSeconds();
  }
  void Stop(const net::EnetLink& link, std::int64_t now) {
    if (startedMs < 0 || endedMs >= 0) return;
    endedMs = now, sent = link.BytesSent() - sentAtStart, received = link.BytesReceived() - receivedAtStart;
    cpu = CpuSeconds() - cpuAtStart;
  }
};

void Fill(MachineSummary& summary, const Measure& measure) {
  summary.seconds = measure.endedMs > measure.startedMs ? (measure.endedMs - measure.startedMs) / 1000.0 : 0;
  summary.bytesSent = measure.sent;
  summary.bytesReceived = measure.received;
  summary.cpuSeconds = measure.cpu;
}

// Every machine keeps the network match as a normal replay.
void KeepReplay(const ToolOptions& options, const net::NetMatch& match, const net::Lobby& lobby, bool watched,
                MachineSummary& summary, std::ostream& errors) {
  const ReplayShelf shelf(ReportFolder(options) / "replays");
  std::error_code error;
  std::filesystem::create_directories(shelf.Directory(), error);
  Replay replay = net::ReplayOf(match, std::time(nullptr));
  net::NameNetworkReplay(replay, lobby, watched);
  if (const IoResult added = shelf.Add(replay, 0, false); !added) {
    errors << "fuselark3-net: the replay could not be kept: " << added.reason << "\n";
    return;
  }
  summary.replays = shelf.Directory().string();
}

void WriteReport(const ToolOptions& options, const net::DesyncEvidence& evidence, MachineSummary& summary, std::ostream& errors) {
  std::string written;
  const IoResult result = net::WriteDesyncReport(ReportFolder(options), evidence, std::time(nullptr), written);
  if (result) {
    summary.desyncReport = written;
  } else {
    errors << "fuselark3-net: the desync report could not be written: " << result.reason << "\n";
  }
}

}  // namespace

int RunHost(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  LevelData level;
  if (const IoResult read = ReadLevelFile(options.level, level); !read) {
    errors << "fuselark3-net: " << options.level.string() << ": " << read.reason << "\n";
    return 1;
  }
  net::HostConfig config;
  config.start.level = EncodeLevel(level);
  config.start.levelName = options.level.filename().string();
  config.start.kind = options.kind;
  config.start.timeLeftMs = options.seconds * 1000;
  config.start.cpuStrength = options.cpuStrength;
  config.start.cpuSeed = options.shim.seed;
  config.start.random = static_cast<std::uint32_t>(options.shim.seed % (1u << 24));
  config.password = options.password;
  config.inputDelay = options.inputDelay;
  config.maxFrames = options.maxFrames;
  net::SystemNonces nonces;
  config.nonces = &nonces;
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> sources;
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const std::string& seat = options.seats[index];
    MatchStart::Figure& figure = config.start.figures[index];
    figure.lives = options.kind == MatchNormal ? options.lives : options.kind == MatchMostKills ? 0 : 99;
    figure.cont = seat == "off" ? ContOff : seat == "cpu" ? ContCpu : ContMan;
    config.seats[index] = seat == "off" ? net::HostSeat::Off : seat == "cpu" ? net::HostSeat::Computer
                          : seat == "net" ? net::HostSeat::Network : net::HostSeat::Local;
    std::string error;
    if (seat == "cpu") sources[index] = PlayerFor(config.start, i);
    if (seat.rfind("script:", 0) == 0 && !(sources[index] = ScriptFrom(seat, error))) {
      errors << "fuselark3-net: " << error << "\n";
      return 1;
    }
    config.sources[index] = sources[index].get();
  }

  std::string error;
  const bool shimmed = Shimmed(options.shim);
  auto link = net::EnetLink::Listen(shimmed ? 0 : PortOf(options), 4 + net::kMaxSpectators + 4, error);
  std::unique_ptr<net::ShimRelay> relay;
  if (link && shimmed) {
    sockaddr_in inner{};
    inner.sin_family = AF_INET;
    inner.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    inner.sin_port = htons(link->BoundPort());
    relay = net::ShimRelay::Open(PortOf(options), true, inner, net::ShimRelay::Shimmed::TowardListener, options.shim, error);
  }
  if (!link || (shimmed && !relay)) {
    errors << "fuselark3-net: " << error << "\n";
    return 1;
  }
  errors << "fuselark3-net: listening on UDP port " << (relay ? relay->ListenPort() : link->BoundPort()) << std::endl;
  GameState state;
  net::HostSession session(state, config);
  Measure measure;
  MachineSummary summary;
  summary.mode = "host";
  const std::int64_t began = NowMs();
  Machine machine;
  machine.out = &session.Out();
  machine.onEvent = [&](const net::LinkEvent& event, std::int64_t now) {
    if (event.kind == net::LinkEvent::Kind::Connected) session.Connected(event.peer, now);
    if (event.kind == net::LinkEvent::Kind::Disconnected) session.Disconnected(event.peer, now);
    if (event.kind == net::LinkEvent::Kind::Received) session.Received(event.peer, event.channel, event.bytes, now);
  };
  machine.update = [&](std::int64_t now) {
    if (session.CurrentPhase() == net::Phase::Lobby && session.AllSeatsTaken() && session.StartMatch(now)) measure.Start(*link, now);
    if (session.CurrentPhase() == net::Phase::Lobby && now - began > options.waitSeconds * 1000LL) session.EndMatch();
    session.Update(now, nullptr);
    if (session.CurrentPhase() == net::Phase::Running) summary.roundTripMs = std::max(summary.roundTripMs, session.RoundTripMs());
    if (session.CurrentPhase() == net::Phase::Ended) measure.Stop(*link, now);
    if (auto evidence = session.TakeDesync()) WriteReport(options, *evidence, summary, errors);
  };
  machine.nextWake = [&] { return session.NextWakeMs(); };
  machine.done = [&] { return session.CurrentPhase() == net::Phase::Ended; };
  const std::int64_t matchMs = (options.kind == MatchNormal ? 600 : options.seconds + 60) * 1000LL;
  RunLoop(*link, relay.get(), machine, began + options.waitSeconds * 1000LL + matchMs);
  measure.Stop(*link, NowMs());
  Fill(summary, measure);
  summary.end = session.Ended();
  summary.desyncs = session.Stats().desyncs;
  summary.hostStats = session.Stats();
  if (const net::NetMatch* match = session.Match()) {
    summary.TakeMatch(*match);
    KeepReplay(options, *match, session.LobbyView(), false, summary, errors);
  }
  WriteSummary(summary, out);
  return summary.end.reason == net::EndReason::Over && session.CurrentPhase() == net::Phase::Ended ? 0 : 1;
}

int RunClient(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  const bool watching = options.mode == ToolOptions::Mode::Watch;
  std::string error;
  sockaddr_in host{};
  if (!Resolve(options.host, PortOf(options), host)) {
    errors << "fuselark3-net: the host " << options.host << " was not found (IPv4)\n";
    return 1;
  }
  const bool shimmed = Shimmed(options.shim);
  std::unique_ptr<net::ShimRelay> relay;
  if (shimmed) relay = net::ShimRelay::Open(0, false, host, net::ShimRelay::Shimmed::TowardTarget, options.shim, error);
  char address[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &host.sin_addr, address, sizeof address);
  auto link = shimmed && relay ? net::EnetLink::Connect("127.0.0.1", relay->ListenPort(), error)
                               : net::EnetLink::Connect(address, PortOf(options), error);
  if (!link || (shimmed && !relay)) {
    errors << "fuselark3-net: " << error << "\n";
    return 1;
  }
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> sources;
  net::ClientConfig config;
  config.name = options.name;
  config.role = watching ? net::Role::Spectator : net::Role::Player;
  config.seats = options.seatCount;
  config.password = options.password;
  config.inputDelay = options.inputDelay;
  std::string scriptError;
  config.seatFor = [&](int figure, int, const MatchStart& start) {
    auto& source = sources[static_cast<std::size_t>(figure)];
    if (options.play == "cpu") {
      source = PlayerFor(start, figure);
      return net::LocalSeat{source.get(), true};
    }
    source = ScriptFrom(options.play, scriptError);
    return net::LocalSeat{source.get(), false};
  };
  GameState state;
  const std::int64_t began = NowMs();
  net::ClientSession session(state, config, began);
  Measure measure;
  MachineSummary summary;
  summary.mode = watching ? "watch" : "join";
  Machine machine;
  machine.out = &session.Out();
  machine.onEvent = [&](const net::LinkEvent& event, std::int64_t now) {
    if (event.kind == net::LinkEvent::Kind::Connected) session.Connected(now);
    if (event.kind == net::LinkEvent::Kind::Disconnected) session.Disconnected(now);
    if (event.kind == net::LinkEvent::Kind::Received) session.Received(event.channel, event.bytes, now);
  };
  machine.update = [&](std::int64_t now) {
    session.Update(now, nullptr);
    if (measure.startedMs < 0 && session.Match() != nullptr) measure.Start(*link, now);
    if (session.CurrentPhase() >= net::Phase::Finishing) measure.Stop(*link, now);
    if (auto evidence = session.TakeDesync()) {
      ++summary.desyncs;
      WriteReport(options, *evidence, summary, errors);
    }
  };
  machine.nextWake = [&] { return session.NextWakeMs(); };
  machine.done = [&] { return session.CurrentPhase() == net::Phase::Ended; };
  RunLoop(*link, relay.get(), machine, began + (options.waitSeconds + 3700) * 1000LL);
  if (!scriptError.empty()) errors << "fuselark3-net: " << scriptError << "\n";
  measure.Stop(*link, NowMs());
  Fill(summary, measure);
  summary.end = session.Ended();
  summary.roundTripMs = session.RoundTripMs();
  summary.lossPerMille = session.LossPerMille();
  if (session.CurrentPhase() != net::Phase::Ended) summary.end.message = "gave up waiting";
  if (const net::NetMatch* match = session.Match()) {
    summary.TakeMatch(*match);
    KeepReplay(options, *match, session.LobbyView(), watching, summary, errors);
  }
  if (summary.end.reason == net::EndReason::Desync) summary.desyncs = std::max(summary.desyncs, 1);
  WriteSummary(summary, out);
  return summary.end.reason == net::EndReason::Over && session.CurrentPhase() == net::Phase::Ended ? 0 : 1;
}

}  // namespace fl3::netlab
