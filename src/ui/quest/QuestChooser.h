#pragma once
#include <QDialog>
#include <optional>
#include <vector>

#include "ui/quest/QuestScreens.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace fl3 {

// The quests to choose from, the shipped campaign first: each with its
// paragraph, the furthest stage reached and its best run. "Continue" (Enter)
// goes on at the furthest stage reached, "From the Start" begins anew.
class QuestChooser : public QDialog {
  Q_OBJECT

 public:
  explicit QuestChooser(const std::vector<QuestChoiceEntry>& quests, QWidget* parent = nullptr);

  // What was chosen once the dialog was accepted.
  std::optional<QuestChoice> Choice() const { return choice_; }

  QListWidget* listQuests() const { return list_; }
  QPushButton* buttonContinue() const { return continue_; }
  QPushButton* buttonFromStart() const { return fromStart_; }
  QLabel* labelAbout() const { return about_; }

 private:
  void ShowQuest(int row);
  void Choose(bool fromStart);

  const std::vector<QuestChoiceEntry>& quests_;
  QListWidget* list_ = nullptr;
  QLabel* name_ = nullptr;
  QLabel* about_ = nullptr;
  QLabel* reached_ = nullptr;
  QLabel* best_ = nullptr;
  QPushButton* continue_ = nullptr;
  QPushButton* fromStart_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::optional<QuestChoice> choice_;
};

}  // namespace fl3
