#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "WriteFailures.h"
#include "core/GameFolder.h"
#include "core/MusicSettings.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(MusicSettings, WritesCrLfLinesThatReadBack) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  ASSERT_TRUE(WriteMusicSettings(folder, MusicSettings{}));
  EXPECT_EQ(temp.Read("MISC.OPT"), "10\r\n0\r\n0\r\n");  // the ten bytes of the defaults

  ASSERT_TRUE(WriteMusicSettings(folder, MusicSettings{100, -200, -99}));
  EXPECT_EQ(temp.Read("MISC.OPT"), "100\r\n-200\r\n-99\r\n");
  EXPECT_EQ(ReadMusicSettings(folder), (MusicSettings{100, -200, -99}));

  temp.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  const MusicSettings faster = ReadMusicSettings(folder);
  EXPECT_EQ(faster, (MusicSettings{25, -150, 40}));
  EXPECT_FLOAT_EQ(faster.TempoFactor(), 2.5f);
}

TEST(MusicSettings, NoFileMeansTheDefaultsAndCreatesNone) {
  TempFolder temp;
  fs::create_directory(temp.Path() / "MISC.OPT");  // a folder is no settings file
  EXPECT_EQ(ReadMusicSettings(GameFolder(temp.Path())), (MusicSettings{10, 0, 0}));
  EXPECT_TRUE(fs::is_directory(temp.Path() / "MISC.OPT"));

  TempFolder empty;
  EXPECT_EQ(ReadMusicSettings(GameFolder(empty.Path())), (MusicSettings{10, 0, 0}));
  EXPECT_TRUE(fs::is_empty(empty.Path()));
}

TEST(MusicSettings, FindsALowerCaseFileAndRewritesIt) {
  TempFolder temp;
  temp.Write("misc.opt", "30\r\n-20\r\n5\r\n");
  const GameFolder folder(temp.Path());
  EXPECT_EQ(ReadMusicSettings(folder), (MusicSettings{30, -20, 5}));
  ASSERT_TRUE(WriteMusicSettings(folder, MusicSettings{31, -20, 5}));
  EXPECT_EQ(temp.Read("misc.opt"), "31\r\n-20\r\n5\r\n");
  EXPECT_FALSE(fs::exists(temp.Path() / "MISC.OPT"));
}

TEST(MusicSettings, BadValuesAreClampedOrTakeTheirDefault) {
  const std::string full = "25\r\n-150\r\n40\r\n";
  const struct {
    std::string text;
    MusicSettings expected;
  } cases[] = {
      // Outside the options screen's ranges: clamped into them.
      {"0\r\n21\r\n-100\r\n", {1, 20, -99}},
      {"101\r\n-201\r\n100\r\n", {100, -200, 99}},
      {"-5\r\n2147483647\r\n-2147483648\r\n", {1, 20, -99}},
      {"1\r\n20\r\n99\r\n", {1, 20, 99}},
      // Missing or unusable: the default of that value.
      {"", {10, 0, 0}},
      {"abc\r\n-50\r\n7\r\n", {10, -50, 7}},
      {"25\r\n\r\n7\r\n", {25, 0, 7}},
      {"2147483648\r\n1.5\r\n-7x\r\n", {10, 0, 0}},
      {std::string("\x01\xff\xfe\x00\x80\x7f", 6), {10, 0, 0}},
      {std::string(100000, '\n'), {10, 0, 0}},
      // Cut short: what it holds stands; a lone "-" is no number.
      {full.substr(0, 1), {2, 0, 0}},
      {full.substr(0, 5), {25, 0, 0}},
      {full.substr(0, 8), {25, -150, 0}},
      {full.substr(0, 11), {25, -150, 4}},
      {full + std::string(200000, 'x'), {25, -150, 40}},
  };
  TempFolder temp;
  for (const auto& [text, expected] : cases) {
    temp.Write("MISC.OPT", text);
    EXPECT_EQ(ReadMusicSettings(GameFolder(temp.Path())), expected) << text.substr(0, 40);
  }
  if (testing::PermissionsStopUs()) {
    fs::permissions(temp.Write("MISC.OPT", full), fs::perms::none);
    EXPECT_EQ(ReadMusicSettings(GameFolder(temp.Path())), (MusicSettings{10, 0, 0}));
  }
}

TEST(MusicSettings, AFailedWriteIsReportedAndKeepsTheOldFile) {
  TempFolder temp;
  temp.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  {
    testing::FileSizeLimit limit(5);
    const IoResult written = WriteMusicSettings(GameFolder(temp.Path()), MusicSettings{});
    EXPECT_FALSE(written);
    EXPECT_EQ(written.reason, "\"MISC.OPT\": cannot be written: File too large");
  }
  EXPECT_EQ(temp.Read("MISC.OPT"), "25\r\n-150\r\n40\r\n");
}

}  // namespace
}  // namespace fl3
