#pragma once
#include <cstdint>

#include "media/Texture.h"

namespace fl3 {

// One animation step of one figure, in its four facings.
struct CharPic {
  TexturePtr picLeft;
  TexturePtr picUp;
  TexturePtr picRight;
  TexturePtr picDown;

  // 0 left, 1 up, 2 right, 3 down; null for any other direction or an empty slot.
  const Texture* Facing(std::int32_t direction) const {
    switch (direction) {
      case 0: return picLeft.get();
      case 1: return picUp.get();
      case 2: return picRight.get();
      case 3: return picDown.get();
      default: return nullptr;
    }
  }
};

}  // namespace fl3
