// A quest whose level has gone since it was written: read and its stage
// listed, while every other refusal of the strict reader stands.
#include <gtest/gtest.h>

#include "QuestTestKit.h"
#include "quest/QuestStageCheck.h"

namespace fl3::testing {
namespace {

std::string TrialWith(const std::string& from, const std::string& to) {
  std::string text = kTrialQuest;
  return text.replace(text.find(from), from.size(), to);
}

// Catches a missing level that still refuses the quest, a refusal other than
// the level's that is let through, and a stage counted from 1 instead of 0.
TEST(QuestStageCheck, AQuestWhoseLevelWentIsKeptWithThatStageListedAndOtherFaultsStillRefused) {
  const struct {
    std::string text;
    std::string refusal;  // empty: read
    std::vector<UnplayableStage> unplayable;
  } rows[] = {
      {kTrialQuest, "", {}},
      {TrialWith("\"level\": \"GARDEN.FL3\", \"rule\": \"most kills\"", "\"level\": \"GONE.FL3\", \"rule\": \"most kills\""),
       "",
       {{1, "the level \"GONE.FL3\" is not in the game folder or cannot be played"}}},
      {TrialWith("\"level\": \"GARDEN.FL3\", \"rule\": \"outlast\"", "\"level\": \"PAIR.FL3\", \"rule\": \"outlast\""), "",
       {{2, "the level \"PAIR.FL3\" has no start cell on the field for player 3, whom this stage needs"}}},
      {TrialWith("\"seconds\": 90, ", ""), "T.FLQ (quest \"Trial\"), stage 2: \"seconds\" is missing", {}},
      {TrialWith("\"level\": \"GARDEN.FL3\"", "\"level\": \"a/b.FL3\""),
       "T.FLQ (quest \"Trial\"), stage 1: \"level\" is \"a/b.FL3\"; it must be the name of a level file", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    Quest quest;
    std::vector<UnplayableStage> unplayable{{9, "before"}};
    const IoResult read = ReadQuestTextKeepingStages(row.text, "T.FLQ", TwoLevels(), quest, unplayable);
    EXPECT_EQ(read.reason, row.refusal);
    if (row.refusal.empty()) {
      EXPECT_EQ(unplayable, row.unplayable);
      EXPECT_EQ(quest.stages.size(), 3u);
    } else {
      EXPECT_EQ(unplayable, (std::vector<UnplayableStage>{{9, "before"}}));  // left alone
    }
  }
}

}  // namespace
}  // namespace fl3::testing
