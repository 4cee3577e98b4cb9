#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <optional>

#include "SampleLevel.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolder.h"
#include "core/KeyLayout.h"
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
  EXPECT_EQ(GameFolder("/nonexistent/folder").ReadAll("MISC.OPT", bytes).reason, "\"MISC.OPT\": the file does not exist");
  EXPECT_EQ(bytes, "untouched");
  EXPECT_TRUE(GameFolder("/nonexistent/folder").List("*").empty());
}

// Every file the player saves goes through the same atomic write; all but
// the level, which is given a path, replace a file of another letter case.
struct Saver {
  const char* file;
  const char* existing;
  std::function<IoResult(const GameFolder&)> save;
};
const Saver kSavers[] = {
    {"NOTES.TXT", "notes.txt", [](const GameFolder& f) { return f.WriteAtomically("NOTES.TXT", "new"); }},
    {"MISC.OPT", "misc.opt", [](const GameFolder& f) { return WriteMusicSettings(f, MusicSettings{}); }},
    {"1.FLK3", "1.flk3", [](const GameFolder& f) { return KeyLayout{1, 2, 3, 4, 5}.Save(f, "1"); }},
    {"CASTLE.FL3", "CASTLE.FL3",
     [](const GameFolder& f) { return WriteLevelFile(f.Directory() / "CASTLE.FL3", testing::SampleLevel()); }},
};

TEST(GameFolder, SavingReplacesTheFileOfAnyCaseWholeAndReadableByAll) {
  for (const Saver& saver : kSavers) {
    TempFolder temp;
    temp.Write(saver.existing, "old");
    const IoResult saved = saver.save(GameFolder(temp.Path()));
    ASSERT_TRUE(saved) << saved.reason;
    EXPECT_EQ(EverythingIn(temp.Path()), Names{saver.existing});  // no second file, no temporary left
    EXPECT_NE(temp.Read(saver.existing), "old");
    EXPECT_EQ(fs::status(temp.Path() / saver.existing).permissions(), static_cast<fs::perms>(0644)) << saver.file;
  }
  TempFolder temp;
  temp.Write("t1.bmp", "x");
  const GameFolder folder(temp.Path());
  EXPECT_TRUE(folder.Remove("T1.BMP") && folder.Remove("T2.BMP"));  // a missing file is no error
  EXPECT_FALSE(folder.WriteAtomically("../escape", "x"));
  EXPECT_TRUE(fs::is_empty(temp.Path()));
}

TEST(GameFolder, AFailedSaveSaysWhyAndKeepsTheOldFileAndNoTemporary) {
  enum class Way { TooLarge, ReadOnlyFolder, FolderInTheWay };
  const std::pair<Way, std::string> ways[] = {
      {Way::TooLarge, "File too large"}, {Way::ReadOnlyFolder, "Permission denied"}, {Way::FolderInTheWay, "Is a directory"}};
  for (const Saver& saver : kSavers) {
    for (const auto& [way, reason] : ways) {
      TempFolder temp;
      if (way == Way::FolderInTheWay) fs::create_directory(temp.Path() / saver.file);
      if (way != Way::FolderInTheWay) temp.Write(saver.file, "old");
      if (way == Way::ReadOnlyFolder) fs::permissions(temp.Path(), fs::perms::owner_read | fs::perms::owner_exec);
      IoResult saved;
      {
        testing::WithoutPermissionOverride asUser;
        std::optional<TwoByteFileLimit> limit;
        if (way == Way::TooLarge) limit.emplace();
        saved = saver.save(GameFolder(temp.Path()));
      }
      fs::permissions(temp.Path(), fs::perms::owner_all);
      EXPECT_EQ(saved.reason, "\"" + std::string(saver.file) + "\": cannot be written: " + reason);
      EXPECT_EQ(EverythingIn(temp.Path()), Names{saver.file}) << reason;
      EXPECT_TRUE(way == Way::FolderInTheWay ? fs::is_directory(temp.Path() / saver.file) : temp.Read(saver.file) == "old")
          << reason;
    }
  }
  TempFolder temp;
  EXPECT_EQ(WriteLevelFile(temp.Path() / "missing" / "NEW.FL3", testing::SampleLevel()).reason,
            "\"NEW.FL3\": cannot be written: No such file or directory");
}

}  // namespace
}  // namespace fl3
