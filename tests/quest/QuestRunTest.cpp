// Tries, the stages a run goes through, and the progress kept in QUESTS.SAV.
#include <gtest/gtest.h>

#include <filesystem>

#include "QuestTestKit.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolder.h"
#include "quest/QuestProgress.h"

namespace fl3::testing {
namespace {

using W = StageVerdict;
using N = QuestRun::Next;

TEST(QuestRun, WinsOpenTheNextStageLossesCostATryAndDrawsAreFree) {
  const struct {
    int first;
    std::vector<StageVerdict> verdicts;
    std::vector<N> next;
    int stage;
    std::int32_t triesLeft;
    bool finished;
    const char* fault;
  } rows[] = {
      {0, {W::Won, W::Won, W::Won}, {N::Stage, N::Stage, N::QuestFinished}, 2, 2, true, "the last stage opens one more"},
      {0, {W::Lost, W::Won}, {N::SameStageAgain, N::Stage}, 1, 1, false, "a loss moves on"},
      {1, {W::Lost, W::Lost}, {N::SameStageAgain, N::QuestOver}, 1, 0, false, "a try too many"},
      {2, {W::Draw, W::Draw, W::Lost, W::Won}, {N::SameStageAgain, N::SameStageAgain, N::SameStageAgain, N::QuestFinished},
       2, 1, true, "a draw costs a try"},
      {0, {W::Playing, W::Won}, {N::SameStageAgain, N::Stage}, 1, 2, false, "a stage left with Escape counts"},
      {7, {W::Won}, {N::QuestFinished}, 2, 2, true, "a first stage beyond the quest"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    QuestRun run(TrialQuest(), row.first);  // three stages, two tries
    std::vector<N> next;
    for (const StageVerdict verdict : row.verdicts) next.push_back(run.Record(verdict, {1000, 1}));
    EXPECT_EQ(next, row.next);
    EXPECT_EQ(std::tuple(run.Stage(), run.TriesLeft(), run.Finished()), std::tuple(row.stage, row.triesLeft, row.finished));
  }
}

TEST(QuestProgress, TheFurthestStageStaysOpenAndTheBestRunAndStageTimesAreKept) {
  QuestProgress progress;
  const std::string key = QuestProgress::FileKey("trial.flq");
  EXPECT_EQ(key, QuestProgress::FileKey("TRIAL.FLQ"));  // the same file in any letter case
  EXPECT_NE(key, QuestProgress::LevelKey("TRIAL.FLQ"));
  QuestRun first(TrialQuest(), 0);
  first.Record(W::Won, {5000, 2});
  first.Record(W::Lost, {800, 0});
  progress.Note(key, first);
  first.Record(W::Lost, {900, 0});  // out of tries at stage 2
  progress.Note(key, first);
  QuestRecord record = progress.Get(key, 3);
  EXPECT_EQ(std::tuple(record.reached, record.finished, record.bestStages, record.bestMs), std::tuple(2, false, 1, 5000));

  // Continued from stage 2: a later, shorter run does not push the furthest stage back.
  QuestRun again(TrialQuest(), 1);
  again.Record(W::Won, {7000, 1});
  again.Record(W::Won, {3000, 1});
  progress.Note(key, again);
  QuestRun replayed(TrialQuest(), 0);
  replayed.Record(W::Won, {4000, 1});
  progress.Note(key, replayed);
  record = progress.Get(key, 3);
  EXPECT_EQ(std::tuple(record.reached, record.finished, record.bestStages, record.bestMs), std::tuple(3, true, 2, 10000));
  EXPECT_EQ(record.stageBestMs, (std::vector<std::int64_t>{4000, 7000, 3000}));  // the faster win of stage 1
  // A quest that lost stages since keeps what still fits.
  record = progress.Get(key, 2);
  EXPECT_EQ(std::tuple(record.reached, record.bestStages, record.stageBestMs.size()), std::tuple(2, 2, std::size_t{2}));
  EXPECT_EQ(progress.Get("quest:OTHER.FLQ", 3), (QuestRecord{1, false, 0, 0, {0, 0, 0}}));
}

TEST(QuestProgress, TheFileKeepsEverythingADamagedOneIsSetAsideAndReportedOnceAndSavingNeedsAWritableFolder) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  std::string report;
  EXPECT_EQ(LoadQuestProgress(folder, report), QuestProgress{});
  EXPECT_EQ(report, "");  // no file yet is no damage

  QuestProgress progress;
  progress.records["quest:TRIAL.FLQ"] = {3, true, 2, 10000, {4000, 7000, 3000}};
  progress.records["level:~RANDOM"] = {5, false, 4, 123456, {1, 2, 3, 4, 0, 0, 0, 0}};
  ASSERT_TRUE(SaveQuestProgress(folder, progress));
  EXPECT_EQ(LoadQuestProgress(folder, report), progress);
  EXPECT_EQ(report, "");

  const std::string saved = temp.Read("QUESTS.SAV");
  for (const std::string& damaged : {saved.substr(0, saved.size() / 2), std::string("{\"format\": 1, \"quests\": []}")}) {
    temp.Write("QUESTS.SAV", damaged);
    EXPECT_EQ(LoadQuestProgress(folder, report), QuestProgress{});
    EXPECT_NE(report.find("could not be read (it is damaged). It was set aside as QUESTS.SAV.damaged"), std::string::npos)
        << report;
    // Set aside whole, so the next save cannot destroy it; the next load has nothing to report.
    EXPECT_EQ(temp.Read("QUESTS.SAV.damaged"), damaged);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "QUESTS.SAV"));
    EXPECT_EQ(LoadQuestProgress(folder, report), QuestProgress{});
    EXPECT_EQ(report, "");
    std::filesystem::rename(temp.Path() / "QUESTS.SAV.damaged", temp.Path() / "older.damaged");
  }
  temp.Write("QUESTS.SAV.damaged", "taken");
  temp.Write("QUESTS.SAV", "{\"format\": 2, \"quests\": {}}");
  LoadQuestProgress(folder, report);
  EXPECT_NE(report.find("written by another version of the game). It was set aside as QUESTS.SAV.damaged-2"),
            std::string::npos);

  WithoutPermissionOverride asUser;
  std::filesystem::permissions(temp.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_FALSE(SaveQuestProgress(folder, progress));
}

// A replay holds at most 200 bytes of occasion: a long name is cut, at a
// whole character, never the stage or its outcome.
TEST(QuestWords, AStageOccasionNamesQuestStageAndOutcomeWithinTheReplaysRoom) {
  Quest quest = TrialQuest();
  EXPECT_EQ(StageOccasion(quest, 1, "a draw", 200), "Trial, stage 2 of 3: a draw");
  EXPECT_EQ(StageOccasion(quest, 0, "", 200), "Trial, stage 1 of 3");
  quest.name.clear();
  for (int i = 0; i < 60; ++i) quest.name += "\xE2\x82\xAC";  // 60 euro signs, 180 bytes
  const std::string occasion = StageOccasion(quest, 2, "a draw", 200);
  EXPECT_EQ(occasion, quest.name.substr(0, 177) + ", stage 3 of 3: a draw");  // 59 whole signs in 178 bytes of room
}

}  // namespace
}  // namespace fl3::testing
