#include "net/NetMatch.h"

#include "core/LittleEndian.h"

namespace fl3::net {

NetMatch::NetMatch(GameState& state, const MatchStart& start)
    : start_(start), engine_(std::make_unique<MatchEngine>(state, start.BackgroundNumber())) {}

std::unique_ptr<NetMatch> NetMatch::Begin(GameState& state, const MatchStart& start, IoResult& result) {
  result = ApplyMatchStart(start, state);
  if (!result) return nullptr;
  std::unique_ptr<NetMatch> match(new NetMatch(state, start));
  match->runner_ = std::make_unique<RollbackRunner>(*match->engine_, state);
  return match;
}

std::unique_ptr<NetMatch> NetMatch::Resume(GameState& state, const Transfer& transfer, IoResult& result) {
  MatchSnapshot snapshot;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(transfer.snapshot.data());
  if (!DecodeSnapshot(bytes, transfer.snapshot.size(), snapshot)) {
    result = IoResult::Failure("the host sent a damaged state of the match");
    return nullptr;
  }
  result = ApplyMatchStart(transfer.start, state);
  if (!result) return nullptr;
  std::unique_ptr<NetMatch> match(new NetMatch(state, transfer.start));
  match->engine_->Restore(snapshot);
  match->runner_ = std::make_unique<RollbackRunner>(*match->engine_, state, UnpackFrames(transfer.frames));
  return match;
}

void NetMatch::Account(const StepResult& step) {
  stats_.framesPlayed += step.ran ? 1 : 0;
  stats_.framesReplayed += step.replayed;
  stats_.rollbacks = runner_->Rollbacks();
  stats_.deepestRollback = runner_->DeepestRollback();
  if (step.standingEnd.end != MatchEnd::Running && end_.end == MatchEnd::Running) {
    end_ = step.standingEnd;
    endFrame_ = step.standingEndFrame;
    finalHash_ = runner_->StandingHash(endFrame_);
  }
}

StepResult NetMatch::Step(std::int64_t nowMs, int slowdownMs, DrawList* draw) {
  const bool due = pace_.Due(nowMs) && end_.end == MatchEnd::Running;
  if (due && !runner_->CanRun() && waitingSinceMs_ == kLongAgoMs) waitingSinceMs_ = pace_.DueMs();
  const StepResult step = runner_->Step(due, draw);
  if (step.ran) {
    if (waitingSinceMs_ != kLongAgoMs) {
      ++stats_.framesWaited;
      stats_.waitedMs += nowMs - waitingSinceMs_;
      waitingSinceMs_ = kLongAgoMs;
    }
    pace_.Played(nowMs, slowdownMs);
  }
  Account(step);
  return step;
}

StepResult NetMatch::Correct(DrawList* draw) {
  const StepResult step = runner_->Step(false, draw);
  Account(step);
  return step;
}

std::string NetMatch::PackedFrames(int count) const {
  std::string packed;
  LittleEndianWriter out(packed);
  const std::vector<ControlFrame>& frames = runner_->StandingControls();
  for (int i = 0; i < count && i < static_cast<int>(frames.size()); ++i) {
    const std::uint32_t bits = frames[static_cast<std::size_t>(i)].Pack();
    out.U16(bits & 0xFFFF);
    out.U8(bits >> 16);
  }
  return packed;
}

std::vector<ControlFrame> UnpackFrames(std::string_view packed) {
  std::vector<ControlFrame> frames;
  frames.reserve(packed.size() / 3);
  LittleEndianReader in(packed);
  while (in.Left() >= 3) {
    const std::uint32_t low = in.U16();
    frames.push_back(ControlFrame::Unpack(low | in.U8() << 16, ControlFrame::kNetworkFrameMs));
  }
  return frames;
}

}  // namespace fl3::net
