#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SampleLevel.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "WriteFailures.h"
#include "core/GameFolder.h"
#include "core/KeyLayout.h"
#include "core/LevelFile.h"
#include "core/MusicSettings.h"

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

TEST(GameFolder, FindsFilesIgnoringCasePreferringTheExactNameAndNothingOutside) {
  TempFolder temp;
  for (const char* name : {"misc.opt", "MISC.OPT", "Castle.Fl3"}) temp.Write(name, "x");
  fs::create_directory(temp.Path() / "0.FLK3");
  const GameFolder folder(temp.Path());
  const std::string outside = "../" + temp.Path().filename().string() + "/misc.opt";
  const struct {
    std::string name;
    std::optional<std::string> found;
  } cases[] = {
      {"castle.fl3", "Castle.Fl3"}, {"misc.opt", "misc.opt"}, {"MISC.OPT", "MISC.OPT"},
      {"Misc.Opt", "MISC.OPT"},  // no exact match: the first in listing order
      {"0.flk3", std::nullopt},  // a folder is no file
      {"MISC.OP", std::nullopt}, {"", std::nullopt}, {outside, std::nullopt},
  };
  for (const auto& [name, found] : cases) {
    const auto path = folder.Find(name);
    EXPECT_EQ(path, found ? std::optional(temp.Path() / *found) : std::nullopt) << name;
  }

  const GameFolder gone("/nonexistent/fuselark3/folder");
  EXPECT_TRUE(gone.List("*").empty());
  std::string bytes = "untouched";
  EXPECT_EQ(gone.ReadAll("MISC.OPT", bytes).reason, "\"MISC.OPT\": the file does not exist");
  EXPECT_EQ(bytes, "untouched");
}

TEST(GameFolder, ListsRegularFilesMatchingThePatternInCaseBlindOrder) {
  TempFolder temp;
  for (const char* name : {"c.FL3", "castle.fl3", "a.FL3", "A.fl3", "B.Fl3", "x.FL3.bak", "notes.txt", "FL3", "ab"}) {
    temp.Write(name, "");
  }
  fs::create_directory(temp.Path() / "dir.FL3");
  const GameFolder folder(temp.Path());
  const struct {
    const char* pattern;
    Names names;
  } cases[] = {
      {"*.fl3", {"A.fl3", "a.FL3", "B.Fl3", "c.FL3", "castle.fl3"}},
      {"?.FL3", {"A.fl3", "a.FL3", "B.Fl3", "c.FL3"}},
      {"a*", {"A.fl3", "a.FL3", "ab"}},
      {"a?b", {}},
      {"*.MID", {}},
      {"", {}},
  };
  for (const auto& [pattern, names] : cases) EXPECT_EQ(folder.List(pattern), names) << pattern;
}

// Every file the player saves goes through the same atomic write.
struct Saver {
  const char* file;
  std::function<IoResult(const GameFolder&)> save;
};

const Saver kSavers[] = {
    {"NOTES.TXT", [](const GameFolder& f) { return f.WriteAtomically("NOTES.TXT", "new"); }},
    {"MISC.OPT", [](const GameFolder& f) { return WriteMusicSettings(f, MusicSettings{}); }},
    {"1.FLK3", [](const GameFolder& f) { return KeyLayout{1, 2, 3, 4, 5}.Save(f, "1"); }},
    {"CASTLE.FL3",
     [](const GameFolder& f) { return WriteLevelFile(f.Directory() / "CASTLE.FL3", testing::SampleLevel()); }},
};

TEST(GameFolder, SavingReplacesTheFileOfAnyCaseWholeAndReadableByAll) {
  for (const Saver& saver : kSavers) {
    TempFolder temp;
    std::string lower = saver.file;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    // The level writer is given a path; the others find the file of another case.
    const std::string existing = lower == "castle.fl3" ? saver.file : lower;
    temp.Write(existing, "old");
    const IoResult saved = saver.save(GameFolder(temp.Path()));
    ASSERT_TRUE(saved) << saved.reason;
    EXPECT_EQ(EverythingIn(temp.Path()), Names{existing});
    EXPECT_NE(temp.Read(existing), "old");
    EXPECT_EQ(fs::status(temp.Path() / existing).permissions(), static_cast<fs::perms>(0644)) << saver.file;
  }
  TempFolder temp;
  temp.Write("t1.bmp", "x");
  const GameFolder folder(temp.Path());
  EXPECT_TRUE(folder.Remove("T1.BMP"));
  EXPECT_TRUE(folder.Remove("T2.BMP"));  // missing: nothing to do
  EXPECT_FALSE(folder.WriteAtomically("../escape", "x"));
  EXPECT_TRUE(fs::is_empty(temp.Path()));
}

TEST(GameFolder, AFailedSaveSaysWhyAndKeepsTheOldFileAndNoTemporary) {
  const struct {
    const char* what;
    std::function<void(const fs::path& folder, const std::string& file)> prepare;
    const char* reason;
    bool limitSize = false;
  } ways[] = {
      {"file too large", [](const fs::path&, const std::string&) {}, "File too large", true},
      {"read-only folder",
       [](const fs::path& folder, const std::string&) {
         fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
       },
       "Permission denied"},
      {"folder in the way",
       [](const fs::path& folder, const std::string& file) {
         fs::remove(folder / file);
         fs::create_directory(folder / file);
       },
       "Is a directory"},
  };
  for (const Saver& saver : kSavers) {
    for (const auto& way : ways) {
      TempFolder temp;
      temp.Write(saver.file, "old");
      way.prepare(temp.Path(), saver.file);
      IoResult saved;
      {
        testing::WithoutPermissionOverride asUser;
        std::optional<testing::FileSizeLimit> limit;
        if (way.limitSize) limit.emplace(2);
        saved = saver.save(GameFolder(temp.Path()));
      }
      fs::permissions(temp.Path(), fs::perms::owner_all);
      EXPECT_FALSE(saved) << saver.file << ", " << way.what;
      EXPECT_EQ(saved.reason, "\"" + std::string(saver.file) + "\": cannot be written: " + way.reason) << way.what;
      EXPECT_EQ(EverythingIn(temp.Path()), Names{saver.file}) << saver.file << ", " << way.what;
      if (fs::is_regular_file(temp.Path() / saver.file)) {
        EXPECT_EQ(temp.Read(saver.file), "old") << way.what;
      }
    }
  }
  TempFolder temp;
  EXPECT_EQ(WriteLevelFile(temp.Path() / "missing" / "NEW.FL3", testing::SampleLevel()).reason,
            "\"NEW.FL3\": cannot be written: No such file or directory");
}

}  // namespace
}  // namespace fl3
