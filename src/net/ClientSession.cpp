#include "net/ClientSession.h"

#include <algorithm>
#include <bit>

#include "net/PasswordProof.h"

namespace fl3::net {
namespace {

std::string RefusalText(const Refuse& refuse) {
  switch (refuse.reason) {
    case RefuseReason::Version:
      return "The host plays FUSELARK3 " + refuse.hostVersion + " (protocol " + std::to_string(refuse.hostProtocol) +
             "); this is FUSELARK3 " + std::string(GameVersion()) + " (protocol " + std::to_string(kProtocolVersion) + ").";
    case RefuseReason::Full: return "The match is full.";
    case RefuseReason::Password: return refuse.text == "wrong password" ? "Wrong password." : "Refused: " + refuse.text + ".";
    case RefuseReason::Name: return "That name is taken.";
    case RefuseReason::Running: return "The match has already begun.";
    case RefuseReason::Busy: return "The host is busy; try again in a moment.";
    case RefuseReason::NoSpectators: return "The host lets nobody watch this match.";
    case RefuseReason::Malformed: break;
  }
  return "The host refused: " + refuse.text + ".";
}

}  // namespace

ClientSession::ClientSession(GameState& state, ClientConfig config, std::int64_t nowMs)
    : state_(state), config_(std::move(config)), beganMs_(nowMs), lastHeardMs_(nowMs) {
  role_ = config_.role;
}

ClientSession::~ClientSession() = default;

void ClientSession::Connected(std::int64_t nowMs) {
  if (phase_ != Phase::Connecting) return;
  Hello hello;
  hello.gameVersion = std::string(GameVersion());
  hello.role = config_.role;
  hello.seats = static_cast<std::uint8_t>(config_.role == Role::Player ? std::clamp(config_.seats, 1, 2) : 0);
  hello.name = config_.name;
  hello.seatKey = config_.seatKey;
  Encode(hello, out_.Add(kHost, Channel::Reliable));
  phase_ = Phase::Joining;
  lastHeardMs_ = nowMs;
}

void ClientSession::Disconnected(std::int64_t nowMs) {
  if (phase_ == Phase::Ended) return;
  HostGone(phase_ == Phase::Connecting ? "No answer from the host." : "The connection to the host was lost.", nowMs);
}

// Whatever way the host went: a machine that holds the match to its last
// standing frame has seen it end, as every other machine has.
void ClientSession::HostGone(std::string message, std::int64_t nowMs) {
  PlayConfirmed(nowMs);
  if (match_ && match_->StandingEnd().end != MatchEnd::Running) return Finish(EndReason::Over, "");
  Finish(EndReason::HostLeft, std::move(message));
}

// Plays every frame the host confirmed, at once.
void ClientSession::PlayConfirmed(std::int64_t nowMs) {
  if (!match_ || phase_ < Phase::Running) return;
  const RollbackRunner& runner = match_->Runner();
  match_->Correct(nullptr);
  for (int i = 0; i < RollbackRunner::kHeld && runner.Current() < runner.Confirmed(); ++i) {
    match_->Pace().Begin(nowMs);
    match_->Step(nowMs, 0, nullptr);
  }
}

void ClientSession::Finish(EndReason reason, std::string message) {
  if (phase_ == Phase::Ended) return;
  const int frame = match_ ? match_->EndFrame() : -1;
  end_ = EndWith(reason, std::move(message), frame, match_ ? match_->StandingEnd() : FrameOutcome{});
  phase_ = Phase::Ended;
  out_.Disconnect(kHost);
}

void ClientSession::Leave() {
  if (phase_ == Phase::Ended) return;
  EncodeLeave(out_.Add(kHost, Channel::Reliable));
  Finish(EndReason::Dropped, "You left the match.");
}

void ClientSession::Received(Channel, std::string_view bytes, std::int64_t nowMs) {
  if (phase_ == Phase::Ended) return;
  lastHeardMs_ = nowMs;
  Handle(bytes, nowMs);
  if (firstFrameAt_) BeginWhenClockKnown(nowMs);
}

void ClientSession::Handle(std::string_view bytes, std::int64_t nowMs) {
  switch (static_cast<MessageType>(TypeOf(bytes))) {
    case MessageType::Refuse: return OnRefuse(bytes);
    case MessageType::Challenge: return OnChallenge(bytes);
    case MessageType::Welcome: {
      Welcome welcome;
      if (phase_ == Phase::Joining && Decode(bytes, welcome) && welcome.role == config_.role) {
        figures_ = welcome.figures;
        seatKey_ = welcome.seatKey;
        role_ = welcome.role;
        phase_ = Phase::Lobby;
      }
      return;
    }
    case MessageType::Setup: return OnSetup(bytes);
    case MessageType::Lobby: {
      Lobby lobby;
      if (!Decode(bytes, lobby)) return;
      notices_.Saw(lobby, nowMs);
      lobby_ = std::move(lobby);
      return;
    }
    case MessageType::Start: return OnStart(bytes, nowMs);
    case MessageType::Transfer: return OnTransfer(bytes, nowMs);
    case MessageType::Frames: return OnFrames(bytes, nowMs);
    case MessageType::End: return OnEnd(bytes);
    case MessageType::DesyncProbe: return OnDesyncProbe(bytes);
    default: return;  // from a host of this version, nothing else comes
  }
}

void ClientSession::OnRefuse(std::string_view bytes) {
  Refuse refuse;
  if (phase_ != Phase::Joining || !Decode(bytes, refuse)) return;
  Finish(EndReason::Refused, RefusalText(refuse));
}

void ClientSession::OnChallenge(std::string_view bytes) {
  Challenge challenge;
  if (phase_ != Phase::Joining || !Decode(bytes, challenge)) return;
  if (config_.password.empty()) return Finish(EndReason::Refused, "The host asks for a password.");
  PasswordKey key;
  if (!DeriveKey(config_.password, challenge.salt, key)) return Finish(EndReason::Refused, "Not enough memory to answer the password.");
  Encode(Answer{Prove(key, challenge.nonce, config_.name)}, out_.Add(kHost, Channel::Reliable));
}

void ClientSession::OnSetup(std::string_view bytes) {
  MatchStart start;
  if (phase_ != Phase::Lobby || !DecodeSetup(bytes, start)) return;
  if (config_.missingPicture) {
    if (const std::string missing = config_.missingPicture(start); !missing.empty()) {
      EncodeLeave(out_.Add(kHost, Channel::Reliable));
      return Finish(EndReason::Refused, "This machine lacks the picture " + missing + " that the level needs.");
    }
  }
  setup_ = std::move(start);
}

void ClientSession::SeatFigures() {
  RollbackRunner& runner = match_->Runner();
  int nth = 0;
  for (int i = 0; i < FigureCount; ++i) {
    if (match_->Start().figures[static_cast<std::size_t>(i)].cont == ContOff) {
      runner.SetSeat(i, SeatKind::Off);
    } else if ((figures_ >> i & 1u) != 0 && config_.seatFor) {
      const LocalSeat seat = config_.seatFor(i, nth++, match_->Start());
      runner.SetSeat(i, seat.decidesInFrame ? SeatKind::Live : SeatKind::Sampled, seat.source);
    }
  }
  runner.SetInputDelay(ChosenInputDelay(config_.inputDelay, link_.Measured() ? link_.RoundTripMs() : 0));
}

void ClientSession::OnStart(std::string_view bytes, std::int64_t nowMs) {
  Start start;
  if (phase_ != Phase::Lobby || !setup_ || firstFrameAt_ || !Decode(bytes, start)) return;
  link_.TookClock(start.sentMs, nowMs);
  firstFrameAt_ = start.firstFrameAt;
  BeginWhenClockKnown(nowMs);
}

// Every machine plays its first frame at the same moment, however late the
// Start came (a resend costs a round trip). The host's clock is read on this
// one only through a measured offset: the two may be days apart. Until a
// round trip is measured the mapped time is late by the way across, so the
// start waits for the measure, though not beyond that time.
void ClientSession::BeginWhenClockKnown(std::int64_t nowMs) {
  if (!firstFrameAt_ || !link_.ClockKnown()) return;
  const std::int64_t firstFrameMs = link_.LocalTimeOf(*firstFrameAt_, nowMs);
  if (!link_.Measured() && nowMs < firstFrameMs) return;
  firstFrameAt_.reset();
  IoResult result;
  match_ = NetMatch::Begin(state_, *setup_, result);
  if (!match_) return Finish(EndReason::Refused, "The match cannot start: " + result.reason);
  SeatFigures();
  match_->Pace().Begin(std::max(nowMs, firstFrameMs));
  // A Start that came late (lost and sent again) is made up for at once, as
  // a rejoiner does: the others would wait for this machine's controls.
  firstFrameMs_ = firstFrameMs;
  catchingUp_ = role_ == Role::Player && nowMs - firstFrameMs > ControlFrame::kNetworkFrameMs;
  phase_ = Phase::Running;
}

void ClientSession::OnTransfer(std::string_view bytes, std::int64_t nowMs) {
  Transfer transfer;
  if (phase_ != Phase::Lobby || !Decode(bytes, transfer)) return;
  IoResult result;
  match_ = NetMatch::Resume(state_, transfer, result);
  if (!match_) return Finish(EndReason::Refused, "The match cannot be joined: " + result.reason);
  setup_ = transfer.start;
  SeatFigures();
  RollbackRunner& runner = match_->Runner();
  firstStanding_ = framesHave_ = hostInputsHave_ = hostHashesHave_ = runner.Standing();
  firstOwnFrame_ = static_cast<int>(std::min<std::uint32_t>(transfer.firstOwnFrame, 1u << 30));
  // Until then the host holds nothing for this machine's figures.
  for (int frame = runner.Current(); frame < firstOwnFrame_ && runner.Holds(frame); ++frame) {
    for (int i = 0; i < FigureCount; ++i) {
      if ((figures_ >> i & 1u) != 0) runner.Give(frame, i, {});
    }
  }
  match_->Pace().Begin(nowMs);
  catchingUp_ = role_ == Role::Player;
  phase_ = Phase::Running;
}

void ClientSession::OnFrames(std::string_view bytes, std::int64_t nowMs) {
  Frames frames;
  if (!Decode(bytes, frames) || !link_.Took(frames.link, nowMs)) return;
  // The host plays already, and its Start has not come (lost, and sent again
  // after a longer and longer wait): frame 0 was about that many frames
  // before this message. The match begins from that, a little late at most.
  if (!match_ && phase_ == Phase::Lobby && setup_ && frames.played > 0 && !firstFrameAt_) {
    firstFrameAt_ = frames.link.sentMs - std::min<std::uint32_t>(frames.played, 1u << 20) * ControlFrame::kNetworkFrameMs;
    BeginWhenClockKnown(nowMs);
  }
  if (!match_) return;
  RollbackRunner& runner = match_->Runner();
  const int played = static_cast<int>(std::min<std::uint32_t>(frames.played, 1u << 30));
  if (played >= hostPlayed_) hostPlayed_ = played, hostPlayedAtMs_ = nowMs;
  if (role_ == Role::Player) sync_.Heard(played, runner.Current(), match_->Pace().SinceFrameMs(nowMs), link_.RoundTripMs());
  hostInputsHave_ = std::max(hostInputsHave_, static_cast<int>(std::min<std::uint32_t>(frames.inputsHave, 1u << 30)));
  hostHashesHave_ = std::max(hostHashesHave_, static_cast<int>(std::min<std::uint32_t>(frames.hashesHave, 1u << 30)));
  const std::int64_t first = frames.first;
  for (int i = 0; i < frames.count; ++i) {
    const std::int64_t frame = first + i;
    if (frame < framesHave_) continue;
    if (frame > framesHave_ || !runner.Confirm(static_cast<int>(frame), ControlFrame::Unpack(frames.frames[static_cast<std::size_t>(i)], ControlFrame::kNetworkFrameMs))) break;
    framesHave_ = static_cast<int>(frame) + 1;
  }
}

void ClientSession::OnEnd(std::string_view bytes) {
  End end;
  if (!Decode(bytes, end)) return;
  if (end.reason != EndReason::Over) return Finish(end.reason, end.text);
  if (!match_) return Finish(EndReason::HostLeft, end.text);
  if (match_->StandingEnd().end != MatchEnd::Running) return Finish(EndReason::Over, "");
  // Over while this machine (a spectator a few frames behind) has not played
  // to the end yet: it has every frame, so it plays them first, at its pace.
  if (match_->Runner().Confirmed() > static_cast<int>(std::min<std::uint32_t>(end.frame, 1u << 30))) {
    hostSaidOver_ = true;
    return;
  }
  Finish(EndReason::HostLeft, "The match ended on the host before this machine had its last frames.");
}

void ClientSession::OnDesyncProbe(std::string_view bytes) {
  DesyncState state;
  if (!match_ || !Decode(bytes, MessageType::DesyncProbe, state)) return;
  const int frame = static_cast<int>(std::min<std::uint32_t>(state.frame, 1u << 30));
  const RollbackRunner& runner = match_->Runner();
  DesyncEvidence evidence;
  evidence.frame = frame;
  evidence.thisMachineIsHost = false;
  evidence.otherName = "the host";
  evidence.start = match_->Start();
  const auto& frames = runner.StandingControls();
  evidence.frames.assign(frames.begin(), frames.begin() + std::min<std::size_t>(frames.size(), frame + 1u));
  MatchSnapshot host;
  if (DecodeSnapshot(reinterpret_cast<const std::uint8_t*>(state.snapshot.data()), state.snapshot.size(), host)) {
    evidence.host = std::move(host);
  }
  DesyncState mine{state.frame, {}};
  if (const MatchSnapshot* own = runner.StandingState(frame)) {
    evidence.client = *own;
    std::vector<std::uint8_t> ownBytes;
    EncodeSnapshot(*own, ownBytes);
    mine.snapshot.assign(ownBytes.begin(), ownBytes.end());
  }
  Encode(MessageType::DesyncEvidence, mine, out_.Add(kHost, Channel::Reliable));
  desync_ = std::move(evidence);
}

std::optional<DesyncEvidence> ClientSession::TakeDesync() {
  std::optional<DesyncEvidence> taken = std::move(desync_);
  desync_.reset();
  return taken;
}

}  // namespace fl3::net
