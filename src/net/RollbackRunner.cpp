#include "net/RollbackRunner.h"

#include <algorithm>
#include <limits>

#include "core/KeyState.h"

namespace fl3::net {
namespace {

constexpr int kNoCorrection = std::numeric_limits<int>::max();

std::uint8_t FigureBit(int figure) { return static_cast<std::uint8_t>(1u << figure); }

}  // namespace

RollbackRunner::RollbackRunner(MatchEngine& engine, const GameState& state, std::vector<ControlFrame> earlier)
    : engine_(engine),
      state_(state),
      current_(static_cast<int>(earlier.size())),
      standing_(current_),
      firstWrong_(kNoCorrection),
      slots_(kHeld),
      before_(kWindow + 1),
      kept_(kKeptStanding),
      keptHashes_(kKeptStanding),
      keptFrames_(kKeptStanding, -1),
      standingControls_(std::move(earlier)) {
  if (!standingControls_.empty()) lastStanding_ = standingControls_.back();
  // A long match grows this rarely, never frame by frame.
  standingControls_.reserve(std::max<std::size_t>(8192, 2 * standingControls_.size()));
  seats_.fill(SeatKind::Given);
  engine_.Save(Before(current_));
}

void RollbackRunner::SetSeat(int figure, SeatKind kind, FigureControlSource* source) {
  if (figure < 0 || figure >= FigureCount) return;
  if ((kind == SeatKind::Live || kind == SeatKind::Sampled) && source == nullptr) kind = SeatKind::Given;
  seats_[static_cast<std::size_t>(figure)] = kind;
  sources_[static_cast<std::size_t>(figure)] = source;
}

std::uint8_t RollbackRunner::OffMask() const {
  std::uint8_t mask = 0;
  for (int i = 0; i < FigureCount; ++i) {
    if (seats_[static_cast<std::size_t>(i)] == SeatKind::Off) mask |= FigureBit(i);
  }
  return mask;
}

RollbackRunner::FrameSlot& RollbackRunner::Slot(int frame) {
  FrameSlot& slot = slots_[static_cast<std::size_t>(frame % kHeld)];
  if (slot.frame != frame) {
    slot = FrameSlot{};
    slot.frame = frame;
    slot.known = OffMask();
  }
  return slot;
}

bool RollbackRunner::Known(int frame, int figure) const {
  const FrameSlot& slot = Slot(frame);
  return Holds(frame) && slot.frame == frame && (slot.known & FigureBit(figure)) != 0;
}

bool RollbackRunner::Give(int frame, int figure, const FigureControls& controls) {
  if (figure < 0 || figure >= FigureCount) return false;
  if (frame < standing_) return true;
  if (!Holds(frame)) return false;
  FrameSlot& slot = Slot(frame);
  if ((slot.known & FigureBit(figure)) != 0) return true;
  slot.known |= FigureBit(figure);
  slot.given.figures[static_cast<std::size_t>(figure)] = controls;
  if (frame < current_ && slot.used.figures[static_cast<std::size_t>(figure)] != controls) Wrong(frame);
  return true;
}

bool RollbackRunner::Confirm(int frame, const ControlFrame& controls) {
  if (frame < standing_) return true;
  if (!Holds(frame)) return false;
  FrameSlot& slot = Slot(frame);
  slot.given.figures = controls.figures;
  slot.given.escape = controls.escape;
  slot.known = kAllKnown;
  if (frame < current_ && (slot.used.figures != controls.figures || slot.used.escape != controls.escape)) Wrong(frame);
  return true;
}

int RollbackRunner::Confirmed() const {
  int frame = standing_;
  while (frame < standing_ + kHeld && Slot(frame).frame == frame && Slot(frame).known == kAllKnown) ++frame;
  return frame;
}

void RollbackRunner::Predict(int frame, FrameSlot& slot) const {
  const ControlFrame& previous = frame == standing_ ? lastStanding_ : Slot(frame - 1).used;
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    slot.used.figures[index] = (slot.known & FigureBit(i)) != 0 ? slot.given.figures[index] : previous.figures[index];
  }
  // Nobody guesses that a match ends.
  slot.used.escape = (slot.known & kEscapeBit) != 0 && slot.given.escape;
  slot.used.frameTimeMs = ControlFrame::kNetworkFrameMs;
}

void RollbackRunner::Replay(StepResult& result, DrawList* draw) {
  const int from = firstWrong_;
  firstWrong_ = kNoCorrection;
  if (from >= current_) return;
  engine_.Restore(Before(from));
  for (int frame = from; frame < current_; ++frame) {
    FrameSlot& slot = Slot(frame);
    Predict(frame, slot);
    slot.outcome = engine_.RunFrame(slot.used, frame + 1 == current_ ? draw : nullptr);
    engine_.Save(Before(frame + 1));
  }
  result.replayed = current_ - from;
  ++rollbacks_;
  deepest_ = std::max(deepest_, result.replayed);
}

// Own controls are asked for once, never again when frames are played again.
void RollbackRunner::Sample(int frame) {
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    if (seats_[index] != SeatKind::Sampled) continue;
    for (int held = frame; held < frame + inputDelay_; ++held) Give(held, i, {});
    Give(frame + inputDelay_, i, sources_[index]->ControlsFor(state_, i));
  }
}

void RollbackRunner::RunFirst(DrawList* draw) {
  const int frame = current_;
  Sample(frame);
  FrameSlot& slot = Slot(frame);
  if (escapeHere_) {
    slot.given.escape = escapeRequested_;
    slot.known |= kEscapeBit;
    escapeRequested_ = false;
  }
  Predict(frame, slot);
  firstRun_ = slot.used;
  // A computer player decides only frames nobody has decided for it.
  std::uint8_t deciding = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    if (seats_[index] == SeatKind::Live && (slot.known & FigureBit(i)) == 0) deciding |= FigureBit(i);
    engine_.SetControlSource(i, (deciding & FigureBit(i)) != 0 ? sources_[index] : &fixed_);
  }
  KeyState keys{};
  if (slot.used.escape) keys[kEscapeKey] = 0x80;
  slot.outcome = engine_.RunFrame(ControlFrame::kNetworkFrameMs, keys, draw);
  // A computer player's decision is final: it never decides a frame twice.
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    if ((deciding & FigureBit(i)) == 0) continue;
    slot.given.figures[index] = slot.used.figures[index] = engine_.LastControls().figures[index];
    slot.known |= FigureBit(i);
  }
  engine_.Save(Before(frame + 1));
  ++current_;
}

void RollbackRunner::Stand(StepResult& result) {
  while (standing_ < current_ && firstWrong_ > standing_ && Slot(standing_).known == kAllKnown) {
    const int frame = standing_;
    const FrameSlot& slot = Slot(frame);
    lastStanding_ = slot.used;
    standingControls_.push_back(slot.used);
    const auto kept = static_cast<std::size_t>(frame % kKeptStanding);
    kept_[kept] = Before(frame + 1);
    keptHashes_[kept] = HashSnapshot(kept_[kept]);
    keptFrames_[kept] = frame;
    ++result.newlyStanding;
    result.standingBeeps += slot.outcome.beeps;
    if (slot.outcome.end != MatchEnd::Running && result.standingEnd.end == MatchEnd::Running) {
      result.standingEnd = slot.outcome;
      result.standingEndFrame = frame;
    }
    ++standing_;
  }
}

StepResult RollbackRunner::Step(bool runNew, DrawList* draw) {
  StepResult result;
  const bool willRun = runNew && current_ - std::min(Confirmed(), current_) < kWindow;
  Replay(result, willRun ? nullptr : draw);
  Stand(result);
  if (willRun && CanRun()) {
    RunFirst(draw);
    result.ran = true;
    Stand(result);
  }
  return result;
}

const MatchSnapshot* RollbackRunner::StandingState(int frame) const {
  if (frame < 0) return nullptr;
  const auto kept = static_cast<std::size_t>(frame % kKeptStanding);
  return keptFrames_[kept] == frame ? &kept_[kept] : nullptr;
}

const MatchSnapshot* RollbackRunner::StateAfter(int frame) const {
  if (frame >= standing_ - 1 && frame < current_) return &before_[static_cast<std::size_t>((frame + 1) % (kWindow + 1))];
  return StandingState(frame);
}

std::uint64_t RollbackRunner::StandingHash(int frame) const {
  const auto kept = static_cast<std::size_t>(frame % kKeptStanding);
  return frame >= 0 && keptFrames_[kept] == frame ? keptHashes_[kept] : 0;
}

}  // namespace fl3::net
