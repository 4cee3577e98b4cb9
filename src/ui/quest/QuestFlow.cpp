#include "ui/quest/QuestFlow.h"

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "quest/NormalQuest.h"
#include "quest/QuestFile.h"
#include "replay/Replay.h"
#include "ui/start/StartLevelList.h"

namespace fl3 {
namespace {

constexpr const char* kQuestsTitle = "Quests";
// Draws of the random level list before a stage gives up finding a playable level.
constexpr int kLevelDraws = 40;

std::string SeatName(const StageSeat& seat, std::size_t index) {
  if (seat.role == SeatRole::Player) return "Player " + std::to_string(index + 1);
  return seat.role == SeatRole::Opponent ? StrengthName(seat.strength) + " CPU" : std::string();
}

}  // namespace

QuestFlow::QuestFlow(GameState& state, const GameFolder& folder, Messages& messages, QuestScreens& screens,
                     RunMatch runMatch)
    : state_(state), folder_(folder), messages_(messages), screens_(screens), runMatch_(std::move(runMatch)) {
  sheet_.Load(folder_);
}

void QuestFlow::Play(const QuestStartChoices& choices) {
  if (choices.kind == QuestKind::Normal) {
    PlayNormalQuest(choices);
  } else {
    PlayGameQuest(choices);
  }
}

void QuestFlow::PlayGameQuest(const QuestStartChoices& choices) {
  std::vector<QuestChoiceEntry> entries;
  for (QuestListEntry& file : ListQuests(folder_)) {
    const std::string key = QuestProgress::FileKey(file.fileName);
    const int stages = static_cast<int>(file.quest.stages.size());
    entries.push_back({std::move(file), Progress().Get(key, stages)});
  }
  if (entries.empty()) {
    messages_.Show("There are no quests to play.  Please put some quest files (*.FLQ) in " + folder_.SearchedFolders(),
                   kQuestsTitle, MessageIcon::Critical);
    return;
  }
  const std::optional<QuestChoice> choice = screens_.Choose(entries);
  if (!choice || choice->entry >= entries.size()) return;
  const QuestChoiceEntry& chosen = entries[choice->entry];
  if (!chosen.file.refusal.empty()) {
    messages_.Show("This quest cannot be played.\n" + chosen.file.refusal, kQuestsTitle, MessageIcon::Critical);
    return;
  }
  Run(chosen.file.quest, QuestProgress::FileKey(chosen.file.fileName), choice->fromStart ? 0 : chosen.record.reached - 1,
      choices, chosen.file.passedOver);
}

// Progress is kept per level; once a stage beyond the first was reached, the
// chooser offers to continue there.
void QuestFlow::PlayNormalQuest(const QuestStartChoices& choices) {
  const std::optional<Quest> quest = MakeNormal(choices);
  if (!quest) return;
  const std::string key = QuestProgress::LevelKey(choices.levelEntries[choices.selectedEntry]);
  const QuestRecord record = Progress().Get(key, static_cast<int>(quest->stages.size()));
  int first = 0;
  if (record.reached > 1) {
    const std::optional<QuestChoice> choice = screens_.Choose({{{"", *quest, "", {}}, record}});
    if (!choice) return;
    first = choice->fromStart ? 0 : record.reached - 1;
  }
  Run(*quest, key, first, choices);
}

std::optional<Quest> QuestFlow::MakeNormal(const QuestStartChoices& choices) {
  if (!CheckLevelsListed(choices.levelEntries, folder_, messages_) ||
      choices.selectedEntry >= choices.levelEntries.size()) {
    return std::nullopt;
  }
  const std::string& entry = choices.levelEntries[choices.selectedEntry];
  const QuestLevels levels = LevelsOf(folder_);
  const bool random = entry == kRandomLevelEntry;
  std::vector<NormalQuestLevel> picked;
  // A different random level each stage where there are several; one that
  // cannot be played is passed over.
  for (int stage = 0; stage < (random ? kNormalQuestStages : 1); ++stage) {
    for (int draw = 0; draw < kLevelDraws && picked.size() == static_cast<std::size_t>(stage); ++draw) {
      const std::string name = random ? choices.levelEntries[PickRandomLevel(choices.levelEntries, state_.Random)] : entry;
      const bool repeated = random && choices.levelEntries.size() > 2 && !picked.empty() && picked.back().name == name;
      if (const std::optional<LevelData> level = levels(name); level && !repeated) picked.push_back({name, *level});
    }
    if (picked.size() == static_cast<std::size_t>(stage)) {
      messages_.Show(random ? std::string("None of the levels can be played.") : "The map you have selected cannot be played.",
                     "Map Error", MessageIcon::Critical);
      return std::nullopt;
    }
  }
  return MakeNormalQuest(random ? "random levels" : entry, picked);
}

void QuestFlow::Run(const Quest& quest, const std::string& key, int firstStage, const QuestStartChoices& choices,
                    const std::vector<UnplayableStage>& passedOver) {
  QuestRun run(quest, firstStage);
  const QuestLevels levels = LevelsOf(folder_);
  while (true) {
    if (PassedOver(run, passedOver)) {
      if (!run.Over()) continue;
      screens_.ShowSummary({quest, run, Progress().Get(key, run.StageCount())});
      return;
    }
    const int stage = run.Stage();
    const QuestStage& plan = quest.stages[static_cast<std::size_t>(stage)];
    const StageSeats seats = Seat(plan, choices);
    const LevelData level = levels(plan.level).value_or(LevelData{});
    if (!screens_.ShowCard({quest, stage, run.TriesLeft(), seats, level})) {
      if (AskToLeave()) return;
      continue;
    }
    const std::optional<StagePlay> played = PlayStage(quest, stage, seats);
    if (!played) return;  // the message said why
    // Left with Escape: the stage again, at no cost, unless the player goes.
    if (played->verdict == StageVerdict::Playing) {
      if (AskToLeave()) return;
      continue;
    }
    run.Record(played->verdict, played->tally);
    Keep(key, run);
    const bool goOn = screens_.ShowResult({quest, stage, played->verdict, played->tally, run.TriesLeft()});
    if (run.Over()) {
      const QuestRecord record = Progress().Get(key, run.StageCount());
      screens_.ShowSummary({quest, run, record});
      return;
    }
    if (!goOn && AskToLeave()) return;
  }
}

void QuestFlow::TryStage(const Quest& quest, int stage, const QuestStartChoices& choices) {
  if (stage < 0 || stage >= static_cast<int>(quest.stages.size())) return;
  const QuestStage& plan = quest.stages[static_cast<std::size_t>(stage)];
  const StageSeats seats = Seat(plan, choices);
  const LevelData level = LevelsOf(folder_)(plan.level).value_or(LevelData{});
  if (!screens_.ShowCard({quest, stage, quest.tries, seats, level})) return;
  const std::optional<StagePlay> played = PlayStage(quest, stage, seats);
  if (!played || played->verdict == StageVerdict::Playing) return;
  screens_.ShowResult({quest, stage, played->verdict, played->tally, quest.tries});
}

// The stage to play was passed over, as its message says.
bool QuestFlow::PassedOver(QuestRun& run, const std::vector<UnplayableStage>& passedOver) {
  for (const UnplayableStage& unplayable : passedOver) {
    if (unplayable.stage != run.Stage()) continue;
    messages_.Show("Stage " + std::to_string(unplayable.stage + 1) + " is passed over: " + unplayable.reason + ".",
                   kQuestsTitle, MessageIcon::Information);
    run.PassOver();
    return true;
  }
  return false;
}

// Pictures beyond the character sheet's rows come round again.
StageSeats QuestFlow::Seat(const QuestStage& stage, const QuestStartChoices& choices) const {
  StageSeats seats = SeatStage(stage, choices.players, choices.characters);
  for (StageSeat& seat : seats) {
    if (sheet_.Loaded() && sheet_.Rows() > 0) seat.character %= sheet_.Rows();
  }
  return seats;
}

std::optional<QuestFlow::StagePlay> QuestFlow::PlayStage(const Quest& quest, int stage, const StageSeats& seats) {
  const QuestStage& plan = quest.stages[static_cast<std::size_t>(stage)];
  MatchLevel level;
  level.name = plan.level;
  const auto path = folder_.Find(plan.level);
  const IoResult loaded = path ? LoadLevel(*path, state_, level.tileSetNumber, level.backgroundNumber)
                               : IoResult::Failure(plan.level + " is not in " + folder_.SearchedFolders());
  if (!loaded) {
    messages_.Show("The map of this stage cannot be played.\n" + loaded.reason, "Map Error", MessageIcon::Critical);
    return std::nullopt;
  }
  if (!CheckLevelPictures(level, folder_, messages_) || !CanSeat(plan, seats)) return std::nullopt;
  PrepareStage(plan, seats, state_);
  StageReferee referee(plan, seats, state_);
  QuestMatch match;
  match.tileSetNumber = level.tileSetNumber;
  match.backgroundNumber = level.backgroundNumber;
  match.characters = SeatCharacters(seats);
  match.levelName = plan.level;
  match.strengths = SeatStrengths(seats);
  match.afterFrame = [this, &referee](const FrameOutcome& outcome) { return referee.AfterFrame(state_, outcome); };
  match.occasion = [&quest, stage, &referee] {
    const StageVerdict verdict = referee.Verdict();
    const char* outcome = verdict == StageVerdict::Won    ? "won"
                          : verdict == StageVerdict::Lost ? "lost"
                          : verdict == StageVerdict::Draw ? "a draw"
                                                          : "";
    return StageOccasion(quest, stage, outcome, Replay::kMaxOccasionBytes);
  };
  for (std::size_t i = 0; i < seats.size(); ++i) match.names[i] = SeatName(seats[i], i);
  if (runMatch_) runMatch_(match);
  return StagePlay{referee.Verdict(), referee.Tally()};
}

// A level changed since the quest was read may have lost a start cell.
bool QuestFlow::CanSeat(const QuestStage& stage, const StageSeats& seats) {
  for (std::size_t i = 0; i < seats.size(); ++i) {
    const Character& figure = state_.Characters[i];
    if (seats[i].role == SeatRole::Empty || OnMap(figure.X, figure.Y)) continue;
    messages_.Show("The level " + stage.level + " has no start cell for player " + std::to_string(i + 1) +
                       ", whom this stage needs.",
                   "Map Error", MessageIcon::Critical);
    return false;
  }
  return true;
}

bool QuestFlow::AskToLeave() {
  return messages_.Show("Leave the quest?  \"Continue\" takes it up again at the furthest stage reached.",
                        "Leave the quest", MessageIcon::Information, MessageButtons::OkCancel) == MessageAnswer::Ok;
}

QuestProgress& QuestFlow::Progress() {
  if (!progress_) {
    std::string report;
    progress_ = LoadQuestProgress(folder_, report);
    if (!report.empty()) messages_.Show(report, kQuestsTitle, MessageIcon::Information);
  }
  return *progress_;
}

// A disk that refuses costs only the record, and is told once.
void QuestFlow::Keep(const std::string& key, const QuestRun& run) {
  Progress().Note(key, run);
  if (const IoResult saved = SaveQuestProgress(folder_, Progress()); !saved && !saveFailureTold_) {
    saveFailureTold_ = true;
    messages_.Show("The quests' progress could not be saved: " + saved.reason, kQuestsTitle, MessageIcon::Information);
  }
}

}  // namespace fl3
