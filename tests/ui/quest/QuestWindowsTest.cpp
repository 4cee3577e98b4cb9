// The quest's windows: what each one says, and the keys, clicks and pad
// buttons that close it.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "../WindowBench.h"
#include "core/GamepadSource.h"
#include "ui/quest/QuestChooser.h"
#include "ui/quest/QuestSummaryWindow.h"
#include "ui/quest/StageCard.h"
#include "ui/quest/StageResultWindow.h"
#include "ui/start/StartCharacterSheet.h"

namespace fl3::testing {
namespace {

// Player 3's pad, its first button held or not.
struct OnePad : GamepadSource {
  void Choose(const PadChoices&) override {}
  void Poll() override {}
  PadControls ControlsFor(int player) const override { return {false, false, false, false, player == 2 && held, false}; }
  std::vector<PadIdentity> Connected() const override { return {}; }
  bool held = true;
};

Quest ThreeStages() {
  Quest quest{"Trial", "Three stages to try.", 2, {}};
  quest.stages.push_back({"ONE.FL3", StageRule::DefeatAll, 3, 0, 0, "First.", {{CpuStrength::Easy, 1, 3}}});
  quest.stages.push_back({"ONE.FL3", StageRule::MostKills, 3, 90, 4, "Second.",
                          {{CpuStrength::Hard, 2, 1}, {CpuStrength::Normal, 2, 2}}});
  quest.stages.push_back({"ONE.FL3", StageRule::Outlast, 2, 60, 0, "Third.", {{CpuStrength::Normal, 1, 2}}});
  return quest;
}

TEST(QuestWindows, TheStageCardTellsTheStageAndBeginsOnEnterAClickOrAPadButtonButNotOnEscape) {
  WindowBench bench;
  const Quest quest = ThreeStages();
  const StageSeats seats = SeatStage(quest.stages[1], 1, {0, 1});
  const LevelData level = WindowBench::Level(1);
  StartCharacterSheet sheet;
  OnePad pad;
  const auto card = [&] {
    return std::make_unique<StageCard>(StageCardInfo{quest, 1, 2, seats, level}, bench.folder, sheet, &pad);
  };
  auto shown = card();
  EXPECT_EQ(shown->labelStage()->text(), "Stage 2 of 3: Most kills");
  QStringList texts;
  for (const QLabel* label : shown->findChildren<QLabel*>()) texts << label->text();
  for (const char* text : {"Second.", "Most kills: score 4 kills within 90 seconds.", "Tries left: 2", "Hard\ncounts kills",
                           "Normal\ncounts kills"}) {
    EXPECT_TRUE(texts.contains(text)) << text;
  }
  const struct {
    std::function<void(StageCard&)> act;
    int result;
    const char* fault;
  } rows[] = {
      {[](StageCard& c) { QTest::keyClick(&c, Qt::Key_Return); }, QDialog::Accepted, "Enter ignored"},
      {[](StageCard& c) { QTest::keyClick(&c, Qt::Key_Escape); }, QDialog::Rejected, "Escape begins the stage"},
      {[](StageCard& c) { QTest::mouseClick(c.labelBriefing(), Qt::LeftButton); }, QDialog::Accepted, "a click ignored"},
      {[](StageCard& c) {
         QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
         QApplication::sendEvent(&c, &repeat);
       },
       -1, "a held Enter's repeat begins it"},
      {[&](StageCard&) {
         pad.held = false;
         QTest::qWait(120);
         pad.held = true;
         QTest::qWait(120);
       },
       QDialog::Accepted, "a pad's press ignored"},
      {[](StageCard&) { QTest::qWait(120); }, -1, "a pad button held from before counts as a press"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    auto window = card();
    window->show();
    window->setResult(-1);
    row.act(*window);
    EXPECT_EQ(window->result(), row.result);
  }
}

TEST(QuestWindows, TheChooserShowsEachQuestsReachAndBestRunAndRefusedFilesCannotBeChosen) {
  const std::vector<QuestChoiceEntry> quests = {
      {{"CAMPAIGN.FLQ", ThreeStages(), ""}, {2, false, 1, 65'000, {65'000, 0, 0}}},
      {{"BROKEN.FLQ", {}, "BROKEN.FLQ: \"tries\" is 0"}, {}},
      {{"DONE.FLQ", ThreeStages(), ""}, {3, true, 3, 601'000, {1, 1, 1}}},
  };
  QuestChooser chooser(quests);
  QStringList names;
  for (int i = 0; i < chooser.listQuests()->count(); ++i) names << chooser.listQuests()->item(i)->text();
  EXPECT_EQ(names, QStringList({"Trial", "BROKEN.FLQ", "Trial"}));
  const auto texts = [&] {
    QStringList all;
    for (const QLabel* label : chooser.findChildren<QLabel*>()) all << label->text();
    return all.join("|");
  };
  EXPECT_EQ(texts(), "Trial|Three stages to try.|Stage 2 of 3 reached|Best run: 1 stage in 1:05");
  chooser.listQuests()->setCurrentRow(1);
  EXPECT_EQ(texts(), "BROKEN.FLQ|Cannot be played: BROKEN.FLQ: \"tries\" is 0||");
  EXPECT_FALSE(chooser.buttonContinue()->isEnabled() || chooser.buttonFromStart()->isEnabled());
  chooser.listQuests()->setCurrentRow(2);
  EXPECT_EQ(texts(), "Trial|Three stages to try.|Finished (all 3 stages)|Best run: all stages in 10:01");
  chooser.buttonFromStart()->click();
  ASSERT_TRUE(chooser.Choice());
  EXPECT_EQ(std::pair(chooser.Choice()->entry, chooser.Choice()->fromStart), std::pair(std::size_t{2}, true));
}

TEST(QuestWindows, TheResultTellsWhatComesNextAndTheSummaryEachStageOfTheRunBesideTheBestTimeKept) {
  const Quest quest = ThreeStages();
  const struct {
    int stage;
    StageVerdict verdict;
    std::int32_t triesLeft;
    QString verdictText, next;
  } rows[] = {
      {0, StageVerdict::Won, 2, "Stage 1 won!", "On to the next stage."},
      {2, StageVerdict::Won, 1, "Stage 3 won!", "The quest is won!"},
      {1, StageVerdict::Lost, 1, "Stage 2 lost", "Tries left: 1. The stage again."},
      {1, StageVerdict::Lost, 0, "Stage 2 lost", "No tries left: the quest is over."},
      {1, StageVerdict::Draw, 2, "Stage 2: a draw", "Nobody won: the stage again, at no cost."},
  };
  for (const auto& row : rows) {
    const StageResultWindow result({quest, row.stage, row.verdict, {83'500, 4}, row.triesLeft}, nullptr);
    EXPECT_EQ(std::pair(result.labelVerdict()->text(), result.labelNext()->text()), std::pair(row.verdictText, row.next));
  }
  QuestRun run(quest, 1);
  run.Record(StageVerdict::Lost, {1000, 0});
  run.Record(StageVerdict::Won, {83'500, 1});
  run.Record(StageVerdict::Lost, {2000, 0});
  const QuestRecord record{3, false, 1, 83'500, {61'000, 83'500, 0}};
  const QuestSummaryWindow summary({quest, run, record});
  EXPECT_EQ(summary.labelOutcome()->text(), "Trial: over at stage 3 of 3");
  QStringList cells;
  for (int r = 0; r < 3; ++r) cells << summary.tableStages()->item(r, 1)->text() + " / " + summary.tableStages()->item(r, 2)->text();
  EXPECT_EQ(cells, QStringList({"(before this run) / 1:01", "won in 1:23, 1 kill / 1:23", "lost 1 time / -"}));
}

}  // namespace
}  // namespace fl3::testing
