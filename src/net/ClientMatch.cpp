// The client's side of a running match: frames, its controls and hashes out.
#include <algorithm>
#include <bit>

#include "net/ClientSession.h"

namespace fl3::net {
namespace {

constexpr int kMostFramesPerUpdate = 20;  // catching up after a transfer

void Merge(StepReport& report, const StepResult& step) {
  report.ran = report.ran || step.ran;
  report.corrected = report.corrected || step.replayed > 0;
  report.replayed = std::max(report.replayed, step.replayed);
  report.newlyStanding += step.newlyStanding;
  report.beeps += step.standingBeeps;
}

}  // namespace

StepReport ClientSession::Update(std::int64_t nowMs, DrawList* draw) {
  StepReport report;
  if (phase_ == Phase::Ended) return report;
  if (phase_ == Phase::Connecting && nowMs - beganMs_ > kAnswerWaitMs) {
    Finish(EndReason::HostLeft, "No answer from the host within 5 seconds.");
    return report;
  }
  if (phase_ == Phase::Joining && nowMs - beganMs_ > kJoinWaitMs) {
    Finish(EndReason::HostLeft, "The host did not answer this machine's greeting within 20 seconds.");
    return report;
  }
  if (phase_ >= Phase::Lobby && nowMs - lastHeardMs_ > kSilenceMs) {
    HostGone("The host is gone.", nowMs);
    return report;
  }
  if (firstFrameAt_) BeginWhenClockKnown(nowMs);
  if (phase_ == Phase::Running) report = RunFrames(nowMs, draw);
  if (phase_ == Phase::Finishing && nowMs - finishingSinceMs_ > kFinishWaitMs) {
    Finish(EndReason::Over, "The host did not confirm the end of the match.");
    return report;
  }
  // A player sends with every frame it plays, and now and then while it
  // waits; a spectator only acknowledges, a few times a second.
  // From the greeting on: the host hears this machine while its welcome is
  // still on the way.
  const bool send = role_ == Role::Spectator ? nowMs >= nextSendMs_ : report.ran || nowMs >= nextSendMs_;
  if (phase_ >= Phase::Joining && send) {
    SendInputs(nowMs);
    nextSendMs_ = nowMs + (role_ == Role::Spectator ? 4 * kSendEveryMs : kSendEveryMs + kSendEveryMs / 2);
  }
  return report;
}

// Where the host stands now, from its newest report and half a round trip;
// before any report, from the moment of frame 0.
int ClientSession::HostFrameNow(std::int64_t nowMs) const {
  if (hostPlayedAtMs_ == kLongAgoMs) return static_cast<int>((nowMs - firstFrameMs_) / ControlFrame::kNetworkFrameMs) + 1;
  const std::int64_t since = nowMs - hostPlayedAtMs_ + link_.RoundTripMs() / 2;
  return hostPlayed_ + static_cast<int>(since / ControlFrame::kNetworkFrameMs);
}

StepReport ClientSession::RunFrames(std::int64_t nowMs, DrawList* draw) {
  StepReport report;
  RollbackRunner& runner = match_->Runner();
  if (role_ == Role::Spectator) {
    // Only confirmed frames, a few behind the newest; faster when far behind.
    const int ahead = runner.Confirmed() - runner.Current();
    const int run = ahead > kSpectatorLagFrames + 8 ? std::min(ahead - kSpectatorLagFrames, kMostFramesPerUpdate)
                    : ahead > 0 && match_->Due(nowMs) ? 1 : 0;
    for (int i = 0; i < run; ++i) {
      match_->Pace().Begin(nowMs);
      Merge(report, match_->Step(nowMs, 0, i + 1 == run ? draw : nullptr));
    }
  } else if (catchingUp_) {
    // Back in a running match: play up to where the host is, as fast as the window allows.
    Merge(report, match_->Correct(draw));
    for (int i = 0; i < kMostFramesPerUpdate && runner.Current() < HostFrameNow(nowMs) && runner.CanRun(); ++i) {
      match_->Pace().Begin(nowMs);
      Merge(report, match_->Step(nowMs, 0, draw));
    }
    if (runner.Current() + 1 >= HostFrameNow(nowMs)) catchingUp_ = false;
  } else {
    const StepResult step = match_->Step(nowMs, TimeSync::SlowdownFor(sync_.Advantage()), draw);
    Merge(report, step);
    report.waiting = match_->Due(nowMs) && !step.ran;
  }
  if (match_->StandingEnd().end != MatchEnd::Running) {
    phase_ = Phase::Finishing;
    finishingSinceMs_ = nowMs;
    // The host already said the match is over: nothing more to wait for.
    if (hostSaidOver_) Finish(EndReason::Over, "");
    // Only the host's Escape ends a match so, and nothing but its word that
    // the match is over can follow: this machine ends now, over any link,
    // its hashes of the last frames going out with its farewell.
    if (match_->StandingEnd().end == MatchEnd::Quit && phase_ == Phase::Finishing) {
      SendInputs(nowMs);
      Finish(EndReason::Over, "");
    }
  }
  return report;
}

void ClientSession::SendInputs(std::int64_t nowMs) {
  Inputs inputs;
  inputs.link = link_.Stamp(nowMs);
  if (role_ == Role::Player && setup_) inputs.figures = figures_;  // ready for the Start
  if (match_) {
    const RollbackRunner& runner = match_->Runner();
    inputs.played = static_cast<std::uint32_t>(runner.Current());
    inputs.framesHave = static_cast<std::uint32_t>(framesHave_);
    if (role_ == Role::Player) PutOwnControls(inputs);
    PutHashes(inputs);
  }
  Encode(inputs, out_.Add(kHost, Channel::Unsequenced));
}

// Every control of ours the host lacks, until it says it has them.
void ClientSession::PutOwnControls(Inputs& inputs) const {
  const RollbackRunner& runner = match_->Runner();
  const int perFrame = std::popcount(figures_);
  inputs.figures = figures_;
  const int first = std::max({hostInputsHave_, firstOwnFrame_, runner.Standing()});
  inputs.firstInput = static_cast<std::uint32_t>(first);
  int count = 0;
  for (int frame = first; count < kMaxInputFrames && runner.Holds(frame); ++frame, ++count) {
    bool known = true;
    for (int i = 0; i < FigureCount; ++i) known = known && ((figures_ >> i & 1u) == 0 || runner.Known(frame, i));
    if (!known) break;
    for (int i = 0; i < FigureCount; ++i) {
      if ((figures_ >> i & 1u) == 0) continue;
      const int at = count * perFrame + std::popcount(static_cast<unsigned>(figures_ & ((1u << i) - 1)));
      inputs.inputs[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(PackFigure(runner.KnownControls(frame, i)));
    }
  }
  inputs.inputCount = static_cast<std::uint8_t>(count);
}

// The newest frames that stand: resending the oldest unacknowledged ones
// would let them fall a round trip behind every few frames. A desync lasts,
// so a frame missed only moves which one is named. Spectators send theirs
// too: the host tells any machine out of step.
void ClientSession::PutHashes(Inputs& inputs) const {
  const RollbackRunner& runner = match_->Runner();
  const int firstHash = std::max({hostHashesHave_, firstStanding_, runner.Standing() - kMaxHashes});
  inputs.firstHash = static_cast<std::uint32_t>(firstHash);
  int hashes = 0;
  for (int frame = firstHash; frame < runner.Standing() && hashes < kMaxHashes; ++frame, ++hashes) {
    inputs.hashes[static_cast<std::size_t>(hashes)] = static_cast<std::uint32_t>(runner.StandingHash(frame));
  }
  inputs.hashCount = static_cast<std::uint8_t>(hashes);
}

std::int64_t ClientSession::NextWakeMs() const {
  const std::int64_t wake = nextSendMs_;
  if (firstFrameAt_ && link_.ClockKnown()) return std::min(wake, link_.LocalTimeOf(*firstFrameAt_, lastHeardMs_));
  if (phase_ != Phase::Running) return wake;
  const RollbackRunner& runner = match_->Runner();
  const int confirmedAhead = runner.Confirmed() - runner.Current();
  const bool canRun = role_ == Role::Spectator ? confirmedAhead > 0 : runner.CanRun();
  if (!canRun) return wake;
  const bool hurry = role_ == Role::Spectator ? confirmedAhead > kSpectatorLagFrames + 8 : catchingUp_;
  return hurry ? 0 : std::min(wake, match_->Pace().DueMs());
}

}  // namespace fl3::net
