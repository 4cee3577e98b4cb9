#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "WriteFailures.h"
#include "core/GameFolder.h"
#include "core/KeyLayout.h"
#include "core/KeyNames.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

KeyLayout Layout(std::int32_t left, std::int32_t up, std::int32_t right, std::int32_t down, std::int32_t plant) {
  KeyLayout layout;
  layout.keyLeft = left;
  layout.keyUp = up;
  layout.keyRight = right;
  layout.keyDown = down;
  layout.keyPlantBomb = plant;
  return layout;
}

const KeyLayout kArrowsAndRightCtrl = Layout(203, 200, 205, 208, 157);
const KeyLayout kBefore = Layout(1, 2, 3, 4, 5);

// Loads `text` as layout "0" over a layout holding 1, 2, 3, 4, 5.
KeyLayout LoadedOverBefore(std::string_view text) {
  TempFolder temp;
  temp.Write("0.FLK3", text);
  KeyLayout layout = kBefore;
  layout.Load(GameFolder(temp.Path()), "0");
  return layout;
}

TEST(KeyLayout, SavesFiveCrLfLinesInFieldOrder) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  ASSERT_TRUE(kArrowsAndRightCtrl.Save(folder, "0"));
  const std::string bytes = temp.Read("0.FLK3");
  EXPECT_EQ(bytes, "203\r\n200\r\n205\r\n208\r\n157\r\n");
  EXPECT_EQ(bytes.size(), 25u);  // five lines of three digits, CR and LF

  // The properties take any value; the file shows it as it stands.
  ASSERT_TRUE(Layout(-1, 0, 7, 255, 1000).Save(folder, "3"));
  EXPECT_EQ(temp.Read("3.FLK3"), "-1\r\n0\r\n7\r\n255\r\n1000\r\n");
}

TEST(KeyLayout, SaveThenLoadGivesTheSameCodes) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  for (const char* title : {"0", "1", "2", "3"}) {
    const KeyLayout saved = Layout(30, 17, 32, 31, title[0] - '0' + 16);
    ASSERT_TRUE(saved.Save(folder, title));
    KeyLayout loaded;
    loaded.Load(folder, title);
    EXPECT_EQ(loaded, saved) << title;
  }
}

TEST(KeyLayout, LoadFindsTheFileWhateverItsCaseAndSaveKeepsThatFile) {
  TempFolder temp;
  temp.Write("2.flk3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
  const GameFolder folder(temp.Path());
  KeyLayout layout;
  layout.Load(folder, "2");
  EXPECT_EQ(layout, kArrowsAndRightCtrl);

  ASSERT_TRUE(kBefore.Save(folder, "2"));
  EXPECT_EQ(temp.Read("2.flk3"), "1\r\n2\r\n3\r\n4\r\n5\r\n");
  EXPECT_FALSE(fs::exists(temp.Path() / "2.FLK3"));
}

TEST(KeyLayout, MissingEmptyOrUnreadableFilesChangeNothing) {
  TempFolder temp;
  fs::create_directory(temp.Path() / "1.FLK3");
  const GameFolder folder(temp.Path());
  KeyLayout layout = kBefore;
  layout.Load(folder, "0");  // no such file
  EXPECT_EQ(layout, kBefore);
  layout.Load(folder, "1");  // a folder of that name
  EXPECT_EQ(layout, kBefore);
  EXPECT_EQ(LoadedOverBefore(""), kBefore);
  EXPECT_EQ(LoadedOverBefore("\r\n\r\n\r\n\r\n\r\n"), kBefore);
}

TEST(KeyLayout, AFileWithoutReadPermissionChangesNothing) {
  if (!testing::PermissionsStopUs()) GTEST_SKIP() << "permission bits do not stop this user";
  TempFolder temp;
  fs::permissions(temp.Write("0.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n"), fs::perms::none);
  KeyLayout layout = kBefore;
  layout.Load(GameFolder(temp.Path()), "0");
  EXPECT_EQ(layout, kBefore);
}

TEST(KeyLayout, ShortFilesKeepTheCodesReadSoFar) {
  const std::string full = "203\r\n200\r\n205\r\n208\r\n157\r\n";
  // Cut after "203\r\n200" and so on: the cut number still counts when whole.
  EXPECT_EQ(LoadedOverBefore(full.substr(0, 3)), Layout(203, 2, 3, 4, 5));
  EXPECT_EQ(LoadedOverBefore(full.substr(0, 7)), Layout(203, 20, 3, 4, 5));
  EXPECT_EQ(LoadedOverBefore(full.substr(0, 10)), Layout(203, 200, 3, 4, 5));
  EXPECT_EQ(LoadedOverBefore(full.substr(0, 17)), Layout(203, 200, 205, 20, 5));
  EXPECT_EQ(LoadedOverBefore(full.substr(0, 23)), Layout(203, 200, 205, 208, 157));
}

TEST(KeyLayout, GarbageStopsTheReadingAndCodesOutsideTheKeyboardBecomeNoKey) {
  EXPECT_EQ(LoadedOverBefore("30\r\n31\r\nxyz\r\n40\r\n41\r\n"), Layout(30, 31, 3, 4, 5));
  EXPECT_EQ(LoadedOverBefore("30\r\n\r\n32\r\n"), Layout(30, 2, 3, 4, 5));
  EXPECT_EQ(LoadedOverBefore("3O\r\n31\r\n"), kBefore);
  EXPECT_EQ(LoadedOverBefore("\xff\xfe\x00\x01garbage"), kBefore);
  EXPECT_EQ(LoadedOverBefore("256\r\n-1\r\n255\r\n0\r\n77\r\n"), Layout(0, 0, 255, 0, 77));
  // Too large for a 32-bit number at all: unreadable, so the reading stops.
  EXPECT_EQ(LoadedOverBefore("9\r\n99999999999\r\n9\r\n"), Layout(9, 2, 3, 4, 5));
}

TEST(KeyLayout, ReadsLinesEndedAnyWayAndIgnoresWhatFollowsTheFifth) {
  const KeyLayout arrows = kArrowsAndRightCtrl;
  EXPECT_EQ(LoadedOverBefore("203\n200\n205\n208\n157\n"), arrows);
  EXPECT_EQ(LoadedOverBefore("203\r200\r205\r208\r157\r"), arrows);
  EXPECT_EQ(LoadedOverBefore("203\r\n200\n205\r208\r\n157"), arrows);
  EXPECT_EQ(LoadedOverBefore(" 203 \r\n+200\r\n205\r\n208\r\n157\r\n"), arrows);
  EXPECT_EQ(LoadedOverBefore("203\r\n200\r\n205\r\n208\r\n157\r\n" + std::string(300000, '7')), arrows);
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

TEST(KeyNames, NamesTheKeysOfTheTable) {
  EXPECT_EQ(KeyNames(1), "Escape");
  EXPECT_EQ(KeyNames(2), "1");
  EXPECT_EQ(KeyNames(11), "0");
  EXPECT_EQ(KeyNames(14), "Bckspace");
  EXPECT_EQ(KeyNames(29), "Left CTRL");
  EXPECT_EQ(KeyNames(38), "L");
  EXPECT_EQ(KeyNames(42), "Left SHIFT");
  EXPECT_EQ(KeyNames(43), "\\");
  EXPECT_EQ(KeyNames(50), "M");
  EXPECT_EQ(KeyNames(57), "Spacebar");
  EXPECT_EQ(KeyNames(58), "CAPS LOCK");
  EXPECT_EQ(KeyNames(68), "F10");
  EXPECT_EQ(KeyNames(70), "SCROLL LOCK");
  EXPECT_EQ(KeyNames(83), ". (num)");
  EXPECT_EQ(KeyNames(84), "F14");
  EXPECT_EQ(KeyNames(85), "F15");
  EXPECT_EQ(KeyNames(86), "F13");
  EXPECT_EQ(KeyNames(87), "F11");
  EXPECT_EQ(KeyNames(88), "F12");
  EXPECT_EQ(KeyNames(91), ", (num) NEC PC98 numeric keypad");
  EXPECT_EQ(KeyNames(116), "Pause");
  EXPECT_EQ(KeyNames(157), "Right CTRL key");
  EXPECT_EQ(KeyNames(181), "/ (num)");
  EXPECT_EQ(KeyNames(184), "Right ALT");
  EXPECT_EQ(KeyNames(200), "Up");
  EXPECT_EQ(KeyNames(203), "Left");
  EXPECT_EQ(KeyNames(205), "Right");
  EXPECT_EQ(KeyNames(208), "Down");
  EXPECT_EQ(KeyNames(211), "Delete");
  EXPECT_EQ(KeyNames(221), "Application");
}

TEST(KeyNames, EveryOtherCodeIsAnUnknounKey) {
  const auto unknown = [](int code) { return KeyNames(code) == "Unknoun Key"; };
  // Where the usual scan-code table names F13 to F15, the second comma and Pause.
  for (const int code : {0, 255, 100, 101, 102, 179, 197, 89, 90, 202, 204, 206, 222}) EXPECT_TRUE(unknown(code)) << code;
  const int unnamedRanges[][2] = {{0, 0},     {89, 90},   {92, 115},  {117, 155}, {158, 180}, {182, 182}, {185, 198},
                                  {202, 202}, {204, 204}, {206, 206}, {212, 218}, {222, 255}};
  int unnamed = 0;
  for (const auto& range : unnamedRanges) {
    for (int code = range[0]; code <= range[1]; ++code, ++unnamed) EXPECT_TRUE(unknown(code)) << code;
  }
  EXPECT_EQ(unnamed, 148);
  int named = 0;
  for (int code = 0; code < 256; ++code) {
    if (!unknown(code)) ++named;
    EXPECT_FALSE(KeyNames(code).empty()) << code;
  }
  // 1 + 10 + 4 + 10 + 4 + 9 + 4 + 1 + 7 + 8 + 10 + 2 + 13 + 5 + 1 + 1 + 2 + 1 + 2 + 3 + 1 + 1 + 5 + 3
  EXPECT_EQ(named, 108);
  EXPECT_TRUE(unknown(-1));
  EXPECT_TRUE(unknown(256));
}

}  // namespace
}  // namespace fl3
