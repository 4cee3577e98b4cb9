// The quest editor's Open, Save As and Exit: when they ask, what they refuse
// to write and how they say it.
#include <gtest/gtest.h>

#include <functional>

#include "QuestEditorBench.h"
#include "editor/questmodel/QuestEditorFiles.h"
#include "editor/questmodel/QuestSharing.h"

namespace fl3::testing {
namespace {

const Box kMissing{"File does not exsist.", "File not found!", MessageIcon::Critical, MessageButtons::Ok};
const Box kOpenQuestion{"File has been changed since last save, would you still like OPEN OPEN OPEN the file?",
                        "W A R N I N G !", MessageIcon::Critical, MessageButtons::OkCancel};
const Box kExitQuestion{"File has been changed since last save, would you still like EXIT EXIT EXIT?",
                        "W A R N I N G !", MessageIcon::Critical, MessageButtons::OkCancel};
const Box kOverwrite{"File already exsists, do you wish to overwrite the exsisting file?\nMINE.FLQ", "File exsists!",
                     MessageIcon::Critical, MessageButtons::OkCancel};
const Box kBroken{"The quest could not be opened.\nBROKEN.FLQ: unknown key \"x\"", "Open failed!", MessageIcon::Critical,
                  MessageButtons::Ok};

Quest Mine(const std::string& level = "GARDEN.FL3") {
  return {"Mine", "", 3, {{level, StageRule::DefeatAll, 3, 0, 0, "Go.", {{}}}}};
}

bool SaveAs(QuestEditorBench& bench, std::string name) {
  return SaveQuestAs(bench.editor, bench.folder, bench.levels, name);
}

// Catches a question asked before a missing file is told, a Cancel that goes
// on, a change lost without asking, and a quest refused for a level that has
// gone (it opens; its stage is marked where it is shown).
TEST(QuestEditorQuestions, OpenExitImportAndSaveAsAskBeforeLosingAnything) {
  using Step = std::function<bool(QuestEditorBench&)>;
  const Step open = [](QuestEditorBench& b) { return OpenQuest(b.editor, b.folder, "mine.flq"); };
  const Step exit = [](QuestEditorBench& b) { return ExitQuestEditor(b.editor); };
  const Step save = [](QuestEditorBench& b) { return SaveAs(b, "MINE"); };
  const Step import = [](QuestEditorBench& b) {
    std::string name;
    return ImportQuest(b.editor, b.folder, b.temp.Path() / "MINE.FLQ", name);
  };
  // What the editor holds and what MINE.FLQ holds afterwards, by the quest's name.
  const struct {
    Step step;
    bool changed;
    MessageAnswer answer;
    std::vector<Box> boxes;
    bool done;
    const char* editing;
    const char* onDisk;
  } rows[] = {
      {[](QuestEditorBench& b) { return OpenQuest(b.editor, b.folder, ""); }, true, MessageAnswer::Ok, {}, false, "Mine", "Old"},
      {[](QuestEditorBench& b) { return OpenQuest(b.editor, b.folder, "NOPE.FLQ"); }, true, MessageAnswer::Ok, {kMissing},
       false, "Mine", "Old"},
      {open, true, MessageAnswer::Cancel, {kOpenQuestion}, false, "Mine", "Old"},
      {open, true, MessageAnswer::Ok, {kOpenQuestion}, true, "Old", "Old"},
      {open, false, MessageAnswer::Cancel, {}, true, "Old", "Old"},
      {[](QuestEditorBench& b) { return OpenQuest(b.editor, b.folder, "GONE.FLQ"); }, false, MessageAnswer::Ok, {}, true,
       "Gone", "Old"},
      {[](QuestEditorBench& b) { return OpenQuest(b.editor, b.folder, "BROKEN.FLQ"); }, true, MessageAnswer::Ok,
       {kOpenQuestion, kBroken}, false, "Mine", "Old"},
      {exit, true, MessageAnswer::Cancel, {kExitQuestion}, false, "Mine", "Old"},
      {exit, true, MessageAnswer::Ok, {kExitQuestion}, true, "Mine", "Old"},
      {exit, false, MessageAnswer::Cancel, {}, true, "Mine", "Old"},
      {import, true, MessageAnswer::Cancel, {kOpenQuestion}, false, "Mine", "Old"},
      {save, true, MessageAnswer::Cancel, {kOverwrite}, false, "Mine", "Old"},
      {save, true, MessageAnswer::Ok, {kOverwrite}, true, "Mine", "Mine"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    QuestEditorBench bench;
    Quest old = Mine(), gone = Mine("GONE.FL3");
    old.name = "Old";
    gone.name = "Gone";
    ASSERT_TRUE(WriteQuestFile(bench.folder, "MINE.FLQ", old));
    ASSERT_TRUE(WriteQuestFile(bench.folder, "GONE.FLQ", gone));
    bench.temp.Write("BROKEN.FLQ", R"({"format": 1, "x": 1})");
    bench.editor.Load(Mine());
    bench.editor.Changed = row.changed;
    bench.messages.answers = {row.answer};
    EXPECT_EQ(row.step(bench), row.done);
    EXPECT_EQ(bench.AllShown(), row.boxes);
    EXPECT_EQ(bench.editor.Draft().name, row.editing);
    Quest onDisk;
    ASSERT_TRUE(ReadQuestFile(bench.folder, "MINE.FLQ", onDisk));
    EXPECT_EQ(onDisk.name, row.onDisk);
    // Opened or saved, the quest is as on disk; otherwise it keeps its changes.
    const bool matchesDisk = (row.done && row.editing != std::string("Mine")) || row.onDisk == std::string("Mine");
    EXPECT_EQ(bench.editor.Changed, row.changed && !matchesDisk);
  }
}

// Catches an unplayable quest written (a missing level, a rule without its
// time, no opponent, more figures than start cells), off-by-one time limits,
// a refusal that does not name its stage, and a shipped quest written over.
TEST(QuestEditorRefusals, SaveAsNamesEachStageAndReasonAndWritesNothing) {
  const std::string notSaved = "Nothing was saved: this quest cannot be played yet.\n";
  const auto stage = [](auto change) { return [change](QuestEditorModel& e) { e.ChangeChosenStage(change); }; };
  const auto timed = [stage](StageRule rule, int seconds) {
    return stage([=](StageDraft& s) { s.stage.rule = rule, s.stage.seconds = seconds; });
  };
  const struct {
    std::function<void(QuestEditorModel&)> change;
    const char* name;
    std::string text;  // empty: saved
    const char* title;
  } rows[] = {
      {stage([](StageDraft& s) { s.stage.level = "GONE.FL3"; }), "MINE",
       notSaved + "Stage 1: the level \"GONE.FL3\" is not in the game folder or cannot be played.", "Not playable yet"},
      {stage([](StageDraft& s) { s.stage.level = ""; }), "MINE", notSaved + "Stage 1: no level is chosen.", "Not playable yet"},
      {timed(StageRule::MostKills, 0), "MINE", notSaved + "Stage 1: \"Most kills\" needs its time: 10 to 999 seconds.",
       "Not playable yet"},
      {timed(StageRule::Outlast, 9), "MINE", notSaved + "Stage 1: \"Outlast\" needs its time: 10 to 999 seconds.",
       "Not playable yet"},
      {timed(StageRule::Outlast, 10), "MINE", "", ""},
      {timed(StageRule::Outlast, 999), "MINE", "", ""},
      {timed(StageRule::MostKills, 1000), "MINE", notSaved + "Stage 1: \"Most kills\" needs its time: 10 to 999 seconds.",
       "Not playable yet"},
      {stage([](StageDraft& s) { s.seats[0].on = false; }), "MINE",
       notSaved + "Stage 1: no opponent: \"Defeat them all\" needs at least one.", "Not playable yet"},
      // Two players and one opponent need three start cells.
      {stage([](StageDraft& s) { s.stage.level = "pair.fl3"; }), "MINE",
       notSaved + "Stage 1: the level \"pair.fl3\" has no start cell on the field for player 3, whom this stage needs.",
       "Not playable yet"},
      {[stage](QuestEditorModel& e) {
         e.AddStage();
         stage([](StageDraft& s) { s.seats[0].on = false, s.stage.rule = StageRule::Outlast; })(e);
         e.SetName(" ");
       },
       "MINE",
       notSaved + "The quest has no name.\nStage 2: no opponent: \"Outlast\" needs at least one.\n"
                  "Stage 2: \"Outlast\" needs its time: 10 to 999 seconds.",
       "Not playable yet"},
      {[](QuestEditorModel&) {}, "campaign",
       "\"campaign.FLQ\" comes with the game and is never changed. Save your quest under another name.", "Cannot save"},
      {[](QuestEditorModel&) {}, "", "The quest could not be saved.\n\".FLQ\" is not a valid file name", "Save failed!"},
      {[](QuestEditorModel&) {}, "../MINE", "The quest could not be saved.\n\"../MINE.FLQ\" is not a valid file name",
       "Save failed!"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    QuestEditorBench bench;
    bench.editor.Load(Mine());
    row.change(bench.editor);
    bench.editor.Changed = true;
    const bool saved = SaveAs(bench, row.name);
    EXPECT_EQ(saved, row.text.empty());
    const std::vector<Box> told{{row.text, row.title, MessageIcon::Critical, MessageButtons::Ok}};
    EXPECT_EQ(bench.AllShown(), row.text.empty() ? std::vector<Box>{} : told);
    EXPECT_EQ(bench.folder.List("*.FLQ"), row.text.empty() ? std::vector<std::string>{"MINE.FLQ"} : std::vector<std::string>{});
    EXPECT_EQ(bench.editor.Changed, !saved);
    Quest read;
    if (saved) {
      EXPECT_TRUE(ReadQuestFile(bench.folder, "MINE.FLQ", read) && read == bench.editor.ToQuest());
    }
  }
}

}  // namespace
}  // namespace fl3::testing
