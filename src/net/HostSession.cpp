#include "net/HostSession.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <limits>

namespace fl3::net {
namespace {

constexpr std::size_t kMostEvents = 32;

std::string VersionText(std::uint16_t protocol, std::string_view version) {
  return std::string(version) + " (protocol " + std::to_string(protocol) + ")";
}

// "Ann" and "ann" are one name to the people reading the waiting room.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Compares every byte, so that the time taken tells nothing of the key.
bool SameKey(const SeatKey& a, const SeatKey& b) {
  std::uint8_t differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i) differ |= static_cast<std::uint8_t>(a[i] ^ b[i]);
  return differ == 0;
}

bool IsNone(const SeatKey& key) { return SameKey(key, SeatKey{}); }

}  // namespace

HostSession::HostSession(GameState& state, HostConfig config) : state_(state), config_(std::move(config)) {
  config_.inputDelay = std::clamp(config_.inputDelay, kAutomaticDelay, 3);
  for (int i = 0; i < FigureCount; ++i) {
    Figure& figure = figures_[static_cast<std::size_t>(i)];
    figure.seat = config_.seats[static_cast<std::size_t>(i)];
    if (figure.seat == HostSeat::Local) figure.name = config_.localName.substr(0, kMaxNameBytes);
  }
  if (!config_.password.empty()) {
    Nonces().Fill(salt_.data(), salt_.size());
    keyMade_ = DeriveKey(config_.password, salt_, key_);
  }
}

HostSession::~HostSession() = default;

NonceSource& HostSession::Nonces() {
  if (config_.nonces != nullptr) return *config_.nonces;
  if (!systemNonces_) systemNonces_ = std::make_unique<SystemNonces>();
  return *systemNonces_;
}

void HostSession::Connected(PeerId id, std::uint32_t address, std::int64_t nowMs) {
  const auto waiting = std::count_if(peers_.begin(), peers_.end(), [address](const auto& entry) {
    return entry.second.address == address && entry.second.stage != Peer::Stage::Admitted;
  });
  if (waiting >= kWaitingPerAddress) return out_.Disconnect(id);
  Peer& peer = peers_[id];
  peer = Peer{};
  peer.address = address;
  peer.connectedMs = peer.lastHeardMs = nowMs;
}

void HostSession::Disconnected(PeerId id, std::int64_t nowMs) {
  for (PendingDesync& pending : desyncs_) pending.ready = pending.ready || pending.peer == id;
  Gone(id, nowMs, GoneWhy::Silent, false);
}

void HostSession::Received(PeerId id, Channel channel, std::string_view bytes, std::int64_t nowMs) {
  const auto found = peers_.find(id);
  if (found == peers_.end()) return OnDesyncState(id, bytes);  // only a client out of step still speaks
  Peer& peer = found->second;
  peer.lastHeardMs = nowMs;
  const bool admitted = peer.stage == Peer::Stage::Admitted;
  if (!peer.guard.Admit(nowMs)) {
    ++stats_.excluded;
    if (!admitted) return Gone(id, nowMs, GoneWhy::Excluded, true);  // no answer to a stranger
    return Exclude(id, EndReason::Excluded, "This machine sent the host far too many messages.", GoneWhy::Excluded, nowMs);
  }
  // A machine waiting to be let in keeps the line alive with stamped
  // messages (its welcome may be on its way again); they need no answer.
  if (!admitted && channel == Channel::Unsequenced) return;
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
      if (type == MessageType::Answer) return OnAnswer(id, peer, bytes, nowMs);
      return Refuse(id, RefuseReason::Password, "no answer to the password challenge", bytes.size());
    case Peer::Stage::Admitted:
      break;
  }
  if (type == MessageType::Inputs) return OnInputs(id, peer, bytes, nowMs);
  if (type == MessageType::Leave && DecodeLeave(bytes)) return Gone(id, nowMs, GoneWhy::Left, true);
  Fault(id, peer, nowMs);
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
  // Per address: a crowd at one address never keeps another out.
  if (!gate_.Greets(peer.address, nowMs)) {
    return Refuse(id, RefuseReason::Busy, "too many joins at once; try again", bytes.size());
  }
  peer.role = hello.role;
  peer.seatsWanted = hello.seats;
  peer.name = hello.name;
  peer.seatKey = hello.seatKey;
  if (config_.password.empty()) return Admit(id, peer, nowMs);
  if (!keyMade_) return Refuse(id, RefuseReason::Password, "the host cannot check passwords", bytes.size());
  if (const std::int64_t wait = gate_.WaitMs(peer.address, nowMs); wait > 0) {
    return Refuse(id, RefuseReason::Password, "wrong passwords; try again in " + std::to_string((wait + 999) / 1000) + " s",
                  bytes.size());
  }
  peer.stage = Peer::Stage::Answer;
  Nonces().Fill(peer.nonce.data(), peer.nonce.size());
  Encode(Challenge{peer.nonce, salt_}, out_.Add(id, Channel::Reliable));
}

// After a wrong password the address waits before its next answer is even
// looked at; a guesser gets a few tries a minute, whoever else joins.
void HostSession::OnAnswer(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs) {
  if (const std::int64_t wait = gate_.WaitMs(peer.address, nowMs); wait > 0) {
    return Refuse(id, RefuseReason::Password, "wrong passwords; try again in " + std::to_string((wait + 999) / 1000) + " s",
                  bytes.size());
  }
  Answer answer;
  if (!Decode(bytes, answer) || !Verify(key_, peer.nonce, peer.name, answer.proof)) {
    gate_.WrongAnswer(peer.address, nowMs);
    return Refuse(id, RefuseReason::Password, "wrong password", bytes.size());
  }
  gate_.RightAnswer(peer.address);
  Admit(id, peer, nowMs);
}

void HostSession::Refuse(PeerId id, RefuseReason reason, std::string text, std::size_t requestBytes) {
  ++stats_.refused;
  Encode(net::Refuse{reason, kProtocolVersion, std::string(GameVersion()), std::move(text)}, scratch_);
  // Never more bytes back than came in.
  if (scratch_.size() <= requestBytes) out_.Add(id, Channel::Reliable) = scratch_;
  const auto found = peers_.find(id);
  Gone(id, found == peers_.end() ? 0 : found->second.lastHeardMs, GoneWhy::Refused, true);
}

void HostSession::Fault(PeerId id, Peer& peer, std::int64_t nowMs) {
  ++stats_.malformed;
  peer.guard.Fault();
  if (!peer.guard.Excluded()) return;
  ++stats_.excluded;
  Exclude(id, EndReason::Excluded, "This machine sent the host too many broken messages.", GoneWhy::Excluded, nowMs);
}

void HostSession::Exclude(PeerId id, EndReason reason, const std::string& text, GoneWhy why, std::int64_t nowMs) {
  const int frame = match_ ? match_->Runner().Current() : 0;
  Encode(net::End{reason, static_cast<std::uint32_t>(frame), text}, out_.Add(id, Channel::Reliable));
  Gone(id, nowMs, why, why != GoneWhy::OutOfStep);
}

void HostSession::Admit(PeerId id, Peer& peer, std::int64_t nowMs) {
  if (phase_ == Phase::Ended) return Refuse(id, RefuseReason::Running, "the match is over", kRequestBytes);
  if (NameTaken(peer.name, id, nowMs)) {
    // Only the machine that held a running seat may take it back.
    if (phase_ != Phase::Lobby && peer.role == Role::Player && !IsNone(peer.seatKey) && Rejoin(id, peer, nowMs)) return;
    return Refuse(id, RefuseReason::Name, "That name is taken", kRequestBytes);
  }
  if (peer.role == Role::Player) return AdmitPlayer(id, peer, nowMs);
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
  Note(SessionEvent::Kind::Joined, peer);
  BroadcastLobby(nowMs);
}

// Names are one to a session: every peer let in, and the seats of dropped
// players while they may still come back.
bool HostSession::NameTaken(const std::string& name, PeerId asking, std::int64_t nowMs) const {
  for (const auto& [id, peer] : peers_) {
    if (id != asking && peer.stage == Peer::Stage::Admitted && SameName(peer.name, name)) return true;
  }
  for (const Figure& figure : figures_) {
    const bool held = figure.taken && (figure.peer != 0 || (phase_ != Phase::Lobby && nowMs - figure.leftMs <= kRejoinMs));
    const bool hostPlays = figure.seat == HostSeat::Local && !figure.name.empty();
    if ((held || hostPlays) && SameName(figure.name, name)) return true;
  }
  return false;
}

void HostSession::AdmitPlayer(PeerId id, Peer& peer, std::int64_t nowMs) {
  if (phase_ != Phase::Lobby) return Refuse(id, RefuseReason::Running, "the match has begun", kRequestBytes);
  std::uint8_t free = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const Figure& figure = figures_[static_cast<std::size_t>(i)];
    if (figure.seat == HostSeat::Network && !figure.taken && std::popcount(free) < peer.seatsWanted) free |= 1u << i;
  }
  if (std::popcount(free) < peer.seatsWanted) return Refuse(id, RefuseReason::Full, "no free seat", kRequestBytes);
  peer.stage = Peer::Stage::Admitted;
  peer.figures = free;
  SeatKey key;
  Nonces().Fill(key.data(), key.size());
  for (int i = 0; i < FigureCount; ++i) {
    if ((free >> i & 1u) == 0) continue;
    Figure& figure = figures_[static_cast<std::size_t>(i)];
    figure.taken = true;
    figure.peer = id;
    figure.name = peer.name;
    figure.key = key;
  }
  SendWelcome(id, peer);
  EncodeSetup(config_.start, out_.Add(id, Channel::Reliable));
  Note(SessionEvent::Kind::Joined, peer);
  BroadcastLobby(nowMs);
}

// The machine that held the seats, by its key, back within a minute (or
// before the host noticed it had gone): its figures again, from a frame far
// enough ahead for its first controls to arrive in time.
bool HostSession::Rejoin(PeerId id, Peer& peer, std::int64_t nowMs) {
  if (!match_ || phase_ != Phase::Running) return false;
  std::uint8_t mine = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const Figure& figure = figures_[static_cast<std::size_t>(i)];
    const bool recent = figure.peer != 0 || nowMs - figure.leftMs <= kRejoinMs;
    if (figure.seat == HostSeat::Network && figure.taken && recent && SameName(figure.name, peer.name) &&
        SameKey(figure.key, peer.seatKey)) {
      mine |= 1u << i;
    }
  }
  if (mine == 0) return false;
  for (int i = 0; i < FigureCount; ++i) {
    const PeerId before = figures_[static_cast<std::size_t>(i)].peer;
    if ((mine >> i & 1u) != 0 && before != 0) Gone(before, nowMs, GoneWhy::Replaced, true);
  }
  // Room for the transfer to arrive (sent again, perhaps) and the first
  // controls to come back, as for the Start; a round trip not measured yet
  // counts as a long one.
  const int roundTripMs = peer.link.Measured() ? peer.link.RoundTripMs() : 500;
  const int leadFrames = std::max(10, (3 * roundTripMs + 300) / ControlFrame::kNetworkFrameMs);
  const int firstOwn = match_->Runner().Current() + leadFrames;
  for (int i = 0; i < FigureCount; ++i) {
    if ((mine >> i & 1u) == 0) continue;
    Figure& figure = figures_[static_cast<std::size_t>(i)];
    figure.peer = id;
    figure.leftMs = kLongAgoMs;
    figure.fillUntil = firstOwn;
  }
  peer.stage = Peer::Stage::Admitted;
  peer.figures = mine;
  SendWelcome(id, peer);
  SendTransfer(id, firstOwn);
  Note(SessionEvent::Kind::Rejoined, peer);
  BroadcastLobby(nowMs);
  return true;
}

void HostSession::SendWelcome(PeerId id, const Peer& peer) {
  Welcome welcome{peer.role, peer.figures, {}};
  for (const Figure& figure : figures_) {
    if (figure.peer == id) welcome.seatKey = figure.key;
  }
  Encode(welcome, out_.Add(id, Channel::Reliable));
}

void HostSession::SendTransfer(PeerId id, int firstOwnFrame) {
  const RollbackRunner& runner = match_->Runner();
  const int standing = runner.Standing();
  Transfer transfer;
  transfer.start = match_->Start();
  transfer.firstOwnFrame = static_cast<std::uint32_t>(firstOwnFrame);
  transfer.frames = match_->PackedFrames(standing);
  std::vector<std::uint8_t> snapshot;
  EncodeSnapshot(runner.StateBeforeStanding(), snapshot);
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
      if (const std::int64_t dropAt = peer->second.dropAtMs; dropAt != kLongAgoMs) {
        seat.dropInMs = static_cast<std::uint16_t>(std::clamp<std::int64_t>(dropAt - nowMs_, 1, 0xFFFF));
      }
    }
  }
  for (const auto& [id, peer] : peers_) lobby.spectators += peer.stage == Peer::Stage::Admitted && peer.role == Role::Spectator;
  return lobby;
}

void HostSession::BroadcastLobby(std::int64_t nowMs) {
  const Lobby lobby = LobbyView();
  notices_.Saw(lobby, nowMs);
  Encode(lobby, scratch_);
  for (const auto& [id, peer] : peers_) {
    if (peer.stage == Peer::Stage::Admitted) out_.Add(id, Channel::Reliable) = scratch_;
  }
}

void HostSession::Gone(PeerId id, std::int64_t nowMs, GoneWhy why, bool disconnect) {
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
  const Peer peer = std::move(found->second);
  peers_.erase(found);
  // Once the match's end stands, everybody goes: nothing to tell.
  if (peer.stage != Peer::Stage::Admitted || why == GoneWhy::Replaced || phase_ >= Phase::Finishing) return;
  switch (why) {
    case GoneWhy::Left: Note(SessionEvent::Kind::Left, peer); break;
    case GoneWhy::Late: Note(SessionEvent::Kind::Late, peer); break;
    case GoneWhy::Excluded: Note(SessionEvent::Kind::Excluded, peer); break;
    case GoneWhy::OutOfStep: Note(SessionEvent::Kind::OutOfStep, peer); break;
    default: Note(SessionEvent::Kind::Silent, peer); break;
  }
  BroadcastLobby(nowMs);
}

void HostSession::Note(SessionEvent::Kind kind, const Peer& peer) {
  if (events_.size() >= kMostEvents) events_.erase(events_.begin());
  events_.push_back({kind, peer.name, peer.figures, match_ ? match_->Runner().Current() : -1});
}

std::vector<SessionEvent> HostSession::TakeEvents() {
  std::vector<SessionEvent> taken;
  taken.swap(events_);
  return taken;
}

// Taken, and by a player that holds the match's setup: the Start then finds
// every one of them ready for it.
bool HostSession::AllSeatsTaken() const {
  return std::all_of(figures_.begin(), figures_.end(), [this](const Figure& f) {
    if (f.seat != HostSeat::Network) return true;
    const auto peer = peers_.find(f.peer);
    return f.taken && peer != peers_.end() && peer->second.ready;
  });
}

}  // namespace fl3::net
