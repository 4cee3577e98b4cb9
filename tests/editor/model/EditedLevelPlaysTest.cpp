#include <gtest/gtest.h>

#include <cstdlib>

#include "EditorTestBench.h"
#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/KeyState.h"
#include "core/LevelFile.h"
#include "editor/model/EditorFiles.h"
#include "editor/model/NumericProperties.h"
#include "match/MatchFrame.h"

namespace fl3 {
namespace {

using testing::EditorTestBench;

constexpr std::int32_t kPlantKey = 57;

// Paints a small arena around player 1 at (2, 2): a box hiding a bomb item
// to the right, an empty box to the left, a block below; player 2 far off.
void PaintArena(EditorTestBench& bench) {
  EditorModel& editor = bench.editor;
  editor.SelectedTool = Tool::UseItem;
  editor.SelectedBox = BoxKind::Box1;
  editor.SelectedItem = ItemKind::Bomb;
  editor.PressOnCanvas(3 * 16 + 8, 2 * 16 + 8, kLeftButton);
  editor.SelectedItem = ItemKind::Empty;
  editor.PressOnCanvas(1 * 16 + 8, 2 * 16 + 8, kLeftButton);
  editor.SelectedTool = Tool::Block1;
  editor.PressOnCanvas(2 * 16 + 8, 3 * 16 + 8, kLeftButton);
  editor.SelectedTool = Tool::PositionPlayer1;
  editor.PressOnCanvas(2 * 16 + 8, 2 * 16 + 8, kLeftButton);
  editor.SelectedTool = Tool::PositionPlayer2;
  editor.PressOnCanvas(20 * 16 + 8, 12 * 16 + 8, kLeftButton);

  NumericProperties numbers(editor);
  auto texts = numbers.CurrentTexts();
  texts[10] = "1";  // player 1's fire
  ASSERT_TRUE(numbers.TextsChanged(texts));
}

TEST(EditedLevel, IsSavedReopenedAndPlayedInAMatch) {
  testing::TempFolder temp;
  GameFolder folder(temp.Path());
  EditorTestBench bench;
  PaintArena(bench);
  std::string name = "painted";
  SaveLevelAs(bench.editor, folder, name);
  ASSERT_TRUE(bench.messages.shown.empty());

  GameState match;
  std::int32_t tileSet = -5, background = -5;
  ASSERT_TRUE(LoadLevel(temp.Path() / "painted.FL3", match, tileSet, background));
  EXPECT_EQ(tileSet, 0);
  EXPECT_EQ(background, 0);
  for (int i = 0; i < 2; ++i) {
    match.Characters[static_cast<std::size_t>(i)].Cont = ContMan;
    match.Characters[static_cast<std::size_t>(i)].Lives = 3;
  }
  match.Characters[0].Keys.keyPlantBomb = kPlantKey;
  ASSERT_EQ(match.Characters[0].X, 2);
  ASSERT_EQ(match.Characters[1].X, 20);

  MatchEngine engine(match, background);
  KeyState plant{};
  plant[kPlantKey] = 0x80;
  ASSERT_EQ(engine.RunFrame(51, plant, nullptr).end, MatchEnd::Running);
  const KeyState none{};
  // The bomb goes off in frame 58 and its fire is gone by frame 60.
  for (int frame = 1; frame <= 60; ++frame) ASSERT_EQ(engine.RunFrame(51, none, nullptr).end, MatchEnd::Running);

  EXPECT_EQ(match.Tile(3, 2), CellItemBomb);  // the box gave up its bomb item
  EXPECT_EQ(match.Tile(1, 2), CellDoodad);    // the empty box left bare ground
  EXPECT_EQ(match.Tile(2, 3), CellBlock1);    // the block stopped the fire
  EXPECT_EQ(match.Characters[0].Lives, 2);    // player 1 stood in its own blast
}

TEST(EditedLevel, IsByteForByteWhatTheLevelToolWritesForTheSameContent) {
  testing::TempFolder temp;
  GameFolder folder(temp.Path());
  EditorTestBench bench;
  PaintArena(bench);
  std::string name = "painted";
  SaveLevelAs(bench.editor, folder, name);
  const auto quoted = [](const std::filesystem::path& path) { return "'" + path.string() + "'"; };
  const std::string tool = quoted(FUSELARK3_LEVEL_TOOL);
  ASSERT_EQ(std::system((tool + " show " + quoted(temp.Path() / "painted.FL3") + " > " +
                         quoted(temp.Path() / "painted.json")).c_str()),
            0);
  ASSERT_EQ(std::system((tool + " make " + quoted(temp.Path() / "painted.json") + " " +
                         quoted(temp.Path() / "TOOL.FL3")).c_str()),
            0);
  const std::string edited = temp.Read("painted.FL3");
  EXPECT_EQ(edited.size(), kLevelFileSize);
  EXPECT_EQ(edited, temp.Read("TOOL.FL3"));
}

}  // namespace
}  // namespace fl3
