// The quest file: what the reader takes, what it refuses and how it says so,
// and that the writer gives back what the reader takes.
#include <gtest/gtest.h>

#include "QuestTestKit.h"
#include "TempFolder.h"
#include "core/GameFolder.h"

namespace fl3::testing {
namespace {

// Replaces the first `from` in the hand-written quest.
std::string TrialWith(const std::string& from, const std::string& to) {
  std::string text = kTrialQuest;
  const std::size_t at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "not in the quest: " << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(QuestFile, TheReaderTakesEveryPartOfAQuestAndTheWriterGivesBackWhatItTakes) {
  Quest read;
  const IoResult result = ReadQuestText(kTrialQuest, "T.FLQ", TwoLevels(), read);
  ASSERT_TRUE(result) << result.reason;
  // Catches a field read into the wrong place or a rule or strength mixed up.
  EXPECT_EQ(read, TrialQuest());
  Quest again;
  ASSERT_TRUE(ReadQuestText(WriteQuestText(read), "T.FLQ", TwoLevels(), again));
  EXPECT_EQ(again, read);
  EXPECT_TRUE(CheckQuest(read, "T.FLQ", TwoLevels()));
  // The writer keeps no time for a rule without one (the reader would refuse it).
  Quest timed = read;
  timed.stages[0].seconds = 50;
  EXPECT_TRUE(CheckQuest(timed, "T.FLQ", TwoLevels()));
}

// Each refusal names the file, the quest once read, the stage, the opponent and the value.
TEST(QuestFile, TheReaderRefusesWhatNoQuestHoldsNamingQuestStageAndValue) {
  const std::string at1 = "T.FLQ (quest \"Trial\"), stage 1: ";
  const std::string at2 = "T.FLQ (quest \"Trial\"), stage 2: ";
  const std::string aboutText = "\"about\": \"Three stages to try the reader.\"";
  const struct {
    std::string from, to, reason;
  } rows[] = {
      {"\"tries\": 2", "\"tries\": 2, \"colour\": 1", "T.FLQ: unknown key \"colour\""},
      {"\"format\": 1,", "", "T.FLQ: not a quest file (no \"format\")"},
      {"\"format\": 1", "\"format\": 2", "T.FLQ: made by a newer version of the game (format 2)"},
      {"\"format\": 1", "\"format\": 0", "T.FLQ: \"format\" is 0; it must be 1"},
      {"\"name\": \"Trial\"", "\"name\": \"\"", "T.FLQ: \"name\" is \"\"; it must be text of 1 to at most 60 characters on one line"},
      {"\"tries\": 2", "\"tries\": 10", "T.FLQ (quest \"Trial\"): \"tries\" is 10; it must be a whole number from 1 to 9"},
      // off by one at both ends of a range, and numbers that are no whole numbers
      {"\"lives\": 2", "\"lives\": 0", at2 + "\"lives\" is 0; it must be a whole number from 1 to 99"},
      {"\"lives\": 2", "\"lives\": 100", at2 + "\"lives\" is 100; it must be a whole number from 1 to 99"},
      {"\"lives\": 2", "\"lives\": 2.5", at2 + "\"lives\" is 2.5; it must be a whole number from 1 to 99"},
      {"\"lives\": 2", "\"lives\": \"2\"", at2 + "\"lives\" is \"2\"; it must be a whole number from 1 to 99"},
      {"\"lives\": 2", "\"lives\": 18446744073709551615",
       at2 + "\"lives\" is 18446744073709551615; it must be a whole number from 1 to 99"},
      {"\"seconds\": 90", "\"seconds\": 9", at2 + "\"seconds\" is 9; it must be a whole number from 10 to 999"},
      // a rule without its time, a time or a kill goal where the rule has none
      {"\"seconds\": 90, ", "", at2 + "\"seconds\" is missing"},
      {"\"lives\": 3, \"briefing\"", "\"lives\": 3, \"seconds\": 60, \"briefing\"",
       at1 + "\"defeat all\" runs until one side is out and has no \"seconds\""},
      {"\"lives\": 3, \"briefing\"", "\"lives\": 3, \"kills\": 2, \"briefing\"", at1 + "only \"most kills\" counts \"kills\""},
      {"\"kills\": 5", "\"kills\": 0", at2 + "\"kills\" is 0; it must be a whole number from 1 to 99"},
      {"\"rule\": \"defeat all\"", "\"rule\": \"Defeat All\"",
       at1 + "\"rule\" is \"Defeat All\"; it must be one of \"defeat all\", \"most kills\", \"outlast\""},
      // the level: missing, outside the folder, or without the start cells the stage needs
      {"\"level\": \"GARDEN.FL3\"", "\"level\": \"NOPE.FL3\"",
       at1 + "the level \"NOPE.FL3\" is not in the game folder or cannot be played"},
      {"\"level\": \"GARDEN.FL3\"", "\"level\": \"../GARDEN.FL3\"",
       at1 + "\"level\" is \"../GARDEN.FL3\"; it must be the name of a level file"},
      {"\"level\": \"GARDEN.FL3\"", "\"level\": \"PAIR.FL3\"",
       at1 + "the level \"PAIR.FL3\" has no start cell for player 3, whom this stage needs"},
      // opponents: their number and each one's values
      {"\"opponents\": [{\"strength\": \"easy\"", "\"opponents\": [], \"x\": [{\"strength\": \"easy\"",
       at1 + "unknown key \"x\""},
      {"\"strength\": \"hard\", \"lives\": 9", "\"strength\": \"mighty\", \"lives\": 9",
       "T.FLQ (quest \"Trial\"), stage 2, opponent 2: \"strength\" is \"mighty\"; it must be one of \"easy\", \"normal\", \"hard\""},
      {"\"character\": 63", "\"character\": 64", "T.FLQ (quest \"Trial\"), stage 2, opponent 2: \"character\" is 64; it must be a whole number from 0 to 63"},
      {"{\"strength\": \"easy\", \"lives\": 1, \"character\": 4}",
       "{\"strength\": \"easy\", \"lives\": 1, \"character\": 4}, {\"strength\": \"easy\", \"lives\": 1, \"character\": 4}, "
       "{\"strength\": \"easy\", \"lives\": 1, \"character\": 4}, {\"strength\": \"easy\", \"lives\": 1, \"character\": 4}",
       at1 + "\"opponents\" is [{\"strength\":\"easy\",\"lives\":1,\"character...; it must be a list of 1 to 3"},
      // text: one line, within its length, counted in characters rather than bytes
      {"Clear the garden.", "Clear\\nthe garden.",
       at1 + "\"briefing\" is \"Clear\\nthe garden.\"; it must be text of at most 200 characters on one line"},
      {"Clear the garden.", std::string(199, 'x') + "\xC3\xA9", ""},
      {"Clear the garden.", std::string(200, 'x') + "\xC3\xA9",
       at1 + "\"briefing\" is \"" + std::string(39, 'x') + "...; it must be text of at most 200 characters on one line"},
      // the document itself
      {aboutText, aboutText + ", \"about\": \"again\"", "T.FLQ: the key \"about\" appears twice in one object"},
      {"\"stages\": [", "\"stages\": [[[[[[[[[]]]]]]]]],\"x\": [", "T.FLQ: the document is nested deeper than a quest file"},
      {"\"format\": 1,", "\"format\": 1", "T.FLQ: not a quest file (parse error at line 3, column 8: syntax error while parsing object - unexpected string literal; expected '}')"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.to);
    Quest quest = TrialQuest();
    quest.name = "unchanged";
    const IoResult result = ReadQuestText(TrialWith(row.from, row.to), "T.FLQ", TwoLevels(), quest);
    EXPECT_EQ(result.ok, row.reason.empty());
    EXPECT_EQ(result.reason, row.reason);
    if (!row.reason.empty()) {
      EXPECT_EQ(quest.name, "unchanged");  // a refused file changes nothing
    }
  }
}

TEST(QuestFile, FilesAreReadWithTheLevelsOfTheirFolderAndWrittenInThePlayersFolder) {
  TempFolder shipped, own;
  shipped.Write("TRIAL.FLQ", kTrialQuest);
  const GameFolder folder(own.Path(), shipped.Path());
  Quest quest;
  EXPECT_NE(ReadQuestFile(folder, "trial.flq", quest).reason.find("the level \"GARDEN.FL3\" is not in the game folder"),
            std::string::npos);
  // The player's own level serves a shipped quest.
  ASSERT_TRUE(WriteLevelFile(own.Path() / "Garden.fl3", LevelWithStarts(4)));
  ASSERT_TRUE(ReadQuestFile(folder, "trial.flq", quest));
  quest.name = "Mine";
  ASSERT_TRUE(WriteQuestFile(folder, "MINE.FLQ", quest));
  Quest mine;
  ASSERT_TRUE(ReadQuestFile(folder, "MINE.FLQ", mine));
  EXPECT_EQ(mine, quest);
  EXPECT_TRUE(std::filesystem::exists(own.Path() / "MINE.FLQ"));
  EXPECT_EQ(ReadQuestFile(folder, "NONE.FLQ", quest).reason,
            "NONE.FLQ: there is no such quest file in " + folder.SearchedFolders());
}

}  // namespace
}  // namespace fl3::testing
