#pragma once
#include <cstdint>
#include <random>

#include "core/LevelFile.h"
#include "match/MatchStart.h"

namespace fl3::testing {

// A classic field: pillars on every odd cell, boxes on most others, the four
// corners clear for the starts; every figure a computer player.
inline MatchStart NetTestStart(std::int32_t kind, std::uint64_t seed, std::int32_t seconds = 40) {
  LevelData level;
  std::mt19937 random(static_cast<std::uint32_t>(seed));
  for (int y = 0; y < MapHeight; ++y) {
    for (int x = 0; x < MapWidth; ++x) {
      const bool corner = (x < 3 || x > MapWidth - 4) && (y < 3 || y > MapHeight - 4);
      std::int32_t cell = CellNothing;
      if (x % 2 == 1 && y % 2 == 1) cell = CellBlock1;
      else if (!corner && random() % 10 < 6) cell = CellBox1;
      level.TileMap[static_cast<std::size_t>(CellIndex(x, y))] = cell;
      level.ItemMap[static_cast<std::size_t>(CellIndex(x, y))] = ItemRandom;
    }
  }
  level.Figures = {{{0, 0, 1, 2}, {MapWidth - 1, 0, 1, 2}, {0, MapHeight - 1, 1, 2}, {MapWidth - 1, MapHeight - 1, 1, 2}}};
  level.BackgroundNumber = -1;
  MatchStart start;
  start.level = EncodeLevel(level);
  start.levelName = "NETTEST.FL3";
  start.kind = kind;
  start.timeLeftMs = seconds * 1000;
  for (MatchStart::Figure& figure : start.figures) {
    figure.cont = ContCpu;
    figure.lives = kind == MatchNormal ? 2 : kind == MatchMostKills ? 0 : 99;
  }
  start.cpuSeed = seed;
  start.random = static_cast<std::uint32_t>(seed % (1u << 24));
  return start;
}

}  // namespace fl3::testing
