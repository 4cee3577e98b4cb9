#pragma once
#include <QDialog>

#include "ui/quest/QuestScreens.h"

class QLabel;
class QTableWidget;

namespace fl3 {

// After the last stage or the last try: how far the run went, each stage's
// result in this run beside the best time kept, and the best run kept.
class QuestSummaryWindow : public QDialog {
  Q_OBJECT

 public:
  explicit QuestSummaryWindow(const QuestSummaryInfo& summary, QWidget* parent = nullptr);

  QLabel* labelOutcome() const { return outcome_; }
  QTableWidget* tableStages() const { return table_; }

 private:
  QLabel* outcome_ = nullptr;
  QTableWidget* table_ = nullptr;
};

}  // namespace fl3
