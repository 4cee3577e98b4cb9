#include "NetLab.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ai/ComputerPlayer.h"
#include "net/ClientSession.h"
#include "net/HostSession.h"
#include "net/MemoryNetwork.h"
#include "net/NetReplay.h"
#include "replay/ReplayPlayback.h"
#include "ScriptSeat.h"
#include "SeatPlayers.h"

namespace fl3::netlab {
namespace {

using net::Channel;
using net::MemoryNetwork;

std::unique_ptr<FigureControlSource> SourceFor(const LabSettings& settings, const MatchStart& start, int figure) {
  if (settings.scripted) return std::make_unique<ScriptSeat>(settings.scripts[static_cast<std::size_t>(figure)]);
  return PlayerFor(start, figure);
}

// When a machine's match and session ended, and what it said of the others.
struct Watch {
  std::int64_t matchOverAtMs = -1;
  std::int64_t endedAtMs = -1;
  std::vector<std::string> notices;

  template <typename Session>
  void Look(const Session& session, std::int64_t trueNow, std::int64_t localNow) {
    const bool ended = session.CurrentPhase() == net::Phase::Ended;
    const net::NetMatch* match = session.Match();
    if (endedAtMs < 0 && ended) endedAtMs = trueNow;
    if (matchOverAtMs < 0 && (ended || (match && match->StandingEnd().end != MatchEnd::Running))) matchOverAtMs = trueNow;
    std::string notice = session.SeatNotice(localNow);
    if (!notice.empty() && (notices.empty() || notices.back() != notice)) notices.push_back(std::move(notice));
  }
  void Into(LabMachine& machine) const {
    machine.matchOverAtMs = matchOverAtMs;
    machine.endedAtMs = endedAtMs;
    machine.notices = notices;
  }
};

struct ClientMachine {
  int endpoint = 0;
  std::string name;
  MachineClock clock;
  Watch watch;
  std::int64_t firstFrameAtMs = -1;
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> players;
  std::unique_ptr<net::ClientSession> session;
  bool alive = true;
};

// Every hostile connection comes from one machine: one address.
constexpr std::uint32_t kHostileAddress = 0xBADu;

class Lab : public HostileLink {
 public:
  explicit Lab(const LabSettings& settings) : settings_(settings) {
    hostEndpoint_ = network_.AddMachine(settings.shims[0]);
    net::HostConfig config;
    config.start = settings.start;
    config.maxFrames = settings.maxFrames;
    config.inputDelay = settings.inputDelay;
    config.password = settings.password;
    config.nonces = &nonces_;
    config.localName = "host";
    for (int i = 0; i < FigureCount; ++i) {
      const auto index = static_cast<std::size_t>(i);
      if (settings.start.figures[index].cont == ContOff) continue;
      if (i >= 1 && i <= settings.clients + settings.firstClientSeats - 1 + settings.hostileSeats) {
        config.seats[index] = net::HostSeat::Network;
        config.start.figures[index].cont = ContMan;
      } else {
        const bool likeKeys = settings.scripted || settings.sampledPlayers;
        config.seats[index] = likeKeys ? net::HostSeat::Local : net::HostSeat::Computer;
        config.start.figures[index].cont = likeKeys ? ContMan : ContCpu;
        hostPlayers_[index] = SourceFor(settings, settings.start, i);
        config.sources[index] = hostPlayers_[index].get();
      }
    }
    host_ = std::make_unique<net::HostSession>(hostState_, config);
    for (int i = 1; i <= settings.clients; ++i) AddClient(i, "player " + std::to_string(i), net::Role::Player, 0, {});
  }

  LabResult Run() {
    std::int64_t now = 0;
    while (now < settings_.timeLimitMs && !Done()) {
      Deliver(now);
      Schedule(now);
      if (settings_.hostile) settings_.hostile(now, *this);
      now_ = now;
      const std::int64_t hostNow = HostClock().Local(now);
      if (host_->CurrentPhase() == net::Phase::Lobby && host_->AllSeatsTaken()) host_->StartMatch(hostNow);
      if (settings_.hostEscapeAtMs >= 0 && now >= settings_.hostEscapeAtMs && !escaped_) escaped_ = true, host_->EndMatch();
      host_->Update(hostNow, nullptr);
      hostWatch_.Look(*host_, now, hostNow);
      if (hostFirstFrameMs_ < 0 && host_->Match() && host_->Match()->Runner().Current() > 0) hostFirstFrameMs_ = now;
      Flush(hostEndpoint_, host_->Out(), now);
      HostLeavesWhenDone(now);
      for (auto& client : clients_) {
        if (!client->alive) continue;
        client->session->Update(client->clock.Local(now), nullptr);
        client->watch.Look(*client->session, now, client->clock.Local(now));
        const net::NetMatch* match = client->session->Match();
        if (client->firstFrameAtMs < 0 && match && match->Runner().Current() > 0) client->firstFrameAtMs = now;
        Flush(client->endpoint, client->session->Out(), now);
      }
      SampleForWatcher(now);
      Collect();
      now = std::max(now + 1, NextEventMs());
    }
    return Report(now);
  }

 private:
  const MachineClock& HostClock() const { return settings_.clocks[0]; }

  // A host that is done closes a moment later, as its process or window does.
  void HostLeavesWhenDone(std::int64_t now) {
    if (host_->CurrentPhase() != net::Phase::Ended || hostClosed_) return;
    if (hostEndedAtMs_ < 0) hostEndedAtMs_ = now;
    if (now < hostEndedAtMs_ + settings_.hostLingerMs) return;
    hostClosed_ = true;
    for (const auto& client : clients_) network_.Disconnect(hostEndpoint_, client->endpoint, now);
  }

  // Machine `shim` (1..3 a client, 4 the spectator) connects; a machine
  // that comes back has its address, clock and seat key again.
  void AddClient(int shim, const std::string& name, net::Role role, std::int64_t now, const net::SeatKey& key) {
    ClientMachine& client = *clients_.emplace_back(std::make_unique<ClientMachine>());
    client.endpoint = network_.AddMachine(settings_.shims[static_cast<std::size_t>(shim)]);
    addresses_[client.endpoint] = static_cast<std::uint32_t>(shim);
    client.name = name;
    client.clock = settings_.clocks[static_cast<std::size_t>(shim)];
    net::ClientConfig config;
    config.name = name;
    config.role = role;
    config.seats = shim == 1 ? settings_.firstClientSeats : 1;
    config.seatKey = key;
    config.inputDelay = settings_.inputDelay;
    ClientMachine* self = &client;
    config.password = settings_.password;
    const LabSettings& settings = settings_;
    config.seatFor = [self, &settings](int figure, int, const MatchStart& start) {
      auto& player = self->players[static_cast<std::size_t>(figure)];
      player = SourceFor(settings, start, figure);
      return net::LocalSeat{player.get(), !settings.scripted && !settings.sampledPlayers};
    };
    client.session = std::make_unique<net::ClientSession>(*client.state, config, client.clock.Local(now));
    network_.Connect(client.endpoint, hostEndpoint_, now);
  }

  void SampleForWatcher(std::int64_t now) {
    if (!settings_.watch || settings_.watchEveryMs <= 0 || now < nextWatchMs_) return;
    nextWatchMs_ = now + settings_.watchEveryMs;
    const ClientMachine& client = *clients_.front();
    const net::NetMatch* match = client.alive ? client.session->Match() : nullptr;
    if (match != nullptr) settings_.watch(now, *match, client.session->OwnFigures());
  }

  // A killed client, a late spectator: at their moments.
  void Schedule(std::int64_t now) {
    if (settings_.killClientAtMs >= 0 && now >= settings_.killClientAtMs && !killed_) {
      killed_ = true;
      clients_.front()->alive = false;
      network_.Silence(clients_.front()->endpoint);
    }
    if (settings_.leaveClientAtMs >= 0 && now >= settings_.leaveClientAtMs && !left_) {
      left_ = true;
      clients_.front()->session->Leave();
    }
    if (settings_.restartClientAtMs >= 0 && now >= settings_.restartClientAtMs && !restarted_) {
      restarted_ = true;
      net::SeatKey key = clients_.front()->session->SeatKeyGiven();
      if (settings_.restartKey == LabSettings::RestartKey::None) key = {};
      if (settings_.restartKey == LabSettings::RestartKey::Wrong) key[0] ^= 1;
      AddClient(1, "player 1", net::Role::Player, now, key);
    }
    if (settings_.spectatorJoinsAtMs >= 0 && now >= settings_.spectatorJoinsAtMs && !spectatorJoined_) {
      spectatorJoined_ = true;
      AddClient(4, "spectator", net::Role::Spectator, now, {});
    }
  }

  void Send(int connection, Channel channel, std::string bytes) override {
    auto& endpoint = hostile_[connection];
    if (!endpoint) {
      endpoint = network_.AddMachine(net::ShimSettings{});
      addresses_[*endpoint] = kHostileAddress;
      network_.Connect(*endpoint, hostEndpoint_, now_);
      heard_[*endpoint];
    }
    network_.Send(*endpoint, hostEndpoint_, channel, bytes, now_);
  }
  const std::vector<std::string>& Heard(int connection) override {
    const auto endpoint = hostile_.find(connection);
    static const std::vector<std::string> nothing;
    return endpoint == hostile_.end() ? nothing : heard_[*endpoint->second];
  }

  void Deliver(std::int64_t trueNow) {
    MemoryNetwork::Delivery delivery;
    while (network_.Take(trueNow, delivery)) {
      std::int64_t now = trueNow;
      if (const auto heard = heard_.find(delivery.to); heard != heard_.end()) {
        if (delivery.kind == MemoryNetwork::Kind::Message) heard->second.push_back(delivery.bytes);
        continue;
      }
      if (delivery.to == hostEndpoint_) {
        const auto peer = static_cast<net::PeerId>(delivery.from);
        now = HostClock().Local(trueNow);
        if (delivery.kind == MemoryNetwork::Kind::Connected) host_->Connected(peer, AddressOf(delivery.from), now);
        if (delivery.kind == MemoryNetwork::Kind::Disconnected) host_->Disconnected(peer, now);
        if (delivery.kind == MemoryNetwork::Kind::Message) host_->Received(peer, delivery.channel, delivery.bytes, now);
        continue;
      }
      for (std::size_t i = 0; i < clients_.size(); ++i) {
        auto& client = clients_[i];
        if (client->endpoint != delivery.to || !client->alive) continue;
        now = client->clock.Local(trueNow);
        if (settings_.tamper) settings_.tamper(static_cast<int>(i) + 1, delivery.bytes);
        if (delivery.kind == MemoryNetwork::Kind::Connected) client->session->Connected(now);
        if (delivery.kind == MemoryNetwork::Kind::Disconnected) client->session->Disconnected(now);
        if (delivery.kind == MemoryNetwork::Kind::Message) client->session->Received(delivery.channel, delivery.bytes, now);
      }
    }
  }

  void Flush(int from, net::Outbox& out, std::int64_t now) {
    for (const net::Outgoing& item : out.Items()) {
      const int to = from == hostEndpoint_ ? static_cast<int>(item.peer) : hostEndpoint_;
      if (item.disconnect) {
        network_.Disconnect(from, to, now);
      } else {
        network_.Send(from, to, item.channel, item.bytes, now);
      }
    }
    out.Clear();
  }

  void Collect() {
    if (auto evidence = host_->TakeDesync()) {
      ++desyncs_;
      evidence_.push_back(std::move(*evidence));
    }
    for (net::SessionEvent& event : host_->TakeEvents()) events_.push_back(std::move(event));
    for (auto& client : clients_) {
      if (!client->alive) continue;
      if (auto evidence = client->session->TakeDesync()) evidence_.push_back(std::move(*evidence));
    }
  }

  bool Done() const {
    if (host_->CurrentPhase() != net::Phase::Ended || host_->DesyncPending()) return false;
    if (settings_.restartClientAtMs >= 0 && !restarted_) return false;
    if (settings_.spectatorJoinsAtMs >= 0 && !spectatorJoined_) return false;
    return std::all_of(clients_.begin(), clients_.end(),
                       [](const auto& c) { return !c->alive || c->session->CurrentPhase() == net::Phase::Ended; });
  }

  std::uint32_t AddressOf(int endpoint) const {
    const auto found = addresses_.find(endpoint);
    return found == addresses_.end() ? 0 : found->second;
  }

  std::int64_t NextEventMs() const {
    std::int64_t next = std::min(network_.NextDeliveryMs(), HostClock().TrueOf(host_->NextWakeMs()));
    for (const auto& client : clients_) {
      if (client->alive) next = std::min(next, client->clock.TrueOf(client->session->NextWakeMs()));
    }
    if (settings_.watch && settings_.watchEveryMs > 0) next = std::min(next, nextWatchMs_);
    const std::int64_t hostCloses = hostEndedAtMs_ >= 0 && !hostClosed_ ? hostEndedAtMs_ + settings_.hostLingerMs : -1;
    for (const std::int64_t at :
         {settings_.killClientAtMs, settings_.leaveClientAtMs, settings_.restartClientAtMs, settings_.spectatorJoinsAtMs, settings_.hostEscapeAtMs, hostCloses}) {
      if (at >= 0) next = std::min(next, at);
    }
    return next;
  }

  LabMachine MachineOf(const net::NetMatch* match, const net::SessionEnd& end, int endpoint, int roundTrip) const {
    LabMachine machine;
    machine.end = end;
    machine.firstFrameAtMs = endpoint == hostEndpoint_ ? hostFirstFrameMs_ : -1;
    machine.roundTripMs = roundTrip;
    machine.bytesSent = network_.CountersOf(endpoint).bytesSent;
    machine.bytesReceived = network_.CountersOf(endpoint).bytesReceived;
    if (match) {
      machine.stats = match->Stats();
      machine.finalHash = match->FinalHash();
      machine.endFrame = match->EndFrame();
      machine.inputDelay = match->Runner().InputDelay();
    }
    return machine;
  }

  LabResult Report(std::int64_t now) const {
    LabResult result;
    result.virtualMs = now;
    result.timedOut = now >= settings_.timeLimitMs;
    result.desyncs = desyncs_;
    result.hostStats = host_->Stats();
    result.evidence = evidence_;
    result.events = events_;
    result.machines.push_back(MachineOf(host_->Match(), host_->Ended(), hostEndpoint_, host_->RoundTripMs()));
    hostWatch_.Into(result.machines.back());
    for (const auto& owned : clients_) {
      const ClientMachine& client = *owned;
      if (!client.alive) continue;
      result.machines.push_back(MachineOf(client.session->Match(), client.session->Ended(), client.endpoint,
                                          client.session->RoundTripMs()));
      result.machines.back().name = client.name;
      result.machines.back().firstFrameAtMs = client.firstFrameAtMs;
      client.watch.Into(result.machines.back());
    }
    // The host's match as a replay file, read back and checked as the
    // replay checker checks it.
    if (const net::NetMatch* match = host_->Match(); match && match->EndFrame() >= 0) {
      result.hostReplay = EncodeReplay(net::ReplayOf(*match, 0));
      Replay replay;
      auto state = std::make_unique<GameState>();
      if (DecodeReplay(result.hostReplay, replay)) {
        ReplayPlayback playback(*state, replay);
        if (playback.PlayThrough({}, false).differingFrame < 0) result.playbackHash = replay.finalHash;
      }
    }
    return result;
  }

  const LabSettings& settings_;
  net::SeededNonces nonces_{settings_.start.cpuSeed};
  MemoryNetwork network_;
  std::int64_t now_ = 0;
  std::map<int, std::optional<int>> hostile_;
  std::map<int, std::vector<std::string>> heard_;
  int hostEndpoint_ = 0;
  GameState hostState_;
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> hostPlayers_;
  std::unique_ptr<net::HostSession> host_;
  std::vector<std::unique_ptr<ClientMachine>> clients_;
  bool killed_ = false, left_ = false, restarted_ = false, spectatorJoined_ = false, escaped_ = false;
  std::int64_t hostFirstFrameMs_ = -1;
  std::int64_t nextWatchMs_ = 0;
  Watch hostWatch_;

  std::int64_t hostEndedAtMs_ = -1;
  bool hostClosed_ = false;
  std::map<int, std::uint32_t> addresses_;  // by endpoint: the machine's
  int desyncs_ = 0;
  std::vector<net::DesyncEvidence> evidence_;
  std::vector<net::SessionEvent> events_;
};

}  // namespace

LabResult RunLabMatch(const LabSettings& settings) {
  auto lab = std::make_unique<Lab>(settings);
  return lab->Run();
}

}  // namespace fl3::netlab
