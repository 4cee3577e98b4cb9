// A quest given to a friend: exported with its levels into one folder and
// read back into another game folder.
#include <gtest/gtest.h>

#include "QuestEditorBench.h"
#include "editor/questmodel/QuestSharing.h"

namespace fl3::testing {
namespace {

LevelData Hill(std::int32_t tileSet) {
  LevelData level = LevelWithStarts(4);
  level.TileSetNumber = tileSet;
  return level;
}

Quest TwoStages() {
  return {"Mine", "", 3,
          {{"GARDEN.FL3", StageRule::DefeatAll, 3, 0, 0, "", {{}}}, {"hill.fl3", StageRule::Outlast, 3, 60, 0, "", {{}}}}};
}

// Catches a level left out of the export, a friend's own level written over
// by one of the same name, a renamed level its stage does not follow, and a
// second export that writes over files without asking.
TEST(QuestSharing, ExportedQuestAndLevelsReadBackIntoAnotherFolderWithoutOverwritingTheFriendsLevels) {
  QuestEditorBench mine;
  mine.temp.Write("HILL.FL3", EncodeLevel(Hill(1)));
  mine.editor.Load(TwoStages());
  TempFolder shared;
  std::string name = "mine";
  ASSERT_TRUE(ExportQuest(mine.editor, mine.folder, mine.levels, name, shared.Path()));
  EXPECT_EQ(name, "mine.FLQ");
  EXPECT_EQ(GameFolder(shared.Path()).List("*"), (std::vector<std::string>{"GARDEN.FL3", "hill.fl3", "mine.FLQ"}));
  EXPECT_EQ(shared.Read("hill.fl3"), EncodeLevel(Hill(1)));
  mine.messages.answers = {MessageAnswer::Cancel};
  shared.Write("GARDEN.FL3", "changed by the friend");
  EXPECT_FALSE(ExportQuest(mine.editor, mine.folder, mine.levels, name, shared.Path()));
  EXPECT_EQ(std::get<0>(mine.AllShown().back()),
            "The folder already holds these files; write over them?\nmine.FLQ, GARDEN.FL3, hill.fl3");
  EXPECT_EQ(shared.Read("GARDEN.FL3"), "changed by the friend");
  shared.Write("GARDEN.FL3", mine.temp.Read("GARDEN.FL3"));
  EXPECT_FALSE(ExportQuest(mine.editor, mine.folder, mine.levels, name, mine.temp.Path() / "."));  // never into the game's folder
  EXPECT_EQ(mine.folder.List("*.FLQ"), std::vector<std::string>{});

  // The friend has the same GARDEN, another HILL and a HILL 2 already.
  QuestEditorBench friends;
  friends.temp.Write("HILL.FL3", EncodeLevel(Hill(2)));
  friends.temp.Write("HILL 2.FL3", EncodeLevel(Hill(3)));
  std::string opened;
  ASSERT_TRUE(ImportQuest(friends.editor, friends.folder, shared.Path() / "mine.FLQ", opened));
  EXPECT_EQ(opened, "mine.FLQ");
  EXPECT_EQ(std::get<0>(friends.AllShown().back()),
            "The quest mine.FLQ is open. Levels copied into your folder: hill.fl3 as hill 3.FL3 (yours differs). "
            "Save As keeps the quest.");
  EXPECT_EQ(friends.temp.Read("HILL.FL3"), EncodeLevel(Hill(2)));
  EXPECT_EQ(friends.temp.Read("HILL 2.FL3"), EncodeLevel(Hill(3)));
  EXPECT_EQ(friends.temp.Read("hill 3.FL3"), EncodeLevel(Hill(1)));
  Quest expected = TwoStages();
  expected.stages[1].level = "hill 3.FL3";
  EXPECT_EQ(friends.editor.ToQuest(), expected);
  EXPECT_TRUE(friends.editor.Changed);

  // A damaged level in the shared folder: nothing is copied or opened.
  QuestEditorBench third;
  shared.Write("hill.fl3", "short");
  EXPECT_FALSE(ImportQuest(third.editor, third.folder, shared.Path() / "mine.FLQ", opened));
  EXPECT_EQ(third.folder.List("*.FL3"), (std::vector<std::string>{"GARDEN.FL3", "PAIR.FL3"}));
  EXPECT_EQ(third.editor.Draft().name, "");
}

}  // namespace
}  // namespace fl3::testing
