#include <filesystem>

#include "OptionsWindowTestSupport.h"

namespace fl3::testing {
namespace {

using Calls = std::vector<std::string>;

class OptionsSound : public OptionsWindowFixture {
 protected:
  void ChooseTune(const QString& name) {
    auto* list = Find<QComboBox>("listMusic");
    list->setCurrentIndex(list->findText(name));
    ASSERT_EQ(list->currentText(), name);
  }
};

TEST_F(OptionsSound, SlidersShowTheSettingsReadAtStartUpAndEveryChangeSetsValueLabelAndEngine) {
  folder.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  StartAndOpen();
  EXPECT_EQ(LabelText("Tempo"), "Music Tempo(25) :");
  EXPECT_EQ(LabelText("Volume"), "Music Volume(-150) :");
  EXPECT_EQ(LabelText("Groove"), "Music Groove(40) :");
  EXPECT_EQ(Slider("Tempo")->value(), 25);
  EXPECT_EQ(Slider("Volume")->value(), -150);
  EXPECT_EQ(Slider("Groove")->value(), 40);
  // Opening sets the engine up and hands it the settings: 25 tenths of speed.
  EXPECT_EQ(music.TakeCalls(), (Calls{"InitMusic 128", "SetMusicTempo 2.5", "SetMusicVolume -150", "SetMusicGroove 40"}));

  Slider("Volume")->setValue(-35);
  EXPECT_EQ(LabelText("Volume"), "Music Volume(-35) :");
  EXPECT_EQ(state.Music.MusicVolume, -35);
  EXPECT_EQ(music.TakeCalls(), (Calls{"SetMusicTempo 2.5", "SetMusicVolume -35", "SetMusicGroove 40"}));

  // Large steps: tempo 25 -> 35 -> 45, volume -35 -> -15 -> 5 -> 20 (top),
  // groove 40 -> 20; then a small step of one: 21.
  Slider("Tempo")->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(LabelText("Tempo"), "Music Tempo(35) :");
  Slider("Tempo")->triggerAction(QAbstractSlider::SliderPageStepAdd);
  for (int i = 0; i < 3; ++i) Slider("Volume")->triggerAction(QAbstractSlider::SliderPageStepAdd);
  Slider("Groove")->triggerAction(QAbstractSlider::SliderPageStepSub);
  Slider("Groove")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(state.Music, (MusicSettings{45, 20, 21}));
  EXPECT_EQ(LabelText("Volume"), "Music Volume(20) :");
  EXPECT_EQ(LabelText("Groove"), "Music Groove(21) :");

  // Ends of the ranges.
  Slider("Tempo")->triggerAction(QAbstractSlider::SliderToMinimum);
  Slider("Volume")->triggerAction(QAbstractSlider::SliderToMinimum);
  Slider("Groove")->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(state.Music, (MusicSettings{1, -200, 99}));
  const Calls calls = music.TakeCalls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{"SetMusicTempo 0.1", "SetMusicVolume -200", "SetMusicGroove 99"}));
  EXPECT_EQ(folder.Read("MISC.OPT"), "25\r\n-150\r\n40\r\n");
}

TEST_F(OptionsSound, TestPlaysAndStopsTheChosenTuneFromTheMidiFilesAndTellsWhatIsMissing) {
  for (const char* name : {"cavern.mid", "BATTLE.MID", "SUNRISE.MID", "notes.txt", "MID"}) folder.Write(name, "x");
  StartAndOpen();
  auto* list = Find<QComboBox>("listMusic");
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->itemText(i);
  EXPECT_EQ(names.join(',').toStdString(), "BATTLE.MID,cavern.mid,SUNRISE.MID");
  EXPECT_EQ(list->currentIndex(), -1);
  music.TakeCalls();

  Press("buttonMusicTest");
  ChooseTune("BATTLE.MID");
  std::filesystem::rename(folder.Path() / "BATTLE.MID", folder.Path() / "away");
  Press("buttonMusicTest");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "File not selected.");
  EXPECT_EQ(messages.shown[1].text, "File does not exsist.");
  for (const RecordedMessage& shown : messages.shown) {
    EXPECT_EQ(shown.title, "File not found!");
    EXPECT_EQ(shown.icon, MessageIcon::Critical);
  }
  EXPECT_EQ(TestCaption(), "Test");
  EXPECT_TRUE(music.TakeCalls().empty());

  // Back under another letter case: names are matched without it.
  std::filesystem::rename(folder.Path() / "away", folder.Path() / "battle.mid");
  Slider("Tempo")->setValue(15);
  music.TakeCalls();
  Press("buttonMusicTest");
  EXPECT_EQ(TestCaption(), "Stop");
  EXPECT_EQ(music.TakeCalls(), (Calls{"LoadMusic battle.mid midi", "SetMusicTempo 1.5", "SetMusicVolume 0",
                                      "SetMusicGroove 0", "PlayMusic #1 -1"}));

  // The playing tune follows the slider: 20 tenths is double speed.
  Slider("Tempo")->setValue(20);
  EXPECT_EQ(LabelText("Tempo"), "Music Tempo(20) :");
  EXPECT_EQ(music.TakeCalls(), (Calls{"SetMusicTempo 2", "SetMusicVolume 0", "SetMusicGroove 0"}));

  Press("buttonMusicTest");
  EXPECT_EQ(TestCaption(), "Test");
  EXPECT_EQ(music.TakeCalls(), (Calls{"StopMusic #1"}));
  Press("buttonMusicTest");
  EXPECT_EQ(TestCaption(), "Stop");
  EXPECT_EQ(music.TakeCalls().back(), "PlayMusic #2 -1");
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(music.callsWhileReleased, 0);
}

TEST_F(OptionsSound, EveryWayOutStopsTheTestAndReleasesTheEngineAndShowingSetsItUpAgain) {
  folder.Write("BATTLE.MID", "x");
  StartAndOpen();
  ChooseTune("BATTLE.MID");

  Press("buttonMusicTest");
  music.TakeCalls();
  Press("buttonClose");
  EXPECT_EQ(music.TakeCalls(), (Calls{"StopMusic #1", "ReleaseMusic"}));
  EXPECT_EQ(TestCaption(), "Test");

  // The window remembers the tune chosen; a new opening has its own engine.
  Reopen();
  EXPECT_EQ(music.TakeCalls(), (Calls{"InitMusic 128", "SetMusicTempo 1", "SetMusicVolume 0", "SetMusicGroove 0"}));
  EXPECT_EQ(Find<QComboBox>("listMusic")->currentText().toStdString(), "BATTLE.MID");
  Press("buttonMusicTest");
  Press("buttonSave");
  EXPECT_FALSE(window->isVisible());
  const Calls afterSave = music.TakeCalls();
  ASSERT_GE(afterSave.size(), 2u);
  EXPECT_EQ(Calls(afterSave.end() - 2, afterSave.end()), (Calls{"StopMusic #2", "ReleaseMusic"}));

  // The window manager's close button is "Close": the key stays in memory only.
  const std::string savedKeys = folder.Read("0.FLK3");
  Reopen();
  Press("buttonMusicTest");
  Choose(1, 0, "Tab");
  music.TakeCalls();
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(music.TakeCalls(), (Calls{"StopMusic #3", "ReleaseMusic"}));
  EXPECT_EQ(state.Characters[0].Keys.keyLeft, 15);
  EXPECT_EQ(folder.Read("0.FLK3"), savedKeys);

  // Sliders moved while the window is hidden reach no released engine.
  Slider("Groove")->setValue(5);
  EXPECT_TRUE(music.TakeCalls().empty());
  EXPECT_EQ(music.callsWhileReleased, 0);
}

TEST_F(OptionsSound, WithoutAudioTheWindowStillWorksTestTurnsTheButtonTriesAgainAndAFailedLoadStillTurnsIt) {
  folder.Write("BATTLE.MID", "x");
  music.initSucceeds = false;
  StartAndOpen();
  EXPECT_EQ(music.TakeCalls(), (Calls{"InitMusic 128"}));
  Slider("Tempo")->setValue(40);
  EXPECT_EQ(LabelText("Tempo"), "Music Tempo(40) :");
  EXPECT_EQ(state.Music.MusicTempo, 40);

  // Silent, but the button turns as it does with sound.
  ChooseTune("BATTLE.MID");
  Press("buttonMusicTest");
  EXPECT_EQ(TestCaption(), "Stop");
  Press("buttonMusicTest");
  EXPECT_EQ(TestCaption(), "Test");
  music.initSucceeds = true;
  Press("buttonMusicTest");
  EXPECT_EQ(TestCaption(), "Stop");
  EXPECT_EQ(music.TakeCalls(), (Calls{"InitMusic 128", "InitMusic 128", "LoadMusic BATTLE.MID midi", "SetMusicTempo 4",
                                      "SetMusicVolume 0", "SetMusicGroove 0", "PlayMusic #1 -1"}));
  EXPECT_EQ(music.callsWhileReleased, 0);

  // The engine's own message for a tune it cannot load; the button still
  // turns, so the next press only clears it.
  Press("buttonMusicTest");
  music.loadSucceeds = false;
  Press("buttonMusicTest");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Couldn't load this segment");
  EXPECT_EQ(TestCaption(), "Stop");
  EXPECT_EQ(music.TakeCalls().back(), "PlayMusic none -1");
  Press("buttonMusicTest");
  EXPECT_EQ(TestCaption(), "Test");
  EXPECT_EQ(music.TakeCalls(), (Calls{"StopMusic none"}));
}

}  // namespace
}  // namespace fl3::testing
