// The host's side of a running match: frames, controls in and out, hashes,
// time-outs and the end.
#include <algorithm>
#include <bit>

#include "net/HostSession.h"

namespace fl3::net {
namespace {

constexpr std::size_t kMostPendingDesyncs = 8;

SeatKind KindOf(HostSeat seat) {
  switch (seat) {
    case HostSeat::Off: return SeatKind::Off;
    case HostSeat::Local: return SeatKind::Sampled;
    case HostSeat::Computer: return SeatKind::Live;
    case HostSeat::Network: return SeatKind::Given;
  }
  return SeatKind::Off;
}

std::string SnapshotBytes(const MatchSnapshot* snapshot) {
  if (snapshot == nullptr) return {};
  std::vector<std::uint8_t> bytes;
  EncodeSnapshot(*snapshot, bytes);
  return std::string(bytes.begin(), bytes.end());
}

int Clamped(std::uint32_t frame) { return static_cast<int>(std::min<std::uint32_t>(frame, 1u << 30)); }

}  // namespace

bool HostSession::StartMatch(std::int64_t nowMs) {
  if (phase_ != Phase::Lobby || !AllSeatsTaken()) return false;
  IoResult result;
  match_ = NetMatch::Begin(state_, config_.start, result);
  if (!match_) {
    end_ = EndWith(EndReason::Refused, "The match cannot start: " + result.reason);
    phase_ = Phase::Ended;
    return false;
  }
  RollbackRunner& runner = match_->Runner();
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const bool off = config_.start.figures[index].cont == ContOff;
    runner.SetSeat(i, off ? SeatKind::Off : KindOf(config_.seats[index]), config_.sources[index]);
  }
  runner.DecideEscapeHere(true);
  // Time for the Start to reach everybody with a resend or two on the way
  // (ENet waits longer before each); a round trip not measured yet counts
  // as a long one. A client the Start reaches later still catches up.
  int longest = 0;
  for (const auto& [id, peer] : peers_) {
    if (peer.stage != Peer::Stage::Admitted || peer.role != Role::Player) continue;
    longest = std::max(longest, peer.link.Measured() ? peer.link.RoundTripMs() : 500);
  }
  const std::int64_t firstFrameMs = nowMs + std::max(config_.startDelayMs, 3 * longest + 300);
  match_->Pace().Begin(firstFrameMs);
  // The Start carries the host's clock too: a client that has heard nothing
  // stamped yet still reads the first frame's time on its own clock.
  Encode(net::Start{StampClock(firstFrameMs), StampClock(nowMs)}, scratch_);
  for (auto& [id, peer] : peers_) {
    if (peer.stage != Peer::Stage::Admitted) continue;
    out_.Add(id, Channel::Reliable) = scratch_;
    peer.framesHave = peer.hashesHave = 0;
    peer.sync.Forget();
  }
  phase_ = Phase::Running;
  return true;
}

void HostSession::EndMatch() {
  if (phase_ == Phase::Running) {
    escapeAsked_ = true;
    match_->Runner().RequestEscape();
  } else if (phase_ == Phase::Lobby) {
    end_ = EndWith(EndReason::HostLeft, "The host closed the match.");
    Encode(net::End{EndReason::HostLeft, 0, end_.message}, scratch_);
    // Also to those still being let in: every machine in the room reads the same.
    for (const auto& [id, peer] : peers_) {
      out_.Add(id, Channel::Reliable) = scratch_;
      out_.Disconnect(id);
    }
    phase_ = Phase::Ended;
  }
}

StepReport HostSession::Update(std::int64_t nowMs, DrawList* draw) {
  StepReport report;
  nowMs_ = nowMs;
  CheckTimeouts(nowMs);
  SettleDesyncs(nowMs);
  if (phase_ == Phase::Running) {
    RollbackRunner& runner = match_->Runner();
    if (config_.maxFrames > 0 && runner.Current() >= config_.maxFrames && !escapeAsked_) EndMatch();
    FillDropped();
    // Chosen just before the first frame, once every player's round trip is
    // measured: the host's figures reach the farthest player last.
    if (runner.Current() == 0) runner.SetInputDelay(ChosenInputDelay(config_.inputDelay, RoundTripMs()));
    const StepResult step = match_->Step(nowMs, Slowdown(), draw);
    if (step.ran) firstRunMs_[static_cast<std::size_t>((runner.Current() - 1) % RollbackRunner::kHeld)] = nowMs;
    report.ran = step.ran;
    report.corrected = step.replayed > 0;
    report.replayed = step.replayed;
    report.newlyStanding = step.newlyStanding;
    report.beeps = step.standingBeeps;
    report.waiting = match_->Due(nowMs) && !step.ran;
    CheckLate(nowMs, report.waiting);
    if (match_->StandingEnd().end != MatchEnd::Running) {
      phase_ = Phase::Finishing;
      finishingSinceMs_ = nowMs;
    }
    if (step.ran) nextSendMs_ = nowMs;
  }
  if (phase_ == Phase::Finishing) Finish(nowMs);
  if (nowMs >= nextSendMs_ && phase_ != Phase::Ended) {
    SendFrames(nowMs, false);
    nextSendMs_ = nowMs + kSendEveryMs;
  }
  return report;
}

std::int64_t HostSession::NextWakeMs() const {
  std::int64_t wake = nextSendMs_;
  if (phase_ == Phase::Running && match_->Runner().CanRun()) wake = std::min(wake, match_->Pace().DueMs());
  return wake;
}

// A dropped player's figures hold nothing, in every frame the host lacks.
void HostSession::FillDropped() {
  RollbackRunner& runner = match_->Runner();
  for (int i = 0; i < FigureCount; ++i) {
    const Figure& figure = figures_[static_cast<std::size_t>(i)];
    if (figure.seat != HostSeat::Network) continue;
    const int until = std::min(figure.fillUntil, runner.Current() + 1);
    for (int frame = runner.Standing(); frame < until; ++frame) runner.Give(frame, i, {});
  }
}

int HostSession::Slowdown() const {
  double ahead = 0;
  for (const auto& [id, peer] : peers_) {
    if (peer.stage == Peer::Stage::Admitted && peer.role == Role::Player && peer.sync.Heard()) {
      ahead = std::max(ahead, peer.sync.Advantage());
    }
  }
  return TimeSync::SlowdownFor(ahead);
}

int HostSession::InputsHave(const Peer& peer) const {
  if (!match_ || peer.figures == 0) return 0;
  const RollbackRunner& runner = match_->Runner();
  int frame = runner.Standing();
  while (runner.Holds(frame)) {
    for (int i = 0; i < FigureCount; ++i) {
      if ((peer.figures >> i & 1u) != 0 && !runner.Known(frame, i)) return frame;
    }
    ++frame;
  }
  return frame;
}

void HostSession::OnInputs(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs) {
  Inputs inputs;
  if (!Decode(bytes, inputs)) return Fault(id, peer, nowMs);
  // A player names its figures once it holds the match's setup.
  if (peer.figures != 0 && inputs.figures == peer.figures) peer.ready = true;
  if (!peer.link.Took(inputs.link, nowMs) || !match_) return;
  RollbackRunner& runner = match_->Runner();
  // A machine that says it is far behind would slow everybody down: it has
  // played at least up to the controls it has sent (less the input delay).
  peer.played = std::max(Clamped(inputs.played), InputsHave(peer) - 4);
  if (peer.role == Role::Player) {
    peer.sync.Heard(peer.played, runner.Current(), match_->Pace().SinceFrameMs(nowMs), peer.link.RoundTripMs());
  }
  peer.framesHave = std::clamp(Clamped(inputs.framesHave), peer.framesHave, runner.Standing());
  // The seat comes from the connection: controls for any other figure are dropped.
  if ((inputs.figures & ~peer.figures) != 0) {
    ++stats_.othersSeats;
    Fault(id, peer, nowMs);
    if (!peers_.contains(id)) return;
  }
  const int perFrame = std::popcount(inputs.figures);
  for (int k = 0; k < inputs.inputCount; ++k) {
    const int frame = Clamped(inputs.firstInput) + k;
    int at = k * perFrame;
    for (int i = 0; i < FigureCount; ++i) {
      if ((inputs.figures >> i & 1u) == 0) continue;
      const std::uint8_t bits = inputs.inputs[static_cast<std::size_t>(at++)];
      const Figure& figure = figures_[static_cast<std::size_t>(i)];
      if ((peer.figures >> i & 1u) != 0 && figure.peer == id && frame >= figure.fillUntil) {
        runner.Give(frame, i, UnpackFigure(bits));
      }
    }
  }
  if (!CompareHashes(id, peer, inputs, nowMs)) return;
  // The last controls of a frame are in: it stands now, and the players hear
  // of it now rather than at the host's next frame.
  const int standing = runner.Standing();
  if (phase_ == Phase::Running) {
    match_->Correct(nullptr);
    if (runner.Standing() > standing) SendFrames(nowMs, true);
  }
}

// Hashes of frames that stand on both machines. The host plays the whole
// match: a client whose hash differs is the one out of step, and only it
// leaves. False when it did.
bool HostSession::CompareHashes(PeerId id, Peer& peer, const Inputs& inputs, std::int64_t nowMs) {
  const RollbackRunner& runner = match_->Runner();
  for (int i = 0; i < inputs.hashCount; ++i) {
    const std::int64_t frame = static_cast<std::int64_t>(inputs.firstHash) + i;
    if (frame < peer.hashesHave) continue;
    if (frame >= runner.Standing()) break;
    const int at = static_cast<int>(frame);
    if (const std::uint64_t mine = runner.StandingHash(at); mine != 0) {
      ++stats_.hashesCompared;
      if (static_cast<std::uint32_t>(mine) != inputs.hashes[static_cast<std::size_t>(i)]) {
        FoundDesync(id, peer, at, nowMs);
        return false;
      }
    }
    peer.hashesHave = at + 1;
  }
  return true;
}

void HostSession::FoundDesync(PeerId id, Peer& peer, int frame, std::int64_t nowMs) {
  ++stats_.desyncs;
  const RollbackRunner& runner = match_->Runner();
  PendingDesync pending;
  pending.peer = id;
  pending.untilMs = nowMs + kSilenceMs;
  DesyncEvidence& evidence = pending.evidence;
  evidence.frame = frame;
  evidence.otherName = peer.name;
  evidence.start = match_->Start();
  const auto& frames = runner.StandingControls();
  evidence.frames.assign(frames.begin(), frames.begin() + std::min<std::size_t>(frames.size(), frame + 1u));
  if (const MatchSnapshot* mine = runner.StandingState(frame)) evidence.host = *mine;
  if (desyncs_.size() >= kMostPendingDesyncs) desyncs_.erase(desyncs_.begin());
  desyncs_.push_back(std::move(pending));
  Encode(MessageType::DesyncProbe, DesyncState{static_cast<std::uint32_t>(frame), SnapshotBytes(runner.StandingState(frame))},
         out_.Add(id, Channel::Reliable));
  // It stays connected a moment to send its state; its figures stand from now.
  Exclude(id, EndReason::Desync,
          "This machine's match no longer agrees with the host's from frame " + std::to_string(frame + 1) +
              ", so it has left; the others play on.",
          GoneWhy::OutOfStep, nowMs);
}

void HostSession::OnDesyncState(PeerId id, std::string_view bytes) {
  for (PendingDesync& pending : desyncs_) {
    DesyncState state;
    MatchSnapshot snapshot;
    if (pending.peer != id || pending.ready || !Decode(bytes, MessageType::DesyncEvidence, state) ||
        static_cast<int>(state.frame) != pending.evidence.frame) {
      continue;
    }
    if (DecodeSnapshot(reinterpret_cast<const std::uint8_t*>(state.snapshot.data()), state.snapshot.size(), snapshot)) {
      pending.evidence.client = std::move(snapshot);
    }
    pending.ready = true;
    out_.Disconnect(id);
  }
}

void HostSession::SettleDesyncs(std::int64_t nowMs) {
  for (PendingDesync& pending : desyncs_) {
    if (pending.ready || nowMs <= pending.untilMs) continue;
    pending.ready = true;
    out_.Disconnect(pending.peer);
  }
}

std::optional<DesyncEvidence> HostSession::TakeDesync() {
  const auto ready = std::find_if(desyncs_.begin(), desyncs_.end(), [](const PendingDesync& p) { return p.ready; });
  if (ready == desyncs_.end()) return std::nullopt;
  std::optional<DesyncEvidence> taken = std::move(ready->evidence);
  desyncs_.erase(ready);
  return taken;
}

void HostSession::SendFrames(std::int64_t nowMs, bool quick) {
  constexpr std::int64_t kQuickGapMs = 20, kTickGapMs = 40;
  // Spectators play a few frames behind: every other tick is enough.
  const bool spectatorsToo = !quick && ++sendTick_ % 2 == 0;
  for (auto& [id, peer] : peers_) {
    if (peer.stage != Peer::Stage::Admitted) continue;
    if (peer.role == Role::Spectator ? !spectatorsToo : nowMs - peer.lastSentMs < (quick ? kQuickGapMs : kTickGapMs)) continue;
    peer.lastSentMs = nowMs;
    Frames frames;
    frames.link = peer.link.Stamp(nowMs);
    frames.hashesHave = static_cast<std::uint32_t>(peer.hashesHave);
    if (match_) {
      const RollbackRunner& runner = match_->Runner();
      frames.played = static_cast<std::uint32_t>(runner.Current());
      frames.inputsHave = static_cast<std::uint32_t>(InputsHave(peer));
      frames.first = static_cast<std::uint32_t>(peer.framesHave);
      const int count = std::clamp(runner.Standing() - peer.framesHave, 0, kMaxFramesPerMessage);
      frames.count = static_cast<std::uint8_t>(count);
      const auto& standing = runner.StandingControls();
      for (int i = 0; i < count; ++i) {
        frames.frames[static_cast<std::size_t>(i)] = standing[static_cast<std::size_t>(peer.framesHave + i)].Pack();
      }
    }
    Encode(frames, out_.Add(id, Channel::Unsequenced));
  }
}

void HostSession::CheckTimeouts(std::int64_t nowMs) {
  for (auto at = peers_.begin(); at != peers_.end();) {
    const auto next = std::next(at);
    const Peer& peer = at->second;
    const bool waitedTooLong =
        (peer.stage == Peer::Stage::Hello && nowMs - peer.connectedMs > kHelloWaitMs) ||
        (peer.stage == Peer::Stage::Answer && nowMs - peer.connectedMs > kAnswerWaitMs) ||
        (peer.stage == Peer::Stage::Admitted && nowMs - peer.lastHeardMs > kSilenceMs);
    if (waitedTooLong) Gone(at->first, nowMs, GoneWhy::Silent, true);
    at = next;
  }
}

// A player may keep talking and still hold everybody still: controls that
// come later than a silent machine may be silent, or that have held the
// host waiting as long in all, put it out as a silence would. Long before
// that, every machine is told who it waits for and how much longer.
void HostSession::CheckLate(std::int64_t nowMs, bool waiting) {
  const RollbackRunner& runner = match_->Runner();
  bool lostChanged = false;
  for (auto at = peers_.begin(); at != peers_.end();) {
    const auto next = std::next(at);
    Peer& peer = at->second;
    if (peer.stage == Peer::Stage::Admitted && peer.figures != 0) {
      const int missing = InputsHave(peer);
      const std::int64_t lateMs =
          missing < runner.Current() ? nowMs - firstRunMs_[static_cast<std::size_t>(missing % RollbackRunner::kHeld)] : 0;
      const bool holding = waiting && missing == runner.Standing();
      if (holding && peer.waitingSinceMs == kLongAgoMs) peer.waitingSinceMs = std::min(nowMs, match_->Pace().DueMs());
      if (!holding && peer.waitingSinceMs != kLongAgoMs) peer.heldOthersMs += nowMs - peer.waitingSinceMs, peer.waitingSinceMs = kLongAgoMs;
      const std::int64_t holdMs = holding ? nowMs - peer.waitingSinceMs : 0;
      const std::int64_t heldMs = peer.heldOthersMs + holdMs;
      const std::int64_t silentMs = nowMs - peer.lastHeardMs;
      const std::int64_t dropAtMs = nowMs + std::min({kSilenceMs - silentMs, kLateMs - lateMs, kLateMs - heldMs});
      lostChanged = NoteLost(peer, dropAtMs, std::max({lateMs, holdMs, silentMs}) >= kLostNoticeMs) || lostChanged;
      if (lateMs > kLateMs || heldMs > kLateMs) {
        ++stats_.excluded;
        Exclude(at->first, EndReason::Excluded,
                "This machine's controls reached the host more than 3 seconds late, so its figures stand still. "
                "Joining again within a minute gives them back.",
                GoneWhy::Late, nowMs);
      }
    }
    at = next;
  }
  if (lostChanged) BroadcastLobby(nowMs);
}

// The drop time goes out once, when the player is found lost; each machine
// counts down on its own clock from there.
bool HostSession::NoteLost(Peer& peer, std::int64_t dropAtMs, bool lost) {
  const bool wasLost = peer.dropAtMs != kLongAgoMs;
  if (lost && !wasLost) peer.dropAtMs = dropAtMs;
  if (!lost) peer.dropAtMs = kLongAgoMs;
  return lost != wasLost;
}

// The end stands on the host; it waits (a while) for every peer to hold the
// frames up to it and for the players' hashes of them.
void HostSession::Finish(std::int64_t nowMs) {
  const int last = match_->EndFrame();
  bool everybody = true;
  for (const auto& [id, peer] : peers_) {
    if (peer.stage != Peer::Stage::Admitted) continue;
    everybody = everybody && peer.framesHave > last && (peer.role == Role::Spectator || peer.hashesHave > last);
  }
  if (!everybody && nowMs - finishingSinceMs_ < kFinishWaitMs) return;
  end_ = EndWith(EndReason::Over, "", last, match_->StandingEnd());
  Encode(net::End{EndReason::Over, static_cast<std::uint32_t>(last), "The match is over."}, scratch_);
  for (const auto& [id, peer] : peers_) {
    if (peer.stage == Peer::Stage::Admitted) out_.Add(id, Channel::Reliable) = scratch_;
  }
  phase_ = Phase::Ended;
}

int HostSession::RoundTripMs() const {
  int longest = 0;
  for (const auto& [id, peer] : peers_) {
    if (peer.stage == Peer::Stage::Admitted && peer.role == Role::Player) longest = std::max(longest, peer.link.RoundTripMs());
  }
  return longest;
}

}  // namespace fl3::net
