#include "net/HostSession.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace fl3::net {
namespace {

constexpr int kHellosPerSecond = 8;

std::string VersionText(std::uint16_t protocol, std::string_view version) {
  return std::string(version) + " (protocol " + std::to_string(protocol) + ")";
}

}  // namespace

HostSession::HostSession(GameState& state, HostConfig config) : state_(state), config_(std::move(config)) {
  config_.inputDelay = std::clamp(config_.inputDelay, 0, 3);
  for (int i = 0; i < FigureCount; ++i) {
    Figure& figure = figures_[static_cast<std::size_t>(i)];
    figure.seat = config_.seats[static_cast<std::size_t>(i)];
    if (figure.seat == HostSeat::Local) figure.name = config_.localName.substr(0, kMaxNameBytes);
  }
  if (!config_.password.empty() && config_.nonces != nullptr) {
    config_.nonces->Fill(salt_.data(), salt_.size());
    if (!DeriveKey(config_.password, salt_, key_)) config_.nonces = nullptr;
  }
}

HostSession::~HostSession() = default;

void HostSession::Connected(PeerId id, std::int64_t nowMs) {
  Peer& peer = peers_[id];
  peer = Peer{};
  peer.connectedMs = peer.lastHeardMs = nowMs;
}

void HostSession::Disconnected(PeerId id, std::int64_t nowMs) { Drop(id, nowMs, false); }

void HostSession::Received(PeerId id, Channel, std::string_view bytes, std::int64_t nowMs) {
  const auto found = peers_.find(id);
  if (found == peers_.end() || found->second.closing) return;
  Peer& peer = found->second;
  peer.lastHeardMs = nowMs;
  if (!peer.guard.Admit(nowMs)) {
    ++stats_.excluded;
    Drop(id, nowMs, true);
    return;
  }
  Handle(id, peer, bytes, nowMs);
}

void HostSession::Handle(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs) {
  const auto type = static_cast<MessageType>(TypeOf(bytes));
  switch (peer.stage) {
    case Peer::Stage::Hello:
      // The version comes first: a peer that opens with anything else is gone.
      if (type == MessageType::Hello) return OnHello(id, peer, bytes, nowMs);
      return Refuse(id, RefuseReason::Malformed, "the first message was not a greeting", bytes.size());
    case Peer::Stage::Answer:
      if (type == MessageType::Answer) return OnAnswer(id, peer, bytes);
      return Refuse(id, RefuseReason::Password, "no answer to the password challenge", bytes.size());
    case Peer::Stage::Admitted:
      break;
  }
  if (type == MessageType::Inputs) return OnInputs(id, peer, bytes, nowMs);
  if (type == MessageType::Leave && DecodeLeave(bytes)) return Drop(id, nowMs, true);
  if (type == MessageType::DesyncEvidence) return OnDesyncState(peer, bytes);
  Fault(id, peer);
}

void HostSession::OnHello(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs) {
  std::uint16_t protocol = 0;
  std::string version;
  if (!DecodeHelloVersions(bytes, protocol, version)) {
    return Refuse(id, RefuseReason::Malformed, "not a FUSELARK3 greeting", bytes.size());
  }
  if (protocol != kProtocolVersion || version != GameVersion()) {
    return Refuse(id, RefuseReason::Version, "the joining game is " + VersionText(protocol, version), bytes.size());
  }
  Hello hello;
  if (!Decode(bytes, hello)) return Refuse(id, RefuseReason::Malformed, "a damaged greeting", bytes.size());
  if (nowMs - helloWindowMs_ >= 1000) helloWindowMs_ = nowMs, hellosInWindow_ = 0;
  if (++hellosInWindow_ > kHellosPerSecond) {
    return Refuse(id, RefuseReason::Busy, "too many joins at once; try again", bytes.size());
  }
  peer.role = hello.role;
  peer.seatsWanted = hello.seats;
  peer.name = hello.name;
  if (config_.password.empty()) return Admit(id, peer);
  if (config_.nonces == nullptr) return Refuse(id, RefuseReason::Password, "the host cannot check passwords", bytes.size());
  peer.stage = Peer::Stage::Answer;
  config_.nonces->Fill(peer.nonce.data(), peer.nonce.size());
  Encode(Challenge{peer.nonce, salt_}, out_.Add(id, Channel::Reliable));
}

void HostSession::OnAnswer(PeerId id, Peer& peer, std::string_view bytes) {
  Answer answer;
  if (!Decode(bytes, answer) || !Verify(key_, peer.nonce, peer.name, answer.proof)) {
    return Refuse(id, RefuseReason::Password, "wrong password", bytes.size());
  }
  Admit(id, peer);
}

void HostSession::Refuse(PeerId id, RefuseReason reason, std::string text, std::size_t requestBytes) {
  ++stats_.refused;
  Encode(net::Refuse{reason, kProtocolVersion, std::string(GameVersion()), std::move(text)}, scratch_);
  // Never more bytes back than came in.
  if (scratch_.size() <= requestBytes) out_.Add(id, Channel::Reliable) = scratch_;
  out_.Disconnect(id);
  peers_[id].closing = true;
}

void HostSession::Fault(PeerId id, Peer& peer) {
  ++stats_.malformed;
  peer.guard.Fault();
  if (!peer.guard.Excluded()) return;
  ++stats_.excluded;
  out_.Disconnect(id);
  peer.closing = true;
}

void HostSession::Admit(PeerId id, Peer& peer) {
  if (phase_ == Phase::Ended) return Refuse(id, RefuseReason::Running, "the match is over", kRequestBytes);
  if (peer.role == Role::Player) return AdmitPlayer(id, peer);
  if (!config_.spectatorsAllowed) return Refuse(id, RefuseReason::NoSpectators, "no spectators", kRequestBytes);
  int spectators = 0;
  for (const auto& [other, entry] : peers_) spectators += entry.stage == Peer::Stage::Admitted && entry.role == Role::Spectator;
  if (spectators >= kMaxSpectators) return Refuse(id, RefuseReason::Full, "no room for more spectators", kRequestBytes);
  peer.stage = Peer::Stage::Admitted;
  SendWelcome(id, peer);
  if (match_) {
    SendTransfer(id, 0);
  } else {
    EncodeSetup(config_.start, out_.Add(id, Channel::Reliable));
  }
  BroadcastLobby();
}

void HostSession::AdmitPlayer(PeerId id, Peer& peer) {
  if (phase_ != Phase::Lobby) {
    if (!Rejoin(id, peer, peer.lastHeardMs)) Refuse(id, RefuseReason::Running, "the match has begun", kRequestBytes);
    return;
  }
  std::uint8_t free = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const Figure& figure = figures_[static_cast<std::size_t>(i)];
    if (figure.taken && figure.name == peer.name) return Refuse(id, RefuseReason::Name, "the name is taken", kRequestBytes);
    if (figure.seat == HostSeat::Network && !figure.taken && std::popcount(free) < peer.seatsWanted) free |= 1u << i;
  }
  if (std::popcount(free) < peer.seatsWanted) return Refuse(id, RefuseReason::Full, "no free seat", kRequestBytes);
  peer.stage = Peer::Stage::Admitted;
  peer.figures = free;
  for (int i = 0; i < FigureCount; ++i) {
    if ((free >> i & 1u) == 0) continue;
    Figure& figure = figures_[static_cast<std::size_t>(i)];
    figure.taken = true;
    figure.peer = id;
    figure.name = peer.name;
  }
  SendWelcome(id, peer);
  EncodeSetup(config_.start, out_.Add(id, Channel::Reliable));
  BroadcastLobby();
}

// The same player, by name, back within a minute: its figures again, from a
// frame far enough ahead for its first controls to arrive in time.
bool HostSession::Rejoin(PeerId id, Peer& peer, std::int64_t nowMs) {
  if (!match_ || phase_ != Phase::Running) return false;
  std::uint8_t mine = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const Figure& figure = figures_[static_cast<std::size_t>(i)];
    const bool recent = figure.peer != 0 || nowMs - figure.leftMs <= kRejoinMs;
    if (figure.seat == HostSeat::Network && figure.taken && figure.name == peer.name && recent) mine |= 1u << i;
  }
  if (mine == 0) return false;
  constexpr int kRejoinLeadFrames = 10;
  const int firstOwn = match_->Runner().Current() + kRejoinLeadFrames;
  for (int i = 0; i < FigureCount; ++i) {
    if ((mine >> i & 1u) == 0) continue;
    Figure& figure = figures_[static_cast<std::size_t>(i)];
    if (figure.peer != 0 && figure.peer != id) Drop(figure.peer, 0, true);
    figure.peer = id;
    figure.leftMs = -1;
    figure.fillUntil = firstOwn;
  }
  peer.stage = Peer::Stage::Admitted;
  peer.figures = mine;
  SendWelcome(id, peer);
  SendTransfer(id, firstOwn);
  BroadcastLobby();
  return true;
}

void HostSession::SendWelcome(PeerId id, const Peer& peer) {
  Encode(Welcome{peer.role, peer.figures}, out_.Add(id, Channel::Reliable));
}

void HostSession::SendTransfer(PeerId id, int firstOwnFrame) {
  const RollbackRunner& runner = match_->Runner();
  const int standing = runner.Standing();
  Transfer transfer;
  transfer.start = match_->Start();
  transfer.firstOwnFrame = static_cast<std::uint32_t>(firstOwnFrame);
  transfer.frames = match_->PackedFrames(standing);
  std::vector<std::uint8_t> snapshot;
  MatchSnapshot now;
  const MatchSnapshot* after = runner.StandingState(standing - 1);
  if (after == nullptr) {
    match_->Engine().Save(now);  // nothing stands yet: the state before frame 0
    after = &now;
  }
  EncodeSnapshot(*after, snapshot);
  transfer.snapshot.assign(snapshot.begin(), snapshot.end());
  Encode(transfer, out_.Add(id, Channel::Reliable));
  Peer& peer = peers_[id];
  peer.framesHave = peer.hashesHave = standing;
}

Lobby HostSession::LobbyView() const {
  Lobby lobby;
  for (int i = 0; i < FigureCount; ++i) {
    const Figure& figure = figures_[static_cast<std::size_t>(i)];
    Lobby::Seat& seat = lobby.seats[static_cast<std::size_t>(i)];
    seat.name = figure.name;
    switch (figure.seat) {
      case HostSeat::Off: seat.state = SeatState::Off; break;
      case HostSeat::Local: seat.state = SeatState::Host; break;
      case HostSeat::Computer: seat.state = SeatState::Computer; break;
      case HostSeat::Network:
        seat.state = !figure.taken ? SeatState::Free : figure.peer == 0 ? SeatState::Left : SeatState::Taken;
        break;
    }
    const auto peer = peers_.find(figure.peer);
    if (figure.peer != 0 && peer != peers_.end()) {
      seat.roundTripMs = static_cast<std::uint16_t>(std::min(peer->second.link.RoundTripMs(), 0xFFFF));
    }
  }
  for (const auto& [id, peer] : peers_) lobby.spectators += peer.stage == Peer::Stage::Admitted && peer.role == Role::Spectator;
  return lobby;
}

void HostSession::BroadcastLobby() {
  Encode(LobbyView(), scratch_);
  for (const auto& [id, peer] : peers_) {
    if (peer.stage == Peer::Stage::Admitted && !peer.closing) out_.Add(id, Channel::Reliable) = scratch_;
  }
}

void HostSession::Drop(PeerId id, std::int64_t nowMs, bool disconnect) {
  const auto found = peers_.find(id);
  if (found == peers_.end()) return;
  if (disconnect) out_.Disconnect(id);
  for (Figure& figure : figures_) {
    if (figure.peer != id) continue;
    figure.peer = 0;
    if (phase_ == Phase::Lobby) {
      Figure freed;  // the seat is free again
      freed.seat = figure.seat;
      figure = freed;
    } else {
      figure.leftMs = nowMs;
      figure.fillUntil = std::numeric_limits<int>::max();
    }
  }
  const bool admitted = found->second.stage == Peer::Stage::Admitted;
  peers_.erase(found);
  if (admitted) BroadcastLobby();
}

bool HostSession::AllSeatsTaken() const {
  return std::all_of(figures_.begin(), figures_.end(),
                     [](const Figure& f) { return f.seat != HostSeat::Network || (f.taken && f.peer != 0); });
}

}  // namespace fl3::net
