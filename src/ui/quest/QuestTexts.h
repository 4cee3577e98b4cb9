#pragma once
#include <QString>
#include <cstdint>

#include "quest/QuestProgress.h"

namespace fl3 {

// Game time as minutes and seconds, "1:05".
QString GameTime(std::int64_t ms);
// "Stage 5 of 16 reached", "Finished".
QString Reached(const QuestRecord& record, int stageCount);
// "Best run: 7 stages in 9:12", or that none was won yet.
QString BestRun(const QuestRecord& record, int stageCount);

}  // namespace fl3
