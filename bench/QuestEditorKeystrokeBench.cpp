// What one typed character of a briefing costs in the quest editor: the
// stage taken over, every stage of the list checked against its level file
// (so that a stage without its level is marked at once) and the chosen stage
// shown again. On the shipped campaign (16 stages) and on the longest quest
// (40 stages), read from the built game folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "editor/QuestEditorWindow.h"
#include "editor/QuestStagePanel.h"
#include "editor/SimpleComboBox.h"

namespace {

class SilentMessages : public fl3::Messages {
 public:
  fl3::MessageAnswer Show(const std::string&, const std::string&, fl3::MessageIcon, fl3::MessageButtons) override {
    return fl3::MessageAnswer::Ok;
  }
};

void BM_BriefingKeystroke(benchmark::State& run) {
  const fl3::GameFolder folder(FUSELARK3_GAME_DIR);
  SilentMessages messages;
  fl3::frmQuestEdit window(folder, messages, {});
  window.listFiles()->setText("CAMPAIGN.FLQ");
  window.buttonOpen()->click();
  while (static_cast<int>(window.Model().Draft().stages.size()) < run.range(0)) window.Model().DuplicateStage();
  QLineEdit* briefing = window.stagePanel()->txtboxBriefing();
  for (auto _ : run) {
    QTest::keyClick(briefing, Qt::Key_Backspace);
    QTest::keyClick(briefing, Qt::Key_A);
  }
  run.SetItemsProcessed(2 * run.iterations());  // keystrokes
}
BENCHMARK(BM_BriefingKeystroke)->Arg(16)->Arg(40)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
