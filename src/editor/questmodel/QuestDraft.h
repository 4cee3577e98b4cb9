#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "quest/Quest.h"

namespace fl3 {

inline constexpr int kOpponentSeats = static_cast<int>(quest_limits::kMaxOpponents);

// One opponent's seat as the editor shows it: switched off, its values are
// kept for when it is switched on again.
struct OpponentSeat {
  bool on = false;
  QuestOpponent opponent;
  friend bool operator==(const OpponentSeat&, const OpponentSeat&) = default;
};

// A stage being edited: everything but its opponents, which sit in seats.
struct StageDraft {
  QuestStage stage;  // its opponents stay empty here
  std::array<OpponentSeat, kOpponentSeats> seats{};
  friend bool operator==(const StageDraft&, const StageDraft&) = default;
};

struct QuestDraft {
  std::string name;
  std::string about;
  std::int32_t tries = 3;
  std::vector<StageDraft> stages;
  friend bool operator==(const QuestDraft&, const QuestDraft&) = default;
};

// A new stage on that level: "Defeat them all" against one Normal opponent.
StageDraft FreshStage(const std::string& level);

// The seats that are on become the stage's opponents, in seat order.
QuestStage StageOf(const StageDraft& draft);
StageDraft DraftOf(const QuestStage& stage);
Quest QuestOf(const QuestDraft& draft);
QuestDraft DraftOf(const Quest& quest);

// Text as a quest file holds it: one line (control characters become
// blanks), at most `characters` characters, never cut inside a character.
std::string OneLine(std::string text, std::size_t characters);
std::size_t CharacterCount(const std::string& utf8);

}  // namespace fl3
