#pragma once
#include <cstdint>
#include <functional>

#include "editor/model/EditorTools.h"

namespace fl3 {

struct GameState;
class Messages;

// Forces the system mouse pointer visible (true) or hidden (false).
using PointerSwitch = std::function<void(bool show)>;

// What the level editor holds beyond the shared level data, and what its
// tools and canvas mouse do to that data. The level itself lives only in the
// shared state: painting writes there at once.
class EditorModel {
 public:
  EditorModel(GameState& state, Messages& messages, PointerSwitch showMouse);

  std::int32_t TileSetNumber = 0;
  std::int32_t BackgroundNumber = 0;
  bool FileChanged = false;
  // May lie off the map: the mouse can be dragged past the canvas.
  std::int32_t CellX = 0, CellY = 0;
  std::int32_t AnchorX = 0, AnchorY = 0;
  std::int32_t MouseX = 0, MouseY = 0;
  bool PointerHidden = false;
  bool TickRunning = false;

  Tool SelectedTool = Tool::Nothing;
  BoxKind SelectedBox = BoxKind::Box1;
  ItemKind SelectedItem = ItemKind::Bomb;
  DrawMode Mode = DrawMode::Dot;
  bool RevealAllItems = false;

  // Paints the selected tool onto the current cell (CellX, CellY); a cell off
  // the map is left alone. Does not redraw.
  void ApplyTool();

  // Canvas mouse events, positions in canvas pixels. Each returns true when
  // the canvas must be drawn again.
  bool PressOnCanvas(double x, double y, int buttonsHeld);
  bool MoveOnCanvas(double x, double y, int buttonsHeld);
  bool ReleaseOnCanvas(double x, double y, int releasedButton);

  // The 125 ms pointer check: the system pointer is hidden exactly while it
  // is strictly inside the canvas.
  void PointerTick(bool pointerInsideCanvas);

  GameState& State() { return state_; }
  const GameState& State() const { return state_; }
  Messages& MessageBoxes() { return messages_; }
  void ShowPointer(bool show) { showMouse_(show); }

 private:
  void RefuseRandomWithoutBox();

  GameState& state_;
  Messages& messages_;
  PointerSwitch showMouse_;
};

// left < px < right and top < py < bottom, all strict.
bool StrictlyInside(int px, int py, int left, int top, int width, int height);

}  // namespace fl3
