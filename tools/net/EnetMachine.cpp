#include "EnetMachine.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>

namespace fl3::netlab {
namespace {

// After the last machine is done, its last messages (the host's End) may
// still be on their way.
constexpr std::int64_t kLingerMs = 300;
constexpr std::int64_t kLongestSleepMs = 50;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

sockaddr_in Loopback(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

}  // namespace

std::int64_t SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool Shimmed(const net::ShimSettings& shim) {
  return shim.latencyMs > 0 || shim.jitterMs > 0 || shim.loss > 0 || shim.duplicate > 0 || shim.reorder > 0;
}

EnetMachine::~EnetMachine() = default;

void EnetMachine::Sockets(std::vector<int>& sockets) const {
  if (link_) sockets.push_back(link_->Socket());
  if (relay_) relay_->Sockets(sockets);
}

std::int64_t EnetMachine::NextWakeMs() const {
  std::int64_t wake = clock_.TrueOf(NextWakeLocalMs());
  if (relay_ && relay_->NextDueMs() >= 0) wake = std::min(wake, relay_->NextDueMs());
  return wake;
}

void EnetMachine::Service(std::int64_t steadyMs) {
  if (!link_) return;
  if (relay_) relay_->Pump(steadyMs);
  events_.clear();
  link_->Poll(events_);
  const std::int64_t now = Local(steadyMs);
  for (const net::LinkEvent& event : events_) {
    switch (event.kind) {
      case net::LinkEvent::Kind::Connected: ++heard_.connected; break;
      case net::LinkEvent::Kind::Disconnected: ++heard_.disconnected; break;
      case net::LinkEvent::Kind::Received: ++(event.channel == net::Channel::Reliable ? heard_.reliable : heard_.unsequenced); break;
    }
    OnEvent(event, now);
  }
  Update(now);
  link_->Send(Out());
  link_->Flush();
  if (relay_) relay_->Pump(steadyMs);
}

void EnetMachine::MeasureStart() {
  if (startedMs_ >= 0) return;
  startedMs_ = SteadyMs(), sentAtStart_ = link_->BytesSent(), receivedAtStart_ = link_->BytesReceived();
  cpuAtStart_ = CpuSeconds();
}

void EnetMachine::MeasureStop() {
  if (startedMs_ < 0 || endedMs_ >= 0) return;
  endedMs_ = SteadyMs(), sent_ = link_->BytesSent() - sentAtStart_, received_ = link_->BytesReceived() - receivedAtStart_;
  cpu_ = CpuSeconds() - cpuAtStart_;
}

void EnetMachine::Fill(MachineSummary& summary) const {
  summary.seconds = endedMs_ > startedMs_ ? static_cast<double>(endedMs_ - startedMs_) / 1000.0 : 0;
  summary.bytesSent = sent_;
  summary.bytesReceived = received_;
  summary.cpuSeconds = cpu_;
}

EnetHostMachine::EnetHostMachine(GameState& state, net::HostConfig config, std::uint16_t port,
                                 const net::ShimSettings& shim, const MachineClock& clock, int waitSeconds)
    : EnetMachine(clock), session_(state, std::move(config)), waitSeconds_(waitSeconds) {
  const bool shimmed = Shimmed(shim);
  link_ = net::EnetLink::Listen(shimmed ? 0 : port, FigureCount + net::kMaxSpectators + 4, error_);
  if (link_ && shimmed) {
    relay_ = net::ShimRelay::Open(port, true, Loopback(link_->BoundPort()), net::ShimRelay::Shimmed::TowardListener, shim,
                                  error_);
    if (!relay_) link_.reset();
  }
}

std::uint16_t EnetHostMachine::Port() const {
  if (!link_) return 0;
  return relay_ ? relay_->ListenPort() : link_->BoundPort();
}

void EnetHostMachine::OnEvent(const net::LinkEvent& event, std::int64_t nowMs) {
  if (event.kind == net::LinkEvent::Kind::Connected) session_.Connected(event.peer, event.address, nowMs);
  if (event.kind == net::LinkEvent::Kind::Disconnected) session_.Disconnected(event.peer, nowMs);
  if (event.kind == net::LinkEvent::Kind::Received) session_.Received(event.peer, event.channel, event.bytes, nowMs);
}

void EnetHostMachine::Update(std::int64_t nowMs) {
  if (!waitUntilMs_) waitUntilMs_ = nowMs + waitSeconds_ * 1000LL;
  if (session_.CurrentPhase() == net::Phase::Lobby && session_.AllSeatsTaken() && session_.StartMatch(nowMs)) MeasureStart();
  if (session_.CurrentPhase() == net::Phase::Lobby && nowMs > *waitUntilMs_) session_.EndMatch();
  session_.Update(nowMs, nullptr);
  if (session_.CurrentPhase() == net::Phase::Running) roundTripMs_ = std::max(roundTripMs_, session_.RoundTripMs());
  if (session_.CurrentPhase() == net::Phase::Ended) MeasureStop();
  if (auto evidence = session_.TakeDesync()) outOfStep_.push_back(std::move(*evidence));
  for (net::SessionEvent& event : session_.TakeEvents()) events_.push_back(std::move(event));
}

MachineSummary EnetHostMachine::Summary() {
  MeasureStop();
  MachineSummary summary;
  summary.mode = "host";
  Fill(summary);
  summary.end = session_.Ended();
  summary.roundTripMs = roundTripMs_;
  summary.desyncs = session_.Stats().desyncs;
  summary.hostStats = session_.Stats();
  if (const net::NetMatch* match = session_.Match()) summary.TakeMatch(*match);
  if (session_.CurrentPhase() != net::Phase::Ended) summary.end.message = "gave up waiting";
  return summary;
}

EnetClientMachine::EnetClientMachine(GameState& state, net::ClientConfig config, const sockaddr_in& host,
                                     const net::ShimSettings& shim, const MachineClock& clock, bool watching)
    : EnetMachine(clock), session_(state, std::move(config), Local(SteadyMs())), watching_(watching) {
  if (Shimmed(shim)) {
    relay_ = net::ShimRelay::Open(0, false, host, net::ShimRelay::Shimmed::TowardTarget, shim, error_);
    if (relay_) link_ = net::EnetLink::Connect("127.0.0.1", relay_->ListenPort(), error_);
    return;
  }
  char address[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &host.sin_addr, address, sizeof address);
  link_ = net::EnetLink::Connect(address, ntohs(host.sin_port), error_);
}

void EnetClientMachine::OnEvent(const net::LinkEvent& event, std::int64_t nowMs) {
  if (event.kind == net::LinkEvent::Kind::Connected) session_.Connected(nowMs);
  if (event.kind == net::LinkEvent::Kind::Disconnected) session_.Disconnected(nowMs);
  if (event.kind == net::LinkEvent::Kind::Received) session_.Received(event.channel, event.bytes, nowMs);
}

void EnetClientMachine::Update(std::int64_t nowMs) {
  session_.Update(nowMs, nullptr);
  if (session_.Match() != nullptr) MeasureStart();
  if (session_.CurrentPhase() >= net::Phase::Finishing) MeasureStop();
  if (auto evidence = session_.TakeDesync()) outOfStep_.push_back(std::move(*evidence));
  if (session_.SeatKeyGiven() != told_) {
    told_ = session_.SeatKeyGiven();
    if (onSeatKey) onSeatKey(told_);
  }
}

MachineSummary EnetClientMachine::Summary() {
  MeasureStop();
  MachineSummary summary;
  summary.mode = watching_ ? "watch" : "join";
  Fill(summary);
  summary.end = session_.Ended();
  summary.roundTripMs = session_.RoundTripMs();
  summary.lossPerMille = session_.LossPerMille();
  if (session_.CurrentPhase() != net::Phase::Ended) summary.end.message = "gave up waiting";
  if (const net::NetMatch* match = session_.Match()) summary.TakeMatch(*match);
  summary.desyncs = summary.end.reason == net::EndReason::Desync ? 1 : 0;
  return summary;
}

std::int64_t RunMachines(const std::vector<EnetMachine*>& machines, std::int64_t deadlineSteadyMs) {
  std::vector<int> sockets;
  std::vector<pollfd> waits;
  std::int64_t lingerUntil = -1, latestWakeMs = 0;
  for (;;) {
    std::int64_t now = SteadyMs();
    if (now > deadlineSteadyMs || (lingerUntil >= 0 && now > lingerUntil)) break;
    const bool allDone = std::all_of(machines.begin(), machines.end(), [](const EnetMachine* m) { return m->Done(); });
    if (lingerUntil < 0 && allDone) lingerUntil = now + kLingerMs;
    std::int64_t wake = now + kLongestSleepMs;
    sockets.clear();
    for (const EnetMachine* machine : machines) {
      wake = std::min(wake, machine->NextWakeMs());
      machine->Sockets(sockets);
    }
    waits.clear();
    for (const int socket : sockets) waits.push_back({socket, POLLIN, 0});
    const std::int64_t sleptUntil = now + std::clamp<std::int64_t>(wake - now, 0, kLongestSleepMs);
    const int ready = poll(waits.data(), waits.size(), static_cast<int>(sleptUntil - now));
    now = SteadyMs();
    if (ready == 0) latestWakeMs = std::max(latestWakeMs, now - sleptUntil);
    for (EnetMachine* machine : machines) machine->Service(now);
  }
  return latestWakeMs;
}

}  // namespace fl3::netlab
