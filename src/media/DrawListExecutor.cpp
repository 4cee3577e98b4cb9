#include "media/DrawListExecutor.h"

namespace fl3 {

void ExecuteDrawList(const DrawList& list, const MatchPictures& pictures, SpriteRenderer& renderer) {
  for (const SpriteDraw& draw : list.Draws()) {
    renderer.DrawSprite(pictures.Find(draw.picture), draw.x, draw.y, draw.width, draw.height, draw.uLeft, draw.vTop,
                        draw.uRight, draw.vBottom, draw.colour);
  }
}

}  // namespace fl3
