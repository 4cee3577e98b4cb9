#include "editor/model/EditorModel.h"

#include <algorithm>

#include "core/Grid.h"
#include "core/Rounding.h"
#include "editor/model/CanvasCell.h"

namespace fl3 {
namespace {

// The cells from `from` to `to`, both included, that lie in 0..size-1, in
// the direction from `from` to `to`.
struct CellWalk {
  bool empty;
  std::int32_t first, last, step;
};

CellWalk WalkOnMap(std::int32_t from, std::int32_t to, std::int32_t size) {
  const std::int32_t step = from <= to ? 1 : -1;
  const std::int32_t low = std::max(std::min(from, to), 0);
  const std::int32_t high = std::min(std::max(from, to), size - 1);
  if (low > high) return {true, 0, 0, step};
  return step > 0 ? CellWalk{false, low, high, 1} : CellWalk{false, high, low, -1};
}

}  // namespace

bool EditorModel::PressOnCanvas(double x, double y, int buttonsHeld) {
  if (buttonsHeld != kLeftButton) return false;
  CellX = AnchorX = CanvasCell(x);
  CellY = AnchorY = CanvasCell(y);
  // Both draw modes paint the press cell at once.
  ApplyTool();
  return true;
}

bool EditorModel::MoveOnCanvas(double x, double y, int buttonsHeld) {
  if (!PointerHidden) {
    PointerHidden = true;
    showMouse_(false);
  }
  CellX = CanvasCell(x);
  CellY = CanvasCell(y);
  MouseX = RoundHalfEven(x);
  MouseY = RoundHalfEven(y);
  if (buttonsHeld == kLeftButton && Mode == DrawMode::Dot) ApplyTool();
  return true;
}

bool EditorModel::ReleaseOnCanvas(double x, double y, int releasedButton) {
  if (releasedButton != kLeftButton || Mode != DrawMode::Rectangle) return false;
  const std::int32_t endX = CanvasCell(x);
  const std::int32_t endY = CanvasCell(y);
  // Column by column from the anchor. Cells off the map would be skipped by
  // ApplyTool anyway, so the walk leaves them out and stays short however
  // far the pointer went.
  const CellWalk columns = WalkOnMap(AnchorX, endX, MapWidth);
  const CellWalk rows = WalkOnMap(AnchorY, endY, MapHeight);
  if (!columns.empty && !rows.empty) {
    for (std::int32_t column = columns.first;; column += columns.step) {
      for (std::int32_t row = rows.first;; row += rows.step) {
        CellX = column;
        CellY = row;
        ApplyTool();
        if (row == rows.last) break;
      }
      if (column == columns.last) break;
    }
  }
  CellX = endX;
  CellY = endY;
  return true;
}

void EditorModel::PointerTick(bool pointerInsideCanvas) {
  TickRunning = true;
  if (pointerInsideCanvas && !PointerHidden) {
    PointerHidden = true;
    showMouse_(false);
  } else if (!pointerInsideCanvas && PointerHidden) {
    PointerHidden = false;
    showMouse_(true);
  }
  TickRunning = false;
}

}  // namespace fl3
