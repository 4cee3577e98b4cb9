#pragma once
#include <string>
#include <tuple>
#include <vector>

#include "QuestTestKit.h"
#include "RecordingMessages.h"
#include "TempFolder.h"
#include "core/GameFolder.h"
#include "editor/questmodel/QuestEditorModel.h"

namespace fl3::testing {

using Box = std::tuple<std::string, std::string, MessageIcon, MessageButtons>;

// A fresh quest editor on a game folder of its own that holds GARDEN.FL3
// (four start cells) and PAIR.FL3 (two), recording its message boxes.
struct QuestEditorBench {
  QuestEditorBench() {
    WriteLevel("GARDEN.FL3", 4);
    WriteLevel("PAIR.FL3", 2);
  }
  void WriteLevel(const std::string& name, int starts) const { temp.Write(name, EncodeLevel(LevelWithStarts(starts))); }
  std::vector<Box> AllShown() const {
    std::vector<Box> all;
    for (const RecordedMessage& shown : messages.shown) all.emplace_back(shown.text, shown.title, shown.icon, shown.buttons);
    return all;
  }

  TempFolder temp;
  GameFolder folder{temp.Path()};
  QuestLevels levels = LevelsOf(folder);
  RecordingMessages messages;
  QuestEditorModel editor{messages, "GARDEN.FL3"};
};

}  // namespace fl3::testing
