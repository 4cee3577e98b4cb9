#pragma once
#include "match/DrawList.h"
#include "media/MatchPictures.h"
#include "media/SpriteRenderer.h"

namespace fl3 {

// Draws a frame's draw list in order with the match's pictures. A draw whose
// picture is empty is skipped. It does not clear the back buffer first.
void ExecuteDrawList(const DrawList& list, const MatchPictures& pictures, SpriteRenderer& renderer);

}  // namespace fl3
