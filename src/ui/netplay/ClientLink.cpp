#include "ui/netplay/ClientLink.h"

#include "match/SeatLayoutControls.h"
#include "ui/netplay/NetPlayEnds.h"

namespace fl3 {

namespace {

std::string LabelOf(const JoinSetup& setup) {
  return setup.request.address.host + ":" + std::to_string(setup.request.address.port);
}

}  // namespace

ClientLink::ClientLink(GameState& state, const GameFolder& folder, const JoinSetup& setup,
                       std::unique_ptr<net::EnetLink> enet, std::int64_t nowMs, RememberedSeat& seat)
    : folder_(folder),
      address_(setup.request.address),
      hostLabel_(LabelOf(setup)),
      watching_(setup.request.watch),
      name_(setup.request.name),
      seat_(seat),
      enet_(std::move(enet)),
      session_(state,
               Config(setup, seat.hostLabel == LabelOf(setup) && seat.name == setup.request.name ? seat.key : net::SeatKey{}),
               nowMs) {}

// The n-th player at this keyboard steers the n-th figure the host gives.
net::ClientConfig ClientLink::Config(const JoinSetup& setup, const net::SeatKey& key) {
  net::ClientConfig config;
  config.name = setup.request.name;
  config.seatKey = key;
  config.role = setup.request.watch ? net::Role::Spectator : net::Role::Player;
  config.seats = setup.request.players;
  config.password = setup.request.password;
  config.inputDelay = setup.inputDelay;
  SeatLayoutControls* players = setup.players;
  const std::array<int, 2> layouts = setup.request.layouts;
  config.seatFor = [players, layouts](int figure, int nth, const MatchStart&) {
    players->Steer(figure, layouts[static_cast<std::size_t>(nth & 1)]);
    return net::LocalSeat{players, false};
  };
  config.missingPicture = setup.missingPicture;
  return config;
}

void ClientLink::Receive(std::int64_t nowMs) {
  events_.clear();
  enet_->Poll(events_);
  for (const net::LinkEvent& event : events_) {
    switch (event.kind) {
      case net::LinkEvent::Kind::Connected: session_.Connected(nowMs); break;
      case net::LinkEvent::Kind::Disconnected: session_.Disconnected(nowMs); break;
      case net::LinkEvent::Kind::Received: session_.Received(event.channel, event.bytes, nowMs); break;
    }
  }
}

NetPlayStep ClientLink::Service(std::int64_t nowMs, DrawList* draw) {
  Receive(nowMs);
  const net::StepReport report = session_.Update(nowMs, draw);
  enet_->Send(session_.Out());
  enet_->Flush();
  if (session_.SeatKeyGiven() != net::SeatKey{} && session_.SeatKeyGiven() != seat_.key) {
    seat_ = {hostLabel_, name_, session_.SeatKeyGiven()};
  }
  if (session_.CurrentPhase() == net::Phase::Ended && !over_) Settle(nowMs);
  return {report.ran, report.corrected, report.ran || report.corrected, report.beeps, report.replayed, report.waiting};
}

// The end is told once its evidence is in: a desync's report written, and
// whether a host lost in the running match still answers.
void ClientLink::Settle(std::int64_t nowMs) {
  const net::SessionEnd& end = session_.Ended();
  if (end.reason == net::EndReason::Desync && !desync_.Settle(session_.TakeDesync(), folder_, nowMs)) return;
  HostHeard heard = HostHeard::NotAsked;
  if (end.reason == net::EndReason::HostLeft && session_.Match() != nullptr && session_.OwnFigures() != 0) {
    if (!probe_.Started()) probe_.Start(address_.host, address_.port, nowMs);
    const std::optional<bool> answered = probe_.Answered(nowMs);
    if (!answered) return;
    heard = *answered ? HostHeard::Answers : HostHeard::Silent;
  }
  end_ = ClientEnd(end, hostLabel_, desync_.Text(), heard);
  over_ = true;
}

NetPlayLink::Stage ClientLink::CurrentStage() const {
  if (over_) return Stage::Over;
  switch (session_.CurrentPhase()) {
    case net::Phase::Connecting:
    case net::Phase::Joining: return Stage::Connecting;
    case net::Phase::Lobby: return Stage::Lobby;
    default: return Stage::Running;
  }
}

FrameOutcome ClientLink::Outcome() const {
  const net::NetMatch* match = session_.Match();
  return match != nullptr ? match->StandingEnd() : FrameOutcome{};
}

}  // namespace fl3
