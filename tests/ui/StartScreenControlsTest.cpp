#include <QTest>

#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

// The face colour of a controller button, read off the drawn button away
// from its caption and border.
QColor FaceColour(QPushButton* button) { return button->grab().toImage().pixelColor(3, 3); }

TEST_F(StartScreenTest, ControllerButtonsCycleManCpuOffWithTheirColours) {
  WritePlayableFolder();
  auto screen = Open();
  QPushButton* button = screen->buttonChar(2);
  EXPECT_EQ(FaceColour(button), QColor(255, 0, 0));

  struct Step {
    const char* caption;
    std::int32_t cont;
    QColor face;
  };
  const Step cycle[] = {{"MAN", ContMan, QColor(0, 255, 0)},
                        {"CPU", ContCpu, QColor(0, 0, 255)},
                        {"OFF", ContOff, QColor(255, 0, 0)},
                        {"MAN", ContMan, QColor(0, 255, 0)}};
  for (const Step& step : cycle) {
    SCOPED_TRACE(step.caption);
    button->click();
    EXPECT_EQ(button->text(), step.caption);
    EXPECT_EQ(state.Characters[2].Cont, step.cont);
    EXPECT_EQ(FaceColour(button), step.face);
  }
  // Only the clicked figure changes.
  EXPECT_EQ(state.Characters[0].Cont, ContMan);
  EXPECT_EQ(state.Characters[1].Cont, ContCpu);
  EXPECT_EQ(state.Characters[3].Cont, ContOff);
}

TEST_F(StartScreenTest, ACaptionOutsideTheCycleChangesNothing) {
  WritePlayableFolder();
  auto screen = Open();
  screen->buttonChar(3)->setText("???");
  screen->buttonChar(3)->click();
  EXPECT_EQ(screen->buttonChar(3)->text(), "???");
  EXPECT_EQ(state.Characters[3].Cont, ContOff);
}

TEST_F(StartScreenTest, ReleasingTheMouseOverAControllerButtonFocusesStart) {
  WritePlayableFolder();
  auto screen = Open();
  screen->show();
  screen->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
  screen->buttonQuit()->setFocus();
  ASSERT_EQ(screen->focusWidget(), screen->buttonQuit());

  QTest::mouseClick(screen->buttonChar(1), Qt::LeftButton);
  EXPECT_EQ(screen->buttonChar(1)->text(), "OFF");
  EXPECT_EQ(screen->focusWidget(), screen->buttonPlay());
}

TEST_F(StartScreenTest, LivesEntriesTakeOnlyDigitsAndBackspace) {
  WritePlayableFolder();
  auto screen = Open();
  QLineEdit* lives = screen->txtboxLives(1);
  lives->clear();
  QTest::keyClicks(lives, "a7x!");
  EXPECT_EQ(lives->text(), "7");
  QTest::keyClicks(lives, "q39");  // the entry holds two characters at most
  EXPECT_EQ(lives->text(), "73");
  QTest::keyClick(lives, Qt::Key_Backspace);
  EXPECT_EQ(lives->text(), "7");
  QTest::keyClick(lives, Qt::Key_Backspace);
  EXPECT_EQ(lives->text(), "");
  // Pasted text is held to digits as well.
  lives->insert("b");
  EXPECT_EQ(lives->text(), "");
}

TEST_F(StartScreenTest, TheTimeEntryTakesAnyThreeCharacters) {
  WritePlayableFolder();
  auto screen = Open();
  QLineEdit* time = screen->txtboxTime();
  time->clear();
  QTest::keyClicks(time, "x1.5");
  EXPECT_EQ(time->text(), "x1.");
}

TEST_F(StartScreenTest, OptionsOpensTheOptionsHook) {
  WritePlayableFolder();
  auto screen = Open();
  screen->buttonOptions()->click();
  EXPECT_EQ(optionsOpened, 1);
  EXPECT_EQ(quitCalls, 0);
}

TEST_F(StartScreenTest, EditRefillsTheLevelListWhenTheEditorCloses) {
  WritePlayableFolder();
  WriteLevel("Zoo.FL3");
  auto screen = Open();
  screen->listLevel()->setCurrentIndex(2);
  inEditor = [this] { WriteLevel("Made In Editor.FL3"); };
  screen->buttonEdit()->click();
  EXPECT_EQ(editorOpened, 1);
  const std::vector<std::string> expected = {"~Random", "Arena.FL3", "Made In Editor.FL3", "Zoo.FL3"};
  EXPECT_EQ(ListEntries(*screen), expected);
  EXPECT_EQ(screen->listLevel()->currentIndex(), 0);
}

TEST_F(StartScreenTest, QuitDeletesTheScratchPicturesAndEndsTheProgram) {
  WritePlayableFolder();
  for (const char* name : {"T.BMP", "t2.bmp", "T4.BMP", "T5.BMP", "Tiles.BMP"}) WritePicture(name);
  auto screen = Open();
  screen->show();
  screen->buttonQuit()->click();
  EXPECT_EQ(quitCalls, 1);
  EXPECT_FALSE(game.Exists("T.BMP"));
  EXPECT_FALSE(game.Exists("T2.BMP"));
  EXPECT_FALSE(game.Exists("T4.BMP"));
  EXPECT_TRUE(game.Exists("T5.BMP"));
  EXPECT_TRUE(game.Exists("Tiles.BMP"));
  EXPECT_TRUE(game.Exists("A1.BMP"));
  EXPECT_TRUE(game.Exists("C.BMP"));
  EXPECT_FALSE(screen->isVisible());
}

TEST_F(StartScreenTest, ClosingTheWindowCleansUpLikeQuit) {
  WritePlayableFolder();
  WritePicture("T1.BMP");
  WritePicture("T3.BMP");
  auto screen = Open();
  screen->show();
  EXPECT_TRUE(screen->close());
  EXPECT_EQ(quitCalls, 1);
  EXPECT_FALSE(game.Exists("T1.BMP"));
  EXPECT_FALSE(game.Exists("T3.BMP"));
}

}  // namespace
}  // namespace fl3::testing
