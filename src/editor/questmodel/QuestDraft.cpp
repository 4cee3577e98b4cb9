#include "editor/questmodel/QuestDraft.h"

#include <algorithm>

namespace fl3 {
namespace {

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// Opponents take the character rows after the two players' usual ones.
constexpr std::int32_t kFirstOpponentCharacter = 2;

}  // namespace

StageDraft FreshStage(const std::string& level) {
  StageDraft draft;
  draft.stage.level = level;
  for (std::size_t i = 0; i < draft.seats.size(); ++i) {
    draft.seats[i].opponent.character = kFirstOpponentCharacter + static_cast<std::int32_t>(i);
  }
  draft.seats[0].on = true;
  return draft;
}

QuestStage StageOf(const StageDraft& draft) {
  QuestStage stage = draft.stage;
  stage.opponents.clear();
  for (const OpponentSeat& seat : draft.seats) {
    if (seat.on) stage.opponents.push_back(seat.opponent);
  }
  // What the stage's rule does not use is not kept.
  if (!RuleHasTime(stage.rule)) stage.seconds = 0;
  if (stage.rule != StageRule::MostKills) stage.kills = 0;
  return stage;
}

StageDraft DraftOf(const QuestStage& stage) {
  StageDraft draft = FreshStage(stage.level);
  draft.stage = stage;
  draft.stage.opponents.clear();
  for (std::size_t i = 0; i < draft.seats.size(); ++i) {
    draft.seats[i].on = i < stage.opponents.size();
    if (draft.seats[i].on) draft.seats[i].opponent = stage.opponents[i];
  }
  return draft;
}

Quest QuestOf(const QuestDraft& draft) {
  Quest quest{draft.name, draft.about, draft.tries, {}};
  for (const StageDraft& stage : draft.stages) quest.stages.push_back(StageOf(stage));
  return quest;
}

QuestDraft DraftOf(const Quest& quest) {
  QuestDraft draft{quest.name, quest.about, quest.tries, {}};
  for (const QuestStage& stage : quest.stages) draft.stages.push_back(DraftOf(stage));
  return draft;
}

std::string OneLine(std::string text, std::size_t characters) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
  std::size_t seen = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (StartsCharacter(text[at]) && ++seen > characters) {
      text.resize(at);
      break;
    }
  }
  return text;
}

std::size_t CharacterCount(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), StartsCharacter));
}

}  // namespace fl3
