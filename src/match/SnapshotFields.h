#pragma once
#include <cstdint>
#include <limits>

#include "match/MatchSnapshot.h"

namespace fl3 {

// Where a field sits, for a person: "figure 2 X", "tile (3, 4)", "bomb 1 Owner".
struct FieldName {
  const char* group;
  int index;  // -1: the group has one value; a cell index for the grids
  const char* field;
};

// The range a field may hold in a match this game can play; a snapshot from
// elsewhere with a value outside it is refused.
struct FieldRange {
  std::int64_t low = std::numeric_limits<std::int32_t>::min();
  std::int64_t high = std::numeric_limits<std::int32_t>::max();
};

inline constexpr FieldRange kAnyNumber{};
inline constexpr FieldRange kFlag{0, 1};
inline constexpr FieldRange kFigureIndex{0, FigureCount - 1};

// The one list of a snapshot's fields in their fixed order, shared by the
// byte form, its reader and the comparison. The bombs come after the fixed
// part: `bombCount(count)` is called with their number first (it may resize
// them and refuse a count), then every bomb's fields.
template <class Snapshot, class Visit, class BombCount>
void VisitSnapshotFields(Snapshot& s, Visit&& visit, BombCount&& bombCount) {
  visit(FieldName{"match kind", -1, ""}, s.matchKind, FieldRange{0, 2});
  visit(FieldName{"time left", -1, ""}, s.timeLeft, kAnyNumber);
  visit(FieldName{"frame time", -1, ""}, s.frameTime, kAnyNumber);
  visit(FieldName{"random state", -1, ""}, s.random, FieldRange{0, (1 << 24) - 1});
  visit(FieldName{"end candidate", -1, ""}, s.candidate, kFigureIndex);
  visit(FieldName{"ended", -1, ""}, s.ended, kFlag);
  visit(FieldName{"last end", -1, ""}, s.last.end, FieldRange{0, 3});
  visit(FieldName{"last winner", -1, ""}, s.last.winner, FieldRange{-1, FigureCount - 1});
  visit(FieldName{"last beeps", -1, ""}, s.last.beeps, kAnyNumber);
  for (int i = 0; i < FigureCount; ++i) {
    auto& f = s.figures[static_cast<std::size_t>(i)];
    visit(FieldName{"figure", i, "X"}, f.X, FieldRange{0, OffMapPos});
    visit(FieldName{"figure", i, "Y"}, f.Y, FieldRange{0, OffMapPos});
    visit(FieldName{"figure", i, "Cont"}, f.Cont, FieldRange{ContOff, ContCpu});
    visit(FieldName{"figure", i, "Direction"}, f.Direction, FieldRange{DirLeft, DirDown});
    visit(FieldName{"figure", i, "Lives"}, f.Lives, kAnyNumber);
    visit(FieldName{"figure", i, "PowerFire"}, f.PowerFire, kAnyNumber);
    visit(FieldName{"figure", i, "PowerBombs"}, f.PowerBombs, kAnyNumber);
    visit(FieldName{"figure", i, "Moving"}, f.Moving, kFlag);
    visit(FieldName{"figure", i, "StepOffset"}, f.StepOffset, kAnyNumber);
    visit(FieldName{"figure", i, "AnimTime"}, f.AnimTime, kAnyNumber);
    visit(FieldName{"figure", i, "AnimFrame"}, f.AnimFrame, kAnyNumber);
  }
  for (int cell = 0; cell < CellCount; ++cell) {
    visit(FieldName{"tile", cell, ""}, s.tiles[static_cast<std::size_t>(cell)], FieldRange{CellNothing, CellFireCentre});
  }
  for (int cell = 0; cell < CellCount; ++cell) {
    visit(FieldName{"item", cell, ""}, s.items[static_cast<std::size_t>(cell)], FieldRange{ItemRandom, ItemFire2});
  }
  if (!bombCount(s.bombs.size())) return;
  for (std::size_t i = 0; i < s.bombs.size(); ++i) {
    auto& b = s.bombs[i];
    const int n = static_cast<int>(i) + 1;
    visit(FieldName{"bomb", n, "X"}, b.X, FieldRange{0, MapWidth - 1});
    visit(FieldName{"bomb", n, "Y"}, b.Y, FieldRange{0, MapHeight - 1});
    visit(FieldName{"bomb", n, "ExplodeTimeLeft"}, b.ExplodeTimeLeft, kAnyNumber);
    visit(FieldName{"bomb", n, "ExplodeLevel"}, b.ExplodeLevel, kAnyNumber);
    visit(FieldName{"bomb", n, "ExplodeLeft"}, b.ExplodeLeft, kAnyNumber);
    visit(FieldName{"bomb", n, "ExplodeUp"}, b.ExplodeUp, kAnyNumber);
    visit(FieldName{"bomb", n, "ExplodeRight"}, b.ExplodeRight, kAnyNumber);
    visit(FieldName{"bomb", n, "ExplodeDown"}, b.ExplodeDown, kAnyNumber);
    visit(FieldName{"bomb", n, "ExplodeDuration"}, b.ExplodeDuration, kAnyNumber);
    visit(FieldName{"bomb", n, "Exploded"}, b.Exploded, kFlag);
    visit(FieldName{"bomb", n, "Owner"}, b.Owner, kFigureIndex);
  }
}

}  // namespace fl3
