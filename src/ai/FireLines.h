#pragma once
#include "ai/DangerMap.h"
#include "core/GameState.h"

namespace fl3::ai {

// What a bomb of the given reach on `cell` would reach, read along its four
// arms the way fire runs: blocks and boxes stop an arm, bombs too.

// Boxes it would burn that no bomb on the field burns already.
int FreshBoxesInReach(const GameState& state, const DangerMap& danger, int cell, int reach);

// Figures in play other than `figure` it would catch, counting a figure in
// the middle of a step on both the cell it leaves and the one it enters.
int OpponentsInReach(const GameState& state, int figure, int cell, int reach);

// Cells apart along the grid, ignoring what lies between.
int Distance(int cellA, int cellB);

// The nearest other figure in play, or -1.
int NearestOpponentCell(const GameState& state, int figure, int from);

}  // namespace fl3::ai
