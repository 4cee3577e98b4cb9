#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "EditorTestBench.h"
#include "core/LevelFile.h"
#include "editor/model/EditorFiles.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::Box;
using testing::EditorTestBench;

// Every figure starts at (7, 7), cell (0, 0) holds box 3, on tileset 2.
std::string ArenaBytes() {
  LevelData level;
  for (auto& figure : level.Figures) figure = {7, 7, 1, 2};
  level.TileMap[0] = CellBox3;
  level.TileSetNumber = 2;
  level.BackgroundNumber = -1;
  level.LevelMusic = "CAVERN.MID";
  return EncodeLevel(level);
}

const Box kMissing{"File does not exsist.", "File not found!", MessageIcon::Critical, MessageButtons::Ok};
const Box kOpenQuestion{"File has been changed since last save, would you still like OPEN OPEN OPEN the file?",
                        "W A R N I N G !", MessageIcon::Critical, MessageButtons::OkCancel};
const Box kShortFile{"The level could not be opened.\n\"@/SHORT.FL3\": the level file is too short (3327 of 3328 bytes)",
                     "Open failed!", MessageIcon::Critical, MessageButtons::Ok};
const Box kExitQuestion{"File has been changed since last save, would you still like EXIT EXIT EXIT?",
                        "W A R N I N G !", MessageIcon::Critical, MessageButtons::OkCancel};

// A missing file is reported before any question; a file that cannot be
// read after it, and the level being edited stays.
TEST(EditorOpen, EachCaseAsksReportsAndLoadsOrKeepsTheLevelBeingEdited) {
  const struct {
    const char* name;
    bool changed;
    MessageAnswer answer;
    std::vector<Box> messages;
    bool opened;
  } rows[] = {
      {"", true, MessageAnswer::Ok, {}, false},
      {"NOPE.FL3", true, MessageAnswer::Ok, {kMissing}, false},
      {"FOLDER.FL3", false, MessageAnswer::Ok, {kMissing}, false},
      {"ARENA.FL3", false, MessageAnswer::Cancel, {}, true},  // letter case not regarded
      {"Arena.fl3", true, MessageAnswer::Cancel, {kOpenQuestion}, false},
      {"Arena.fl3", true, MessageAnswer::Ok, {kOpenQuestion}, true},
      {"SHORT.FL3", true, MessageAnswer::Ok, {kOpenQuestion, kShortFile}, false},
      {"SHORT.FL3", false, MessageAnswer::Ok, {kShortFile}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    EditorTestBench bench;
    bench.temp.Write("Arena.fl3", ArenaBytes());
    bench.temp.Write("SHORT.FL3", ArenaBytes().substr(0, 3327));
    fs::create_directory(bench.temp.Path() / "FOLDER.FL3");
    bench.state.Tile(1, 1) = CellBlock1;
    bench.editor.TileSetNumber = 4;
    bench.editor.FileChanged = row.changed;
    bench.messages.answers = {row.answer};
    EXPECT_EQ(OpenLevel(bench.editor, bench.folder, row.name), row.opened);
    std::vector<Box> expected = row.messages;  // "@" stands for the folder
    for (Box& box : expected) std::get<0>(box) = std::regex_replace(std::get<0>(box), std::regex("@"), bench.temp.Path().string());
    EXPECT_EQ(bench.AllShown(), expected);
    const auto level = std::tuple(bench.Tile(0, 0), bench.Tile(1, 1), bench.state.Characters[3].X,
                                  bench.state.LevelMusic, bench.editor.TileSetNumber, bench.editor.BackgroundNumber);
    if (row.opened) {
      EXPECT_EQ(level, std::tuple(CellBox3, CellDoodad, 7, "CAVERN.MID", 2, -1));
    } else {
      EXPECT_EQ(level, std::tuple(CellDoodad, CellBlock1, 0, "", 4, 0));
    }
    EXPECT_EQ(bench.editor.FileChanged, row.changed && !row.opened);
  }
}

TEST(EditorSaveAs, AddsTheExtensionUnlessTheNameEndsInItInAnyCase) {
  const std::pair<const char*, const char*> names[] = {
      {"castle", "castle.FL3"}, {"moat.fl3", "moat.fl3"}, {"FL3", "FL3.FL3"}, {"a.fl3x", "a.fl3x.FL3"}, {"", ".FL3"}};
  for (const auto& [typed, saved] : names) {
    EditorTestBench bench;
    std::string field = typed;
    bench.editor.FileChanged = true;
    SaveLevelAs(bench.editor, bench.folder, field);
    EXPECT_EQ(field, saved);
    EXPECT_EQ(bench.folder.List("*"), std::vector<std::string>{saved});
    EXPECT_FALSE(bench.editor.FileChanged);
    EXPECT_TRUE(bench.messages.shown.empty());
  }
}

TEST(EditorSaveAs, SavedLevelHoldsWhatTheEditorHolds) {
  EditorTestBench bench;
  bench.state.Tile(1, 0) = CellBox2;
  bench.state.Item(1, 0) = ItemRandom;
  bench.state.Characters[1].PowerBombs = 3;
  bench.state.Characters[1].PowerFire = 5;
  bench.state.Characters[2].X = OffMapPos;
  bench.state.Characters[3].X = 24;
  bench.state.Characters[3].Y = 14;
  bench.state.LevelMusic = "SUNRISE.MID";
  bench.editor.TileSetNumber = 1;
  bench.editor.BackgroundNumber = -1;
  std::string field = "made";
  SaveLevelAs(bench.editor, bench.folder, field);
  LevelData expected, saved;
  expected.Figures = {FigureStart{0, 0, 0, 0}, {0, 0, 3, 5}, {OffMapPos, 0, 0, 0}, {24, 14, 0, 0}};
  expected.TileMap[1] = CellBox2;
  expected.ItemMap[1] = ItemRandom;
  expected.TileSetNumber = 1;
  expected.BackgroundNumber = -1;
  expected.LevelMusic = "SUNRISE.MID";
  ASSERT_TRUE(ReadLevelFile(bench.temp.Path() / "made.FL3", saved));
  EXPECT_EQ(saved, expected);
}

TEST(EditorSaveAs, OverwriteAsksWithTheNameOnTheSecondLineAndReplacesTheFileUnderItsOwnName) {
  EditorTestBench bench;
  bench.temp.Write("old.fl3", std::string(5000, 'x'));
  bench.editor.FileChanged = true;
  bench.messages.answers = {MessageAnswer::Cancel};
  std::string field = "old";
  SaveLevelAs(bench.editor, bench.folder, field);
  EXPECT_EQ(field, "old.FL3");  // extended even though the user cancels
  EXPECT_EQ(bench.Shown(0), std::tuple("File already exsists, do you wish to overwrite the exsisting file?\nold.FL3",
                                       "File exsists!", MessageIcon::Critical, MessageButtons::OkCancel));
  EXPECT_EQ(bench.temp.Read("old.fl3").size(), 5000u);
  EXPECT_TRUE(bench.editor.FileChanged);
  SaveLevelAs(bench.editor, bench.folder, field);  // answered Ok
  EXPECT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_EQ(bench.temp.Read("old.fl3").size(), 3328u);
  EXPECT_EQ(bench.folder.List("*"), std::vector<std::string>({"old.fl3"}));
  EXPECT_FALSE(bench.editor.FileChanged);
}

TEST(EditorSaveAs, FailedWritesAreReportedAndKeepFileChanged) {
  EditorTestBench bench;
  bench.editor.FileChanged = true;
  fs::create_directory(bench.temp.Path() / "taken.FL3");
  // The save's own reasons, a read-only folder among them, are the game folder's.
  std::string intoFolder = "taken", outside = "../escape";
  SaveLevelAs(bench.editor, bench.folder, intoFolder);
  SaveLevelAs(bench.editor, bench.folder, outside);
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_EQ(bench.Shown(0), std::tuple("The level could not be saved.\n\"" + (bench.temp.Path() / "taken.FL3").string() +
                                           "\": cannot be written: Is a directory",
                                       "Save failed!", MessageIcon::Critical, MessageButtons::Ok));
  EXPECT_EQ(bench.messages.shown[1].text, "The level could not be saved.\n\"../escape.FL3\" is not a valid file name");
  EXPECT_FALSE(fs::exists(bench.temp.Path().parent_path() / "escape.FL3"));
  EXPECT_TRUE(bench.editor.FileChanged);
}

TEST(EditorExit, UnsavedChangesAskFirstAndLeavingClearsTheSharedLevelAndShowsAHiddenPointer) {
  const struct {
    bool changed;
    MessageAnswer answer;
    std::vector<Box> messages;
    bool left;
  } rows[] = {{false, MessageAnswer::Cancel, {}, true},
              {true, MessageAnswer::Cancel, {kExitQuestion}, false},
              {true, MessageAnswer::Ok, {kExitQuestion}, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    EditorTestBench bench;
    bench.temp.Write("A.FL3", ArenaBytes());
    ASSERT_TRUE(OpenLevel(bench.editor, bench.folder, "A.FL3"));
    bench.editor.MoveOnCanvas(50, 50, 0);
    bench.editor.FileChanged = row.changed;
    bench.messages.answers = {row.answer};
    EXPECT_EQ(ExitEditor(bench.editor), row.left);
    EXPECT_EQ(bench.AllShown(), row.messages);
    EXPECT_EQ(LevelFromState(bench.state, 0, 0) == LevelData{}, row.left);
    EXPECT_EQ(bench.pointerSwitches, (row.left ? std::vector<bool>{false, true} : std::vector<bool>{false}));
    EXPECT_EQ(bench.editor.PointerHidden, !row.left);
  }
}

}  // namespace
}  // namespace fl3
