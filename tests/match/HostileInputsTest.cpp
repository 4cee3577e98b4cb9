// Files and scripts made to hurt: never replace what is not ours, never hang.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "core/FileAccess.h"
#include "core/LevelFile.h"
#include "core/RandomSource.h"
#include "core/StaleTemporaryFiles.h"
#include "SimRun.h"
#include "TempFolder.h"

namespace fl3 {
namespace {
namespace fs = std::filesystem;

TEST(HostileInputs, OnlyRegularFilesAreReplacedAndLinksAreWrittenThrough) {
  testing::TempFolder temp;
  const fs::path dir = temp.Path();
  fs::create_directories(dir / "real" / "FOLDER");
  temp.Write("real/LOCKED", "kept");
  fs::permissions(dir / "real" / "LOCKED", fs::perms::owner_read);
  fs::create_symlink("real/LOCKED", dir / "LINK");  // relative to the link's folder
  fs::create_symlink(dir / "real" / "NEW", dir / "NEW");
  ASSERT_EQ(::mkfifo((dir / "real" / "PIPE").c_str(), 0644), 0);
  fs::create_symlink("real/PIPE", dir / "TOPIPE");
  std::vector<std::pair<const char*, const char*>> rows = {
      {"NEW", nullptr}, {"TOPIPE", "it is a pipe, not a file"}, {"real/FOLDER", "Is a directory"},
      {"LINK", "Permission denied"}};
  // The null device's numbers on a node of our own; only root may make one.
  if (::mknod((dir / "real" / "DEV").c_str(), S_IFCHR | 0644, makedev(1, 3)) == 0) {
    rows.push_back({"real/DEV", "it is a device, not a file"});
  }
  for (const auto& [name, refusal] : rows) {
    const fs::file_type before = fs::symlink_status(dir / name).type();
    const IoResult written = WriteFileAtomically(dir / name, "new");
    EXPECT_EQ(fs::symlink_status(dir / name).type(), before) << name;  // nothing replaced
    EXPECT_EQ(written.reason, refusal ? "\"" + (dir / name).string() + "\": cannot be written: " + refusal : "");
  }
  EXPECT_EQ(temp.Read("real/NEW") + temp.Read("real/LOCKED"), "newkept");
  // FOLDER, LOCKED, NEW, PIPE and the device: no temporary file left beside them.
  const auto entries = std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator());
  EXPECT_EQ(static_cast<std::size_t>(entries), rows.size());
}

TEST(HostileInputs, StartUpRemovesOnlyOurOwnStaleTemporaryFiles) {
  testing::TempFolder temp;
  const std::pair<const char*, bool> rows[] = {  // name, removed when an hour old
      {".MISC.OPT.a1B2c3", true}, {".A.FL3.ZZ9zz0", true}, {".MISC.OPT.a1B2c3x", false}, {".MISC.OPT.a1B2c", false},
      {".MISC.OPT.a1-2c3", false}, {"MISC.OPT.a1B2c3", false}, {"..a1B2c3", false}};
  for (const auto& [name, removed] : rows) {
    fs::last_write_time(temp.Write(name, "x"), fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  temp.Write(".0.FLK3.Qw3rty", "being written right now");
  fs::create_symlink(temp.Path() / "MISC.OPT.a1B2c3", temp.Path() / ".LINK.OPT.a1B2c3");
  RemoveStaleTemporaryFiles(temp.Path());
  for (const auto& [name, removed] : rows) EXPECT_EQ(fs::exists(temp.Path() / name), !removed) << name;
  EXPECT_TRUE(fs::exists(temp.Path() / ".0.FLK3.Qw3rty") && fs::is_symlink(temp.Path() / ".LINK.OPT.a1B2c3"));
}

TEST(HostileInputs, SkippingRandomValuesEqualsDrawingThem) {
  for (const std::uint64_t count : {0ull, 1ull, 2ull, 7ull, 1000ull, (1ull << 24) + 3}) {
    RandomSource stepped, skipped;
    for (std::uint64_t i = 0; i < count; ++i) stepped.Next();
    skipped.Skip(count);
    EXPECT_EQ(skipped.Next(), stepped.Next()) << count;
  }
}

// The mutated scripts run in the sanitizer build too.
TEST(HostileInputs, SimulatorEndsEveryHostileScriptWithOneShortLineAndStatusOne) {
  testing::TempFolder temp;
  ASSERT_TRUE(WriteLevelFile(temp.Path() / "OPEN.FL3", LevelData{}));
  ASSERT_EQ(::mkfifo((temp.Path() / "pipe").c_str(), 0644), 0);
  nlohmann::json script = {{"level", (temp.Path() / "OPEN.FL3").string()}, {"kind", 0}, {"lives", {1, 1, 0, 0}},
                           {"seconds", 60}, {"cont", {1, 1, 0, 0}}, {"rng_skip", 2147483647},
                           {"keys", {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}},
                           {"frames", {{{"ms", 51}, {"down", {57}}}}}};
  std::ostringstream out, err;
  auto run = [&](std::string path, const std::string& text, std::ostream& trace, const std::string& start) {
    if (!text.empty()) temp.Write(path = "match.json", text);
    err.str("");
    const int status = sim::RunScriptFile((temp.Path() / path).string(), trace, err);
    const std::string line = err.str();
    return status == 1 && line.starts_with(start) && line.find('\n') == line.size() - 1 && line.size() < 300;
  };
  EXPECT_TRUE(run("", "", out, "fuselark3-sim: cannot open the script")) << err.str();  // the folder itself
  EXPECT_TRUE(run("pipe", "", out, "fuselark3-sim: cannot open the script")) << err.str();
  std::ostream full(nullptr);  // every write fails, as on a full disk
  EXPECT_TRUE(run("", script.dump(), full, "fuselark3-sim: cannot write the trace")) << err.str();
  std::mt19937 random(17);
  for (int i = 0; i < 1000; ++i) {
    std::string text = script.dump();
    for (int k = 0; k <= i % 4; ++k) text[random() % text.size()] = static_cast<char>(random() % 128);
    std::ostringstream trace;
    if (run("", text, trace, "fuselark3-sim: ")) continue;
    ASSERT_TRUE(err.str().empty() && !trace.str().empty()) << text << "\n" << err.str();
  }
  script["level"] = std::string("OPEN.FL3\0x", 10);
  EXPECT_TRUE(run("", script.dump(), out, "fuselark3-sim: bad script: \"level\" must not hold a NUL")) << err.str();
  script["level"] = std::string(100000, 'x');
  EXPECT_TRUE(run("", script.dump(), out, "fuselark3-sim: cannot play the level \"xxx")) << err.str().size();
}

}  // namespace
}  // namespace fl3
