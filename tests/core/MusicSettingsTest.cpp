#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "WriteFailures.h"
#include "core/GameFolder.h"
#include "core/MusicSettings.h"
#include "core/TextNumbers.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

MusicSettings Settings(std::int32_t tempo, std::int32_t volume, std::int32_t groove) {
  MusicSettings settings;
  settings.MusicTempo = tempo;
  settings.MusicVolume = volume;
  settings.MusicGroove = groove;
  return settings;
}

MusicSettings ReadFromFile(std::string_view text) {
  TempFolder temp;
  temp.Write("MISC.OPT", text);
  return ReadMusicSettings(GameFolder(temp.Path()));
}

TEST(MusicSettings, WritesTheDefaultsAsTenBytes) {
  TempFolder temp;
  ASSERT_TRUE(WriteMusicSettings(GameFolder(temp.Path()), MusicSettings{}));
  const std::string bytes = temp.Read("MISC.OPT");
  EXPECT_EQ(bytes, "10\r\n0\r\n0\r\n");
  EXPECT_EQ(bytes.size(), 10u);
}

TEST(MusicSettings, ReadsWhatWasWritten) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  const MusicSettings settings = Settings(100, -200, -99);
  ASSERT_TRUE(WriteMusicSettings(folder, settings));
  EXPECT_EQ(temp.Read("MISC.OPT"), "100\r\n-200\r\n-99\r\n");
  EXPECT_EQ(ReadMusicSettings(folder), settings);

  const MusicSettings faster = ReadFromFile("25\r\n-150\r\n40\r\n");
  EXPECT_EQ(faster, Settings(25, -150, 40));
  EXPECT_FLOAT_EQ(faster.TempoFactor(), 2.5f);
}

TEST(MusicSettings, NoFileMeansTheDefaultsAndCreatesNone) {
  TempFolder temp;
  fs::create_directory(temp.Path() / "MISC.OPT");  // a folder is no settings file
  EXPECT_EQ(ReadMusicSettings(GameFolder(temp.Path())), Settings(10, 0, 0));
  EXPECT_TRUE(fs::is_directory(temp.Path() / "MISC.OPT"));

  TempFolder empty;
  EXPECT_EQ(ReadMusicSettings(GameFolder(empty.Path())), Settings(10, 0, 0));
  EXPECT_TRUE(fs::is_empty(empty.Path()));
}

TEST(MusicSettings, FindsALowerCaseFileAndRewritesIt) {
  TempFolder temp;
  temp.Write("misc.opt", "30\r\n-20\r\n5\r\n");
  const GameFolder folder(temp.Path());
  EXPECT_EQ(ReadMusicSettings(folder), Settings(30, -20, 5));
  ASSERT_TRUE(WriteMusicSettings(folder, Settings(31, -20, 5)));
  EXPECT_EQ(temp.Read("misc.opt"), "31\r\n-20\r\n5\r\n");
  EXPECT_FALSE(fs::exists(temp.Path() / "MISC.OPT"));
}

TEST(MusicSettings, ClampsValuesIntoTheOptionsScreensRanges) {
  EXPECT_EQ(ReadFromFile("0\r\n21\r\n-100\r\n"), Settings(1, 20, -99));
  EXPECT_EQ(ReadFromFile("101\r\n-201\r\n100\r\n"), Settings(100, -200, 99));
  EXPECT_EQ(ReadFromFile("-5\r\n2147483647\r\n-2147483648\r\n"), Settings(1, 20, -99));
  EXPECT_EQ(ReadFromFile("1\r\n20\r\n99\r\n"), Settings(1, 20, 99));
}

TEST(MusicSettings, AMissingOrUnusableValueTakesItsDefault) {
  EXPECT_EQ(ReadFromFile(""), Settings(10, 0, 0));
  EXPECT_EQ(ReadFromFile("25\r\n"), Settings(25, 0, 0));
  EXPECT_EQ(ReadFromFile("abc\r\n-50\r\n7\r\n"), Settings(10, -50, 7));
  EXPECT_EQ(ReadFromFile("25\r\n\r\n7\r\n"), Settings(25, 0, 7));
  EXPECT_EQ(ReadFromFile("2147483648\r\n1.5\r\n-7x\r\n"), Settings(10, 0, 0));
  EXPECT_EQ(ReadFromFile("\x01\xff\xfe\x00\x80\x7f"), Settings(10, 0, 0));
  EXPECT_EQ(ReadFromFile(std::string(100000, '\n')), Settings(10, 0, 0));
}

TEST(MusicSettings, ATruncatedFileKeepsWhatItHolds) {
  const std::string full = "25\r\n-150\r\n40\r\n";
  EXPECT_EQ(ReadFromFile(full.substr(0, 1)), Settings(2, 0, 0));
  EXPECT_EQ(ReadFromFile(full.substr(0, 5)), Settings(25, 0, 0));  // "-" alone is no number
  EXPECT_EQ(ReadFromFile(full.substr(0, 8)), Settings(25, -150, 0));
  EXPECT_EQ(ReadFromFile(full.substr(0, 11)), Settings(25, -150, 4));
  EXPECT_EQ(ReadFromFile(full + std::string(200000, 'x')), Settings(25, -150, 40));
}

TEST(MusicSettings, AFileWithoutReadPermissionGivesTheDefaults) {
  if (!testing::PermissionsStopUs()) GTEST_SKIP() << "permission bits do not stop this user";
  TempFolder temp;
  fs::permissions(temp.Write("MISC.OPT", "25\r\n-150\r\n40\r\n"), fs::perms::none);
  EXPECT_EQ(ReadMusicSettings(GameFolder(temp.Path())), Settings(10, 0, 0));
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

TEST(TextNumbers, ParsesDecimalWholeNumbersThatFit32Bits) {
  EXPECT_EQ(ParseWholeNumber("203"), 203);
  EXPECT_EQ(ParseWholeNumber("-150"), -150);
  EXPECT_EQ(ParseWholeNumber("+7"), 7);
  EXPECT_EQ(ParseWholeNumber(" 12\t\r"), 12);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483648LL);
  EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseWholeNumber("007"), 7);
  for (const char* bad : {"", " ", "-", "+", "+-5", "-+5", "--5", "2147483648", "-2147483649", "12a", "1.5", "1e3",
                          "0x10", "1 2", "\xef\xbc\x91"}) {
    EXPECT_FALSE(ParseWholeNumber(bad).has_value()) << bad;
  }
}

TEST(TextNumbers, WritesAndReadsOneNumberPerLine) {
  EXPECT_EQ(WriteNumberLines({10, 0, -200}), "10\r\n0\r\n-200\r\n");
  EXPECT_EQ(WriteNumberLines({}), "");
  const auto values = ReadNumberLines("1\r\nx\n\r3", 5);
  ASSERT_EQ(values.size(), 5u);
  EXPECT_EQ(values[0], 1);
  EXPECT_FALSE(values[1].has_value());
  EXPECT_FALSE(values[2].has_value());  // the empty line between LF and CR
  EXPECT_EQ(values[3], 3);
  EXPECT_FALSE(values[4].has_value());
}

}  // namespace
}  // namespace fl3
