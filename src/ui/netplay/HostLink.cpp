#include "ui/netplay/HostLink.h"

#include <ctime>

#include "match/SeatLayoutControls.h"
#include "net/DesyncReport.h"
#include "ui/netplay/NetPlayEnds.h"

namespace fl3 {
namespace {

net::HostSeat HostSeatOf(SeatChoice seat) {
  switch (seat) {
    case SeatChoice::Man: return net::HostSeat::Local;
    case SeatChoice::Cpu: return net::HostSeat::Computer;
    case SeatChoice::Net: return net::HostSeat::Network;
    default: return net::HostSeat::Off;
  }
}

// Long enough for every machine to cut its pictures and open its match
// window before the first frame.
constexpr std::uint16_t kStartDelayMs = 1500;

}  // namespace

HostLink::HostLink(GameState& state, const GameFolder& folder, const HostSetup& setup,
                   std::unique_ptr<net::EnetLink> enet)
    : state_(state),
      folder_(folder),
      setup_(setup),
      computers_(state, static_cast<CpuStrength>(setup.start.cpuStrength), setup.start.cpuSeed),
      enet_(std::move(enet)),
      session_(NewSession("")) {}

std::unique_ptr<net::HostSession> HostLink::NewSession(const std::string& password) {
  net::HostConfig config;
  config.start = setup_.start;
  for (int i = 0; i < FigureCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    config.seats[at] = HostSeatOf(setup_.seats[at]);
    if (config.seats[at] == net::HostSeat::Local) config.sources[at] = setup_.players;
    if (config.seats[at] == net::HostSeat::Computer) config.sources[at] = computers_.For(i);
  }
  config.password = password;
  config.nonces = &nonces_;
  config.startDelayMs = kStartDelayMs;
  config.inputDelay = setup_.inputDelay;
  config.spectatorsAllowed = setup_.spectatorsAllowed;
  config.localName = setup_.localName;
  return std::make_unique<net::HostSession>(state_, std::move(config));
}

// Nobody is in yet: the new session meets the connections still knocking.
bool HostLink::SetPassword(const std::string& password) {
  const net::Lobby lobby = session_->LobbyView();
  if (session_->CurrentPhase() != net::Phase::Lobby || lobby.spectators > 0) return false;
  for (const net::Lobby::Seat& seat : lobby.seats) {
    if (seat.state == net::SeatState::Taken) return false;
  }
  session_ = NewSession(password);
  for (const auto& [peer, address] : connected_) session_->Connected(peer, address, lastServiceMs_);
  return true;
}

void HostLink::Receive(std::int64_t nowMs) {
  events_.clear();
  enet_->Poll(events_);
  for (const net::LinkEvent& event : events_) {
    switch (event.kind) {
      case net::LinkEvent::Kind::Connected:
        connected_.emplace_back(event.peer, event.address);
        session_->Connected(event.peer, event.address, nowMs);
        break;
      case net::LinkEvent::Kind::Disconnected:
        std::erase_if(connected_, [&event](const auto& entry) { return entry.first == event.peer; });
        session_->Disconnected(event.peer, nowMs);
        break;
      case net::LinkEvent::Kind::Received: session_->Received(event.peer, event.channel, event.bytes, nowMs); break;
    }
  }
}

// While held, what knocks waits in the socket: the session meets it only
// with the password that is being typed.
NetPlayStep HostLink::Service(std::int64_t nowMs, DrawList* draw) {
  if (held_) return {};
  lastServiceMs_ = nowMs;
  Receive(nowMs);
  const net::StepReport report = session_->Update(nowMs, draw);
  enet_->Send(session_->Out());
  enet_->Flush();
  // A client out of step left and the match went on: its report is written
  // once the match is over, not between frames.
  if (auto evidence = session_->TakeDesync()) outOfStep_.push_back(std::move(*evidence));
  if (session_->CurrentPhase() == net::Phase::Ended) {
    for (const net::DesyncEvidence& evidence : outOfStep_) {
      std::string written;
      net::WriteDesyncReport(folder_.Directory(), evidence, std::time(nullptr), written);
    }
    outOfStep_.clear();
    if (!over_) end_ = HostEnd(session_->Ended(), ""), over_ = true;
  }
  return {report.ran, report.corrected, report.ran || report.corrected, report.beeps, report.replayed, report.waiting};
}

NetPlayLink::Stage HostLink::CurrentStage() const {
  if (over_) return Stage::Over;
  return session_->CurrentPhase() == net::Phase::Lobby ? Stage::Lobby : Stage::Running;
}

std::uint8_t HostLink::OwnFigures() const {
  std::uint8_t own = 0;
  for (int i = 0; i < FigureCount; ++i) own |= setup_.seats[static_cast<std::size_t>(i)] == SeatChoice::Man ? 1u << i : 0u;
  return own;
}

FrameOutcome HostLink::Outcome() const {
  const net::NetMatch* match = session_->Match();
  return match != nullptr ? match->StandingEnd() : FrameOutcome{};
}

}  // namespace fl3
