#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "ArenaSeats.h"
#include "core/LevelFile.h"
#include "DecisionTimes.h"
#include "match/RollbackCheck.h"
#include "replay/Replay.h"

namespace fl3::arena {

struct ArenaRules {
  std::int32_t kind = MatchNormal;
  std::int32_t lives = 3;       // Normal only
  std::int32_t seconds = 180;   // Most Kills and Most Lives
  std::int32_t frameMs = 51;    // the game's shortest frame
  int maxFrames = 0;            // a match still running then ends without a winner
  int syncDepth = 0;            // > 0: rewind this many frames after each frame and compare
  bool recordReplays = false;
};

struct ArenaMatchReport {
  int winnerSeat = -1;  // -1: no winner
  int frames = 0;
  bool cutShort = false;  // stopped at maxFrames
  // Lives each figure lost to its own fire and to others' fire.
  std::array<std::int64_t, FigureCount> ownFireLosses{};
  std::array<std::int64_t, FigureCount> othersFireLosses{};
  std::optional<RollbackCheck::Mismatch> mismatch;  // the match stopped there
  std::optional<Replay> replay;  // with recordReplays; the level's name left empty
};

// Plays one match without a screen. seatOfFigure[i] is the seat playing
// figure i, or -1 for a figure left OFF.
ArenaMatchReport PlayArenaMatch(const LevelData& level, const ArenaRules& rules, const std::vector<Seat>& seats,
                                const std::array<int, FigureCount>& seatOfFigure, std::uint64_t seed,
                                DecisionTimes& times);

}  // namespace fl3::arena
