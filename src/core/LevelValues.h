#pragma once
#include "IoResult.h"
#include "LevelFile.h"

namespace fl3 {

// Whether a level holds only what a match can be played with: every start
// cell on the field or at the "no place" value 50 (each coordinate on its
// own, as the editor's hints offer it), every cell code -1 to 6 and every
// item code -1 to 3. Anything else would leave a figure invisible and
// unkillable or show bombs and fire that never go off. The first value found
// is named, with its player or cell.
IoResult CheckLevelValues(const LevelData& level);

}  // namespace fl3
