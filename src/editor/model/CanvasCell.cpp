#include "editor/model/CanvasCell.h"

#include "core/Rounding.h"

namespace fl3 {

std::int32_t CanvasCell(double pixel) { return RoundHalfEven((pixel - 8.0) / kCanvasCellSize); }

}  // namespace fl3
