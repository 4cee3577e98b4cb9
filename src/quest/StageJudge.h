#pragma once
#include "core/GameState.h"
#include "quest/Quest.h"
#include "quest/StageSeats.h"

namespace fl3 {

enum class StageVerdict { Playing, Won, Lost, Draw };

// The stage's verdict on the state a frame left. Allies win and lose
// together: their kills and lives count as one side's, and the stage is lost
// to figures only once every player figure is out.
StageVerdict JudgeStage(const QuestStage& stage, const StageSeats& seats, const GameState& state);

}  // namespace fl3
