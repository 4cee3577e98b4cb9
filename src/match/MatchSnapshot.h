#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameState.h"
#include "match/MatchFrame.h"

namespace fl3 {

// Everything that decides the later frames of a running match, and nothing
// else: the match's share of the shared state and the engine's own fields.
// A plain value; GameState itself is never copied. The figures' keys are
// kept but play no part (frames played again take recorded controls).
struct MatchSnapshot {
  MatchSnapshot() { bombs.reserve(CellCount); }

  std::array<Character, FigureCount> figures{};
  CellGrid tiles{};
  CellGrid items{};
  std::vector<Bomb> bombs;
  std::string levelMusic;
  std::int32_t matchKind = 0;
  std::int32_t timeLeft = 0;
  std::int32_t frameTime = 0;
  std::uint32_t random = 0;
  // The engine's own.
  std::int32_t candidate = 0;
  bool ended = false;
  FrameOutcome last{};
};

// The snapshot in a fixed byte form, the same on every machine and build:
// every number little-endian, no padding, no pointers, keys left out.
void EncodeSnapshot(const MatchSnapshot& snapshot, std::vector<std::uint8_t>& bytes);
// The inverse of EncodeSnapshot. False, with `snapshot` in an unspecified
// but valid form, when the bytes are not a snapshot this game could hold.
bool DecodeSnapshot(const std::uint8_t* data, std::size_t size, MatchSnapshot& snapshot);

// XXH3 of the encoded form: equal states hash equal on every machine.
std::uint64_t HashSnapshot(const MatchSnapshot& snapshot);

// The first field in which two snapshots differ, named for a person
// ("figure 2 X: 5 / 6", "tile (3, 4): 1 / 0"); empty when they agree.
std::string FirstDifference(const MatchSnapshot& a, const MatchSnapshot& b);

}  // namespace fl3
