#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "ai/FrameMask.h"
#include "core/GameState.h"

namespace fl3::ai {

// How a computer player reads the bombs on the field. Every bomb bursts in
// its plan, chains included, but a blast counts as danger only once the
// player heeds the bomb: a player watches its own bombs more closely than
// the others'.
struct DangerSight {
  static constexpr std::int32_t kAlways = 1 << 30;
  // The figure whose bombs are its own, or -1.
  int self = -1;
  // A bomb is heeded once its fuse is down to this.
  std::int32_t ownHeedMs = kAlways;
  std::int32_t othersHeedMs = kAlways;
  // Extra frames of care before a blast is due.
  int earlyFrames = 1;
  // Its own bombs count as bursting from the moment some fire could set them
  // off (a quarter of the fuse left), not only when their fuse runs out.
  bool waryOfOwnChains = false;
};

// When fire will burst over each cell and when a step into a cell would be
// refused, worked out from what a player sees: the bombs with their fuses,
// reach and chains, the fire burning now, the field's blocks and boxes.
class DangerMap {
 public:
  static constexpr int kNoBomb = -1;

  void Build(const GameState& state, const DangerSight& sight) { Build(state, sight, {}, 0); }
  // `extras`: bombs about to be planted, taken into account as if they lay
  // there already (heeded as any other bomb). `aheadMs`: the plan is seen from that much later, every
  // fuse and fire on the field shorter by it (what has gone by then is left
  // out); the extras' fuses are as given.
  void Build(const GameState& state, const DangerSight& sight, std::span<const Bomb> extras, std::int32_t aheadMs = 0);

  // Frames at which a blast reaches the cell (a figure counted on it is hurt).
  FrameMask Blast(int cell) const { return blast_[static_cast<std::size_t>(cell)]; }
  // Frames at which a step into the cell is refused (a bomb or fire on it).
  FrameMask Blocked(int cell) const { return blocked_[static_cast<std::size_t>(cell)]; }
  // A box some bomb will burn already.
  bool BoxDoomed(int cell) const { return doomed_[static_cast<std::size_t>(cell)]; }
  // The owner of the first blast on the cell, or kNoBomb.
  int FirstBlastOwner(int cell) const { return firstOwner_[static_cast<std::size_t>(cell)]; }
  int FirstBlastFrame(int cell) const { return firstFrame_[static_cast<std::size_t>(cell)]; }
  // The frame a player who judges each bomb by its own fuse sees the first
  // blast over the cell coming, heeding a bomb `heedFrames` ahead: then, or
  // once another blast has cut its fuse short, whichever comes first.
  int FirstBlastSeen(int cell, int heedFrames) const;

 private:
  struct Pending {
    std::int32_t x, y, fuseMs, reach, owner;
    int frame;
    int late;     // frames the blast may come after `frame`
    int removal;  // frame in which the bomb pass takes it away
    bool done;
    int cutAt;    // frame of the blast that cuts its fuse, or -1
    int ownFrame;  // when its own fuse runs out
  };

  void Clear();
  void AddBomb(const Bomb& bomb, std::int32_t frameMs);
  void AddFireBurning(const Bomb& bomb, std::int32_t frameMs);
  void AllowForSkippedPasses();
  int NextToBurst() const;
  void Burst(const GameState& state, Pending& bomb, const DangerSight& sight, std::int32_t frameMs);
  void MarkBlast(int cell, const Pending& bomb, const DangerSight& sight);
  static bool Heeded(const Pending& bomb, const DangerSight& sight);

  std::array<FrameMask, CellCount> blast_{};
  std::array<FrameMask, CellCount> blocked_{};
  std::array<bool, CellCount> doomed_{};
  std::array<std::int16_t, CellCount> burnt_{};  // frame a box burns
  std::array<std::int16_t, CellCount> firstFrame_{};
  std::array<std::int8_t, CellCount> firstOwner_{};
  std::array<std::int16_t, CellCount> firstCut_{};
  std::array<std::int16_t, CellCount> firstOwn_{};  // set with firstCut_
  std::array<std::int16_t, CellCount> bombAt_{};  // index into pending_ + 1
  std::array<Pending, CellCount + 1> pending_{};
  int pendingCount_ = 0;
};

}  // namespace fl3::ai
