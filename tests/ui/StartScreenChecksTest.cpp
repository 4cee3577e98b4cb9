#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

constexpr const char* kAllOff = "You cannot have all the characters being on OFF";
constexpr const char* kCpu = "You cannot have any characters being on CPU  No AI has been created in this DEMO yet";
constexpr const char* kNoLives = "You cannot have a character on MAN or CPU with no lives.";
constexpr const char* kAlone = "You cannot play this game alone.";
constexpr const char* kShortTime = "You cannot play this game for less than 1 second.";
constexpr const char* kNoLevels =
    "You do not have any levels to play.  Please create some, or download some at "
    "https://fuselark3.example.org/levels";

class StartChecksTest : public StartScreenTest {
 protected:
  // Presses Start and expects exactly one message and no match.
  void ExpectRefusal(frmStart& screen, const std::string& text, const std::string& title, MessageIcon icon) {
    messages.shown.clear();
    screen.buttonPlay()->click();
    ASSERT_EQ(messages.shown.size(), 1u) << "expected: " << title;
    EXPECT_EQ(messages.shown[0].text, text);
    EXPECT_EQ(messages.shown[0].title, title);
    EXPECT_EQ(messages.shown[0].icon, icon);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(matches.empty());
  }

  void ExpectStart(frmStart& screen) {
    messages.shown.clear();
    screen.buttonPlay()->click();
    EXPECT_TRUE(messages.shown.empty()) << (messages.shown.empty() ? "" : messages.shown[0].text);
    EXPECT_EQ(matches.size(), 1u);
  }
};

TEST_F(StartChecksTest, FiguresAsTheScreenOpensAndOneClickLater) {
  WritePlayableFolder();
  auto screen = Open();
  ExpectRefusal(*screen, kCpu, "CPUs are not made yet", MessageIcon::Critical);
  screen->buttonChar(1)->click();  // CPU -> OFF: a single MAN is left
  ExpectRefusal(*screen, kAlone, "Only one MAN/CPU??", MessageIcon::Information);
  ClickUntil(*screen, 0, "OFF");
  ExpectRefusal(*screen, kAllOff, "All OFFs", MessageIcon::Critical);
}

TEST_F(StartChecksTest, FigureChecksComeBeforeTheMissingLevels) {
  WriteCharacterSheet();
  WritePicture("A1.BMP");
  auto screen = Open();
  ASSERT_EQ(ListEntries(*screen), std::vector<std::string>{"~Random"});
  ClickUntil(*screen, 0, "OFF");
  ClickUntil(*screen, 1, "OFF");
  ExpectRefusal(*screen, kAllOff, "All OFFs", MessageIcon::Critical);
  ClickUntil(*screen, 0, "CPU");
  ExpectRefusal(*screen, kCpu, "CPUs are not made yet", MessageIcon::Critical);
  ClickUntil(*screen, 0, "MAN");
  ClickUntil(*screen, 3, "MAN");
  ExpectRefusal(*screen, kNoLevels, "No FL3's...", MessageIcon::Critical);
}

TEST_F(StartChecksTest, AFigureWithoutLivesIsNamedByItsIndexFromZero) {
  WritePlayableFolder();
  auto screen = Open();
  TwoMen(*screen);
  screen->txtboxLives(2)->setText("0");
  ExpectRefusal(*screen, kNoLives, "Character 2 has no lives", MessageIcon::Information);

  // An empty entry holds no lives either; the first such figure is named.
  screen->txtboxLives(0)->clear();
  ExpectRefusal(*screen, kNoLives, "Character 0 has no lives", MessageIcon::Information);

  // OFF figures are not asked for lives.
  screen->txtboxLives(0)->setText("3");
  screen->txtboxLives(2)->setText("4");
  screen->txtboxLives(3)->setText("0");
  ExpectStart(*screen);
}

TEST_F(StartChecksTest, TheLivesCheckComesBeforeTheLonePlayerCheck) {
  WritePlayableFolder();
  auto screen = Open();
  ClickUntil(*screen, 1, "OFF");
  screen->txtboxLives(0)->setText("0");
  ExpectRefusal(*screen, kNoLives, "Character 0 has no lives", MessageIcon::Information);
}

TEST_F(StartChecksTest, TimedKindsSkipTheLivesAndCheckTheTime) {
  WritePlayableFolder();
  auto screen = Open();
  TwoMen(*screen);
  screen->txtboxLives(2)->setText("0");
  screen->scrollPlay()->setValue(1);
  screen->txtboxTime()->setText("0");
  ExpectRefusal(*screen, kShortTime, "Time less than 1!", MessageIcon::Information);

  screen->scrollPlay()->setValue(2);
  for (const char* refused : {"0.9", "", "abc", "-5", "nan", "inf"}) {
    SCOPED_TRACE(refused);
    screen->txtboxTime()->setText(refused);
    ExpectRefusal(*screen, kShortTime, "Time less than 1!", MessageIcon::Information);
  }
  screen->txtboxTime()->setText("1");
  ExpectStart(*screen);
}

TEST_F(StartChecksTest, ANormalMatchNeverLooksAtTheTime) {
  WritePlayableFolder();
  auto screen = Open();
  TwoMen(*screen);
  screen->txtboxTime()->setText("0");
  ExpectStart(*screen);
}

TEST_F(StartChecksTest, TheTimeCheckComesBeforeTheMissingLevels) {
  WriteCharacterSheet();
  auto screen = Open();
  TwoMen(*screen);
  screen->scrollPlay()->setValue(1);
  screen->txtboxTime()->setText("0");
  ExpectRefusal(*screen, kShortTime, "Time less than 1!", MessageIcon::Information);
  screen->txtboxTime()->setText("30");
  ExpectRefusal(*screen, kNoLevels, "No FL3's...", MessageIcon::Critical);
}

TEST_F(StartChecksTest, AMissingTilesetIsReportedAfterTheLevelWasLoaded) {
  WriteCharacterSheet();
  WritePicture("A1.BMP");
  WriteLevel("Broken.FL3", 7, -1);
  auto screen = Open();
  TwoMen(*screen);
  screen->listLevel()->setCurrentIndex(1);
  ExpectRefusal(*screen,
                "The map you have selected refers to the missing file \\A7.BMP\n"
                "Either get that file or change the Map's TileSet to a valid one.",
                "Map Error", MessageIcon::Critical);
  // The level stays loaded; nothing after the load was set.
  EXPECT_EQ(state.Tile(0, 0), 7);
  EXPECT_EQ(state.Characters[3].X, 7);
  EXPECT_EQ(state.Characters[3].PowerFire, 5);
}

TEST_F(StartChecksTest, AMissingBackgroundIsReportedUnlessTheLevelHasNone) {
  WriteCharacterSheet();
  WritePicture("a1.bmp");
  WriteLevel("Bare.FL3", 1, -1);
  WriteLevel("Sky.FL3", 1, 12);
  auto screen = Open();
  TwoMen(*screen);
  screen->listLevel()->setCurrentIndex(2);
  ASSERT_EQ(screen->listLevel()->currentText(), "Sky.FL3");
  ExpectRefusal(*screen,
                "The map you have selected refers to the missing file \\B12.BMP\n"
                "Either get that file, change the Map's Background to a valid one or change the Map's "
                "Background to none (-1).",
                "Map Error", MessageIcon::Critical);

  screen->listLevel()->setCurrentIndex(1);
  ExpectStart(*screen);
  EXPECT_EQ(matches[0].background, -1);

  WritePicture("b12.BMP");
  screen->listLevel()->setCurrentIndex(2);
  matches.clear();
  ExpectStart(*screen);
  EXPECT_EQ(matches[0].background, 12);
}

TEST_F(StartChecksTest, AnUnreadableLevelIsReportedAndChangesNothing) {
  WritePlayableFolder();
  folder.Write("Short.FL3", std::string(100, '\x01'));
  auto screen = Open();
  TwoMen(*screen);
  state.MatchKind = MatchMostKills;
  screen->listLevel()->setCurrentIndex(2);
  ASSERT_EQ(screen->listLevel()->currentText(), "Short.FL3");
  messages.shown.clear();
  screen->buttonPlay()->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Map Error");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_NE(messages.shown[0].text.find("Short.FL3"), std::string::npos);
  EXPECT_NE(messages.shown[0].text.find("too short"), std::string::npos);
  EXPECT_TRUE(matches.empty());
  for (const Character& figure : state.Characters) {
    EXPECT_EQ(figure.X, 0);
    EXPECT_EQ(figure.Y, 0);
    EXPECT_EQ(figure.PowerBombs, 0);
  }
  EXPECT_EQ(state.Tile(0, 0), 0);
  EXPECT_EQ(state.MatchKind, MatchMostKills);

  // A level file removed since the list was filled is reported the same way.
  std::filesystem::remove(folder.Path() / "Arena.FL3");
  screen->listLevel()->setCurrentIndex(1);
  messages.shown.clear();
  screen->buttonPlay()->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Map Error");
  EXPECT_NE(messages.shown[0].text.find("Arena.FL3"), std::string::npos);
  EXPECT_TRUE(matches.empty());
}

}  // namespace
}  // namespace fl3::testing
