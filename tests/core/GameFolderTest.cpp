#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "WriteFailures.h"
#include "core/GameFolder.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using Names = std::vector<std::string>;

Names EverythingIn(const fs::path& directory) {
  Names names;
  for (const auto& entry : fs::directory_iterator(directory)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(GameFolder, FindsFilesWhateverTheirLetterCasePreferringTheExactName) {
  TempFolder temp;
  temp.Write("misc.opt", "lower");
  temp.Write("MISC.OPT", "upper");
  temp.Write("Castle.Fl3", "y");
  fs::create_directory(temp.Path() / "0.FLK3");
  const GameFolder folder(temp.Path());

  EXPECT_EQ(folder.Find("castle.fl3"), temp.Path() / "Castle.Fl3");
  EXPECT_EQ(folder.Find("misc.opt"), temp.Path() / "misc.opt");
  EXPECT_EQ(folder.Find("MISC.OPT"), temp.Path() / "MISC.OPT");
  // Without an exact match the first in listing order: 'M' sorts before 'm'.
  EXPECT_EQ(folder.Find("Misc.Opt"), temp.Path() / "MISC.OPT");
  // A folder named like a file is no file.
  EXPECT_FALSE(folder.Find("0.FLK3").has_value());
  EXPECT_FALSE(folder.Exists("0.flk3"));
  EXPECT_FALSE(folder.Exists("MISC.OP"));
  // Only bare names: nothing outside the folder is reachable.
  EXPECT_FALSE(folder.Exists("../" + temp.Path().filename().string() + "/misc.opt"));
  EXPECT_FALSE(folder.Exists(""));

  const GameFolder gone("/nonexistent/fuselark3/folder");
  EXPECT_TRUE(gone.List("*").empty());
  EXPECT_FALSE(gone.Exists("MISC.OPT"));
  std::string bytes = "untouched";
  const IoResult read = gone.ReadAll("MISC.OPT", bytes);
  EXPECT_FALSE(read);
  EXPECT_EQ(read.reason, "\"MISC.OPT\": the file does not exist");
  EXPECT_EQ(bytes, "untouched");
}

TEST(GameFolder, ListsFilesMatchingThePatternIgnoringCaseInAStableOrder) {
  TempFolder temp;
  for (const char* name : {"c.FL3", "castle.fl3", "a.FL3", "A.fl3", "B.Fl3", "x.FL3.bak", "notes.txt", "FL3"}) {
    temp.Write(name, "");
  }
  fs::create_directory(temp.Path() / "dir.FL3");
  const GameFolder folder(temp.Path());

  EXPECT_EQ(folder.List("*.FL3"), (Names{"A.fl3", "a.FL3", "B.Fl3", "c.FL3", "castle.fl3"}));
  EXPECT_EQ(folder.List("*.fl3"), folder.List("*.FL3"));
  EXPECT_EQ(folder.List("?.fl3"), (Names{"A.fl3", "a.FL3", "B.Fl3", "c.FL3"}));
  EXPECT_EQ(folder.List("*.TXT"), (Names{"notes.txt"}));
  EXPECT_TRUE(folder.List("*.MID").empty());

  EXPECT_TRUE(MatchesPatternIgnoringCase("a10.bmp", "A*.BMP"));
  EXPECT_TRUE(MatchesPatternIgnoringCase("A.BMP", "A*.BMP"));
  EXPECT_FALSE(MatchesPatternIgnoringCase("B1.BMP", "A*.BMP"));
  EXPECT_FALSE(MatchesPatternIgnoringCase("ab", "a?b"));
  EXPECT_FALSE(MatchesPatternIgnoringCase("x", ""));
}

TEST(GameFolder, WritesUnderTheExactOrTheExistingNameLeavingNoTemporaryAndRemovesAnyCase) {
  TempFolder temp;
  temp.Write("castle.fl3", "old");
  temp.Write("t1.bmp", "x");
  const GameFolder folder(temp.Path());

  ASSERT_TRUE(folder.WriteAtomically("CASTLE.FL3", "new"));
  ASSERT_TRUE(folder.WriteAtomically("MISC.OPT", "10\r\n0\r\n0\r\n"));
  EXPECT_FALSE(folder.WriteAtomically("../escape", "x"));
  EXPECT_TRUE(folder.Remove("T1.BMP"));
  EXPECT_TRUE(folder.Remove("T2.BMP"));  // missing: nothing to do
  // No temporary file is left behind and no second castle appears.
  EXPECT_EQ(EverythingIn(temp.Path()), (Names{"MISC.OPT", "castle.fl3"}));
  EXPECT_EQ(temp.Read("castle.fl3"), "new");
  EXPECT_EQ(temp.Read("MISC.OPT"), "10\r\n0\r\n0\r\n");
}

TEST(GameFolder, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  TempFolder temp;
  temp.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  const GameFolder folder(temp.Path());
  {
    testing::FileSizeLimit limit(4);
    const IoResult written = folder.WriteAtomically("MISC.OPT", "10\r\n0\r\n0\r\n");
    EXPECT_FALSE(written);
    EXPECT_EQ(written.reason, "\"MISC.OPT\": cannot be written: File too large");
  }
  EXPECT_EQ(temp.Read("MISC.OPT"), "25\r\n-150\r\n40\r\n");
  EXPECT_EQ(EverythingIn(temp.Path()), (Names{"MISC.OPT"}));

  // A folder where the file should go cannot be replaced.
  fs::create_directory(temp.Path() / "0.FLK3");
  const IoResult overFolder = folder.WriteAtomically("0.FLK3", "1\r\n");
  EXPECT_FALSE(overFolder);
  EXPECT_NE(overFolder.reason.find("\"0.FLK3\": cannot be written"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(temp.Path() / "0.FLK3"));

  if (testing::PermissionsStopUs()) {
    fs::permissions(temp.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const IoResult readOnly = folder.WriteAtomically("MISC.OPT", "10\r\n0\r\n0\r\n");
    fs::permissions(temp.Path(), fs::perms::owner_all);
    EXPECT_EQ(readOnly.reason, "\"MISC.OPT\": cannot be written: Permission denied");
  }
  EXPECT_EQ(temp.Read("MISC.OPT"), "25\r\n-150\r\n40\r\n");
  EXPECT_EQ(EverythingIn(temp.Path()), (Names{"0.FLK3", "MISC.OPT"}));
}

}  // namespace
}  // namespace fl3
