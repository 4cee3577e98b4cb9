#pragma once
#include <string>
#include <tuple>
#include <vector>

#include "RecordingMessages.h"
#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "editor/model/EditorModel.h"

namespace fl3::testing {

// A message box as text, title, icon and buttons, to compare in one go.
using Box = std::tuple<std::string, std::string, MessageIcon, MessageButtons>;

// A freshly opened editor on an empty level with a game folder of its own,
// recording its message boxes and every switch of the system pointer (true = shown).
struct EditorTestBench {
  void ApplyAt(int x, int y) {
    editor.CellX = x;
    editor.CellY = y;
    editor.ApplyTool();
  }
  std::int32_t Tile(int x, int y) { return state.Tile(x, y); }
  Box Shown(std::size_t i) const {
    const RecordedMessage& shown = messages.shown.at(i);
    return {shown.text, shown.title, shown.icon, shown.buttons};
  }
  std::vector<Box> AllShown() const {
    std::vector<Box> all;
    for (std::size_t i = 0; i < messages.shown.size(); ++i) all.push_back(Shown(i));
    return all;
  }

  TempFolder temp;
  GameFolder folder{temp.Path()};
  GameState state;
  RecordingMessages messages;
  std::vector<bool> pointerSwitches;
  EditorModel editor{state, messages, [this](bool show) { pointerSwitches.push_back(show); }};
};

}  // namespace fl3::testing
