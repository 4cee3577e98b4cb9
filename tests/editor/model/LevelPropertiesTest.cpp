// The two level property dialogs without their windows: numbers and music.
#include <gtest/gtest.h>

#include "EditorTestBench.h"
#include "RecordingMusicEngine.h"
#include "editor/model/LevelMusicChoice.h"
#include "editor/model/NumericProperties.h"
#include "editor/model/PropertyNumber.h"

namespace fl3 {
namespace {

using Texts = std::array<std::string, kPropertyCount>;
using Calls = std::vector<std::string>;
constexpr std::optional<std::int32_t> kNoNumber;

TEST(PropertyNumber, SignDigitsOnePointAndAnExponentWithBlanksAroundRoundedHalfToEvenWithin32Bits) {
  const std::pair<const char*, std::optional<std::int32_t>> texts[] = {
      {"2.5", 2}, {"3.5", 4}, {"1e1", 10}, {"  -12  ", -12}, {"+7", 7}, {".5", 0}, {"5.", 5}, {"-2.5", -2},
      {"25E-1", 2}, {"1.5e+1", 15}, {"007", 7}, {"\t50", 50},
      {"1e-400", 0},  // too small for a double, still a number
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483647.4", 2147483647},
      {"-2147483648.5", -2147483647 - 1},  // the even neighbour is inside
      {"2147483647.5", kNoNumber},         // rounds to 2147483648
      {"2147483648", kNoNumber}, {"-2147483649", kNoNumber}, {"1e10", kNoNumber}, {"1e400", kNoNumber},
      {"", kNoNumber}, {" ", kNoNumber}, {"-", kNoNumber}, {"+", kNoNumber}, {".", kNoNumber}, {"1.2.3", kNoNumber},
      {"1e", kNoNumber}, {"e5", kNoNumber}, {"1e+", kNoNumber}, {"--1", kNoNumber}, {"1-", kNoNumber},
      {"0x10", kNoNumber}, {"&H10", kNoNumber}, {"1,000", kNoNumber}, {"$5", kNoNumber}, {"1 2", kNoNumber},
      {"inf", kNoNumber}, {"nan", kNoNumber}, {"12a", kNoNumber}, {"- 1", kNoNumber}, {"1e1.5", kNoNumber},
  };
  for (const auto& [text, value] : texts) EXPECT_EQ(ParsePropertyNumber(text), value) << '"' << text << '"';
}

struct NumericBench : testing::EditorTestBench {
  NumericProperties dialog{editor};
  // The places the eighteen boxes stand for, in box order: tileset,
  // background, X and Y of figures 0 to 3, then fire and bombs of each.
  std::array<std::int32_t, kPropertyCount> Values() const {
    const auto& c = state.Characters;
    return {editor.TileSetNumber, editor.BackgroundNumber, c[0].X, c[0].Y, c[1].X, c[1].Y, c[2].X, c[2].Y,
            c[3].X, c[3].Y, c[0].PowerFire, c[0].PowerBombs, c[1].PowerFire, c[1].PowerBombs, c[2].PowerFire,
            c[2].PowerBombs, c[3].PowerFire, c[3].PowerBombs};
  }
};

// All eighteen boxes are taken over together, and only when every one holds a number.
TEST(NumericProperties, BoxesShowTheValuesInBoxOrderAndOnlyANumberInEveryBoxIsTakenOver) {
  NumericBench bench;
  Texts texts;
  for (std::size_t box = 0; box < texts.size(); ++box) texts[box] = std::to_string(100 - 10 * static_cast<int>(box));
  texts[3] = "";
  EXPECT_FALSE(bench.dialog.TextsChanged(texts));
  EXPECT_EQ(bench.Values(), decltype(bench.Values()){});
  EXPECT_FALSE(bench.editor.FileChanged);
  EXPECT_STREQ(bench.dialog.Title(), "!!Something not numerical, all will fail if not fixed!!");
  texts[3] = "3.5";
  EXPECT_TRUE(bench.dialog.TextsChanged(texts));
  EXPECT_EQ(bench.Values(), (std::array<std::int32_t, kPropertyCount>{100, 90, 80, 4, 60, 50, 40, 30, 20, 10, 0, -10,
                                                                      -20, -30, -40, -50, -60, -70}));
  EXPECT_TRUE(bench.editor.FileChanged);
  EXPECT_STREQ(bench.dialog.Title(), "!!Something not numerical, all will fail if not fixed!!");  // once warned
  texts[3] = "4";
  NumericProperties reopened(bench.editor);
  EXPECT_EQ(reopened.CurrentTexts(), texts);
  EXPECT_STREQ(reopened.Title(), "Extended Level Properties (Numerical)");
  // Unchanged values still mark the level changed, but nothing counts while the boxes are filled.
  bench.editor.FileChanged = false;
  EXPECT_TRUE(reopened.TextsChanged(texts));
  EXPECT_TRUE(bench.editor.FileChanged);
  bench.editor.FileChanged = false;
  reopened.NumericLoading = true;
  texts[0] = "5";
  EXPECT_FALSE(reopened.TextsChanged(texts));
  texts[0] = "x";
  EXPECT_FALSE(reopened.TextsChanged(texts));
  EXPECT_EQ(std::pair(bench.editor.TileSetNumber, bench.editor.FileChanged), std::pair(100, false));
  EXPECT_STREQ(reopened.Title(), "Extended Level Properties (Numerical)");
}

struct MusicBench : testing::EditorTestBench {
  MusicBench() {
    temp.Write("battle.mid", "MThd");
    temp.Write("CAVERN.MID", "MThd");
    temp.Write("NOTES.TXT", "");
  }
  testing::RecordingMusicEngine music{messages};
  LevelMusicChoice choice{state, folder, messages, music};
};

TEST(LevelMusicChoice, TestPlaysWithTheSettingsStopEndsItAndCloseStopsAndReleasesOnce) {
  MusicBench bench;
  bench.state.Music = {15, -120, 4};
  bench.choice.Start();
  bench.choice.PressTest(std::string("CAVERN.MID"));
  EXPECT_STREQ(bench.choice.Caption(), "Stop");
  bench.choice.PressTest(std::string("CAVERN.MID"));
  EXPECT_STREQ(bench.choice.Caption(), "Test");
  bench.choice.PressTest(std::string("battle.mid"));
  bench.choice.Close();
  bench.choice.Close();
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "LoadMusic CAVERN.MID midi", "SetMusicTempo 1.5",
                                      "SetMusicVolume -120", "SetMusicGroove 4", "PlayMusic #1 -1", "StopMusic #1",
                                      "LoadMusic battle.mid midi", "SetMusicTempo 1.5", "SetMusicVolume -120",
                                      "SetMusicGroove 4", "PlayMusic #2 -1", "StopMusic #2", "ReleaseMusic"}));
  EXPECT_TRUE(bench.messages.shown.empty());
}

TEST(LevelMusicChoice, TheListLeadsWithNoMusicAndNoChoiceTheEmptyEntryAndATuneGoneAreReported) {
  MusicBench bench;
  const std::vector<std::string> entries = bench.choice.Entries();
  EXPECT_EQ(entries, (std::vector<std::string>{"", "battle.mid", "CAVERN.MID"}));
  EXPECT_EQ(std::tuple(LevelMusicChoice::EntryOf(entries, "CAVERN.MID"), LevelMusicChoice::EntryOf(entries, ""),
                       LevelMusicChoice::EntryOf(entries, "BATTLE.MID")),
            std::tuple(2, 0, std::nullopt));  // letter case counts
  bench.choice.Start();
  bench.choice.PressTest(std::nullopt);
  bench.choice.PressTest(std::string());
  std::filesystem::remove(bench.temp.Path() / "battle.mid");
  bench.choice.PressTest(std::string("battle.mid"));
  ASSERT_EQ(bench.messages.shown.size(), 3u);
  const char* texts[] = {"File not selected.", "File not selected.", "File does not exsist."};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(bench.messages.shown[i].text, texts[i]);
    EXPECT_EQ(bench.messages.shown[i].title, "File not found!");
  }
  EXPECT_STREQ(bench.choice.Caption(), "Test");
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128"}));
}

TEST(LevelMusicChoice, WithoutAudioTheCaptionStillTurnsButNothingLoads) {
  MusicBench bench;
  bench.music.initSucceeds = false;
  bench.choice.Start();
  bench.choice.PressTest(std::string("battle.mid"));
  EXPECT_STREQ(bench.choice.Caption(), "Stop");
  bench.choice.PressTest(std::string("battle.mid"));
  bench.choice.Close();
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "StopMusic none", "ReleaseMusic"}));
}

}  // namespace
}  // namespace fl3
