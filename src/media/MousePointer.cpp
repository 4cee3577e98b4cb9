#include "media/MousePointer.h"

namespace fl3 {

void ShowMouse(bool) {}

}  // namespace fl3
