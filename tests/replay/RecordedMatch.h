#pragma once
#include <xxhash.h>

#include <string>
#include <vector>

#include "../match/MatchTestKit.h"
#include "ai/ComputerSeats.h"
#include "core/LevelFile.h"
#include "match/MatchLoop.h"
#include "replay/Replay.h"
#include "ScriptedDevices.h"

namespace fl3::testing {

// A timed match as the game plays it: the frame loop on a clock that runs on
// by itself (so frame times vary), player 1 on keys that walk and plant,
// players 2 and 3 on CPU, recorded the way the match window records.
inline Replay RecordLoopMatch(GameState& state, std::int32_t seconds = 20) {
  LevelData level;
  for (int y = 0; y < MapHeight; ++y) {
    for (int x = 0; x < MapWidth; ++x) {
      const bool rim = x == 0 || y == 0 || x == MapWidth - 1 || y == MapHeight - 1;
      const bool pillar = x % 2 == 0 && y % 2 == 0;
      const auto at = static_cast<std::size_t>(CellIndex(x, y));
      level.TileMap[at] = rim || pillar ? CellBlock1 : (x + y) % 3 == 0 && x > 2 ? CellBox1 : CellNothing;
      level.ItemMap[at] = (x * y) % 4;
    }
  }
  level.Figures = {{{1, 1, 1, 2}, {23, 1, 1, 2}, {1, 13, 1, 2}, {OffMapPos, OffMapPos, 0, 0}}};
  ApplyLevelToState(level, state);
  state.MatchKind = MatchMostKills;
  state.TimeLeft = seconds * 1000;
  const std::int32_t conts[] = {ContMan, ContCpu, ContCpu, ContOff};
  for (std::size_t i = 0; i < FigureCount; ++i) {
    const FigureStart& start = level.Figures[i];
    Character& figure = PlaceFigure(state, static_cast<int>(i), start.X, start.Y, conts[i]);
    std::tie(figure.Lives, figure.PowerBombs, figure.PowerFire) = std::tuple(0, start.PowerBombs, start.PowerFire);
  }
  std::vector<KeyState> keys;
  for (const Key key : {Key::Plant, Key::Down, Key::Down, Key::Down, Key::Right, Key::Right, Key::Up}) {
    for (int frame = 0; frame < 6; ++frame) keys.push_back(Holding({{0, key}}));
  }
  ScriptedKeyboard keyboard(keys);
  SteppingClock clock(0, 26);
  MatchLoop loop(state, level.BackgroundNumber, keyboard, clock, {});
  const ComputerSeats computers(state, CpuStrength::Normal, 7);
  computers.SeatOn(loop);
  ReplayRecorder recorder(
      CaptureMatchStart(state, level.TileSetNumber, level.BackgroundNumber, {0, 1, 2, 3}, "TEST.FL3", 7));
  loop.RecordInto(&recorder);
  while (!loop.Step().finished) {
  }
  return recorder.Finish(loop.End(), loop.Winner(), loop.Engine(), 1'700'000'000);
}

// Replay bytes with their checksum made right again, so that a change reaches
// the reader behind it.
inline std::string Resealed(std::string bytes) {
  bytes.resize(bytes.size() - 8);
  const std::uint64_t sum = XXH3_64bits(bytes.data(), bytes.size());
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>(sum >> (8 * i));
  return bytes;
}

}  // namespace fl3::testing
