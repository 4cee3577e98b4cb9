#pragma once
#include <cstdint>

#include "KeyLayout.h"

namespace fl3 {

// Control modes.
inline constexpr std::int32_t ContOff = 0, ContMan = 1, ContCpu = 2;
// Directions of moves, bomb arms and pictures.
inline constexpr std::int32_t DirLeft = 0, DirUp = 1, DirRight = 2, DirDown = 3;

// One player's figure: its settings between matches and its walking state in
// a match. The rules that move it live in the match engine; its pictures
// belong to the match's picture sheets.
struct Character {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t Cont = ContOff;
  std::int32_t Direction = DirLeft;
  std::int32_t Lives = 0;  // kills in "Most Kills"
  std::int32_t PowerFire = 0;
  std::int32_t PowerBombs = 0;
  KeyLayout Keys;
  bool Moving = false;
  std::int32_t StepOffset = 0;
  std::int32_t AnimTime = 0;
  std::int32_t AnimFrame = 0;

  bool InPlay() const { return Cont != ContOff; }
};

}  // namespace fl3
