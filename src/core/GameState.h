#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "Character.h"
#include "Grid.h"
#include "MusicSettings.h"
#include "PadChoices.h"
#include "RandomSource.h"
#include "colBomb.h"

namespace fl3 {

class GameFolder;

inline constexpr int FigureCount = 4;
static_assert(std::tuple_size_v<PadChoices> == FigureCount);
inline constexpr std::int32_t MatchNormal = 0, MatchMostKills = 1, MatchMostLives = 2;

// The state every part of the game shares, created once at start-up and
// passed by reference; nothing keeps a second copy.
struct GameState {
  GameState() = default;
  GameState(const GameState&) = delete;
  GameState& operator=(const GameState&) = delete;

  std::array<Character, FigureCount> Characters{};
  CellGrid TileMap{};
  CellGrid ItemMap{};
  colBomb Bombs{TileMap};
  std::string LevelMusic;
  std::int32_t MatchKind = MatchNormal;
  std::int32_t TimeLeft = 0;
  std::int32_t FrameTime = 0;
  MusicSettings Music;
  PadChoices Pads;  // each player's gamepad besides the keys
  std::int32_t CpuStrength = 1;  // computer players: 0 Easy, 1 Normal, 2 Hard
  RandomSource Random;

  std::int32_t& Tile(std::int32_t x, std::int32_t y) { return TileMap[static_cast<std::size_t>(CellIndex(x, y))]; }
  std::int32_t& Item(std::int32_t x, std::int32_t y) { return ItemMap[static_cast<std::size_t>(CellIndex(x, y))]; }
};

// Loads the four key layouts "0".."3", the music settings and the pad choices. A step that
// fails is skipped; start-up never stops.
void StartUp(GameState& state, const GameFolder& folder);

// The level's share of the state back to its empty form: both grids 0, no
// music, every figure at (0, 0) with 0 bombs and 0 fire.
void ClearLevel(GameState& state);

// The between-matches form left by a match's tear-down: the level cleared,
// no bombs, 5 lives, control modes MAN, CPU, OFF, OFF, and no figure left in
// the middle of a step (it would walk on its own in the next match).
void ResetAfterMatch(GameState& state);

}  // namespace fl3
