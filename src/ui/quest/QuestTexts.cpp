#include "ui/quest/QuestTexts.h"

namespace fl3 {

QString GameTime(std::int64_t ms) {
  const std::int64_t seconds = ms / 1000;
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString Reached(const QuestRecord& record, int stageCount) {
  if (record.finished) return QStringLiteral("Finished (all %1 stages)").arg(stageCount);
  return QStringLiteral("Stage %1 of %2 reached").arg(record.reached).arg(stageCount);
}

QString BestRun(const QuestRecord& record, int stageCount) {
  if (record.bestStages == 0) return QStringLiteral("Best run: no stage won yet");
  if (record.bestStages == stageCount) return QStringLiteral("Best run: all stages in %1").arg(GameTime(record.bestMs));
  return QStringLiteral("Best run: %1 stage%2 in %3")
      .arg(record.bestStages)
      .arg(record.bestStages == 1 ? "" : "s")
      .arg(GameTime(record.bestMs));
}

}  // namespace fl3
