#include <filesystem>

#include "OptionsWindowBench.h"

namespace fl3::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoKeys = "0\r\n0\r\n0\r\n0\r\n0\r\n";

TEST(OptionsKeys, ListsShowTheKeysReadAtStartUpAndAChoiceChangesThatKeyAtOnce) {
  OptionsWindowBench bench;
  bench.temp.Write("0.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
  bench.temp.Write("3.FLK3", "30\r\n17\r\n32\r\n31\r\n16\r\n");
  bench.StartAndOpen();
  const char* player1[] = {"Left", "Up", "Right", "Down", "Right CTRL key"};
  const char* player4[] = {"A", "W", "D", "S", "Q"};
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_EQ(bench.KeyList(1, slot)->currentText(), player1[slot]);
    EXPECT_EQ(bench.KeyList(2, slot)->currentText(), "Unknoun Key");
    EXPECT_EQ(bench.KeyList(4, slot)->currentText(), player4[slot]);
  }
  // A list position is the key code.
  bench.Choose(3, 4, "Spacebar");
  EXPECT_EQ(bench.state.Characters[2].Keys, (KeyLayout{0, 0, 0, 0, 57}));
  // Shown again later, the window holds what it showed, its lists not refilled.
  bench.Press("buttonClose");
  bench.Reopen();
  EXPECT_EQ(bench.KeyList(3, 4)->currentText(), "Spacebar");
  EXPECT_EQ(bench.KeyList(3, 4)->count(), 256);
}

TEST(OptionsSave, SaveWritesEveryFileItCanNamesTheOneItCannotAndKeepsTheWindowAndItsTuneUntilAllAreSaved) {
  OptionsWindowBench bench;
  bench.temp.Write("BATTLE.MID", "x");
  bench.StartAndOpen();
  bench.Choose(2, 1, "Up");
  bench.Choose(3, 0, "Left");
  bench.Choose(3, 4, "Enter (num)");
  bench.Slider("Tempo")->setValue(20);
  bench.Slider("Volume")->setValue(-35);
  bench.Find<QComboBox>("listMusic")->setCurrentIndex(0);
  bench.Press("buttonMusicTest");
  bench.music.TakeCalls();
  fs::create_directory(bench.temp.Path() / "2.FLK3");
  bench.Press("buttonSave");
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.Shown(0), std::tuple("Not everything could be saved:\n\"" + (bench.temp.Path() / "2.FLK3").string() +
                                           "\": cannot be written: Is a directory\n"
                                       "The settings stay in effect until the game ends.",
                                       "FUSELARK3", MessageIcon::Critical, MessageButtons::Ok));
  // Every file is tried, also after the one that failed.
  EXPECT_EQ(bench.temp.Read("0.FLK3"), kNoKeys);
  EXPECT_EQ(bench.temp.Read("1.FLK3"), "0\r\n200\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(bench.temp.Read("3.FLK3"), kNoKeys);
  EXPECT_EQ(bench.temp.Read("MISC.OPT"), "20\r\n-35\r\n0\r\n");
  // The window, its tune and its engine carry on, so the player can mend
  // the folder and save again.
  EXPECT_TRUE(bench.window->isVisible());
  EXPECT_EQ(bench.TestCaption(), "Stop");
  EXPECT_TRUE(bench.music.TakeCalls().empty());

  fs::remove(bench.temp.Path() / "2.FLK3");
  bench.Press("buttonSave");
  EXPECT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.temp.Read("2.FLK3"), "203\r\n0\r\n0\r\n0\r\n156\r\n");
  EXPECT_FALSE(bench.window->isVisible());
  EXPECT_EQ(bench.window->result(), QDialog::Accepted);
  // CPU.OPT is saved with them, and no temporary file is left behind.
  EXPECT_EQ(bench.temp.Read("CPU.OPT"), "1\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(bench.temp.Path()), fs::directory_iterator()), 7);
}

TEST(OptionsSound, SlidersShowTheSettingsAndEveryMoveSetsLabelStateAndEngine) {
  OptionsWindowBench bench;
  bench.temp.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  bench.StartAndOpen();
  const auto labels = [&] { return std::tuple(bench.Label("Tempo"), bench.Label("Volume"), bench.Label("Groove")); };
  EXPECT_EQ(labels(), std::tuple("Music Tempo(25) :", "Music Volume(-150) :", "Music Groove(40) :"));
  // Opening sets the engine up and hands it the settings: 25 tenths of speed.
  EXPECT_EQ(bench.music.TakeCalls(),
            (Calls{"InitMusic 128", "SetMusicTempo 2.5", "SetMusicVolume -150", "SetMusicGroove 40"}));
  bench.Slider("Volume")->setValue(-35);
  EXPECT_EQ(bench.music.TakeCalls(), (Calls{"SetMusicTempo 2.5", "SetMusicVolume -35", "SetMusicGroove 40"}));
  // Large steps of 10, 20 and 20, small steps of 1, held to the ranges.
  for (int i = 0; i < 2; ++i) bench.Slider("Tempo")->triggerAction(QAbstractSlider::SliderPageStepAdd);
  for (int i = 0; i < 3; ++i) bench.Slider("Volume")->triggerAction(QAbstractSlider::SliderPageStepAdd);
  bench.Slider("Groove")->triggerAction(QAbstractSlider::SliderPageStepSub);
  bench.Slider("Groove")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bench.state.Music, (MusicSettings{45, 20, 21}));
  EXPECT_EQ(labels(), std::tuple("Music Tempo(45) :", "Music Volume(20) :", "Music Groove(21) :"));
  bench.Slider("Tempo")->triggerAction(QAbstractSlider::SliderToMinimum);
  bench.Slider("Volume")->triggerAction(QAbstractSlider::SliderToMinimum);
  bench.Slider("Groove")->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(bench.state.Music, (MusicSettings{1, -200, 99}));
  EXPECT_EQ(bench.temp.Read("MISC.OPT"), "25\r\n-150\r\n40\r\n");
}

TEST(OptionsSound, EveryWayOutStopsTheTestAndReleasesTheEngineAndShowingSetsItUpAgain) {
  OptionsWindowBench bench;
  bench.temp.Write("BATTLE.MID", "x");
  bench.StartAndOpen();
  bench.Find<QComboBox>("listMusic")->setCurrentIndex(0);
  for (const std::string way : {"buttonClose", "buttonSave", "the window manager"}) {
    SCOPED_TRACE(way);
    bench.Press("buttonMusicTest");
    const int tune = bench.music.segmentsLoaded;
    bench.music.TakeCalls();
    if (way[0] == 'b') bench.Press(way);
    if (way[0] != 'b') bench.window->close();
    EXPECT_FALSE(bench.window->isVisible());
    EXPECT_EQ(bench.music.TakeCalls(), (Calls{"StopMusic #" + std::to_string(tune), "ReleaseMusic"}));
    EXPECT_EQ(bench.TestCaption(), "Test");
    // The window remembers the tune; a new opening has its own engine.
    bench.Reopen();
    EXPECT_EQ(bench.music.TakeCalls(),
              (Calls{"InitMusic 128", "SetMusicTempo 1", "SetMusicVolume 0", "SetMusicGroove 0"}));
    EXPECT_EQ(bench.Find<QComboBox>("listMusic")->currentText(), "BATTLE.MID");
  }
  // The window manager's close button is "Close": the key stays in memory only.
  bench.Choose(1, 0, "Tab");
  bench.window->close();
  EXPECT_EQ(bench.music.TakeCalls(), Calls{"ReleaseMusic"});
  EXPECT_EQ(bench.state.Characters[0].Keys.keyLeft, 15);
  EXPECT_EQ(bench.temp.Read("0.FLK3"), kNoKeys);
  // Sliders moved while the window is hidden reach no released engine.
  bench.Slider("Groove")->setValue(5);
  EXPECT_TRUE(bench.music.TakeCalls().empty());
  EXPECT_EQ(bench.music.callsWhileReleased, 0);
}

TEST(OptionsSound, TestTellsWhatIsMissingTriesTheEngineAgainAndPlaysAndStopsTheChosenTune) {
  OptionsWindowBench bench;
  for (const char* name : {"cavern.mid", "BATTLE.MID", "SUNRISE.MID", "notes.txt"}) bench.temp.Write(name, "x");
  bench.music.initSucceeds = false;
  bench.StartAndOpen();
  bench.Slider("Tempo")->setValue(15);  // without audio the window still works
  EXPECT_EQ(std::tuple(bench.Label("Tempo"), bench.state.Music.MusicTempo), std::tuple("Music Tempo(15) :", 15));
  auto* list = bench.Find<QComboBox>("listMusic");
  EXPECT_EQ(std::pair(list->count(), list->currentIndex()), std::pair(3, -1));
  bench.Press("buttonMusicTest");
  list->setCurrentIndex(list->findText("BATTLE.MID"));
  fs::rename(bench.temp.Path() / "BATTLE.MID", bench.temp.Path() / "away");
  bench.Press("buttonMusicTest");
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(bench.Shown(i), std::tuple(i == 0 ? "File not selected." : "File does not exsist.", "File not found!",
                                         MessageIcon::Critical, MessageButtons::Ok));
  }
  // Back under another letter case: names are matched without it.
  fs::rename(bench.temp.Path() / "away", bench.temp.Path() / "battle.mid");
  bench.Press("buttonMusicTest");  // silent, but the button turns as it does with sound
  EXPECT_EQ(bench.TestCaption(), "Stop");
  bench.Press("buttonMusicTest");
  EXPECT_EQ(bench.TestCaption(), "Test");
  bench.music.initSucceeds = true;
  bench.Press("buttonMusicTest");
  EXPECT_EQ(bench.TestCaption(), "Stop");
  EXPECT_EQ(bench.music.TakeCalls(), (Calls{"InitMusic 128", "InitMusic 128", "InitMusic 128",
                                            "LoadMusic battle.mid midi", "SetMusicTempo 1.5", "SetMusicVolume 0",
                                            "SetMusicGroove 0", "PlayMusic #1 -1"}));
  bench.Press("buttonMusicTest");
  EXPECT_EQ(bench.TestCaption(), "Test");
  EXPECT_EQ(bench.music.TakeCalls(), (Calls{"StopMusic #1"}));
  // A tune the engine cannot load still turns the button, so the next press
  // only clears it.
  bench.music.loadSucceeds = false;
  bench.Press("buttonMusicTest");
  EXPECT_EQ(bench.TestCaption(), "Stop");
  EXPECT_EQ(bench.music.TakeCalls().back(), "PlayMusic none -1");
  bench.Press("buttonMusicTest");
  EXPECT_EQ(bench.music.TakeCalls(), (Calls{"StopMusic none"}));
  EXPECT_EQ(bench.music.callsWhileReleased, 0);
}

}  // namespace
}  // namespace fl3::testing
