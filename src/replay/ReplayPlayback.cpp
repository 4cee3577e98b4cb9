#include "replay/ReplayPlayback.h"

#include <algorithm>

namespace fl3 {
namespace {

const char* EndName(MatchEnd end) {
  switch (end) {
    case MatchEnd::Quit: return "left with Escape";
    case MatchEnd::NoWinner: return "ended without a winner";
    case MatchEnd::Winner: return "ended with a winner";
    default: return "went on";
  }
}

std::string EndText(MatchEnd end, int winner) {
  std::string text = EndName(end);
  if (end == MatchEnd::Winner) text += " (player " + std::to_string(winner + 1) + ")";
  return text;
}

}  // namespace

ReplayPlayback::ReplayPlayback(GameState& state, const Replay& replay)
    : state_(state), replay_(replay) {
  elapsedMs_.reserve(replay.frames.size() + 1);
  elapsedMs_.push_back(0);
  for (const ControlFrame& frame : replay.frames) elapsedMs_.push_back(elapsedMs_.back() + frame.frameTimeMs);
}

void ReplayPlayback::Keep(int frame) {
  if (frame % kSnapshotEvery != 0) return;
  engine_->Save(scratch_);
  snapshots_.emplace_back();
  EncodeSnapshot(scratch_, snapshots_.back());
}

ReplayPlayback::Verdict ReplayPlayback::PlayThrough(const std::function<void(int, const FrameOutcome&)>& afterFrame,
                                                    bool keepSnapshots) {
  snapshots_.clear();
  // The start was checked when the replay was read, so it applies.
  ApplyMatchStart(replay_.start, state_);
  engine_.emplace(state_, replay_.start.BackgroundNumber());
  engine_->Save(scratch_);
  std::vector<std::uint8_t> start;
  EncodeSnapshot(scratch_, start);

  Verdict verdict;
  FrameOutcome outcome;
  const int count = FrameCount();
  for (int frame = 1; frame <= count && verdict.differingFrame < 0; ++frame) {
    outcome = engine_->RunFrame(replay_.frames[static_cast<std::size_t>(frame - 1)], nullptr);
    if (afterFrame) afterFrame(frame - 1, outcome);
    if (keepSnapshots) Keep(frame);
    if (frame % Replay::kHashEvery == 0) {
      engine_->Save(scratch_);
      const auto hash = static_cast<std::size_t>(frame / Replay::kHashEvery - 1);
      if (hash >= replay_.hashes.size() || HashSnapshot(scratch_) != replay_.hashes[hash]) {
        verdict = {frame - 1, "the match differs from its recording"};
      }
    }
    if (verdict.differingFrame < 0 && outcome.end != MatchEnd::Running && frame < count) {
      verdict = {frame - 1, "the match ended here, but its recording goes on"};
    }
  }
  if (verdict.differingFrame < 0) {
    engine_->Save(scratch_);
    if (HashSnapshot(scratch_) != replay_.finalHash) {
      verdict = {count - 1, "the match differs from its recording"};
    } else if (outcome.end != replay_.end || outcome.winner != replay_.winner) {
      verdict = {count - 1, "the match " + EndText(outcome.end, outcome.winner) + ", its recording " +
                                EndText(replay_.end, replay_.winner)};
    }
  }
  DecodeSnapshot(start.data(), start.size(), scratch_);
  engine_->Restore(scratch_);
  if (keepSnapshots) snapshots_.insert(snapshots_.begin(), std::move(start));
  position_ = 0;
  return verdict;
}

FrameOutcome ReplayPlayback::Next(DrawList* draw) {
  if (!engine_ || AtEnd()) return {};
  return engine_->RunFrame(replay_.frames[static_cast<std::size_t>(position_++)], draw);
}

FrameOutcome ReplayPlayback::MoveTo(int frame, DrawList* draw) {
  if (!engine_) return {};
  frame = std::clamp(frame, 1, FrameCount());
  const bool nearAhead = frame > position_ && frame - position_ <= kSnapshotEvery;
  if (!nearAhead && !snapshots_.empty()) {
    const auto kept = std::min(static_cast<std::size_t>((frame - 1) / kSnapshotEvery), snapshots_.size() - 1);
    DecodeSnapshot(snapshots_[kept].data(), snapshots_[kept].size(), scratch_);
    engine_->Restore(scratch_);
    position_ = static_cast<int>(kept) * kSnapshotEvery;
  }
  while (position_ < frame - 1) Next(nullptr);
  return Next(draw);
}

int ReplayPlayback::FrameAfter(std::int64_t ms) const {
  const std::int64_t target = ElapsedMs(position_) + ms;
  const auto at = std::lower_bound(elapsedMs_.begin(), elapsedMs_.end(), target);
  return static_cast<int>(std::clamp<std::ptrdiff_t>(at - elapsedMs_.begin(), 1, FrameCount()));
}

}  // namespace fl3
