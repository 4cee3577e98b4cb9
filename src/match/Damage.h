#pragma once
#include <cstdint>

#include "core/GameState.h"

namespace fl3 {

// Blast damage to figure `figure` from a bomb of figure `by`: lives in
// "Normal" and "Most Lives", the kill count of `by` in "Most Kills".
void Hurt(GameState& state, int figure, int by, std::int32_t pain = 1);

// Takes a figure out of play for the rest of the match.
void Die(Character& figure);

}  // namespace fl3
