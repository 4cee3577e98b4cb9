#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "WriteFailures.h"
#include "core/CodePage1252.h"
#include "core/GameState.h"
#include "core/LevelFile.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string Bytes(std::initializer_list<unsigned char> values) { return std::string(values.begin(), values.end()); }

const std::string kMinusOne = Bytes({0xFF, 0xFF, 0xFF, 0xFF});

LevelData SampleLevel() {
  LevelData level;
  level.Figures[0] = {1, 2, 3, 4};
  level.Figures[1] = {24, 14, 1, 1};
  level.Figures[2] = {OffMapPos, OffMapPos, 0, 0};
  level.Figures[3] = {-1, 7, 0x01020304, 2};
  level.TileMap[CellIndex(0, 0)] = CellBox2;
  level.TileMap[CellIndex(1, 0)] = CellBlock1;
  level.TileMap[CellIndex(0, 1)] = CellNothing;
  level.TileMap[CellIndex(24, 14)] = CellBlock3;
  level.ItemMap[CellIndex(0, 0)] = ItemFire2;
  level.ItemMap[CellIndex(24, 14)] = ItemRandom;
  level.TileSetNumber = 3;
  level.BackgroundNumber = -1;
  level.LevelMusic = "BATTLE.MID";
  return level;
}

std::string SavedBytes(const LevelData& level) {
  TempFolder temp;
  EXPECT_TRUE(WriteLevelFile(temp.Path() / "LEVEL.FL3", level));
  return temp.Read("LEVEL.FL3");
}

std::string MusicAfterSavingAndLoading(const std::string& music) {
  LevelData level = SampleLevel();
  level.LevelMusic = music;
  TempFolder temp;
  EXPECT_TRUE(WriteLevelFile(temp.Path() / "M.FL3", level));
  GameState state;
  std::int32_t tileSet = 0, background = 0;
  EXPECT_TRUE(LoadLevel(temp.Path() / "M.FL3", state, tileSet, background));
  return state.LevelMusic;
}

// What a load could change, plus what it must never touch.
struct Observed {
  LevelData level;
  std::array<std::int32_t, 4> lives{}, cont{};
  friend bool operator==(const Observed&, const Observed&) = default;
};

Observed Observe(const GameState& state, std::int32_t tileSet, std::int32_t background) {
  Observed observed{LevelFromState(state, tileSet, background)};
  for (std::size_t i = 0; i < 4; ++i) {
    observed.lives[i] = state.Characters[i].Lives;
    observed.cont[i] = state.Characters[i].Cont;
  }
  return observed;
}

void FillWithSomethingElse(GameState& state) {
  for (std::size_t i = 0; i < 4; ++i) {
    Character& figure = state.Characters[i];
    figure.X = 10 + static_cast<std::int32_t>(i);
    figure.Y = 5;
    figure.PowerBombs = 9;
    figure.PowerFire = 8;
    figure.Lives = 3;
    figure.Cont = i == 3 ? ContOff : ContMan;
  }
  state.TileMap.fill(CellBox1);
  state.ItemMap.fill(ItemBomb);
  state.LevelMusic = "KEEP.MID";
}

TEST(LevelFile, LaysTheLevelOutByteForByte) {
  const std::string bytes = SavedBytes(SampleLevel());
  ASSERT_EQ(bytes.size(), 3328u);
  const std::string figures = Bytes({1, 0, 0, 0, 2, 0, 0, 0, 24, 0, 0, 0, 14, 0, 0, 0,    // X, Y of figures 0, 1
                                     50, 0, 0, 0, 50, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,   // figure 2, X of 3
                                     7, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0,     // Y of 3, bombs and fire
                                     1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 3, 2, 1, 2, 0, 0, 0});
  EXPECT_EQ(bytes.substr(0, 64), figures);
  EXPECT_EQ(bytes.substr(64, 4), Bytes({2, 0, 0, 0}));     // cell (0, 0)
  EXPECT_EQ(bytes.substr(68, 4), Bytes({4, 0, 0, 0}));     // cell (1, 0)
  EXPECT_EQ(bytes.substr(164, 4), kMinusOne);              // cell (0, 1)
  EXPECT_EQ(bytes.substr(1560, 4), Bytes({6, 0, 0, 0}));   // cell (24, 14)
  EXPECT_EQ(bytes.substr(1564, 4), Bytes({3, 0, 0, 0}));   // item of (0, 0)
  EXPECT_EQ(bytes.substr(3060, 4), kMinusOne);             // item of (24, 14): random
  EXPECT_EQ(bytes.substr(3064, 4), Bytes({3, 0, 0, 0}));   // tileset
  EXPECT_EQ(bytes.substr(3068, 4), kMinusOne);             // no background
  EXPECT_EQ(bytes.substr(3072), "BATTLE.MID" + std::string(246, ' '));
  // The twelve non-zero grid bytes above are the only ones.
  const auto nonZero = std::count_if(bytes.begin() + 64, bytes.begin() + 3064, [](char c) { return c != 0; });
  EXPECT_EQ(nonZero, 12);
}

TEST(LevelFile, SaveThenLoadGivesBackEveryField) {
  LevelData level = SampleLevel();
  level.Figures[3] = {OffMapPos, OffMapPos, -5, 2147483647};
  for (int i = 0; i < CellCount; ++i) {
    level.TileMap[static_cast<std::size_t>(i)] = i % 8 - 1;
    level.ItemMap[static_cast<std::size_t>(i)] = i % 5 - 1;
  }
  level.TileMap[100] = 24;  // out of the level's own codes: kept as it stands
  level.ItemMap[101] = -2147483647 - 1;
  level.TileSetNumber = 12;
  level.BackgroundNumber = 0;
  TempFolder temp;
  ASSERT_TRUE(WriteLevelFile(temp.Path() / "ROUND.FL3", level));
  LevelData read;
  ASSERT_TRUE(ReadLevelFile(temp.Path() / "ROUND.FL3", read));
  EXPECT_EQ(read, level);

  GameState state;
  FillWithSomethingElse(state);
  std::int32_t tileSet = 0, background = 99;
  ASSERT_TRUE(LoadLevel(temp.Path() / "ROUND.FL3", state, tileSet, background));
  EXPECT_EQ(LevelFromState(state, tileSet, background), level);
  // Lives and control modes are no part of a level; the OFF figure got its values too.
  EXPECT_EQ(state.Characters[3].X, OffMapPos);
  EXPECT_EQ(state.Characters[3].PowerFire, 2147483647);
  EXPECT_EQ(state.Characters[3].Cont, ContOff);
  EXPECT_EQ(state.Characters[0].Lives, 3);
}

TEST(LevelFile, KeepsTheMusicNameToTwoHundredFiftySixWindows1252Characters) {
  const std::string exact = "A" + std::string(254, 'x') + "Z";
  EXPECT_EQ(MusicAfterSavingAndLoading(exact), exact);
  EXPECT_EQ(MusicAfterSavingAndLoading(exact + "TAIL.MID"), exact);
  EXPECT_EQ(MusicAfterSavingAndLoading("  SUNRISE.MID   "), "  SUNRISE.MID");
  EXPECT_EQ(MusicAfterSavingAndLoading("my tune.MID"), "my tune.MID");
  EXPECT_EQ(MusicAfterSavingAndLoading(""), "");
  LevelData level = SampleLevel();
  level.LevelMusic = "";
  EXPECT_EQ(SavedBytes(level).substr(3072), std::string(256, ' '));

  level.LevelMusic = "Café €Ÿ.MID";
  EXPECT_EQ(SavedBytes(level).substr(3072, 12),
            Bytes({'C', 'a', 'f', 0xE9, ' ', 0x80, 0x9F, '.', 'M', 'I', 'D', ' '}));
  EXPECT_EQ(MusicAfterSavingAndLoading(level.LevelMusic), level.LevelMusic);
  // Two-byte characters of the program are one byte each in the file.
  std::string accents;
  for (int i = 0; i < 300; ++i) accents += "é";
  EXPECT_EQ(MusicAfterSavingAndLoading(accents), accents.substr(0, 512));
  EXPECT_EQ(MusicAfterSavingAndLoading("中.MID"), "?.MID");
}

TEST(CodePage1252, MalformedTextBecomesQuestionMarksAndNothingElse) {
  EXPECT_EQ(Cp1252ToUtf8(Bytes({0x80, 0x9F, 0xE9, 0x81, 0xFF, 'a'})), "€Ÿé\u0081ÿa");
  EXPECT_EQ(Utf8ToCp1252("\xc0\xaf"), "?");          // an overlong '/'
  EXPECT_EQ(Utf8ToCp1252("\xe0\x80\xae"), "?");      // an overlong '.'
  EXPECT_EQ(Utf8ToCp1252("\xed\xa0\x80"), "?");      // a lone surrogate
  EXPECT_EQ(Utf8ToCp1252("\xf0\x9f\x98\x80"), "?");  // beyond the code page
  EXPECT_EQ(Utf8ToCp1252("\xe2\x82"), "??");         // cut short
  EXPECT_EQ(Utf8ToCp1252("\xff" "a"), "?a");
  EXPECT_EQ(Utf8ToCp1252("ééé", 2), Bytes({0xE9, 0xE9}));
}

TEST(LevelFile, AShortMissingOrUnreadableFileChangesNothingAndExtraBytesAreIgnored) {
  TempFolder temp;
  const std::string bytes = SavedBytes(SampleLevel());
  fs::create_directory(temp.Path() / "DIR.FL3");
  GameState state;
  FillWithSomethingElse(state);
  std::int32_t tileSet = 77, background = 88;
  const Observed before = Observe(state, tileSet, background);

  for (const std::size_t length : {0, 1, 4, 63, 64, 1564, 3064, 3072, 3327}) {
    temp.Write("SHORT.FL3", bytes.substr(0, length));
    const IoResult loaded = LoadLevel(temp.Path() / "SHORT.FL3", state, tileSet, background);
    EXPECT_FALSE(loaded) << length;
    EXPECT_EQ(loaded.reason, "\"SHORT.FL3\": the level file is too short (" + std::to_string(length) +
                                 " of 3328 bytes)");
  }
  EXPECT_EQ(LoadLevel(temp.Path() / "GONE.FL3", state, tileSet, background).reason,
            "\"GONE.FL3\": the file does not exist");
  EXPECT_EQ(LoadLevel(temp.Path() / "DIR.FL3", state, tileSet, background).reason, "\"DIR.FL3\": this is not a file");
  if (testing::PermissionsStopUs()) {
    fs::permissions(temp.Write("LOCKED.FL3", bytes), fs::perms::none);
    EXPECT_EQ(LoadLevel(temp.Path() / "LOCKED.FL3", state, tileSet, background).reason,
              "\"LOCKED.FL3\": the file cannot be opened for reading");
  }
  EXPECT_EQ(Observe(state, tileSet, background), before);

  temp.Write("LONG.FL3", bytes + std::string(100000, '\xAB'));
  LevelData read;
  ASSERT_TRUE(ReadLevelFile(temp.Path() / "LONG.FL3", read));
  EXPECT_EQ(read, SampleLevel());
}

TEST(LevelFile, AFailedSaveKeepsTheOldLevel) {
  TempFolder temp;
  LevelData old = SampleLevel();
  old.LevelMusic = "OLD.MID";
  ASSERT_TRUE(WriteLevelFile(temp.Path() / "CASTLE.FL3", old));
  {
    testing::FileSizeLimit limit(1000);
    const IoResult written = WriteLevelFile(temp.Path() / "CASTLE.FL3", SampleLevel());
    EXPECT_FALSE(written);
    EXPECT_EQ(written.reason, "\"CASTLE.FL3\": cannot be written: File too large");
  }
  LevelData read;
  ASSERT_TRUE(ReadLevelFile(temp.Path() / "CASTLE.FL3", read));
  EXPECT_EQ(read, old);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);

  const IoResult noFolder = WriteLevelFile(temp.Path() / "missing" / "NEW.FL3", SampleLevel());
  EXPECT_EQ(noFolder.reason, "\"NEW.FL3\": cannot be written: No such file or directory");
}

}  // namespace
}  // namespace fl3
