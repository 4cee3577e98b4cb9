#include <gtest/gtest.h>

#include <filesystem>

#include "EditorTestBench.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolder.h"
#include "core/LevelFile.h"
#include "editor/model/EditorFiles.h"

namespace fl3 {
namespace {

using testing::EditorTestBench;
using testing::TempFolder;

// A level file whose every figure starts at (x, x) and whose cell (0, 0)
// holds `firstCell`.
std::string LevelBytes(std::int32_t x, std::int32_t firstCell, std::int32_t tileSet = 2) {
  LevelData level;
  for (auto& figure : level.Figures) figure = {x, x, 1, 2};
  level.TileMap[0] = firstCell;
  level.TileSetNumber = tileSet;
  level.BackgroundNumber = -1;
  level.LevelMusic = "CAVERN.MID";
  return EncodeLevel(level);
}

struct FilesBench : EditorTestBench {
  TempFolder temp;
  GameFolder folder{temp.Path()};
};

TEST(EditorOpen, AnEmptyNameDoesNothingAndAMissingFileIsReportedBeforeAnyQuestion) {
  FilesBench bench;
  bench.editor.FileChanged = true;
  bench.state.Tile(1, 1) = CellBlock1;
  std::filesystem::create_directory(bench.temp.Path() / "FOLDER.FL3");

  EXPECT_FALSE(OpenLevel(bench.editor, bench.folder, ""));
  EXPECT_TRUE(bench.messages.shown.empty());
  EXPECT_FALSE(OpenLevel(bench.editor, bench.folder, "NOPE.FL3"));
  EXPECT_FALSE(OpenLevel(bench.editor, bench.folder, "FOLDER.FL3"));

  ASSERT_EQ(bench.messages.shown.size(), 2u);
  for (const auto& shown : bench.messages.shown) {
    EXPECT_EQ(shown.text, "File does not exsist.");
    EXPECT_EQ(shown.title, "File not found!");
    EXPECT_EQ(shown.icon, MessageIcon::Critical);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
  }
  EXPECT_TRUE(bench.editor.FileChanged);
  EXPECT_EQ(bench.Tile(1, 1), CellBlock1);
}

TEST(EditorOpen, UnchangedLevelOpensAtOnceUnsavedChangesAskFirstAndCancelKeepsThem) {
  FilesBench bench;
  bench.temp.Write("Arena.fl3", LevelBytes(7, CellBox3));

  EXPECT_TRUE(OpenLevel(bench.editor, bench.folder, "ARENA.FL3"));  // letter case not regarded
  EXPECT_TRUE(bench.messages.shown.empty());
  EXPECT_EQ(bench.state.Characters[3].X, 7);
  EXPECT_EQ(bench.state.Characters[3].PowerFire, 2);
  EXPECT_EQ(bench.Tile(0, 0), CellBox3);
  EXPECT_EQ(bench.state.LevelMusic, "CAVERN.MID");
  EXPECT_EQ(bench.editor.TileSetNumber, 2);
  EXPECT_EQ(bench.editor.BackgroundNumber, -1);
  EXPECT_FALSE(bench.editor.FileChanged);

  bench.ApplyAt(0, 0);  // paints "Nothing"
  bench.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
  EXPECT_FALSE(OpenLevel(bench.editor, bench.folder, "Arena.fl3"));
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].text,
            "File has been changed since last save, would you still like OPEN OPEN OPEN the file?");
  EXPECT_EQ(bench.messages.shown[0].title, "W A R N I N G !");
  EXPECT_EQ(bench.messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_EQ(bench.messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(bench.Tile(0, 0), CellNothing);
  EXPECT_TRUE(bench.editor.FileChanged);

  EXPECT_TRUE(OpenLevel(bench.editor, bench.folder, "Arena.fl3"));
  EXPECT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_EQ(bench.Tile(0, 0), CellBox3);
  EXPECT_FALSE(bench.editor.FileChanged);
}

TEST(EditorOpen, ShortFileIsReportedAndKeepsTheLevelBeingEdited) {
  FilesBench bench;
  bench.temp.Write("SHORT.FL3", LevelBytes(9, CellBox1).substr(0, 3327));
  bench.editor.TileSetNumber = 4;
  bench.ApplyAt(2, 2);
  bench.state.Characters[0].X = 6;

  EXPECT_FALSE(OpenLevel(bench.editor, bench.folder, "SHORT.FL3"));

  // The question about the changes, then the failure naming file and reason.
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  const auto& failure = bench.messages.shown[1];
  EXPECT_NE(failure.text.find("SHORT.FL3"), std::string::npos) << failure.text;
  EXPECT_NE(failure.text.find("too short (3327 of 3328 bytes)"), std::string::npos) << failure.text;
  EXPECT_EQ(failure.icon, MessageIcon::Critical);
  EXPECT_EQ(bench.state.Characters[0].X, 6);
  EXPECT_EQ(bench.Tile(2, 2), CellNothing);
  EXPECT_EQ(bench.Tile(0, 0), CellDoodad);
  EXPECT_EQ(bench.editor.TileSetNumber, 4);
  EXPECT_TRUE(bench.editor.FileChanged);
}

TEST(EditorSaveAs, AppendsTheExtensionUnlessTheNameEndsInItInAnyCaseAnEmptyNameGivesDotFl3) {
  const struct {
    const char* typed;
    const char* saved;
  } names[] = {{"castle", "castle.FL3"}, {"moat.fl3", "moat.fl3"}, {"FL3", "FL3.FL3"}, {"a.fl3x", "a.fl3x.FL3"},
               {"", ".FL3"}};
  for (const auto& name : names) {
    FilesBench bench;
    std::string field = name.typed;
    bench.editor.FileChanged = true;
    SaveLevelAs(bench.editor, bench.folder, field);
    EXPECT_EQ(field, name.saved);
    EXPECT_EQ(bench.folder.List("*"), std::vector<std::string>{name.saved});
    EXPECT_EQ(bench.temp.Read(name.saved).size(), 3328u) << name.saved;
    EXPECT_FALSE(bench.editor.FileChanged);
    EXPECT_TRUE(bench.messages.shown.empty());
  }
}

TEST(EditorSaveAs, SavedLevelHoldsWhatTheEditorHoldsAtItsPlaces) {
  FilesBench bench;
  bench.editor.SelectedTool = Tool::UseItem;
  bench.editor.SelectedBox = BoxKind::Box2;
  bench.editor.SelectedItem = ItemKind::Random;
  bench.ApplyAt(1, 0);
  bench.editor.SelectedTool = Tool::PositionPlayer4;
  bench.ApplyAt(24, 14);
  bench.state.Characters[2].X = OffMapPos;
  bench.state.Characters[1].PowerBombs = 3;
  bench.state.LevelMusic = "SUNRISE.MID";
  bench.editor.TileSetNumber = 1;
  bench.editor.BackgroundNumber = -1;
  std::string field = "made";

  SaveLevelAs(bench.editor, bench.folder, field);

  const std::string bytes = bench.temp.Read("made.FL3");
  ASSERT_EQ(bytes.size(), 3328u);
  const auto value = [&bytes](std::size_t offset) { return bytes.substr(offset, 4); };
  const std::string zero("\0\0\0\0", 4), minusOne("\xFF\xFF\xFF\xFF", 4);
  // Start cells from byte 0, X and Y of each figure: figure 2 at 16, figure 3 at 24.
  EXPECT_EQ(value(16), std::string("\x32\0\0\0", 4));
  EXPECT_EQ(value(24), std::string("\x18\0\0\0", 4));
  EXPECT_EQ(value(28), std::string("\x0E\0\0\0", 4));
  // Bombs and fire from byte 32: figure 1's bombs at 40.
  EXPECT_EQ(value(40), std::string("\x03\0\0\0", 4));
  // The cell grid from byte 64: cell (0, 0) a doodad, box 2 at cell (1, 0);
  // the item grid from byte 1564: its random item at 1568.
  EXPECT_EQ(value(64), zero);
  EXPECT_EQ(value(68), std::string("\x02\0\0\0", 4));
  EXPECT_EQ(value(1568), minusOne);
  // Tileset at 3064, background at 3068, the music name padded with blanks.
  EXPECT_EQ(value(3064), std::string("\x01\0\0\0", 4));
  EXPECT_EQ(value(3068), minusOne);
  EXPECT_EQ(bytes.substr(3072), "SUNRISE.MID" + std::string(245, ' '));
}

TEST(EditorSaveAs, OverwriteAsksWithTheNameOnTheSecondLine) {
  FilesBench bench;
  bench.temp.Write("old.fl3", std::string(5000, 'x'));
  bench.editor.FileChanged = true;
  bench.messages.answers = {MessageAnswer::Cancel};
  std::string field = "old";

  SaveLevelAs(bench.editor, bench.folder, field);

  EXPECT_EQ(field, "old.FL3");  // extended even though the user cancels
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].text,
            "File already exsists, do you wish to overwrite the exsisting file?\nold.FL3");
  EXPECT_EQ(bench.messages.shown[0].title, "File exsists!");
  EXPECT_EQ(bench.messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_EQ(bench.messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(bench.temp.Read("old.fl3").size(), 5000u);
  EXPECT_TRUE(bench.editor.FileChanged);

  SaveLevelAs(bench.editor, bench.folder, field);  // answered Ok
  EXPECT_EQ(bench.messages.shown.size(), 2u);
  // The existing file is replaced under its own name, shorter than before.
  EXPECT_EQ(bench.temp.Read("old.fl3").size(), 3328u);
  EXPECT_EQ(bench.folder.List("*"), std::vector<std::string>({"old.fl3"}));
  EXPECT_FALSE(bench.editor.FileChanged);
}

TEST(EditorSaveAs, FailedWritesAreReportedAndKeepFileChangedAndTheOldFile) {
  FilesBench bench;
  bench.editor.FileChanged = true;
  std::filesystem::create_directory(bench.temp.Path() / "taken.FL3");
  std::string intoFolder = "taken";
  SaveLevelAs(bench.editor, bench.folder, intoFolder);
  std::string outside = "../escape";
  SaveLevelAs(bench.editor, bench.folder, outside);
  // Over a file in a read-only folder: the overwrite question, then the failure.
  bench.temp.Write("kept.FL3", LevelBytes(1, CellBox1));
  std::string kept = "kept.FL3";
  std::filesystem::permissions(bench.temp.Path(), std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
  {
    testing::WithoutPermissionOverride asOrdinaryUser;
    SaveLevelAs(bench.editor, bench.folder, kept);
  }
  std::filesystem::permissions(bench.temp.Path(), std::filesystem::perms::owner_all);

  ASSERT_EQ(bench.messages.shown.size(), 4u);
  EXPECT_NE(bench.messages.shown[0].text.find("taken.FL3"), std::string::npos);
  EXPECT_EQ(bench.messages.shown[0].title, "Save failed!");
  EXPECT_NE(bench.messages.shown[1].text.find("\"../escape.FL3\" is not a valid file name"), std::string::npos);
  EXPECT_EQ(bench.messages.shown[2].title, "File exsists!");
  EXPECT_NE(bench.messages.shown[3].text.find("kept.FL3"), std::string::npos);
  EXPECT_NE(bench.messages.shown[3].text.find("Permission denied"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(bench.temp.Path() / "taken.FL3"));
  EXPECT_FALSE(std::filesystem::exists(bench.temp.Path().parent_path() / "escape.FL3"));
  EXPECT_EQ(bench.temp.Read("kept.FL3"), LevelBytes(1, CellBox1));
  EXPECT_TRUE(bench.editor.FileChanged);
}

TEST(EditorExit, UnchangedLevelLeavesAtOnceClearsTheSharedLevelAndShowsAHiddenPointer) {
  FilesBench bench;
  bench.temp.Write("A.FL3", LevelBytes(5, CellBlock1));
  ASSERT_TRUE(OpenLevel(bench.editor, bench.folder, "A.FL3"));
  bench.editor.MoveOnCanvas(50, 50, 0);
  ASSERT_TRUE(bench.editor.PointerHidden);

  EXPECT_TRUE(ExitEditor(bench.editor));

  EXPECT_TRUE(bench.messages.shown.empty());
  for (std::size_t i = 0; i < 375; ++i) {
    ASSERT_EQ(bench.state.TileMap[i], 0);
    ASSERT_EQ(bench.state.ItemMap[i], 0);
  }
  for (const Character& figure : bench.state.Characters) {
    EXPECT_EQ(figure.X, 0);
    EXPECT_EQ(figure.Y, 0);
    EXPECT_EQ(figure.PowerBombs, 0);
    EXPECT_EQ(figure.PowerFire, 0);
  }
  EXPECT_EQ(bench.state.LevelMusic, "");
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({false, true}));
  EXPECT_FALSE(bench.editor.PointerHidden);
}

TEST(EditorExit, UnsavedChangesAskAndCancelStays) {
  EditorTestBench bench;
  bench.editor.SelectedTool = Tool::Block1;
  bench.ApplyAt(0, 0);
  bench.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};

  EXPECT_FALSE(ExitEditor(bench.editor));
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].text,
            "File has been changed since last save, would you still like EXIT EXIT EXIT?");
  EXPECT_EQ(bench.messages.shown[0].title, "W A R N I N G !");
  EXPECT_EQ(bench.messages.shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(bench.Tile(0, 0), CellBlock1);

  EXPECT_TRUE(ExitEditor(bench.editor));
  EXPECT_EQ(bench.Tile(0, 0), CellDoodad);
}

TEST(EditorFileList, ListsTheLevelFilesOnly) {
  FilesBench bench;
  bench.temp.Write("b.fl3", "");
  bench.temp.Write("A.FL3", "");
  bench.temp.Write("C.FL3.BAK", "");
  bench.temp.Write("TUNE.MID", "");
  std::filesystem::create_directory(bench.temp.Path() / "D.FL3");
  EXPECT_EQ(LevelFileNames(bench.folder), std::vector<std::string>({"A.FL3", "b.fl3"}));
}

}  // namespace
}  // namespace fl3
