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

  // A caption outside the cycle changes nothing.
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

TEST_F(StartScreenTest, LivesEntriesTakeOnlyDigitsAndBackspaceTheTimeEntryAnything) {
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

  QLineEdit* time = screen->txtboxTime();
  time->clear();
  QTest::keyClicks(time, "x1.5");
  EXPECT_EQ(time->text(), "x1.");
}

TEST_F(StartScreenTest, OptionsAndEditOpenTheirWindowsAndEditRefillsTheLevelList) {
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
  EXPECT_EQ(optionsOpened, 0);
  screen->buttonOptions()->click();
  EXPECT_EQ(optionsOpened, 1);
  EXPECT_EQ(editorOpened, 1);
  EXPECT_EQ(quitCalls, 0);
}

TEST_F(StartScreenTest, QuitAndClosingTheWindowDeleteTheScratchPicturesAndEndTheProgram) {
  WritePlayableFolder();
  for (const char* name : {"T.BMP", "t2.bmp", "T4.BMP", "T5.BMP", "Tiles.BMP"}) WritePicture(name);
  auto screen = Open();
  screen->show();
  screen->buttonQuit()->click();
  EXPECT_EQ(quitCalls, 1);
  EXPECT_FALSE(screen->isVisible());
  EXPECT_EQ(game.List("*"), (std::vector<std::string>{"A1.BMP", "Arena.FL3", "C.BMP", "T5.BMP", "Tiles.BMP"}));

  WritePicture("T1.BMP");
  WritePicture("T3.BMP");
  auto again = Open();
  again->show();
  EXPECT_TRUE(again->close());
  EXPECT_EQ(quitCalls, 2);
  EXPECT_FALSE(game.Exists("T1.BMP"));
  EXPECT_FALSE(game.Exists("T3.BMP"));
}

}  // namespace
}  // namespace fl3::testing
