#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "WriteFailures.h"
#include "core/GameFolder.h"
#include "core/KeyLayout.h"
#include "core/KeyNames.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

const KeyLayout kArrowsAndRightCtrl{203, 200, 205, 208, 157};
const std::string kArrowsFile = "203\r\n200\r\n205\r\n208\r\n157\r\n";

TEST(KeyLayout, SavesFiveCrLfLinesInFieldOrderThatLoadBack) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  ASSERT_TRUE(kArrowsAndRightCtrl.Save(folder, "0"));
  EXPECT_EQ(temp.Read("0.FLK3"), kArrowsFile);
  EXPECT_EQ(kArrowsFile.size(), 25u);  // five lines of three digits, CR and LF

  // The fields take any value; the file shows it as it stands.
  ASSERT_TRUE((KeyLayout{-1, 0, 7, 255, 1000}).Save(folder, "3"));
  EXPECT_EQ(temp.Read("3.FLK3"), "-1\r\n0\r\n7\r\n255\r\n1000\r\n");

  for (const char* title : {"0", "1", "2", "3"}) {
    const KeyLayout saved{30, 17, 32, 31, title[0] - '0' + 16};
    ASSERT_TRUE(saved.Save(folder, title));
    KeyLayout loaded;
    loaded.Load(folder, title);
    EXPECT_EQ(loaded, saved) << title;
  }

  // A file of another letter case is found, and saving keeps that file.
  fs::remove(temp.Path() / "2.FLK3");
  temp.Write("2.flk3", kArrowsFile);
  KeyLayout layout;
  layout.Load(folder, "2");
  EXPECT_EQ(layout, kArrowsAndRightCtrl);
  ASSERT_TRUE((KeyLayout{1, 2, 3, 4, 5}).Save(folder, "2"));
  EXPECT_EQ(temp.Read("2.flk3"), "1\r\n2\r\n3\r\n4\r\n5\r\n");
  EXPECT_FALSE(fs::exists(temp.Path() / "2.FLK3"));
}

TEST(KeyLayout, BadFilesKeepTheCodesReadSoFarAndNeverGiveACodeOffTheKeyboard) {
  const KeyLayout before{1, 2, 3, 4, 5};
  const struct {
    std::string text;
    KeyLayout expected;
  } cases[] = {
      {"", before},
      {"\r\n\r\n\r\n\r\n\r\n", before},
      // Cut short: a cut number still counts when it is whole.
      {kArrowsFile.substr(0, 3), {203, 2, 3, 4, 5}},
      {kArrowsFile.substr(0, 7), {203, 20, 3, 4, 5}},
      {kArrowsFile.substr(0, 17), {203, 200, 205, 20, 5}},
      {kArrowsFile.substr(0, 23), kArrowsAndRightCtrl},
      // Garbage stops the reading.
      {"30\r\n31\r\nxyz\r\n40\r\n41\r\n", {30, 31, 3, 4, 5}},
      {"30\r\n\r\n32\r\n", {30, 2, 3, 4, 5}},
      {"3O\r\n31\r\n", before},
      {std::string("\xff\xfe\x00\x01garbage", 11), before},
      {"9\r\n99999999999\r\n9\r\n", {9, 2, 3, 4, 5}},
      // Codes outside the keyboard become no key.
      {"256\r\n-1\r\n255\r\n0\r\n77\r\n", {0, 0, 255, 0, 77}},
      // Lines may end any way; what follows the fifth is ignored.
      {"203\n200\n205\n208\n157\n", kArrowsAndRightCtrl},
      {"203\r200\r205\r208\r157\r", kArrowsAndRightCtrl},
      {"203\r\n200\n205\r208\r\n157", kArrowsAndRightCtrl},
      {" 203 \r\n+200\r\n205\r\n208\r\n157\r\n", kArrowsAndRightCtrl},
      {kArrowsFile + std::string(300000, '7'), kArrowsAndRightCtrl},
  };
  TempFolder temp;
  const GameFolder folder(temp.Path());
  for (const auto& [text, expected] : cases) {
    temp.Write("0.FLK3", text);
    KeyLayout layout = before;
    layout.Load(folder, "0");
    EXPECT_EQ(layout, expected) << text.substr(0, 40);
  }

  // No file, a folder of the name, a file that cannot be read: nothing changes.
  fs::create_directory(temp.Path() / "1.FLK3");
  KeyLayout layout = before;
  layout.Load(folder, "1");
  layout.Load(folder, "2");
  if (testing::PermissionsStopUs()) {
    fs::permissions(temp.Write("3.FLK3", kArrowsFile), fs::perms::none);
    layout.Load(folder, "3");
  }
  EXPECT_EQ(layout, before);
}

TEST(KeyLayout, AFailedSaveIsReportedAndKeepsTheOldFile) {
  TempFolder temp;
  temp.Write("1.FLK3", "1\r\n2\r\n3\r\n4\r\n5\r\n");
  fs::create_directory(temp.Path() / "0.FLK3");
  const GameFolder folder(temp.Path());

  const IoResult intoFolder = kArrowsAndRightCtrl.Save(folder, "0");
  EXPECT_FALSE(intoFolder);
  EXPECT_NE(intoFolder.reason.find("\"0.FLK3\": cannot be written"), std::string::npos);
  {
    testing::FileSizeLimit limit(3);
    const IoResult tooLarge = kArrowsAndRightCtrl.Save(folder, "1");
    EXPECT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.reason, "\"1.FLK3\": cannot be written: File too large");
  }
  EXPECT_EQ(temp.Read("1.FLK3"), "1\r\n2\r\n3\r\n4\r\n5\r\n");
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
  ASSERT_EQ(expected.size(), 108u);
  ASSERT_EQ(expected.at(86), "F13");
  for (int code = -1; code <= 256; ++code) {
    const auto name = expected.find(code);
    EXPECT_EQ(KeyNames(code), name == expected.end() ? "Unknoun Key" : name->second) << code;
  }
}

}  // namespace
}  // namespace fl3
