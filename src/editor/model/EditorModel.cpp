#include "editor/model/EditorModel.h"

#include <array>
#include <utility>

#include "core/GameState.h"
#include "core/Messages.h"
#include "editor/model/EditorMessages.h"

namespace fl3 {
namespace {

constexpr std::array<std::int32_t, 5> kEnvironmentTiles = {CellNothing, CellDoodad, CellBlock1, CellBlock2,
                                                           CellBlock3};
constexpr std::array<std::int32_t, 4> kBoxTiles = {CellNothing, CellBox1, CellBox2, CellBox3};
constexpr std::array<std::int32_t, 5> kItemCodes = {ItemBomb, ItemFire, ItemFire2, ItemNone, ItemRandom};

bool IsEnvironmentTool(Tool tool) { return tool <= Tool::Block3; }
bool IsPositionTool(Tool tool) { return tool >= Tool::PositionPlayer1; }

template <typename Enum>
std::size_t IndexOf(Enum value) {
  return static_cast<std::size_t>(value);
}

}  // namespace

EditorModel::EditorModel(GameState& state, Messages& messages, PointerSwitch showMouse)
    : state_(state), messages_(messages), showMouse_(std::move(showMouse)) {}

void EditorModel::ApplyTool() {
  if (!OnMap(CellX, CellY)) return;
  // Set before the tool is looked at: a refused or unchanged cell counts too.
  FileChanged = true;
  const auto cell = static_cast<std::size_t>(CellIndex(CellX, CellY));
  if (IsEnvironmentTool(SelectedTool)) {
    state_.TileMap[cell] = kEnvironmentTiles[IndexOf(SelectedTool)];
    state_.ItemMap[cell] = ItemNone;
  } else if (SelectedTool == Tool::UseItem) {
    if (SelectedBox == BoxKind::None && SelectedItem == ItemKind::Random) {
      RefuseRandomWithoutBox();
      return;
    }
    state_.TileMap[cell] = kBoxTiles[IndexOf(SelectedBox)];
    state_.ItemMap[cell] = kItemCodes[IndexOf(SelectedItem)];
  } else if (IsPositionTool(SelectedTool)) {
    Character& figure = state_.Characters[IndexOf(SelectedTool) - IndexOf(Tool::PositionPlayer1)];
    figure.X = CellX;
    figure.Y = CellY;
  }
}

void EditorModel::RefuseRandomWithoutBox() {
  // The box must be readable even while the pointer is hidden over the canvas.
  showMouse_(true);
  messages_.Show(kWeirdCombinationText, kWeirdCombinationTitle, MessageIcon::Information, MessageButtons::Ok);
  if (PointerHidden) showMouse_(false);
}

bool StrictlyInside(int px, int py, int left, int top, int width, int height) {
  return left < px && px < left + width && top < py && py < top + height;
}

}  // namespace fl3
