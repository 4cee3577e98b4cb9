#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

constexpr const char* kAllOff = "You cannot have all the characters being on OFF";
constexpr const char* kCpu = "You cannot have any characters being on CPU  No AI has been created in this DEMO yet";
constexpr const char* kNoLives = "You cannot have a character on MAN or CPU with no lives.";
constexpr const char* kAlone = "You cannot play this game alone.";
constexpr const char* kShortTime = "You cannot play this game for less than 1 second.";
constexpr const char* kNoLevels = "You do not have any levels to play.  Please create some, or put some in ";

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
    const std::size_t before = matches.size();
    screen.buttonPlay()->click();
    EXPECT_TRUE(messages.shown.empty()) << (messages.shown.empty() ? "" : messages.shown[0].text);
    EXPECT_EQ(matches.size(), before + 1);
  }
};

// Without level files every choice that passes the figure and time checks
// ends at the missing levels, so each press shows the first check that fails.
TEST_F(StartChecksTest, RefusalsComeInTheOrderOfTheChecks) {
  WriteCharacterSheet();
  WritePicture("A1.BMP");
  auto screen = Open();
  ASSERT_EQ(ListEntries(*screen), std::vector<std::string>{"~Random"});

  // As the screen opens figure 1 is on CPU; one click sets it OFF.
  ExpectRefusal(*screen, kCpu, "CPUs are not made yet", MessageIcon::Critical);
  screen->buttonChar(1)->click();
  ExpectRefusal(*screen, kAlone, "Only one MAN/CPU??", MessageIcon::Information);
  screen->txtboxLives(0)->setText("0");
  ExpectRefusal(*screen, kNoLives, "Character 0 has no lives", MessageIcon::Information);
  ClickUntil(*screen, 0, "OFF");
  ExpectRefusal(*screen, kAllOff, "All OFFs", MessageIcon::Critical);

  // Two MAN figures: the one without lives is named by its index from 0,
  // and an empty entry holds no lives either.
  ClickUntil(*screen, 0, "MAN");
  ClickUntil(*screen, 2, "MAN");
  screen->txtboxLives(0)->setText("3");
  screen->txtboxLives(2)->setText("0");
  ExpectRefusal(*screen, kNoLives, "Character 2 has no lives", MessageIcon::Information);
  screen->txtboxLives(0)->clear();
  ExpectRefusal(*screen, kNoLives, "Character 0 has no lives", MessageIcon::Information);

  // Timed kinds skip the lives and check the time instead.
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
  ExpectRefusal(*screen, kNoLevels + folder.Path().string(), "No FL3's...", MessageIcon::Critical);
}

TEST_F(StartChecksTest, TheLevelsPicturesAreCheckedAfterItWasLoaded) {
  WriteCharacterSheet();
  WritePicture("a1.bmp");
  WriteLevel("Bare.FL3", 1, -1);
  WriteLevel("Broken.FL3", 7, -1);
  WriteLevel("Sky.FL3", 1, 12);
  auto screen = Open();
  TwoMen(*screen);

  screen->listLevel()->setCurrentIndex(2);
  ExpectRefusal(*screen,
                "The map you have selected refers to the missing file \\A7.BMP\n"
                "Either get that file or change the Map's TileSet to a valid one.",
                "Map Error", MessageIcon::Critical);
  // The level stays loaded (figure 3 starts at (7, 1) with 5 fire), but the
  // OFF figure was not moved off the field: nothing after the load was set.
  EXPECT_EQ(state.Tile(0, 0), 7);
  EXPECT_EQ(state.Characters[3].X, 7);
  EXPECT_EQ(state.Characters[3].PowerFire, 5);

  screen->listLevel()->setCurrentIndex(3);
  ASSERT_EQ(screen->listLevel()->currentText(), "Sky.FL3");
  ExpectRefusal(*screen,
                "The map you have selected refers to the missing file \\B12.BMP\n"
                "Either get that file, change the Map's Background to a valid one or change the Map's "
                "Background to none (-1).",
                "Map Error", MessageIcon::Critical);

  // No background needs no file; a normal match never looks at the time, nor
  // at the lives of an OFF figure.
  screen->listLevel()->setCurrentIndex(1);
  screen->txtboxTime()->setText("0");
  screen->txtboxLives(3)->setText("0");
  ExpectStart(*screen);
  EXPECT_EQ(matches.back().background, -1);

  WritePicture("b12.BMP");
  screen->listLevel()->setCurrentIndex(3);
  ExpectStart(*screen);
  EXPECT_EQ(matches.back().background, 12);
}

TEST_F(StartChecksTest, AnUnreadableLevelIsReportedAndChangesNothing) {
  WritePlayableFolder();
  folder.Write("Short.FL3", std::string(100, '\x01'));
  auto screen = Open();
  TwoMen(*screen);
  state.MatchKind = MatchMostKills;
  screen->listLevel()->setCurrentIndex(2);
  ASSERT_EQ(screen->listLevel()->currentText(), "Short.FL3");
  screen->buttonPlay()->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Map Error");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_NE(messages.shown[0].text.find("Short.FL3"), std::string::npos);
  EXPECT_NE(messages.shown[0].text.find("too short"), std::string::npos);
  for (const Character& figure : state.Characters) {
    EXPECT_EQ(figure.X, 0);
    EXPECT_EQ(figure.PowerBombs, 0);
  }
  EXPECT_EQ(state.Tile(0, 0), 0);
  EXPECT_EQ(state.MatchKind, MatchMostKills);

  // A level file removed since the list was filled is reported the same way.
  std::filesystem::remove(folder.Path() / "Arena.FL3");
  screen->listLevel()->setCurrentIndex(1);
  screen->buttonPlay()->click();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].title, "Map Error");
  EXPECT_NE(messages.shown[1].text.find("Arena.FL3"), std::string::npos);
  EXPECT_TRUE(matches.empty());
}

}  // namespace
}  // namespace fl3::testing
