#include "ai/DangerMap.h"

#include <algorithm>

#include "core/Bomb.h"
#include "match/FigureWalk.h"

namespace fl3::ai {
namespace {

// The bomb pass of the frame being decided is pass 0: a fuse of t ms runs out
// (drops below 0) in pass t / frameMs.
int BurstFrame(std::int32_t fuseMs, std::int32_t frameMs) { return std::max(fuseMs, 0) / frameMs; }

// Fire lies on its cells from the pass after the blast until the pass in
// which its time drops below 0 removes it.
int FireFrames(std::int32_t frameMs) { return kBombFireMs / frameMs + 1; }

constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, -1, 0, 1};

}  // namespace

int DangerMap::FirstBlastSeen(int cell, int heedFrames) const {
  const auto c = static_cast<std::size_t>(cell);
  const int byFuse = firstOwn_[c] - heedFrames;
  return firstCut_[c] >= 0 ? std::min(byFuse, firstCut_[c] + 1) : firstFrame_[c] - heedFrames;
}

void DangerMap::Clear() {
  blast_.fill(0);
  blocked_.fill(0);
  doomed_.fill(false);
  burnt_.fill(kHorizonFrames * 4);
  firstFrame_.fill(kHorizonFrames);
  firstOwner_.fill(static_cast<std::int8_t>(kNoBomb));
  firstCut_.fill(-1);
  bombAt_.fill(0);
  pendingCount_ = 0;
}

void DangerMap::Build(const GameState& state, const DangerSight& sight, std::span<const Bomb> extras,
                      std::int32_t aheadMs) {
  Clear();
  const std::int32_t frameMs = std::max(state.FrameTime, 1);
  for (Bomb bomb : state.Bombs) {
    if (!OnMap(bomb.X, bomb.Y)) continue;
    if (bomb.Exploded) {
      bomb.ExplodeDuration -= aheadMs;
      if (bomb.ExplodeDuration >= 0) AddFireBurning(bomb, frameMs);
    } else {
      bomb.ExplodeTimeLeft -= aheadMs;
      if (bomb.ExplodeTimeLeft >= 0) AddBomb(bomb, frameMs);
    }
  }
  for (const Bomb& extra : extras) {
    if (OnMap(extra.X, extra.Y)) AddBomb(extra, frameMs);
  }
  AllowForSkippedPasses();
  for (int next = NextToBurst(); next >= 0; next = NextToBurst()) {
    Burst(state, pending_[static_cast<std::size_t>(next)], sight, frameMs);
  }
}

void DangerMap::AddFireBurning(const Bomb& bomb, std::int32_t frameMs) {
  const FrameMask burning = FramesFromTo(0, bomb.ExplodeDuration / frameMs);
  for (std::int32_t x = std::max(bomb.ExplodeLeft, 0); x <= std::min(bomb.ExplodeRight, MapWidth - 1); ++x) {
    blocked_[static_cast<std::size_t>(CellIndex(x, bomb.Y))] |= burning;
  }
  for (std::int32_t y = std::max(bomb.ExplodeUp, 0); y <= std::min(bomb.ExplodeDown, MapHeight - 1); ++y) {
    blocked_[static_cast<std::size_t>(CellIndex(bomb.X, y))] |= burning;
  }
  // Its cell still stops other bombs' fire, like any bomb in the collection.
  Pending& entry = pending_[static_cast<std::size_t>(pendingCount_)];
  entry = {bomb.X, bomb.Y, 0, 0, bomb.Owner, 0, 0, bomb.ExplodeDuration / frameMs, true, -1, 0};
  bombAt_[static_cast<std::size_t>(CellIndex(bomb.X, bomb.Y))] = static_cast<std::int16_t>(++pendingCount_);
}

void DangerMap::AddBomb(const Bomb& bomb, std::int32_t frameMs) {
  const auto cell = static_cast<std::size_t>(CellIndex(bomb.X, bomb.Y));
  if (bombAt_[cell] != 0) return;
  const int frame = BurstFrame(bomb.ExplodeTimeLeft, frameMs);
  blocked_[cell] |= FramesFromTo(0, frame + FireFrames(frameMs) + 4);
  Pending& entry = pending_[static_cast<std::size_t>(pendingCount_)];
  entry = {bomb.X, bomb.Y, bomb.ExplodeTimeLeft, bomb.ExplodeLevel, bomb.Owner, frame, 1, frame + FireFrames(frameMs),
           false, -1, frame};
  bombAt_[cell] = static_cast<std::int16_t>(++pendingCount_);
}

// When the bomb pass removes a bomb, the bomb that slides into its place
// waits a frame; each bomb before it in the collection that goes away first
// may hold its blast back by one more frame.
void DangerMap::AllowForSkippedPasses() {
  for (int j = 0; j < pendingCount_; ++j) {
    Pending& later = pending_[static_cast<std::size_t>(j)];
    for (int i = 0; i < j; ++i) {
      if (pending_[static_cast<std::size_t>(i)].removal <= later.frame) ++later.late;
    }
  }
}

int DangerMap::NextToBurst() const {
  int best = -1;
  for (int i = 0; i < pendingCount_; ++i) {
    const Pending& p = pending_[static_cast<std::size_t>(i)];
    if (!p.done && (best < 0 || p.frame < pending_[static_cast<std::size_t>(best)].frame)) best = i;
  }
  return best;
}

bool DangerMap::Heeded(const Pending& bomb, const DangerSight& sight) {
  return bomb.fuseMs <= (bomb.owner == sight.self ? sight.ownHeedMs : sight.othersHeedMs);
}

void DangerMap::MarkBlast(int cell, const Pending& bomb, const DangerSight& sight) {
  if (!Heeded(bomb, sight)) return;
  const auto c = static_cast<std::size_t>(cell);
  const int early = sight.earlyFrames + bomb.frame / 16;
  const int from = sight.waryOfOwnChains && bomb.owner == sight.self ? bomb.frame / 4 : bomb.frame;
  blast_[c] |= FramesFromTo(from - early, bomb.frame + bomb.late);
  if (bomb.frame < firstFrame_[c]) {
    firstFrame_[c] = static_cast<std::int16_t>(bomb.frame);
    firstOwner_[c] = static_cast<std::int8_t>(bomb.owner);
    firstCut_[c] = static_cast<std::int16_t>(bomb.cutAt);
    firstOwn_[c] = static_cast<std::int16_t>(bomb.ownFrame);
  }
}

void DangerMap::Burst(const GameState& state, Pending& bomb, const DangerSight& sight, std::int32_t frameMs) {
  bomb.done = true;
  bomb.removal = bomb.frame + FireFrames(frameMs);
  const FrameMask fire = FramesFromTo(bomb.frame, bomb.frame + FireFrames(frameMs) + bomb.late);
  MarkBlast(CellIndex(bomb.x, bomb.y), bomb, sight);
  for (int dir = 0; dir < 4; ++dir) {
    std::int32_t x = bomb.x;
    std::int32_t y = bomb.y;
    for (std::int32_t d = 1; d <= bomb.reach; ++d) {
      x += kDx[dir];
      y += kDy[dir];
      if (!OnMap(x, y)) break;
      const int cell = CellIndex(x, y);
      const std::int32_t code = state.TileMap[static_cast<std::size_t>(cell)];
      if (IsBlock(code)) break;
      // A bomb whose fire has gone and a box burnt by an earlier blast no
      // longer stop the fire.
      if (const int other = bombAt_[static_cast<std::size_t>(cell)]; other != 0) {
        Pending& hit = pending_[static_cast<std::size_t>(other - 1)];
        if (!hit.done || hit.removal > bomb.frame) {
          // The cut fuse: a quarter of what is left when this blast reaches it.
          const std::int32_t left = std::max(hit.fuseMs - (bomb.frame + 1) * frameMs, 0);
          if (!hit.done && bomb.frame + BurstFrame(left / 4, frameMs) < hit.frame) {
            hit.frame = bomb.frame + BurstFrame(left / 4, frameMs);
            if (hit.cutAt < 0) hit.cutAt = bomb.frame;
          }
          break;
        }
      } else if (IsBox(code) && burnt_[static_cast<std::size_t>(cell)] > bomb.frame) {
        doomed_[static_cast<std::size_t>(cell)] = true;
        burnt_[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(bomb.frame);
        break;
      }
      MarkBlast(cell, bomb, sight);
      blocked_[static_cast<std::size_t>(cell)] |= fire;
    }
  }
}

}  // namespace fl3::ai
