// A quest's flow with its windows scripted and its matches standing in:
// which stage each card shows with how many tries, what leaving and
// continuing do, what QUESTS.SAV keeps, and what each stage's match is told.
#include <deque>
#include <functional>

#include "../WindowBench.h"
#include "quest/QuestFile.h"
#include "ui/quest/QuestFlow.h"

namespace fl3::testing {
namespace {

enum class Play { Win, Lose, Leave };  // how a stand-in match ends

struct ScriptedScreens : QuestScreens {
  std::optional<QuestChoice> Choose(const std::vector<QuestChoiceEntry>& quests) override {
    chosenFrom.clear();
    for (const QuestChoiceEntry& entry : quests) chosenFrom.push_back({entry.file.fileName, !entry.file.refusal.empty()});
    return choice;
  }
  bool ShowCard(const StageCardInfo& card) override {
    cards.push_back({card.stage + 1, card.triesLeft});
    levels.push_back(card.quest.stages[static_cast<std::size_t>(card.stage)].level);
    return Next(cardAnswers);
  }
  bool ShowResult(const StageResultInfo& result) override {
    results.push_back({result.stage + 1, result.verdict});
    return true;
  }
  void ShowSummary(const QuestSummaryInfo& summary) override { summaries.push_back(summary.record); }
  static bool Next(std::deque<bool>& answers) {
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::optional<QuestChoice> choice;
  std::deque<bool> cardAnswers;  // false: Escape
  std::vector<std::pair<std::string, bool>> chosenFrom;  // file, refused
  std::vector<std::pair<int, std::int32_t>> cards;       // stage from 1, tries left
  std::vector<std::string> levels;
  std::vector<std::pair<int, StageVerdict>> results;
  std::vector<QuestRecord> summaries;
};

struct FlowBench : WindowBench {
  FlowBench() {
    WritePicture("A1.BMP");
    for (const char* name : {"ONE.FL3", "TWO.FL3", "THREE.FL3"}) WriteLevel(name);
  }
  void WriteQuest(const std::string& file, const std::string& name, int stages) const {
    Quest quest{name, "", 2, {}};
    for (int i = 0; i < stages; ++i) {
      quest.stages.push_back({"ONE.FL3", StageRule::DefeatAll, 3, 0, 0, "", {{CpuStrength::Easy, 1, 3}}});
    }
    ASSERT_TRUE(WriteQuestFile(folder, file, quest));
  }
  // Ends each stand-in match as scripted, its time up: the opponents out
  // without kills, the players out without kills, or Escape with nobody out.
  void RunMatch(const QuestMatch& match) {
    matches.push_back(match);
    const Play play = plays.empty() ? Play::Win : plays.front();
    if (!plays.empty()) plays.pop_front();
    for (std::size_t i = 0; i < state.Characters.size(); ++i) {
      Character& figure = state.Characters[i];
      const bool player = !match.names[i].empty() && match.names[i].rfind("Player", 0) == 0;
      if ((play == Play::Win && !player) || (play == Play::Lose && player)) figure.Cont = ContOff;
      if (play != Play::Leave) figure.Lives = figure.InPlay() ? 1 : 0;
    }
    if (play != Play::Leave) state.TimeLeft = 0;
    match.afterFrame({play == Play::Leave ? MatchEnd::Quit : MatchEnd::Winner, 0, 0});
    occasions.push_back(match.occasion());  // as the replay is finished
    ResetAfterMatch(state);
  }
  void Start(QuestKind kind, int players = 1, std::size_t entry = 0) {
    QuestStartChoices choices{kind, players, {0, 1}, {"~Random", "ONE.FL3", "THREE.FL3", "TWO.FL3"}, entry};
    flow.Play(choices);
  }

  ScriptedScreens screens;
  std::deque<Play> plays;
  std::vector<QuestMatch> matches;
  std::vector<std::string> occasions;
  QuestFlow flow{state, folder, messages, screens, [this](const QuestMatch& match) { RunMatch(match); }};
};

using Cards = std::vector<std::pair<int, std::int32_t>>;
const std::string kLeave = "Leave the quest?  \"Continue\" takes it up again at the furthest stage reached.";

TEST(QuestFlow, LossesCostTriesEscapeAsksToLeaveAndContinueTakesUpTheFurthestStageWithFullTries) {
  FlowBench bench;
  bench.WriteQuest("TRIAL.FLQ", "Trial", 3);
  bench.WriteQuest("CAMPAIGN.FLQ", "The Campaign", 1);
  bench.temp.Write("BROKEN.FLQ", "{}");
  bench.temp.Write("QUESTS.SAV", "{\"format\": 1,");  // damaged: told once, then set aside
  bench.screens.choice = QuestChoice{2, false};
  // Stage 1 won; stage 2 lost, then left in its match and kept, then won; stage 3's card left.
  bench.plays = {Play::Win, Play::Lose, Play::Leave, Play::Win};
  bench.screens.cardAnswers = {true, true, true, true, false};
  bench.messages.answers = {MessageAnswer::Ok, MessageAnswer::Cancel, MessageAnswer::Ok};
  bench.Start(QuestKind::Game);
  // The shipped campaign heads the list; a file the reader refuses is listed with its reason.
  EXPECT_EQ(bench.screens.chosenFrom, (std::vector<std::pair<std::string, bool>>{
                                          {"CAMPAIGN.FLQ", false}, {"BROKEN.FLQ", true}, {"TRIAL.FLQ", false}}));
  EXPECT_EQ(bench.screens.cards, (Cards{{1, 2}, {2, 2}, {2, 1}, {2, 1}, {3, 1}}));  // leaving costs no try
  ASSERT_EQ(bench.messages.shown.size(), 3u);
  EXPECT_NE(bench.messages.shown[0].text.find("could not be read"), std::string::npos);
  EXPECT_EQ(std::pair(bench.messages.shown[1].text, bench.messages.shown[2].text), std::pair(kLeave, kLeave));
  EXPECT_TRUE(bench.screens.summaries.empty());

  // What a stage's match is told: its seats' strengths, the occasion and who plays for its replay.
  ASSERT_EQ(bench.occasions, (std::vector<std::string>{"Trial, stage 1 of 3: won", "Trial, stage 2 of 3: lost",
                                                      "Trial, stage 2 of 3", "Trial, stage 2 of 3: won"}));
  ASSERT_EQ(bench.matches.size(), 4u);
  const QuestMatch& first = bench.matches[0];
  EXPECT_EQ(std::tuple(first.levelName, first.names[0], first.names[1], first.names[2], first.strengths[1]),
            std::tuple(std::string("ONE.FL3"), std::string("Player 1"),
                       std::string("Easy CPU"), std::string(), CpuStrength::Easy));

  // Continue: stage 3 with both tries again; two losses end the quest and show what is kept.
  bench.screens.cards.clear();
  bench.plays = {Play::Lose, Play::Lose};
  bench.Start(QuestKind::Game);
  EXPECT_EQ(bench.screens.cards, (Cards{{3, 2}, {3, 1}}));
  ASSERT_EQ(bench.screens.summaries.size(), 1u);
  const QuestRecord& kept = bench.screens.summaries[0];
  EXPECT_EQ(std::tuple(kept.reached, kept.finished, kept.bestStages), std::tuple(3, false, 2));
  std::string report;
  EXPECT_EQ(LoadQuestProgress(bench.folder, report).Get("quest:TRIAL.FLQ", 3), kept);
  EXPECT_EQ(bench.messages.shown.size(), 3u);  // the damaged file is not told again
}

TEST(QuestFlow, ANormalQuestIsMadeFromTheChosenLevelOrADifferentRandomLevelEachStageAndKeptPerLevel) {
  FlowBench bench;
  bench.Start(QuestKind::Normal, 2, 2);  // THREE.FL3, two players: opponents from seat 3
  ASSERT_EQ(bench.screens.levels, std::vector<std::string>(8, "THREE.FL3"));
  EXPECT_EQ(std::pair(bench.matches.front().names[1], bench.matches.front().names[2]),
            std::pair(std::string("Player 2"), std::string("Easy CPU")));
  EXPECT_EQ(bench.matches.back().strengths[3], CpuStrength::Hard);
  EXPECT_TRUE(bench.screens.chosenFrom.empty());  // nothing reached before: no chooser

  bench.screens.levels.clear();
  bench.plays = {Play::Win, Play::Win, Play::Lose, Play::Lose, Play::Lose};
  bench.Start(QuestKind::Normal, 1, 0);  // ~Random
  const std::vector<std::string>& levels = bench.screens.levels;
  ASSERT_EQ(levels.size(), 5u);
  for (std::size_t i = 1; i < 3; ++i) EXPECT_NE(levels[i], levels[i - 1]) << i;  // a new level for each new stage
  // Kept apart from the same quest on a level: the chooser offers stage 3 of the random one.
  bench.screens.choice = std::nullopt;
  bench.Start(QuestKind::Normal, 1, 0);
  EXPECT_EQ(bench.screens.chosenFrom.size(), 1u);
  std::string report;
  const QuestProgress kept = LoadQuestProgress(bench.folder, report);
  EXPECT_EQ(std::pair(kept.Get("level:~RANDOM", 8).reached, kept.Get("level:THREE.FL3", 8).finished), std::pair(3, true));
}

TEST(QuestFlow, AStageWhoseLevelCannotBePlayedIsToldAndEndsTheQuestWithoutAMatch) {
  FlowBench bench;
  bench.WriteLevel("DARK.FL3", 5);  // no A5.BMP
  Quest quest{"Dark", "", 1, {{"DARK.FL3", StageRule::DefeatAll, 3, 0, 0, "", {{CpuStrength::Hard, 1, 3}}}}};
  ASSERT_TRUE(WriteQuestFile(bench.folder, "DARK.FLQ", quest));
  bench.screens.choice = QuestChoice{0, true};
  bench.Start(QuestKind::Game);
  EXPECT_TRUE(bench.matches.empty());
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.Shown(0), std::tuple("The map you have selected refers to the missing file \\A5.BMP\n"
                                       "Either get that file or change the Map's TileSet to a valid one.",
                                       "Map Error", MessageIcon::Critical, MessageButtons::Ok));
}

// Catches a whole quest refused for one lost level, the lost stage played or
// costing a try, and a quest that cannot end when its last stage is lost.
TEST(QuestFlow, AStageWhoseLevelWasDeletedIsPassedOverAndEveryOtherIsPlayed) {
  FlowBench bench;
  const QuestStage stage{"ONE.FL3", StageRule::DefeatAll, 3, 0, 0, "", {{CpuStrength::Easy, 1, 3}}};
  QuestStage gone = stage;
  gone.level = "GONE.FL3";
  ASSERT_TRUE(WriteQuestFile(bench.folder, "HOLES.FLQ", {"Holes", "", 1, {stage, gone, stage, gone}}));
  ASSERT_TRUE(WriteQuestFile(bench.folder, "LOST.FLQ", {"Lost", "", 1, {gone}}));
  bench.screens.choice = QuestChoice{0, true};
  bench.Start(QuestKind::Game);
  EXPECT_EQ(bench.screens.chosenFrom,
            (std::vector<std::pair<std::string, bool>>{{"HOLES.FLQ", false}, {"LOST.FLQ", true}}));
  EXPECT_EQ(bench.screens.cards, (Cards{{1, 1}, {3, 1}}));
  const std::string why = " is passed over: the level \"GONE.FL3\" is not in the game folder or cannot be played.";
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_EQ(std::pair(bench.messages.shown[0].text, bench.messages.shown[1].text), std::pair("Stage 2" + why, "Stage 4" + why));
  ASSERT_EQ(bench.screens.summaries.size(), 1u);
  EXPECT_EQ(std::tuple(bench.screens.summaries[0].bestStages, bench.screens.summaries[0].finished), std::tuple(2, false));
}

}  // namespace
}  // namespace fl3::testing
