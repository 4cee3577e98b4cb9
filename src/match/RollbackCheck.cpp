#include "match/RollbackCheck.h"

#include <algorithm>

namespace fl3 {

RollbackCheck::RollbackCheck(MatchEngine& engine, int depth)
    : engine_(engine),
      depth_(std::max(1, depth)),
      before_(static_cast<std::size_t>(depth_)),
      after_(static_cast<std::size_t>(depth_)),
      hashes_(static_cast<std::size_t>(depth_)),
      controls_(static_cast<std::size_t>(depth_)) {}

void RollbackCheck::BeforeFrame() { engine_.Save(before_[Slot(frames_)]); }

std::optional<RollbackCheck::Mismatch> RollbackCheck::AfterFrame() {
  const int frame = frames_++;
  controls_[Slot(frame)] = engine_.LastControls();
  engine_.Save(after_[Slot(frame)]);
  hashes_[Slot(frame)] = HashSnapshot(after_[Slot(frame)]);

  const int first = std::max(0, frame - depth_ + 1);
  engine_.Restore(before_[Slot(first)]);
  for (int again = first; again <= frame; ++again) {
    engine_.RunFrame(controls_[Slot(again)], nullptr);
    engine_.Save(again_);
    if (HashSnapshot(again_) != hashes_[Slot(again)]) {
      std::string field = FirstDifference(after_[Slot(again)], again_);
      if (field.empty()) field = "(equal fields, different hash)";
      return Mismatch{again + 1, field};
    }
  }
  return std::nullopt;
}

}  // namespace fl3
