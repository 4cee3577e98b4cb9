#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "Grid.h"
#include "IoResult.h"

namespace fl3 {

struct GameState;

inline constexpr std::size_t kLevelFileSize = 3328;
inline constexpr std::size_t kLevelMusicBytes = 256;

struct FigureStart {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t PowerBombs = 0;
  std::int32_t PowerFire = 0;
  friend bool operator==(const FigureStart&, const FigureStart&) = default;
};

// Everything one level file holds. The music name is UTF-8 here and
// Windows-1252 in the file.
struct LevelData {
  std::array<FigureStart, 4> Figures{};
  CellGrid TileMap{};
  CellGrid ItemMap{};
  std::int32_t TileSetNumber = 0;
  std::int32_t BackgroundNumber = 0;
  std::string LevelMusic;
  friend bool operator==(const LevelData&, const LevelData&) = default;
};

// The 3328-byte layout; bytes after 3328 are ignored, fewer fail.
std::string EncodeLevel(const LevelData& level);
IoResult DecodeLevel(std::string_view bytes, LevelData& level);

LevelData LevelFromState(const GameState& state, std::int32_t tileSetNumber, std::int32_t backgroundNumber);
void ApplyLevelToState(const LevelData& level, GameState& state);

// Reads the whole file first and changes the state only when all of it was
// there and can be played (see CheckLevelValues), so a short, unreadable or
// hostile file leaves everything as it was.
IoResult LoadLevel(const std::filesystem::path& path, GameState& state, std::int32_t& tileSet,
                   std::int32_t& background);
// The level as its bytes stand, for tools that show or repair it.
IoResult ReadLevelFile(const std::filesystem::path& path, LevelData& level);
// Written atomically: a failed save never loses the old file.
IoResult WriteLevelFile(const std::filesystem::path& path, const LevelData& level);

}  // namespace fl3
