#include "match/Explosion.h"

#include <cstdint>

#include "core/Rounding.h"
#include "match/BombLife.h"
#include "match/Damage.h"
#include "match/WholeNumbers.h"

namespace fl3 {
namespace {

enum ArmResult { ArmGoesOn = 0, ArmEndsHere = 1, ArmEndsBefore = 2 };

struct Arm {
  std::int32_t direction;
  std::int32_t dx, dy;
  std::int32_t cap, middle;
};

constexpr Arm kArms[4] = {
    {DirLeft, -1, 0, CellFireLeftEnd, CellFireHorizontal},
    {DirUp, 0, -1, CellFireUpperEnd, CellFireVertical},
    {DirRight, 1, 0, CellFireRightEnd, CellFireHorizontal},
    {DirDown, 0, 1, CellFireLowerEnd, CellFireVertical},
};

bool FireCanCover(std::int32_t c) {
  return c == CellNothing || c == CellDoodad || (c >= CellItemBomb && c <= CellItemFire2) ||
         (c >= CellFireHorizontal && c <= CellFireCentre);
}

bool AtEdge(const Arm& arm, std::int32_t x, std::int32_t y) {
  switch (arm.direction) {
    case DirLeft: return x <= 0;
    case DirUp: return y <= 0;
    case DirRight: return x >= MapWidth - 1;
    default: return y >= MapHeight - 1;
  }
}

Bomb* BombAt(GameState& state, std::int32_t x, std::int32_t y) {
  for (Bomb& other : state.Bombs) {
    if (other.X == x && other.Y == y) return &other;
  }
  return nullptr;
}

int FigureAt(const GameState& state, std::int32_t x, std::int32_t y) {
  for (int i = 0; i < FigureCount; ++i) {
    const Character& figure = state.Characters[static_cast<std::size_t>(i)];
    if (figure.X == x && figure.Y == y) return i;
  }
  return -1;
}

std::int32_t RandomItemCode(GameState& state) {
  const std::int32_t n = RoundHalfEven(state.Random.Next() * 99.0 + 1.0);
  if (n <= 40) return CellItemBomb;
  if (n <= 90) return CellItemFire;
  return CellItemFire2;
}

class ArmLayer {
 public:
  ArmLayer(GameState& state, const Bomb& bomb, FrameEvents& events) : state_(state), bomb_(bomb), events_(events) {}

  ArmResult At(const Arm& arm, std::int32_t x, std::int32_t y, bool isLast) {
    std::int32_t& cell = state_.Tile(x, y);
    if (IsBlock(cell)) return CapBefore(arm, x, y);
    if (Bomb* other = BombAt(state_, x, y)) {
      Quick(*other);
      return CapBefore(arm, x, y);
    }
    if (IsBox(cell)) {
      cell = BurntBoxCode(state_, cell, state_.Item(x, y));
      return CapBefore(arm, x, y);
    }
    if (AtEdge(arm, x, y)) return CapHere(arm, cell);
    if (const int figure = FigureAt(state_, x, y); figure >= 0) {
      Hurt(state_, figure, bomb_.Owner, 1);
      return CapHere(arm, cell);
    }
    if (FireCanCover(cell)) {
      if (isLast) return CapHere(arm, cell);
      cell = arm.middle;
    }
    return ArmGoesOn;
  }

 private:
  ArmResult CapHere(const Arm& arm, std::int32_t& cell) {
    cell = arm.cap;
    ++events_.beeps;
    return ArmEndsHere;
  }

  ArmResult CapBefore(const Arm& arm, std::int32_t x, std::int32_t y) {
    state_.Tile(x - arm.dx, y - arm.dy) = arm.cap;
    return ArmEndsBefore;
  }

  GameState& state_;
  const Bomb& bomb_;
  FrameEvents& events_;
};

// Walks one arm outward; returns how many cells of fire it ended with. An arm
// that runs out over cells fire leaves alone never ends, so it counts 0.
std::int64_t LayArm(ArmLayer& layer, const Bomb& bomb, const Arm& arm) {
  const std::int64_t reach = bomb.ExplodeLevel;
  for (std::int64_t d = 1; d <= reach; ++d) {
    const auto x = static_cast<std::int32_t>(bomb.X + arm.dx * d);
    const auto y = static_cast<std::int32_t>(bomb.Y + arm.dy * d);
    const ArmResult r = layer.At(arm, x, y, d == reach);
    if (r == ArmEndsHere) return d;
    if (r == ArmEndsBefore) return d - 1;
  }
  return 0;
}

bool ArmStarts(const Bomb& bomb, const Arm& arm) { return !AtEdge(arm, bomb.X, bomb.Y); }

void HurtFiguresOnBomb(GameState& state, const Bomb& bomb) {
  for (int i = 0; i < FigureCount; ++i) {
    const Character& figure = state.Characters[static_cast<std::size_t>(i)];
    if (figure.X == bomb.X && figure.Y == bomb.Y) Hurt(state, i, bomb.Owner, 1);
  }
}

}  // namespace

std::int32_t BurntBoxCode(GameState& state, std::int32_t boxCode, std::int32_t itemCode) {
  if (itemCode > ItemNone) return AddClamped(itemCode, 6);
  if (itemCode == ItemNone) return CellDoodad;
  if (itemCode == ItemRandom) return RandomItemCode(state);
  return boxCode;
}

void Explode(GameState& state, Bomb& bomb, FrameEvents& events) {
  bomb.Exploded = true;
  bomb.ExplodeLeft = bomb.ExplodeRight = bomb.X;
  bomb.ExplodeUp = bomb.ExplodeDown = bomb.Y;
  if (!OnMap(bomb.X, bomb.Y)) return;
  ArmLayer layer(state, bomb, events);
  std::int32_t* extents[4] = {&bomb.ExplodeLeft, &bomb.ExplodeUp, &bomb.ExplodeRight, &bomb.ExplodeDown};
  for (const Arm& arm : kArms) {
    if (!ArmStarts(bomb, arm)) continue;
    const std::int64_t length = LayArm(layer, bomb, arm);
    const std::int32_t along = arm.dx != 0 ? arm.dx : arm.dy;
    *extents[arm.direction] += static_cast<std::int32_t>(along * length);
  }
  state.Tile(bomb.X, bomb.Y) = CellFireCentre;
  HurtFiguresOnBomb(state, bomb);
}

}  // namespace fl3
