#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "SampleLevel.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/CodePage1252.h"
#include "core/GameState.h"
#include "core/LevelFile.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::SampleLevel;
using testing::TempFolder;

// A 32-bit value as the file holds it: little-endian two's complement.
std::string Le(std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

std::string SavedBytes(const LevelData& level) {
  TempFolder temp;
  EXPECT_TRUE(WriteLevelFile(temp.Path() / "LEVEL.FL3", level));
  return temp.Read("LEVEL.FL3");
}

TEST(LevelFile, LaysTheLevelOutByteForByte) {
  const LevelData level = SampleLevel();
  // X and Y of the four figures, then bombs and fire of each.
  std::string expected;
  const std::int64_t figures[] = {1, 2, 24, 14, 50, 50, -7, 2147483647, 3, 4, 1, 1, 0, 0, -2147483648LL, 9};
  for (const std::int64_t value : figures) expected += Le(value);
  // Both grids, x running fastest: cell (x, y) at 64 + 4 (25y + x).
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 25; ++x) expected += Le((25 * y + x) % 8 - 1);
  }
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 25; ++x) expected += Le((25 * y + x) % 5 - 1);
  }
  expected += Le(3) + Le(-1) + "  Caf\xE9 \x80.MID" + std::string(244, ' ');
  ASSERT_EQ(expected.size(), 3328u);
  EXPECT_EQ(SavedBytes(level), expected);
}

TEST(LevelFile, KeepsTheMusicNameToTwoHundredFiftySixWindows1252Characters) {
  const std::string exact = "A" + std::string(254, 'x') + "Z";
  std::string accents;
  for (int i = 0; i < 300; ++i) accents += "é";
  const struct {
    std::string name, stored, loaded;
  } cases[] = {
      {"", std::string(256, ' '), ""},
      {exact, exact, exact},
      {exact + "TAIL.MID", exact, exact},
      {"  SUNRISE.MID   ", "  SUNRISE.MID" + std::string(243, ' '), "  SUNRISE.MID"},
      {"my tune.MID", "my tune.MID" + std::string(245, ' '), "my tune.MID"},
      {"Café €Ÿ.MID", "Caf\xE9 \x80\x9F.MID" + std::string(245, ' '), "Café €Ÿ.MID"},
      {accents, std::string(256, '\xE9'), accents.substr(0, 512)},  // two bytes here, one in the file
      {"中.MID", "?.MID" + std::string(251, ' '), "?.MID"},
  };
  for (const auto& c : cases) {
    LevelData level = SampleLevel();
    level.LevelMusic = c.name;
    TempFolder temp;
    ASSERT_TRUE(WriteLevelFile(temp.Path() / "M.FL3", level));
    EXPECT_EQ(temp.Read("M.FL3").substr(3072), c.stored) << c.name;
    LevelData read;
    ASSERT_TRUE(ReadLevelFile(temp.Path() / "M.FL3", read));
    EXPECT_EQ(read.LevelMusic, c.loaded) << c.name;
  }
  // Malformed program text becomes question marks and nothing else.
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9F\xE9\x81\xFF" "a"), "€Ÿé\u0081ÿa");
  const struct {
    std::string utf8, bytes;
  } malformed[] = {{"\xc0\xaf", "?"}, {"\xe0\x80\xae", "?"}, {"\xed\xa0\x80", "?"},  // overlong, surrogate
                   {"\xf0\x9f\x98\x80", "?"}, {"\xe2\x82", "??"}, {"\xff" "a", "?a"}};
  for (const auto& [utf8, bytes] : malformed) EXPECT_EQ(Utf8ToCp1252(utf8), bytes);
  EXPECT_EQ(Utf8ToCp1252("ééé", 2), "\xE9\xE9");
}

TEST(LevelFile, AShortGoneFolderOrLockedFileChangesNothingAndSaysWhy) {
  const std::string bytes = SavedBytes(SampleLevel());
  const auto writeShort = [&](std::size_t length) {
    return [&, length](const TempFolder& t) { t.Write("L.FL3", bytes.substr(0, length)); };
  };
  const auto tooShort = [](std::size_t length) {
    return "\"L.FL3\": the level file is too short (" + std::to_string(length) + " of 3328 bytes)";
  };
  const struct {
    std::function<void(const TempFolder&)> make;
    std::string reason;
  } cases[] = {
      {writeShort(0), tooShort(0)},       {writeShort(63), tooShort(63)},     {writeShort(64), tooShort(64)},
      {writeShort(3064), tooShort(3064)}, {writeShort(3327), tooShort(3327)},
      {[](const TempFolder&) {}, "\"L.FL3\": the file does not exist"},
      {[](const TempFolder& t) { fs::create_directory(t.Path() / "L.FL3"); }, "\"L.FL3\": this is not a file"},
      {[&](const TempFolder& t) { fs::permissions(t.Write("L.FL3", bytes), fs::perms::none); },
       "\"L.FL3\": the file cannot be opened for reading"},
  };
  for (const auto& c : cases) {
    TempFolder temp;
    c.make(temp);
    GameState state;
    state.Characters[1].PowerFire = 8;
    state.TileMap.fill(CellBox1);
    state.LevelMusic = "KEEP.MID";
    std::int32_t tileSet = 77, background = 88;
    const LevelData before = LevelFromState(state, tileSet, background);
    testing::WithoutPermissionOverride asUser;
    EXPECT_EQ(LoadLevel(temp.Path() / "L.FL3", state, tileSet, background).reason, c.reason);
    EXPECT_EQ(LevelFromState(state, tileSet, background), before) << c.reason;
  }
  // Bytes after the level are never read.
  TempFolder temp;
  temp.Write("LONG.FL3", bytes + std::string(100000, '\xAB'));
  LevelData read;
  ASSERT_TRUE(ReadLevelFile(temp.Path() / "LONG.FL3", read));
  EXPECT_EQ(read, SampleLevel());
}

}  // namespace
}  // namespace fl3
