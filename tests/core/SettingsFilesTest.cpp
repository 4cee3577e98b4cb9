#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolder.h"
#include "core/KeyLayout.h"
#include "core/KeyNames.h"
#include "core/MusicSettings.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

const KeyLayout kArrows{203, 200, 205, 208, 157};
const std::string kArrowsFile = "203\r\n200\r\n205\r\n208\r\n157\r\n";

TEST(SettingsFiles, AreCrLfLinesOfDecimalNumbersInFieldOrderThatLoadBack) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  for (int player = 0; player < 4; ++player) ASSERT_TRUE((KeyLayout{-1, 0, 7, 1000, player}).Save(folder, std::to_string(player)));
  ASSERT_TRUE(kArrows.Save(folder, "0"));
  EXPECT_EQ(temp.Read("0.FLK3"), kArrowsFile);
  EXPECT_EQ(temp.Read("3.FLK3"), "-1\r\n0\r\n7\r\n1000\r\n3\r\n");  // any value, as it stands
  for (int player = 1; player < 4; ++player) {
    KeyLayout loaded;
    loaded.Load(folder, std::to_string(player));
    EXPECT_EQ(loaded, (KeyLayout{0, 0, 7, 0, player}));  // codes beyond the keyboard come back as no key
  }
  ASSERT_TRUE(WriteMusicSettings(folder, MusicSettings{}));
  EXPECT_EQ(temp.Read("MISC.OPT"), "10\r\n0\r\n0\r\n");
  ASSERT_TRUE(WriteMusicSettings(folder, MusicSettings{100, -200, -99}));
  EXPECT_EQ(temp.Read("MISC.OPT"), "100\r\n-200\r\n-99\r\n");
  EXPECT_EQ(ReadMusicSettings(folder), (MusicSettings{100, -200, -99}));
  EXPECT_FLOAT_EQ((MusicSettings{25, -150, 40}).TempoFactor(), 2.5f);
}

TEST(SettingsFiles, AFileThatCannotBeReadChangesNoKeyAndGivesTheDefaultMusic) {
  enum class Made { Nothing, Folder, Unreadable, InLowerCase };
  const KeyLayout before{1, 2, 3, 4, 5};
  const struct {
    Made made;
    KeyLayout keys;
    MusicSettings music;
  } cases[] = {{Made::Nothing, before, {10, 0, 0}}, {Made::Folder, before, {10, 0, 0}},
               {Made::Unreadable, before, {10, 0, 0}}, {Made::InLowerCase, kArrows, {25, -150, 40}}};
  for (const auto& [made, keys, music] : cases) {
    TempFolder temp;
    for (const auto& [name, text] : {std::pair{std::string("2.FLK3"), kArrowsFile}, {"MISC.OPT", "25\r\n-150\r\n40\r\n"}}) {
      if (made == Made::Folder) fs::create_directory(temp.Path() / name);
      if (made == Made::Unreadable) fs::permissions(temp.Write(name, text), fs::perms::none);
      if (made == Made::InLowerCase) temp.Write(name == "2.FLK3" ? "2.flk3" : "misc.opt", text);
    }
    const GameFolder folder(temp.Path());
    testing::WithoutPermissionOverride asUser;
    KeyLayout layout = before;
    layout.Load(folder, "2");
    EXPECT_EQ(layout, keys) << static_cast<int>(made);
    EXPECT_EQ(ReadMusicSettings(folder), music) << static_cast<int>(made);
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
      {"1\r\n20\r\n99\r\n", {1, 20, 99}},
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

TEST(KeyNames, NamesEveryKeyOfTheTableAndNoOther) {
  // First code of each run of named keys, then its names in order.
  const std::map<int, std::vector<std::string>> named{
      {1, {"Escape", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", "Bckspace", "Tab", "Q", "W", "E",
           "R", "T", "Y", "U", "I", "O", "P", "[", "]", "Enter", "Left CTRL", "A", "S", "D", "F", "G", "H", "J",
           "K", "L", ";", "'", "`", "Left SHIFT", "\\", "Z", "X", "C", "V", "B", "N", "M", ",", ".", "/",
           "Right SHIFT", "* (num)", "Left ALT", "Spacebar", "CAPS LOCK", "F1", "F2", "F3", "F4", "F5", "F6", "F7",
           "F8", "F9", "F10", "NUMLOCK", "SCROLL LOCK", "NUMPAD7", "NUMPAD8", "NUMPAD9", "- (num)", "NUMPAD4",
           "NUMPAD5", "NUMPAD6", "+ (num)", "NUMPAD1", "NUMPAD2", "NUMPAD3", "NUMPAD0", ". (num)", "F14", "F15",
           "F13", "F11", "F12"}},
      {91, {", (num) NEC PC98 numeric keypad"}},
      {116, {"Pause"}},
      {156, {"Enter (num)", "Right CTRL key"}},
      {181, {"/ (num)"}},
      {183, {"PrintScrn", "Right ALT"}},
      {199, {"Home", "Up", "Page Up"}},
      {203, {"Left"}},
      {205, {"Right"}},
      {207, {"End", "Down", "Page Down", "Insert", "Delete"}},
      {219, {"Left Win", "Right Win", "Application"}},
  };
  std::map<int, std::string> expected;
  for (const auto& [first, names] : named) {
    for (std::size_t k = 0; k < names.size(); ++k) expected[first + static_cast<int>(k)] = names[k];
  }
  for (int code = -1; code <= 256; ++code) {
    const auto name = expected.find(code);
    EXPECT_EQ(KeyNames(code), name == expected.end() ? "Unknoun Key" : name->second) << code;
  }
}

}  // namespace
}  // namespace fl3
