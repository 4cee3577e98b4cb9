#pragma once
#include <QImage>
#include <array>

#include "core/GameState.h"
#include "core/LevelFile.h"

namespace fl3 {

class GameFolder;

// A small picture of a level as the match draws it: the background (or the
// floor tile), each cell's tile from the level's tileset, and the start cells
// of the figures that play marked in their players' colours. Without its
// pictures the level is drawn in plain colours.
QImage DrawLevelPicture(const LevelData& level, const GameFolder& folder, int cellSize,
                        const std::array<bool, FigureCount>& playing);

}  // namespace fl3
