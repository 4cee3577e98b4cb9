#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include "EditorWindowTestSupport.h"
#include "editor/MusicPropertiesDialog.h"
#include "editor/NumericPropertiesDialog.h"

namespace fl3 {
namespace {

using testing::EditorWindowBench;
using Calls = std::vector<std::string>;

// Types over the whole box, as a user who selected it first.
void Retype(QLineEdit* box, const QString& text) {
  box->selectAll();
  QTest::keyClicks(box, text);
}

TEST(NumericDialog, ShowsEighteenRowsWithTheCurrentValues) {
  EditorWindowBench bench;
  bench.state.Characters[3].PowerBombs = 4;
  bench.Window().Model().BackgroundNumber = -1;
  frmNormalEditPropN dialog(bench.Window().Model(), &bench.Window());
  EXPECT_EQ(dialog.windowTitle(), "Extended Level Properties (Numerical)");
  EXPECT_EQ(dialog.size(), QSize(312, 392));
  EXPECT_EQ(dialog.txtboxProp(0)->text(), "0");
  EXPECT_EQ(dialog.txtboxProp(1)->text(), "-1");
  EXPECT_EQ(dialog.txtboxProp(17)->text(), "4");
  EXPECT_EQ(dialog.txtboxProp(5)->geometry(), QRect(108, 104, 53, 19));
  EXPECT_EQ(dialog.buttonClose()->geometry(), QRect(244, 368, 65, 21));
  EXPECT_EQ(dialog.findChild<QLabel*>("txtProp_0")->text(), "Level TileSet : ");
  EXPECT_EQ(dialog.findChild<QLabel*>("txtProp_13")->text(), "P#2 Starting Bombs :");
  EXPECT_EQ(dialog.findChild<QLabel*>("txtHint_1")->text(), "B*.BMP  -1 = none (faster)");
  EXPECT_EQ(dialog.findChild<QLabel*>("txtHint_6")->text(), "0 ~ 24  50 = can't play");
  EXPECT_EQ(dialog.findChild<QLabel*>("txtHint_10"), nullptr);
  // Filling the boxes is no change.
  EXPECT_FALSE(bench.Window().Model().FileChanged);
}

TEST(NumericDialog, TypedNumbersAreRoundedHalfToEvenAndTakenOver) {
  EditorWindowBench bench;
  frmNormalEditPropN dialog(bench.Window().Model(), &bench.Window());
  Retype(dialog.txtboxProp(2), "2.5");
  Retype(dialog.txtboxProp(3), "3.5");
  EXPECT_EQ(bench.state.Characters[0].X, 2);
  EXPECT_EQ(bench.state.Characters[0].Y, 4);
  EXPECT_TRUE(bench.Window().Model().FileChanged);
  EXPECT_EQ(dialog.windowTitle(), "Extended Level Properties (Numerical)");

  // On the way to "1e1" the box holds "1e", which is no number.
  Retype(dialog.txtboxProp(10), "1e1");
  EXPECT_EQ(bench.state.Characters[0].PowerFire, 10);
  EXPECT_EQ(dialog.windowTitle(), "!!Something not numerical, all will fail if not fixed!!");
}

TEST(NumericDialog, TheWarningTitleStaysAfterTheBoxIsMended) {
  EditorWindowBench bench;
  frmNormalEditPropN dialog(bench.Window().Model(), &bench.Window());
  QLineEdit* background = dialog.txtboxProp(1);
  background->selectAll();
  QTest::keyClick(background, Qt::Key_Backspace);
  QTest::keyClick(background, Qt::Key_Minus);
  EXPECT_EQ(dialog.windowTitle(), "!!Something not numerical, all will fail if not fixed!!");
  EXPECT_FALSE(bench.Window().Model().FileChanged);

  QTest::keyClick(background, Qt::Key_1);
  EXPECT_EQ(bench.Window().Model().BackgroundNumber, -1);
  EXPECT_TRUE(bench.Window().Model().FileChanged);
  EXPECT_EQ(dialog.windowTitle(), "!!Something not numerical, all will fail if not fixed!!");

  frmNormalEditPropN reopened(bench.Window().Model(), &bench.Window());
  EXPECT_EQ(reopened.windowTitle(), "Extended Level Properties (Numerical)");
  EXPECT_EQ(reopened.txtboxProp(1)->text(), "-1");
}

TEST(NumericDialog, EditorButtonOpensItModallyWithThePointerTimerStopped) {
  EditorWindowBench bench;
  frmNormalEdit& window = bench.Window();
  bool timerWasRunning = true;
  QString title;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    title = modal->windowTitle();
    timerWasRunning = window.timerMouse()->isActive();
    auto* dialog = qobject_cast<frmNormalEditPropN*>(modal);
    ASSERT_NE(dialog, nullptr);
    Retype(dialog->txtboxProp(0), "3");
    dialog->buttonClose()->click();
  });
  bench.temp.Write("LATE.FL3", "");

  window.buttonLevel(0)->click();

  EXPECT_EQ(title, "Extended Level Properties (Numerical)");
  EXPECT_FALSE(timerWasRunning);
  EXPECT_TRUE(window.timerMouse()->isActive());
  EXPECT_EQ(window.Model().TileSetNumber, 3);
  EXPECT_EQ(window.listFiles()->items(), QStringList({"LATE.FL3"}));  // refilled on coming back
}

struct MusicDialogBench : EditorWindowBench {
  MusicDialogBench() {
    temp.Write("battle.mid", "MThd");
    temp.Write("CAVERN.MID", "MThd");
    temp.Write("NOTES.TXT", "");
  }
  std::unique_ptr<frmNormalEditPropT> Open() {
    return std::make_unique<frmNormalEditPropT>(state, folder, messages, music, &Window());
  }
  static QStringList Entries(const frmNormalEditPropT& dialog) {
    QStringList entries;
    for (int i = 0; i < dialog.listMusic()->count(); ++i) entries << dialog.listMusic()->itemText(i);
    return entries;
  }
};

TEST(MusicDialog, ListsTheTunesAfterAnEmptyEntrySelectsTheExactNameAndAChoiceIsNoUnsavedChange) {
  MusicDialogBench bench;
  bench.state.LevelMusic = "CAVERN.MID";
  auto dialog = bench.Open();
  EXPECT_EQ(dialog->windowTitle(), "Extended Level Properties (Alphanumerical)");
  EXPECT_EQ(dialog->size(), QSize(311, 391));
  EXPECT_EQ(dialog->listMusic()->geometry().topLeft(), QPoint(108, 4));
  EXPECT_EQ(dialog->buttonMusicTest()->geometry(), QRect(260, 4, 49, 21));
  EXPECT_EQ(MusicDialogBench::Entries(*dialog), QStringList({"", "battle.mid", "CAVERN.MID"}));
  EXPECT_EQ(dialog->listMusic()->currentIndex(), 2);
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128"}));
  dialog.reset();

  bench.state.LevelMusic = "BATTLE.MID";  // letter case counts
  EXPECT_EQ(bench.Open()->listMusic()->currentIndex(), -1);
  bench.state.LevelMusic = "";
  dialog = bench.Open();
  QComboBox* list = dialog->listMusic();
  EXPECT_EQ(list->currentIndex(), 0);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(bench.state.LevelMusic, "battle.mid");
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(bench.state.LevelMusic, "");
  EXPECT_FALSE(bench.Window().Model().FileChanged);
}

TEST(MusicDialog, TestPlaysTheChoiceStopEndsItAndWithoutAFileItShowsItsMessage) {
  MusicDialogBench bench;
  bench.state.LevelMusic = "GONE.MID";
  auto dialog = bench.Open();
  QPushButton* test = dialog->buttonMusicTest();
  test->click();  // nothing selected
  dialog->listMusic()->setCurrentIndex(0);
  test->click();  // the empty entry
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  for (const auto& shown : bench.messages.shown) {
    EXPECT_EQ(shown.text, "File not selected.");
    EXPECT_EQ(shown.title, "File not found!");
  }
  EXPECT_EQ(test->text(), "Test");
  EXPECT_EQ(bench.state.LevelMusic, "GONE.MID");  // kept until an entry is chosen

  dialog->listMusic()->setCurrentIndex(1);
  test->click();
  EXPECT_EQ(test->text(), "Stop");
  test->click();
  EXPECT_EQ(test->text(), "Test");
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "LoadMusic battle.mid midi", "SetMusicTempo 1", "SetMusicVolume 0",
                                      "SetMusicGroove 0", "PlayMusic #1 -1", "StopMusic #1"}));
}

TEST(MusicDialog, CloseAndTheWindowManagerStopTheTestAndReleaseTheMusic) {
  MusicDialogBench bench;
  bench.state.LevelMusic = "CAVERN.MID";
  {
    auto dialog = bench.Open();
    dialog->show();
    dialog->buttonMusicTest()->click();
    bench.music.calls.clear();
    dialog->buttonClose()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(bench.music.calls, Calls({"StopMusic #1", "ReleaseMusic"}));
  }
  EXPECT_EQ(bench.music.calls.size(), 2u);  // not released twice

  bench.music.calls.clear();
  auto dialog = bench.Open();
  dialog->show();
  dialog->buttonMusicTest()->click();
  EXPECT_TRUE(dialog->close());
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "LoadMusic CAVERN.MID midi", "SetMusicTempo 1", "SetMusicVolume 0",
                                      "SetMusicGroove 0", "PlayMusic #2 -1", "StopMusic #2", "ReleaseMusic"}));
}

TEST(MusicDialog, EditorButtonOpensItModally) {
  MusicDialogBench bench;
  frmNormalEdit& window = bench.Window();
  QString title;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    title = modal->windowTitle();
    modal->close();
  });
  window.buttonLevel(1)->click();
  EXPECT_EQ(title, "Extended Level Properties (Alphanumerical)");
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "ReleaseMusic"}));
  EXPECT_TRUE(window.timerMouse()->isActive());
}

}  // namespace
}  // namespace fl3
