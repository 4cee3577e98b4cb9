#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "SampleLevel.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "core/KeyLayout.h"
#include "core/KeyNames.h"
#include "core/MusicSettings.h"
#include "core/RandomSource.h"
#include "core/Rounding.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

const KeyLayout kArrows{203, 200, 205, 208, 157};
const std::string kArrowsFile = "203\r\n200\r\n205\r\n208\r\n157\r\n";

TEST(SettingsFiles, AreCrLfLinesOfDecimalNumbersInFieldOrderThatLoadBack) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  ASSERT_TRUE((KeyLayout{-1, 0, 7, 1000, 3}).Save(folder, "3"));
  EXPECT_EQ(temp.Read("3.FLK3"), "-1\r\n0\r\n7\r\n1000\r\n3\r\n");  // any value, as it stands
  ASSERT_TRUE(WriteMusicSettings(folder, MusicSettings{100, -200, -99}));
  EXPECT_EQ(temp.Read("MISC.OPT"), "100\r\n-200\r\n-99\r\n");
  EXPECT_EQ(ReadMusicSettings(folder), (MusicSettings{100, -200, -99}));
}

// Player n's keys come from "n.FLK3"; a file that cannot be read leaves no key
// set and the default music, and nothing is created.
TEST(StartUp, LoadsEachPlayersLayoutAndTheMusicSkippingFilesThatCannotBeRead) {
  enum class Made { Nothing, Folder, Unreadable, InLowerCase };
  const KeyLayout none{};
  const struct {
    Made made;
    KeyLayout keys;
    MusicSettings music;
  } cases[] = {{Made::Nothing, none, {10, 0, 0}}, {Made::Folder, none, {10, 0, 0}},
               {Made::Unreadable, none, {10, 0, 0}}, {Made::InLowerCase, kArrows, {25, -150, 40}}};
  for (const auto& [made, keys, music] : cases) {
    TempFolder temp;
    for (const auto& [name, text] : {std::pair{std::string("2.FLK3"), kArrowsFile}, {"MISC.OPT", "25\r\n-150\r\n40\r\n"}}) {
      if (made == Made::Folder) fs::create_directory(temp.Path() / name);
      if (made == Made::Unreadable) fs::permissions(temp.Write(name, text), fs::perms::none);
      if (made == Made::InLowerCase) temp.Write(name == "2.FLK3" ? "2.flk3" : "misc.opt", text);
    }
    GameState state;
    {
      testing::WithoutPermissionOverride asUser;
      StartUp(state, GameFolder(temp.Path()));
    }
    const auto& c = state.Characters;
    EXPECT_EQ((std::array{c[0].Keys, c[1].Keys, c[2].Keys, c[3].Keys}), (std::array{none, none, keys, none}))
        << static_cast<int>(made);
    EXPECT_EQ(state.Music, music) << static_cast<int>(made);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), {}), made == Made::Nothing ? 0 : 2);
  }
}

TEST(SettingsFiles, BadKeyLinesKeepTheCodesReadSoFarAndNeverGiveACodeOffTheKeyboard) {
  const KeyLayout before{1, 2, 3, 4, 5};
  const struct {
    std::string text;
    KeyLayout expected;
  } cases[] = {
      {"", before},
      {"203", {203, 2, 3, 4, 5}},             // the last line needs no line end
      {"203\r\n20", {203, 20, 3, 4, 5}},      // a cut number counts when it is whole
      {"30\r\n31\r\nxyz\r\n40\r\n41\r\n", {30, 31, 3, 4, 5}},  // garbage stops the reading
      {"30\r\n\r\n32\r\n", {30, 2, 3, 4, 5}},
      {"3O\r\n31\r\n", before},
      {"9\r\n99999999999\r\n9\r\n", {9, 2, 3, 4, 5}},
      {"256\r\n-1\r\n255\r\n0\r\n77\r\n", {0, 0, 255, 0, 77}},  // no key beyond the keyboard
      {"203\n200\n205\n208\n157\n", kArrows},
      {"203\r200\r205\r208\r157\r", kArrows},
      {" 203 \r\n+200\r\n205\r\n208\r\n157", kArrows},
      {kArrowsFile + std::string(300000, '7'), kArrows},
  };
  for (const auto& [text, expected] : cases) {
    KeyLayout layout = before;
    layout.ReadFileText(text);
    EXPECT_EQ(layout, expected) << text.substr(0, 40);
  }
}

TEST(SettingsFiles, BadMusicValuesAreClampedOrTakeTheirDefault) {
  const struct {
    std::string text;
    MusicSettings expected;
  } cases[] = {
      {"0\r\n21\r\n-100\r\n", {1, 20, -99}},  // just outside the options screen's ranges
      {"101\r\n-201\r\n100\r\n", {100, -200, 99}},
      {"", {10, 0, 0}},
      {"abc\r\n-50\r\n7\r\n", {10, -50, 7}},  // each value stands alone
      {"25\r\n\r\n7\r\n", {25, 0, 7}},
      {"2147483648\r\n1.5\r\n-7x\r\n", {10, 0, 0}},
      {"2", {2, 0, 0}},
      {"25\r\n-", {25, 0, 0}},  // a lone "-" is no number
      {"25\r\n-150\r\n4", {25, -150, 4}},
      {"25\r\n-150\r\n40\r\n" + std::string(200000, 'x'), {25, -150, 40}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseMusicSettings(text), expected) << text.substr(0, 40);
}

// The first and last name of every run of named keys and the codes around
// each run: a name shifted, dropped or added shows at these codes or in the count.
TEST(KeyNames, NamesEveryKeyOfTheTableAndNoOther) {
  const std::string no = "Unknoun Key";
  const std::map<int, std::string> names{
      {-1, no}, {0, no}, {1, "Escape"}, {14, "Bckspace"}, {15, "Tab"}, {16, "Q"}, {29, "Left CTRL"}, {30, "A"},
      {43, "\\"}, {44, "Z"}, {58, "CAPS LOCK"}, {59, "F1"}, {70, "SCROLL LOCK"}, {71, "NUMPAD7"}, {83, ". (num)"},
      {84, "F14"}, {86, "F13"}, {88, "F12"}, {89, no}, {90, no}, {91, ", (num) NEC PC98 numeric keypad"}, {92, no},
      {115, no}, {116, "Pause"}, {117, no}, {155, no}, {156, "Enter (num)"}, {157, "Right CTRL key"}, {158, no},
      {180, no}, {181, "/ (num)"}, {182, no}, {183, "PrintScrn"}, {184, "Right ALT"}, {185, no}, {198, no},
      {199, "Home"}, {201, "Page Up"}, {202, no}, {203, "Left"}, {204, no}, {205, "Right"}, {206, no}, {207, "End"},
      {211, "Delete"}, {212, no}, {218, no}, {219, "Left Win"}, {221, "Application"}, {222, no}, {255, no}, {256, no}};
  int named = 0;
  for (int code = -1; code <= 256; ++code) named += KeyNames(code) == no ? 0 : 1;
  EXPECT_EQ(named, 108);
  for (const auto& [code, name] : names) EXPECT_EQ(KeyNames(code), name) << code;
}

TEST(ResetAfterMatch, LeavesTheBetweenMatchesFormWhileClearLevelEmptiesOnlyTheLevelsShare) {
  GameState reset, cleared;
  for (GameState* state : {&reset, &cleared}) {
    for (int i = 0; i < 4; ++i) {
      state->Characters[i] = Character{3, 4, ContMan, DirDown, 1, 3, 2, KeyLayout{30, 17, 32, 31, 16 + i}, true, 16, 40, 2};
    }
    state->TileMap.fill(CellBlock1);
    state->ItemMap.fill(ItemRandom);
    state->Bombs.Add(5, 6, 3000, 2, 100, 0);
    state->LevelMusic = "BATTLE.MID";
    state->MatchKind = MatchMostLives;
    state->TimeLeft = 90000;
  }
  ResetAfterMatch(reset);
  ClearLevel(cleared);
  const std::int32_t contAfter[] = {ContMan, ContCpu, ContOff, ContOff};
  for (int i = 0; i < 4; ++i) {
    const Character& r = reset.Characters[i];
    const Character& c = cleared.Characters[i];
    // X, Y, Cont, Lives, PowerBombs, PowerFire, then the step: no figure may begin the next match walking.
    EXPECT_EQ((std::array{r.X, r.Y, r.Cont, r.Lives, r.PowerBombs, r.PowerFire, r.Moving ? 1 : 0, r.StepOffset,
                          r.AnimTime, r.AnimFrame, r.Keys.keyPlantBomb}),
              (std::array{0, 0, contAfter[i], 5, 0, 0, 0, 0, 0, 0, 16 + i}));
    EXPECT_EQ((std::array{c.X, c.Y, c.Cont, c.Lives, c.PowerBombs, c.PowerFire}), (std::array{0, 0, ContMan, 1, 0, 0}));
  }
  EXPECT_EQ(reset.Bombs.Count(), 0);
  for (const GameState* state : {&reset, &cleared}) {
    EXPECT_EQ((std::array{state->TileMap, state->ItemMap}), (std::array{CellGrid{}, CellGrid{}}));
    // The start screen sets the kind and the time again before the next match.
    EXPECT_EQ(std::tuple(state->LevelMusic, state->MatchKind, state->TimeLeft), std::tuple("", MatchMostLives, 90000));
  }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndResultsStayIn32Bits) {
  const struct {
    double value;
    std::int32_t rounded;
  } cases[] = {
      {12.5, 12}, {13.5, 14}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {2.4999, 2}, {2.5001, 3}, {-0.6, -1},
      {1e12, std::numeric_limits<std::int32_t>::max()}, {-1e12, std::numeric_limits<std::int32_t>::min()},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(RandomSource, EveryNewSourceRepeatsTheSameSequenceOfWholeTwentyFourBitFractions) {
  // x' = (1140671485 x + 12820163) mod 2^24 from x = 327680, each value x' / 2^24,
  // worked out by hand from the generator's definition.
  const double numerators[] = {11837123, 8949370, 9722709, 4858052, 5065847, 12997982, 235177, 12762824};
  RandomSource random;
  for (const double numerator : numerators) EXPECT_EQ(random.Next(), numerator / 16777216.0);
}

using Names = std::vector<std::string>;

Names EverythingIn(const fs::path& directory) {
  Names names;
  for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// While alive, a write that makes a file longer than 2 bytes fails with
// "File too large": unlike permission bits this stops root too.
class TwoByteFileLimit {
 public:
  TwoByteFileLimit() : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = 2;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~TwoByteFileLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, handler_);
  }

 private:
  void (*handler_)(int);
  rlimit saved_{};
};

TEST(GameFolder, FindsAndListsRegularFilesIgnoringCasePreferringTheExactNameAndNothingOutside) {
  TempFolder temp;
  for (const char* name : {"misc.opt", "MISC.OPT", "Castle.Fl3", "c.FL3", "A.fl3", "B.Fl3", "x.FL3.bak", "ab"}) {
    temp.Write(name, "x");
  }
  fs::create_directory(temp.Path() / "0.FLK3");
  fs::create_directory(temp.Path() / "dir.FL3");
  const GameFolder folder(temp.Path());
  const std::string outside = "../" + temp.Path().filename().string() + "/misc.opt";
  const struct {
    std::string name;
    std::optional<std::string> found;
  } lookups[] = {{"castle.fl3", "Castle.Fl3"}, {"misc.opt", "misc.opt"}, {"MISC.OPT", "MISC.OPT"},
                 {"Misc.Opt", "MISC.OPT"},  // no exact match: the first in listing order
                 {"0.flk3", std::nullopt},  {"MISC.OP", std::nullopt},  {"", std::nullopt}, {outside, std::nullopt}};
  for (const auto& [name, found] : lookups) {
    EXPECT_EQ(folder.Find(name), found ? std::optional(temp.Path() / *found) : std::nullopt) << name;
  }
  const struct {
    const char* pattern;
    Names names;
  } listings[] = {{"*.fl3", {"A.fl3", "B.Fl3", "c.FL3", "Castle.Fl3"}}, {"?.FL3", {"A.fl3", "B.Fl3", "c.FL3"}},
                  {"a*", {"A.fl3", "ab"}}, {"a?b", {}}, {"", {}}};
  for (const auto& [pattern, names] : listings) EXPECT_EQ(folder.List(pattern), names) << pattern;

  std::string bytes = "untouched";
  EXPECT_EQ(GameFolder("/no/folder", "/shipped").ReadAll("MISC.OPT", bytes).reason, "\"MISC.OPT\": no such file in /no/folder or /shipped");
  EXPECT_EQ(bytes, "untouched");
  EXPECT_TRUE(GameFolder("/no/folder").List("*").empty());
}

// Every file the player saves goes through the same atomic write; all but
// the level, which is given a path, replace a file of another letter case.
struct Saver {
  const char* file;
  const char* existing;
  std::function<IoResult(const GameFolder&)> save;
};
const Saver kSavers[] = {
    {"MISC.OPT", "misc.opt", [](const GameFolder& f) { return WriteMusicSettings(f, MusicSettings{}); }},
    {"1.FLK3", "1.flk3", [](const GameFolder& f) { return KeyLayout{1, 2, 3, 4, 5}.Save(f, "1"); }},
    {"CASTLE.FL3", "CASTLE.FL3",
     [](const GameFolder& f) { return WriteLevelFile(f.Directory() / "CASTLE.FL3", testing::SampleLevel()); }},
};

TEST(GameFolder, ASaveReplacesTheFileOfAnyCaseReadableByAllOrSaysWhyAndKeepsTheOldOne) {
  enum class Way { Saved, TooLarge, ReadOnlyFolder, FolderInTheWay };
  const std::pair<Way, std::string> ways[] = {{Way::Saved, ""}, {Way::TooLarge, "File too large"},
                                              {Way::ReadOnlyFolder, "Permission denied"},
                                              {Way::FolderInTheWay, "Is a directory"}};
  for (const Saver& saver : kSavers) {
    for (const auto& [way, reason] : ways) {
      TempFolder temp;
      const std::string name = way == Way::Saved ? saver.existing : saver.file;
      if (way == Way::FolderInTheWay) fs::create_directory(temp.Path() / name);
      if (way != Way::FolderInTheWay) temp.Write(name, "old");
      if (way == Way::ReadOnlyFolder) fs::permissions(temp.Path(), fs::perms::owner_read | fs::perms::owner_exec);
      IoResult saved;
      {
        testing::WithoutPermissionOverride asUser;
        std::optional<TwoByteFileLimit> limit;
        if (way == Way::TooLarge) limit.emplace();
        saved = saver.save(GameFolder(temp.Path()));
      }
      fs::permissions(temp.Path(), fs::perms::owner_all);
      EXPECT_EQ(std::pair(saved.ok, saved.reason),
                std::pair(way == Way::Saved,
                          way == Way::Saved ? "" : "\"" + (temp.Path() / saver.file).string() + "\": cannot be written: " + reason));
      EXPECT_EQ(EverythingIn(temp.Path()), Names{name}) << reason;  // no second file, no temporary left
      EXPECT_TRUE(way == Way::FolderInTheWay ? fs::is_directory(temp.Path() / name)
                                             : (temp.Read(name) == "old") == (way != Way::Saved)) << name << reason;
      if (way == Way::Saved) {
        EXPECT_EQ(fs::status(temp.Path() / name).permissions(), static_cast<fs::perms>(0644)) << name;
      }
    }
  }
  TempFolder temp;
  temp.Write("t1.bmp", "x");
  const GameFolder folder(temp.Path());
  EXPECT_TRUE(folder.Remove("T1.BMP") && folder.Remove("T2.BMP"));  // a missing file is no error
  EXPECT_FALSE(folder.WriteAtomically("../escape", "x"));
  EXPECT_TRUE(fs::is_empty(temp.Path()));
}

}  // namespace
}  // namespace fl3
