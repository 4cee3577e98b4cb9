#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

class StartMatchTest : public StartScreenTest {
 protected:
  void Start(frmStart& screen) {
    messages.shown.clear();
    screen.buttonPlay()->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text;
  }
};

TEST_F(StartMatchTest, ANormalMatchGetsTheLevelTheLivesAndTheCharacterRowsAndIgnoresAStartWhileItRuns) {
  WriteCharacterSheet(5);
  WritePicture("A3.BMP");
  WritePicture("B2.BMP");
  WriteLevel("Arena.FL3", 3, 2);
  auto screen = Open();
  TwoMen(*screen);
  screen->listLevel()->setCurrentIndex(1);
  screen->txtboxLives(0)->setText("7");
  screen->txtboxLives(2)->setText("12");
  screen->txtboxLives(3)->setText("");
  screen->scrollChar(0)->setValue(4);
  screen->scrollChar(3)->setValue(0);
  state.TimeLeft = 1234;
  // A match window that lets window events run might deliver a second press.
  afterMatch = [&] {
    if (matches.size() == 1) screen->buttonPlay()->click();
  };
  Start(*screen);

  ASSERT_EQ(matches.size(), 1u);
  const MatchCall& call = matches[0];
  EXPECT_EQ(call.tileSet, 3);
  EXPECT_EQ(call.background, 2);
  EXPECT_EQ(call.choices, (std::array<std::int32_t, 4>{4, 1, 2, 0}));
  EXPECT_EQ(call.matchKind, MatchNormal);
  EXPECT_EQ(call.timeLeft, 1234);  // a normal match leaves the time alone

  // MAN figures stand on their start cells with the typed lives; OFF
  // figures are off the field whatever the level says.
  // Figure i of the level starts at (2i + 1, 1) with i + 1 bombs and i + 2
  // fire; OFF figures get no lives, so they keep the 0 they held.
  const int expected[4][5] = {{1, 1, 7, 1, 2}, {50, 50, 0, 2, 3}, {5, 1, 12, 3, 4}, {50, 50, 0, 4, 5}};
  for (std::size_t i = 0; i < 4; ++i) {
    const Character& figure = call.figures[i];
    EXPECT_EQ((std::array<int, 5>{figure.X, figure.Y, figure.Lives, figure.PowerBombs, figure.PowerFire}),
              (std::to_array(expected[i])))
        << i;
  }
}

TEST_F(StartMatchTest, TimedKindsSetTheTimeAndTheirOwnLives) {
  WritePlayableFolder();
  auto screen = Open();
  TwoMen(*screen);
  screen->listLevel()->setCurrentIndex(1);
  screen->txtboxLives(0)->setText("0");  // not used by timed kinds

  screen->scrollPlay()->setValue(1);
  screen->txtboxTime()->setText("90");
  Start(*screen);
  screen->scrollPlay()->setValue(2);
  screen->txtboxTime()->setText("1.5");
  Start(*screen);
  screen->txtboxTime()->setText(" 7 ");
  Start(*screen);

  ASSERT_EQ(matches.size(), 3u);
  EXPECT_EQ(matches[0].matchKind, MatchMostKills);
  EXPECT_EQ(matches[0].timeLeft, 90000);
  EXPECT_EQ(matches[0].figures[0].Lives, 0);
  EXPECT_EQ(matches[0].figures[2].Lives, 0);
  EXPECT_EQ(matches[1].matchKind, MatchMostLives);
  EXPECT_EQ(matches[1].timeLeft, 1500);
  EXPECT_EQ(matches[1].figures[0].Lives, 99);
  EXPECT_EQ(matches[1].figures[2].Lives, 99);
  EXPECT_EQ(matches[2].timeLeft, 7000);
}

TEST_F(StartMatchTest, AfterTheMatchTheButtonsFollowTheTearDownAndTheChoicesStay) {
  WritePlayableFolder();
  WriteLevel("Second.FL3");
  auto screen = Open();
  ClickUntil(*screen, 1, "OFF");
  ClickUntil(*screen, 2, "MAN");
  ClickUntil(*screen, 3, "MAN");
  screen->listLevel()->setCurrentIndex(2);
  screen->scrollPlay()->setValue(2);
  screen->txtboxTime()->setText("45");
  screen->txtboxLives(3)->setText("9");
  screen->scrollChar(1)->setValue(3);
  // The match's tear-down resets the controllers; the buttons follow it.
  afterMatch = [this] { ResetAfterMatch(state); };
  Start(*screen);
  ASSERT_EQ(matches.size(), 1u);

  const char* captions[] = {"MAN", "CPU", "OFF", "OFF"};
  for (int i = 0; i < FigureCount; ++i) EXPECT_EQ(screen->buttonChar(i)->text(), captions[i]);
  EXPECT_EQ(screen->listLevel()->currentText(), "Second.FL3");
  EXPECT_EQ(screen->scrollPlay()->value(), 2);
  EXPECT_EQ(screen->txtboxTime()->text(), "45");
  EXPECT_EQ(screen->txtboxLives(3)->text(), "9");
  EXPECT_EQ(screen->scrollChar(1)->value(), 3);
}

// The shared generator starts 0.7055475, 0.5334240, 0.5795186, 0.2895625,
// 0.3019480, 0.7747401, 0.0140176, 0.7607236, 0.8144900, 0.7090379,
// 0.0453528, 0.4140327, 0.8626193, ...
constexpr double kSame = 1e-6;

TEST_F(StartMatchTest, RandomWithOneLevelAlwaysPicksThatLevel) {
  WriteCharacterSheet();
  WritePicture("A4.BMP");
  WriteLevel("Only.FL3", 4);
  auto screen = Open();
  TwoMen(*screen);
  ASSERT_EQ(screen->listLevel()->currentText(), "~Random");

  Start(*screen);  // round(1 x 0.7055475) = 1: the level, at the first draw
  EXPECT_NEAR(state.Random.Next(), 0.5334240, kSame);
  state.Random.Next();
  // 0.2895625 and 0.3019480 both round to 0, "~Random" itself: drawn again
  // until 0.7747401 gives 1.
  Start(*screen);
  EXPECT_NEAR(state.Random.Next(), 0.0140176, kSame);

  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(matches[0].tileSet, 4);
  EXPECT_EQ(matches[1].tileSet, 4);
  EXPECT_EQ(screen->listLevel()->currentText(), "~Random");
}

TEST_F(StartMatchTest, RandomWithSeveralLevelsFollowsTheSharedSequenceAndAChosenLevelDrawsNothing) {
  WriteCharacterSheet();
  for (const char* tiles : {"A1.BMP", "A2.BMP", "A3.BMP"}) WritePicture(tiles);
  // Listed as ~Random, alpha, Beta, gamma: the level's tileset tells which.
  WriteLevel("gamma.FL3", 3);
  WriteLevel("Beta.fl3", 2);
  WriteLevel("alpha.FL3", 1);
  auto screen = Open();
  TwoMen(*screen);

  Start(*screen);  // round(3 x 0.7055475) = round(2.117) = 2: Beta
  screen->listLevel()->setCurrentIndex(3);
  Start(*screen);  // gamma, chosen
  screen->listLevel()->setCurrentIndex(0);
  EXPECT_NEAR(state.Random.Next(), 0.5334240, kSame);
  state.Random.Next();
  Start(*screen);  // round(3 x 0.2895625) = round(0.869) = 1: alpha
  state.Random.Next();
  state.Random.Next();
  Start(*screen);  // round(3 x 0.0140176) = 0 is ~Random; round(3 x 0.7607236) = 2: Beta
  EXPECT_NEAR(state.Random.Next(), 0.8144900, kSame);
  for (int i = 0; i < 3; ++i) state.Random.Next();
  Start(*screen);  // round(3 x 0.8626193) = round(2.588) = 3: gamma

  std::vector<std::int32_t> tileSets;
  for (const MatchCall& match : matches) tileSets.push_back(match.tileSet);
  EXPECT_EQ(tileSets, (std::vector<std::int32_t>{2, 3, 1, 2, 3}));
}

}  // namespace
}  // namespace fl3::testing
