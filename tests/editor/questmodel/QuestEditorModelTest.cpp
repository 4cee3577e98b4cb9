// The quest editor's model: the stage list's moves, what counts as a change,
// and the seats that become a stage's opponents.
#include <gtest/gtest.h>

#include <functional>

#include "QuestEditorBench.h"

namespace fl3::testing {
namespace {

// Stages named by their level's letter; one on "Most kills" carries a star.
Quest Lettered(const std::string& letters) {
  Quest quest{"Q", "", 3, {}};
  for (char letter : letters) {
    QuestStage stage{std::string(1, letter), StageRule::DefeatAll, 3, 0, 0, "", {{}}};
    if (letter == 'B') stage.rule = StageRule::MostKills, stage.seconds = 60;
    quest.stages.push_back(stage);
  }
  return quest;
}

std::string Letters(const QuestEditorModel& editor) {
  std::string letters;
  for (const StageDraft& stage : editor.Draft().stages) {
    letters += stage.stage.level + (stage.stage.rule == StageRule::MostKills ? "*" : "");
  }
  return letters;
}

using Move = bool (QuestEditorModel::*)();

// Catches an insertion before instead of after the chosen stage, a chosen
// stage that does not follow its move, off-by-one ends of the list and
// a fresh stage that copies more than the level.
TEST(QuestEditorStageList, AddDuplicateDeleteAndMoveKeepOrderChoiceAndLimits) {
  const std::string forty(40, 'A');
  const struct {
    std::string start;
    int chosen;
    Move move;
    std::string after;
    int chosenAfter;
  } rows[] = {
      {"ABC", 1, &QuestEditorModel::AddStage, "AB*BC", 2},  // a fresh stage on the chosen one's level
      {"ABC", 1, &QuestEditorModel::DuplicateStage, "AB*B*C", 2},
      {"ABC", 2, &QuestEditorModel::AddStage, "AB*CC", 3},
      {"ABC", 0, &QuestEditorModel::DeleteStage, "B*C", 0},
      {"ABC", 2, &QuestEditorModel::DeleteStage, "AB*", 1},  // the last one goes: the one before is chosen
      {"A", 0, &QuestEditorModel::DeleteStage, "A", 0},      // a quest keeps one stage
      {"ABC", 1, &QuestEditorModel::MoveStageUp, "B*AC", 0},
      {"ABC", 0, &QuestEditorModel::MoveStageUp, "AB*C", 0},
      {"ABC", 1, &QuestEditorModel::MoveStageDown, "ACB*", 2},
      {"ABC", 2, &QuestEditorModel::MoveStageDown, "AB*C", 2},
      {forty, 5, &QuestEditorModel::AddStage, forty, 5},  // forty stages at most
      {forty, 5, &QuestEditorModel::DuplicateStage, forty, 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    QuestEditorBench bench;
    bench.editor.Load(Lettered(row.start));
    bench.editor.Choose(row.chosen);
    const std::string before = Letters(bench.editor);
    const bool done = (bench.editor.*row.move)();
    EXPECT_EQ(Letters(bench.editor), row.after);
    EXPECT_EQ(bench.editor.Chosen(), row.chosenAfter);
    EXPECT_EQ(done, row.after != before);
    EXPECT_EQ(bench.editor.Changed, done);
  }
}

// Catches a change marked when nothing changed (the window sets every field
// as it shows a stage) and texts that a quest file would refuse.
TEST(QuestEditorChanges, OnlyARealChangeCountsAndTextsStayOneLineWithinTheirLimits) {
  const std::string sixty(60, 'n');
  const struct {
    std::function<void(QuestEditorModel&)> change;
    bool changed;
  } rows[] = {
      {[](QuestEditorModel& e) { e.SetTries(3); }, false},
      {[](QuestEditorModel& e) { e.SetTries(12); }, true},
      {[](QuestEditorModel& e) { e.SetName(""); }, false},
      {[](QuestEditorModel& e) { e.ChangeChosenStage([](StageDraft&) {}); }, false},
      {[](QuestEditorModel& e) { e.ChangeChosenStage([](StageDraft& s) { s.seats[2].opponent.lives = 7; }); }, true},
      {[](QuestEditorModel& e) { e.Choose(0); }, false},
  };
  for (const auto& row : rows) {
    QuestEditorBench bench;
    row.change(bench.editor);
    EXPECT_EQ(bench.editor.Changed, row.changed) << &row - rows;
  }
  QuestEditorBench bench;
  bench.editor.SetTries(12);
  bench.editor.SetName(sixty + "cut");
  bench.editor.SetAbout("two\nlines\tand a tab");
  bench.editor.ChangeChosenStage([](StageDraft& s) { s.stage.briefing = std::string(199, 'b') + "éé"; });
  EXPECT_EQ(bench.editor.Draft().tries, 9);
  EXPECT_EQ(bench.editor.Draft().name, sixty);
  EXPECT_EQ(bench.editor.Draft().about, "two lines and a tab");
  EXPECT_EQ(bench.editor.ChosenStage().stage.briefing, std::string(199, 'b') + "é");  // whole characters
}

// Catches an OFF seat that still plays, seats that keep a gap, and a time or
// kill goal kept for a rule that has none (the reader would refuse it).
TEST(QuestEditorSeats, SeatsThatAreOnBecomeTheOpponentsInOrder) {
  StageDraft draft = FreshStage("GARDEN.FL3");
  draft.seats[0].opponent.strength = CpuStrength::Easy;
  draft.seats[1].opponent.lives = 9;
  draft.seats[2] = {true, {CpuStrength::Hard, 5, 7}};
  draft.stage.seconds = 90;
  draft.stage.kills = 4;
  const QuestStage stage = StageOf(draft);
  EXPECT_EQ(stage.opponents, (std::vector<QuestOpponent>{{CpuStrength::Easy, 3, 2}, {CpuStrength::Hard, 5, 7}}));
  EXPECT_EQ(std::tuple(stage.seconds, stage.kills), std::tuple(0, 0));
  const StageDraft again = DraftOf(stage);
  EXPECT_EQ((std::array{again.seats[0].on, again.seats[1].on, again.seats[2].on}), (std::array{true, true, false}));
  EXPECT_EQ(StageOf(again), stage);
}

}  // namespace
}  // namespace fl3::testing
