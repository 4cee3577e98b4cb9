#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolderChoice.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using Contents = std::map<std::string, std::string>;

Contents EverythingIn(const TempFolder& folder) {
  Contents contents;
  for (const auto& entry : fs::directory_iterator(folder.Path())) {
    const std::string name = entry.path().filename().string();
    contents[name] = folder.Read(name);
  }
  return contents;
}

TEST(PlayersFolder, LooksInThePlayersFolderFirstListsBothAndWritesOnlyThere) {
  TempFolder players, shipped;
  shipped.Write("ARENA.FL3", "shipped arena");
  shipped.Write("Castle.fl3", "shipped castle");
  shipped.Write("A1.BMP", "shipped tiles");
  players.Write("arena.fl3", "own arena");
  players.Write("MINE.FL3", "own level");
  const Contents shippedBefore = EverythingIn(shipped);
  const GameFolder folder(players.Path(), shipped.Path());

  const struct {
    const char* name;
    std::optional<fs::path> expected;
  } cases[] = {
      {"MINE.FL3", players.Path() / "MINE.FL3"},    // only the player's
      {"a1.bmp", shipped.Path() / "A1.BMP"},        // only shipped, case ignored
      {"ARENA.FL3", players.Path() / "arena.fl3"},  // both: the player's, though shipped matches exactly
      {"NONE.FL3", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(folder.Find(c.name), c.expected);
  }
  EXPECT_EQ(folder.List("*.fl3"), (std::vector<std::string>{"arena.fl3", "Castle.fl3", "MINE.FL3"}));

  // Saving under a shipped name hides the shipped file; the player's own
  // file of that name in another case is replaced, not doubled.
  ASSERT_TRUE(folder.WriteAtomically("CASTLE.FL3", "saved castle"));
  ASSERT_TRUE(folder.WriteAtomically("ARENA.FL3", "saved arena"));
  ASSERT_TRUE(folder.WriteAtomically("MISC.OPT", "10\r\n0\r\n0\r\n"));
  EXPECT_TRUE(folder.Remove("A1.BMP"));
  EXPECT_EQ(EverythingIn(players), (Contents{{"CASTLE.FL3", "saved castle"},
                                             {"MINE.FL3", "own level"},
                                             {"MISC.OPT", "10\r\n0\r\n0\r\n"},
                                             {"arena.fl3", "saved arena"}}));
  EXPECT_EQ(EverythingIn(shipped), shippedBefore);
  EXPECT_EQ(folder.List("*.FL3"), (std::vector<std::string>{"arena.fl3", "CASTLE.FL3", "MINE.FL3"}));
}

TEST(PlayersFolder, TheBuildFolderStaysTheOneFolderOtherwiseThePlayersLiesOverTheShipped) {
  TempFolder build, installedBin;
  build.Write("c.bmp", "sheet");
  const fs::path players = PlayersDirectory("", "/home/p");

  const struct {
    const char* what;
    fs::path executable;
    bool readOnly;
    bool single;
  } cases[] = {{"build folder", build.Path(), false, true},
                        {"read-only build folder", build.Path(), true, false},
                        {"installed", installedBin.Path(), false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.readOnly) fs::permissions(c.executable, fs::perms::owner_read | fs::perms::owner_exec);
    std::optional<GameFolder> folder;
    {
      testing::WithoutPermissionOverride likeAPlayer;
      folder = ChooseGameFolder({c.executable, "../share/fuselark3", "", "/home/p"});
    }
    fs::permissions(c.executable, fs::perms::owner_all);
    EXPECT_EQ(folder->Directory(), c.single ? c.executable : players);
    EXPECT_EQ(folder->ShippedDirectory(),
              c.single ? fs::path() : c.executable.parent_path() / "share" / "fuselark3");
  }

  EXPECT_EQ(players, "/home/p/.local/share/fuselark3");
  EXPECT_EQ(PlayersDirectory("/data", "/home/p"), "/data/fuselark3");
  // A relative XDG_DATA_HOME would move with the current folder: ignored.
  EXPECT_EQ(PlayersDirectory("data", "/home/p"), players);
}

TEST(PlayersFolder, TheFirstStartMakesThePlayersFolderWithTheDefaultKeysKeepingTheirOwn) {
  TempFolder home, shipped;
  for (const char* name : {"0.FLK3", "1.FLK3", "2.FLK3", "3.FLK3"}) shipped.Write(name, std::string("keys ") + name);
  const fs::path players = home.Path() / ".local" / "share" / "fuselark3";
  const GameFolder folder(players, shipped.Path());
  const auto read = [&](const char* name) {
    std::string bytes;
    return folder.ReadAll(name, bytes) ? bytes : "(missing)";
  };

  ASSERT_TRUE(PreparePlayersFolder(folder));
  for (const char* name : {"0.FLK3", "1.FLK3", "2.FLK3", "3.FLK3"}) {
    EXPECT_TRUE(fs::is_regular_file(players / name)) << name;
    EXPECT_EQ(read(name), std::string("keys ") + name);
  }

  // Later starts put back only what is missing and never the player's own.
  fs::remove(players / "0.FLK3");
  fs::rename(players / "2.FLK3", players / "2.flk3");
  ASSERT_TRUE(folder.WriteAtomically("2.flk3", "own keys"));
  ASSERT_TRUE(PreparePlayersFolder(folder));
  EXPECT_EQ(read("0.FLK3"), "keys 0.FLK3");
  EXPECT_EQ(read("2.FLK3"), "own keys");
  EXPECT_FALSE(fs::exists(players / "2.FLK3"));
}

// Told once at start-up, with the folder and the system's reason, instead of
// at a failed save much later.
TEST(PlayersFolder, AFolderThatCannotBeMadeOrWrittenIsNamedWithTheReason) {
  TempFolder home, shipped;
  const fs::path players = home.Path() / "fuselark3";
  const GameFolder folder(players, shipped.Path());
  home.Write("fuselark3", "a file where the folder belongs");
  EXPECT_EQ(PreparePlayersFolder(folder).reason, "\"" + players.string() + "\": cannot be made: Not a directory");
  fs::remove(players);
  fs::create_directories(players);
  fs::permissions(players, fs::perms::owner_read | fs::perms::owner_exec);
  testing::WithoutPermissionOverride likeAPlayer;
  EXPECT_EQ(PreparePlayersFolder(folder).reason, "\"" + players.string() + "\": cannot be written: Permission denied");
}

}  // namespace
}  // namespace fl3
