#include <gtest/gtest.h>

#include <algorithm>

#include "OptionsWindowTestSupport.h"
#include "RecordingMessages.h"
#include "StartScreenFixture.h"
#include "TempFolder.h"
#include "core/LevelFile.h"
#include "ui/MatchWindow.h"

namespace fl3::testing {
namespace {

// Time that runs 26 ms on at every look: two looks a step make every step a
// 52 ms frame, and five seconds of winner picture pass in a blink.
class RacingClock : public Clock {
 public:
  std::int64_t NowMs() override { return now += 26; }
  std::int64_t now = 0;
};

// Hands out prepared snapshots, one per read, then the last one for ever.
class ScriptedKeyboard : public KeyboardSource {
 public:
  explicit ScriptedKeyboard(std::vector<KeyState> script) : script_(std::move(script)) {}
  void ReadKeyboard(KeyState& keys) override {
    keys = script_[std::min(reads_, script_.size() - 1)];
    ++reads_;
  }

 private:
  std::vector<KeyState> script_;
  std::size_t reads_ = 0;
};

KeyState Held(std::initializer_list<int> codes) {
  KeyState keys{};
  for (const int code : codes) keys[static_cast<std::size_t>(code)] = 0x80;
  return keys;
}

class MatchWindowTest : public ::testing::Test {
 protected:
  MatchWindowTest() : folder(temp.Path()), music(messages) {
    LevelData level;
    level.TileMap.fill(CellNothing);
    level.Figures[0] = {2, 2, 0, 1};
    level.Figures[1] = {10, 2, 0, 1};
    level.LevelMusic = "TUNE.MID";
    EXPECT_TRUE(WriteLevelFile(temp.Path() / "OPEN.FL3", level));
    std::int32_t tileSet = 0, background = 0;
    EXPECT_TRUE(LoadLevel(temp.Path() / "OPEN.FL3", state, tileSet, background));
    state.MatchKind = MatchNormal;
    for (int i = 0; i < FigureCount; ++i) {
      Character& figure = state.Characters[static_cast<std::size_t>(i)];
      figure.Cont = i < 2 ? ContMan : ContOff;
      figure.Lives = 1;
      if (i >= 2) figure.X = figure.Y = OffMapPos;
    }
    state.Characters[1].Keys.keyPlantBomb = 57;
  }

  void Play(std::vector<KeyState> script) {
    frmNormalGame window(state, folder, messages, music, nullptr);
    frmNormalGame::Devices devices;
    devices.clock = &clock;
    devices.clockRunsByItself = true;
    devices.keyboard = [&](QObject&) { return std::make_unique<ScriptedKeyboard>(script); };
    window.SetDevices(std::move(devices));
    window.YA(0, -1, 0, 1, 2, 3);
    end = window.LastEnd();
    winner = window.LastWinner();
    frames = window.FramesShown();
  }

  void ExpectBetweenMatchesForm() {
    const std::int32_t contAfter[] = {ContMan, ContCpu, ContOff, ContOff};
    for (int i = 0; i < FigureCount; ++i) {
      const Character& figure = state.Characters[static_cast<std::size_t>(i)];
      EXPECT_EQ(figure.Cont, contAfter[i]);
      EXPECT_EQ(figure.Lives, 5);
      EXPECT_EQ(figure.X, 0);
      EXPECT_EQ(figure.Y, 0);
      EXPECT_EQ(figure.PowerFire, 0);
      EXPECT_EQ(figure.PowerBombs, 0);
      EXPECT_FALSE(figure.Moving);
    }
    EXPECT_TRUE(std::all_of(state.TileMap.begin(), state.TileMap.end(), [](int c) { return c == 0; }));
    EXPECT_TRUE(std::all_of(state.ItemMap.begin(), state.ItemMap.end(), [](int c) { return c == 0; }));
    EXPECT_EQ(state.Bombs.Count(), 0);
    EXPECT_EQ(state.LevelMusic, "");
  }

  TempFolder temp;
  GameFolder folder;
  GameState state;
  RecordingMessages messages;
  RecordingMusicEngine music;
  RacingClock clock;
  MatchEnd end = MatchEnd::Running;
  int winner = -1;
  int frames = 0;
};

TEST_F(MatchWindowTest, MissingMusicIsReportedOnceThenEscapeEndsTheSilentMatchAndAllIsReset) {
  Play({KeyState{}, KeyState{}, Held({kEscapeKey})});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "TUNE.MID was not found!");
  EXPECT_EQ(messages.shown[0].title, "File not found!");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(music.calls.empty());
  EXPECT_EQ(end, MatchEnd::Quit);
  EXPECT_EQ(frames, 3);
  ExpectBetweenMatchesForm();
}

TEST_F(MatchWindowTest, LevelMusicPlaysWithTheSettingsAndIsReleasedAtTheEnd) {
  temp.Write("tune.mid", "MThd");  // found whatever the letter case
  state.Music = {25, -150, 40};
  Play({Held({kEscapeKey})});
  EXPECT_TRUE(messages.shown.empty());
  const std::vector<std::string> expected = {"InitMusic 128",        "LoadMusic tune.mid midi", "SetMusicTempo 2.5",
                                             "SetMusicVolume -150",  "SetMusicGroove 40",       "PlayMusic #1 -1",
                                             "StopMusic #1",         "ReleaseMusic"};
  EXPECT_EQ(music.calls, expected);
  ExpectBetweenMatchesForm();
}

TEST_F(MatchWindowTest, TheLastFigureStandingWinsAndItsPictureStaysFiveSeconds) {
  temp.Write("TUNE.MID", "MThd");
  // Player 2 plants under its own feet and stays: its bomb (3000 ms fuse,
  // 52 ms frames) bursts in the 58th frame and takes its only life.
  Play({Held({57}), KeyState{}});
  EXPECT_EQ(end, MatchEnd::Winner);
  EXPECT_EQ(winner, 0);
  EXPECT_EQ(frames, 58);
  // The winner frame came at 58 x 52 ms; the picture stayed 5000 ms more.
  EXPECT_GE(clock.now, 58 * 52 + 5000);
  ExpectBetweenMatchesForm();
}

}  // namespace
}  // namespace fl3::testing
