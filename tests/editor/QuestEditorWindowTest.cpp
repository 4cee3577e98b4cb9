// The quest editor window's wiring; its rules are tested on its model.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "../ui/WindowBench.h"
#include "editor/QuestEditorWindow.h"
#include "editor/QuestStagePanel.h"
#include "editor/SimpleComboBox.h"
#include "quest/QuestFile.h"

namespace fl3::testing {
namespace {

struct Tried {
  Quest quest;
  int stage;
  int players;
};

// GARDEN.FL3 and HILL.FL3, and OLD.FLQ whose second stage's level has gone.
struct QuestEditorWindowBench : WindowBench {
  QuestEditorWindowBench() {
    WriteLevel("GARDEN.FL3");
    WriteLevel("HILL.FL3");
    const QuestStage stage{"GARDEN.FL3", StageRule::DefeatAll, 3, 0, 0, "", {{}}};
    QuestStage gone = stage, hill = stage;
    gone.level = "GONE.FL3";
    hill.level = "HILL.FL3";
    EXPECT_TRUE(WriteQuestFile(folder, "OLD.FLQ", {"Old", "", 3, {stage, gone, hill}}));
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QString Entry(int row) const { return window.listStages()->item(row)->text(); }
  std::vector<std::string> Levels() {
    std::vector<std::string> levels;
    for (const StageDraft& stage : window.Model().Draft().stages) levels.push_back(stage.stage.level);
    return levels;
  }

  std::vector<Tried> tried;
  frmQuestEdit window{folder, messages, [this](const Quest& quest, int stage, int players) {
                        tried.push_back({quest, stage, players});
                      }};
};

// Catches a shortcut wired to the wrong move and Delete taken from a text field.
TEST(QuestEditorWindow, TheStageListsShortcutsMoveTheChosenStage) {
  QuestEditorWindowBench bench;
  bench.window.listFiles()->setText("OLD.FLQ");
  bench.window.buttonOpen()->click();
  const std::string garden = "GARDEN.FL3", gone = "GONE.FL3", hill = "HILL.FL3";
  const struct {
    QKeyCombination keys;
    QWidget* focus;
    std::vector<std::string> levels;
    int chosen;
  } rows[] = {
      {Qt::CTRL | Qt::Key_Down, bench.window.listStages(), {gone, garden, hill}, 1},
      {Qt::CTRL | Qt::Key_D, bench.window.listStages(), {gone, garden, garden, hill}, 2},
      {Qt::CTRL | Qt::Key_Up, bench.window.listStages(), {gone, garden, garden, hill}, 1},
      {Qt::CTRL | Qt::Key_N, bench.window.listStages(), {gone, garden, garden, garden, hill}, 2},
      {Qt::CTRL | Qt::Key_Delete, bench.window.listStages(), {gone, garden, garden, hill}, 2},
      {Qt::Key_Delete, bench.window.listStages(), {gone, garden, hill}, 2},
      {Qt::Key_Delete, bench.window.txtboxName(), {gone, garden, hill}, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    row.focus->setFocus();
    QTest::keyClick(row.focus, row.keys.key(), row.keys.keyboardModifiers());
    EXPECT_EQ(bench.Levels(), row.levels);
    EXPECT_EQ(bench.window.listStages()->currentRow(), row.chosen);
  }
}

// Catches a stage whose level went that is refused or not marked, and a try
// that plays another stage than the chosen one or plays an unplayable one.
TEST(QuestEditorWindow, AStageWhoseLevelWentIsMarkedAndRefusedWhileTheOthersAreTried) {
  QuestEditorWindowBench bench;
  bench.window.listFiles()->setText("OLD.FLQ");
  bench.window.buttonOpen()->click();
  ASSERT_EQ(bench.window.listStages()->count(), 3);
  EXPECT_EQ(bench.Entry(1), "! 2. GONE.FL3, Defeat them all");
  EXPECT_EQ(bench.Entry(2), "3. HILL.FL3, Defeat them all");
  bench.window.listStages()->setCurrentRow(1);
  EXPECT_EQ(bench.window.stagePanel()->labelProblem()->text(),
            "Cannot be played: the level \"GONE.FL3\" is not in the game folder or cannot be played.");
  bench.window.buttonTry()->click();
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].title, "Cannot try");
  EXPECT_TRUE(bench.tried.empty());
  bench.window.listStages()->setCurrentRow(2);
  bench.window.listPlayers()->setCurrentIndex(1);
  QTest::keyClick(&bench.window, Qt::Key_T, Qt::ControlModifier);
  ASSERT_EQ(bench.tried.size(), 1u);
  EXPECT_EQ(std::tuple(bench.tried[0].stage, bench.tried[0].players), std::tuple(2, 2));
  EXPECT_EQ(bench.tried[0].quest, bench.window.Model().ToQuest());
  EXPECT_FALSE(bench.window.Model().Changed);  // a try changes nothing
}

}  // namespace
}  // namespace fl3::testing
