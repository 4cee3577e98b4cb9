#pragma once
#include <vector>

#include "RecordingMessages.h"
#include "core/GameState.h"
#include "editor/model/EditorModel.h"

namespace fl3::testing {

// A freshly opened editor on an empty level, recording its message boxes and
// every switch of the system pointer (true = shown).
struct EditorTestBench {
  GameState state;
  RecordingMessages messages;
  std::vector<bool> pointerSwitches;
  EditorModel editor{state, messages, [this](bool show) { pointerSwitches.push_back(show); }};

  std::int32_t Tile(int x, int y) { return state.Tile(x, y); }
  std::int32_t Item(int x, int y) { return state.Item(x, y); }

  void ApplyAt(int x, int y) {
    editor.CellX = x;
    editor.CellY = y;
    editor.ApplyTool();
  }
};

}  // namespace fl3::testing
