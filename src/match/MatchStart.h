#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/GameState.h"
#include "core/IoResult.h"

namespace fl3 {

// Everything a match begins with besides the frames' controls: with it, the
// control frames replay the match exactly, on any machine, even after the
// level file has changed or gone. Replays store it; the host of a network
// match sends it.
struct MatchStart {
  struct Figure {
    std::int32_t cont = ContOff;
    std::int32_t lives = 0;
    std::int32_t direction = DirLeft;
    std::int32_t character = 0;  // which picture of the character sheet
    friend bool operator==(const Figure&, const Figure&) = default;
  };

  std::string level;      // the level's 3328 bytes as the match began
  std::string levelName;  // its file name, for lists and messages
  std::int32_t kind = MatchNormal;
  std::int32_t timeLeftMs = 0;
  std::array<Figure, FigureCount> figures{};
  std::int32_t cpuStrength = 1;
  std::uint64_t cpuSeed = 0;
  std::uint32_t random = 0;  // the shared random source as the match began

  std::int32_t TileSetNumber() const;
  std::int32_t BackgroundNumber() const;
  friend bool operator==(const MatchStart&, const MatchStart&) = default;
};

// The start of the match that the shared state is ready to play (the level
// loaded, kinds, lives and controllers set).
MatchStart CaptureMatchStart(const GameState& state, std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                             const std::array<std::int32_t, FigureCount>& characters, std::string levelName,
                             std::uint64_t cpuSeed);
// Puts a start into the shared state so that the first frame can run; the
// state is untouched when the start's level cannot be read.
IoResult ApplyMatchStart(const MatchStart& start, GameState& state);

// A fixed byte form for files and the network, and its strict reader: a
// start that no match could have is refused with the reason.
std::string EncodeMatchStart(const MatchStart& start);
IoResult DecodeMatchStart(std::string_view bytes, MatchStart& start);

}  // namespace fl3
