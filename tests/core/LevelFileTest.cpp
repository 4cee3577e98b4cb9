#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ByteStrings.h"
#include "RunProgram.h"
#include "SampleLevel.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/CodePage1252.h"
#include "core/GameState.h"
#include "core/KeyLayout.h"
#include "core/LevelFile.h"
#include "core/MusicSettings.h"
#include "core/TextNumbers.h"
#include "level/LevelJson.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::ByteStrings;
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
  // Both grids, x running fastest: cell (x, y) at 64 + 4 (25y + x), its code (25y + x) mod 8 or 5, less 1.
  for (int cell = 0; cell < 375; ++cell) expected += Le(cell % 8 - 1);
  for (int cell = 0; cell < 375; ++cell) expected += Le(cell % 5 - 1);
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

// A playable level (one coordinate at 50 is no place too) with one value changed.
std::function<void(const TempFolder&)> WriteChanged(std::function<void(LevelData&)> change) {
  return [change](const TempFolder& t) {
    LevelData level = SampleLevel();
    level.Figures[3] = {OffMapPos, 0, 1, 1};
    change(level);
    t.Write("L.FL3", EncodeLevel(level));
  };
}

TEST(LevelFile, AShortGoneFolderLockedOrUnplayableFileChangesNothingAndSaysWhy) {
  const std::string bytes = SavedBytes(SampleLevel());
  const auto writeShort = [&](std::size_t length) {
    return [&, length](const TempFolder& t) { t.Write("L.FL3", bytes.substr(0, length)); };
  };
  const auto tooShort = [](std::size_t length) {
    return "the level file is too short (" + std::to_string(length) + " of 3328 bytes)";
  };
  const std::string offField = "lies off the field (x 0 to 24, y 0 to 14, 50 for no place)";
  const std::string noLevel = ", which no level can hold (-1 to ";
  const struct {
    std::function<void(const TempFolder&)> make;
    std::string reason;
  } cases[] = {
      {writeShort(0), tooShort(0)}, {writeShort(3064), tooShort(3064)}, {writeShort(3327), tooShort(3327)},
      {[](const TempFolder&) {}, "cannot be read: No such file or directory"},
      {[](const TempFolder& t) { fs::create_directory(t.Path() / "L.FL3"); }, "this is not a file"},
      {[&](const TempFolder& t) { fs::permissions(t.Write("L.FL3", bytes), fs::perms::none); },
       "cannot be read: Permission denied"},
      // Values that would leave a figure invisible and unkillable or a bomb that never goes off.
      {WriteChanged([](LevelData& l) { l.Figures[1].X = 2147483647; }), "player 2's start (2147483647, 14) " + offField},
      {WriteChanged([](LevelData& l) { l.Figures[0].Y = 15; }), "player 1's start (1, 15) " + offField},
      {WriteChanged([](LevelData& l) { l.Figures[2] = {-1, OffMapPos}; }), "player 3's start (-1, 50) " + offField},
      {WriteChanged([](LevelData& l) { l.TileMap[374] = 7; }), "cell (24, 14) holds the tile code 7" + noLevel + "6)"},
      {WriteChanged([](LevelData& l) { l.ItemMap[53] = 4; }), "cell (3, 2) hides the item code 4" + noLevel + "3)"},
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
    EXPECT_EQ(LoadLevel(temp.Path() / "L.FL3", state, tileSet, background).reason,
              "\"" + (temp.Path() / "L.FL3").string() + "\": " + c.reason);
    EXPECT_EQ(LevelFromState(state, tileSet, background), before) << c.reason;
  }
  // Bytes after the level are never read; the tools read any level as it stands.
  TempFolder temp;
  LevelData read;
  ASSERT_TRUE(ReadLevelFile(temp.Write("LONG.FL3", bytes + std::string(100000, '\xAB')), read));
  EXPECT_EQ(read, SampleLevel());
}

using nlohmann::json;
using Arguments = std::vector<std::string>;

testing::ProgramRun RunTool(const Arguments& arguments) { return testing::RunProgram(FUSELARK3_LEVEL_TOOL, arguments); }

TEST(LevelTool, MakeThenShowGivesBackEveryFieldWithTheMusicNameCut) {
  TempFolder temp;
  LevelData expected = SampleLevel();
  expected.Figures[3] = {24, OffMapPos, -2147483647 - 1, 9};
  json original = LevelToJson(expected);
  original["music"] = "  Café €" + std::string(252, 'm');
  temp.Write("level.json", original.dump(2));
  const std::string level = (temp.Path() / "NEW.FL3").string();

  const auto make = RunTool({"make", (temp.Path() / "level.json").string(), level});
  EXPECT_EQ(std::pair(make.status, make.err), std::pair(0, std::string()));
  expected.LevelMusic = "  Café €" + std::string(248, 'm');
  EXPECT_EQ(temp.Read("NEW.FL3"), EncodeLevel(expected));

  const auto show = RunTool({"show", level});
  EXPECT_EQ(std::pair(show.status, show.err), std::pair(0, std::string()));
  LevelData back;
  ASSERT_TRUE(LevelFromJsonText(show.out, back));
  EXPECT_EQ(back, expected);
  // The keys as level makers read them, worked out by hand; a level the game
  // refuses still shows, so that it can be mended.
  const auto hostile = RunTool({"show", temp.Write("HOSTILE.FL3", EncodeLevel(SampleLevel())).string()});
  EXPECT_EQ(json::parse(hostile.out)["figures"][3], json::parse(R"({"x":-7,"y":2147483647,"bombs":-2147483648,"fire":9})"));
  // Rows of the field stay rows in the text: a line holds one row of 25.
  EXPECT_NE(show.out.find("\n    -1, 0, 1, 2, 3, 4, 5, 6, -1, 0, 1, 2, 3, 4, 5, 6, -1, 0, 1, 2, 3, 4, 5, 6, -1,\n"),
            std::string::npos);
}

TEST(LevelTool, RefusesWithOneLineAndStatusOneAndWritesNothing) {
  TempFolder temp;
  const auto in = [&](const char* name) { return (temp.Path() / name).string(); };
  json offField = LevelToJson(LevelData{});
  offField["figures"][1]["x"] = 30;
  temp.Write("off-field.json", offField.dump());
  temp.Write("good.json", LevelToJson(LevelData{}).dump());
  temp.Write("broken.json", "{\"figures\": [\n");
  temp.Write("short.FL3", std::string(100, '\x01'));
  temp.Write("OLD.FL3", "old level");
  const std::string usage =
      "usage: fuselark3-level show FILE | fuselark3-level make JSON_FILE LEVEL_FILE\n";
  const struct {
    Arguments arguments;
    std::string message;  // the start of the line, or all of it when it ends in a line end
  } cases[] = {
      {{}, usage},
      {{"show"}, usage},
      {{"make", "a.json"}, usage},
      {{"show", "a", "b"}, usage},
      {{"print", "a.FL3"}, usage},
      {{"show", in("short.FL3")}, "\"" + in("short.FL3") + "\": the level file is too short (100 of 3328 bytes)\n"},
      {{"show", in("gone.FL3")}, "\"" + in("gone.FL3") + "\": cannot be read: No such file or directory\n"},
      {{"make", in("absent.json"), in("NEW.FL3")}, "\"" + in("absent.json") + "\": cannot be read: No such file"},
      {{"make", in("off-field.json"), in("OLD.FL3")}, "\"" + in("off-field.json") + "\": player 2's start (30, 0) lies "
                                                      "off the field (x 0 to 24, y 0 to 14, 50 for no place); nothing written\n"},
      {{"make", in("broken.json"), in("OLD.FL3")}, "\"" + in("broken.json") + "\": not valid JSON: parse error at line 2"},
      {{"make", in("good.json"), in("missing/NEW.FL3")}, "\"" + in("missing/NEW.FL3") + "\": cannot be written: No such"},
  };
  for (const auto& [arguments, message] : cases) {
    const auto run = RunTool(arguments);
    EXPECT_EQ(run.status, 1) << message;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("fuselark3-level: " + message, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  // Only the files this test made are there, the old level unchanged.
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 5);
  EXPECT_EQ(temp.Read("OLD.FL3"), "old level");
}

TEST(LevelJson, RefusesMissingKeysAndWrongTypesAndLeavesTheLevelAlone) {
  const std::string number = " must be a whole number from -2147483648 to 2147483647";
  const struct {
    std::function<void(json&)> change;
    std::string reason;
  } cases[] = {
      {[](json& j) { j.erase("tiles"); }, "missing key \"tiles\""},
      {[](json& j) { j["figures"][1].erase("fire"); }, "missing key \"figures[1].fire\""},
      {[](json& j) { j["figures"].erase(3); }, "\"figures\" must be an array of 4 objects"},
      {[](json& j) { j["figures"][2] = 5; }, "\"figures[2]\" must be an object"},
      {[](json& j) { j["figures"][0]["x"] = "3"; }, "\"figures[0].x\"" + number},
      {[](json& j) { j["figures"][3]["bombs"] = 2.5; }, "\"figures[3].bombs\"" + number},
      {[](json& j) { j["tiles"].erase(0); }, "\"tiles\" must be an array of 375 whole numbers (it has 374)"},
      {[](json& j) { j["items"] = "0"; }, "\"items\" must be an array of 375 whole numbers"},
      {[](json& j) { j["items"][100] = 1.0; }, "\"items[100]\"" + number},
      {[](json& j) { j["tileset"] = 2147483648LL; }, "\"tileset\"" + number},
      {[](json& j) { j["tileset"] = true; }, "\"tileset\"" + number},
      {[](json& j) { j["background"] = 18446744073709551615ULL; }, "\"background\"" + number},
      {[](json& j) { j["music"] = 5; }, "\"music\" must be a string"},
      {[](json& j) { j["music"] = "曲.MID"; },
       "\"music\" holds a character that a level file cannot store (Windows-1252 only)"},
      {[](json& j) { j = json::array({j}); }, "the JSON must be one object"},
  };
  for (const auto& [change, reason] : cases) {
    json object = LevelToJson(SampleLevel());
    change(object);
    LevelData level;
    level.TileSetNumber = 99;
    EXPECT_EQ(LevelFromJson(object, level).reason, reason);
    EXPECT_EQ(level.TileSetNumber, 99) << reason;
  }
  // The whole 32-bit range is taken, and keys of no meaning are ignored.
  json object = LevelToJson(SampleLevel());
  object["tileset"] = -2147483648LL;
  object["background"] = 2147483647ULL;
  object["comment"] = "made by hand";
  LevelData level;
  ASSERT_TRUE(LevelFromJson(object, level));
  EXPECT_EQ((std::array{level.TileSetNumber, level.BackgroundNumber}), (std::array{-2147483647 - 1, 2147483647}));
  EXPECT_EQ(level.ItemMap, SampleLevel().ItemMap);
}

// Generated byte strings fed to every reader of user files: each must give its
// defined result and never fault (the sanitizer build runs these too).
constexpr int kRuns = 10000;

// Independent of the reader under test: optional blanks, one optional sign,
// digits, optional blanks, and a value that fits 32 bits.
std::optional<std::int32_t> ExpectedNumber(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::nullopt;
  const std::string core = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
  const std::size_t digitsFrom = core[0] == '+' || core[0] == '-' ? 1 : 0;
  if (digitsFrom == core.size() || core.find_first_not_of("0123456789", digitsFrom) != std::string::npos) {
    return std::nullopt;
  }
  errno = 0;
  const long long value = std::strtoll(core.c_str(), nullptr, 10);
  if (errno == ERANGE || value < -2147483648LL || value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// Starts on the field or at 50, cell codes -1..6, item codes -1..3.
bool Playable(const LevelData& level) {
  const auto in = [](std::int32_t value, std::int32_t low, std::int32_t high) { return value >= low && value <= high; };
  bool playable = true;
  for (const FigureStart& f : level.Figures) playable &= (in(f.X, 0, 24) || f.X == 50) && (in(f.Y, 0, 14) || f.Y == 50);
  for (int i = 0; i < CellCount; ++i) playable &= in(level.TileMap[i], -1, 6) && in(level.ItemMap[i], -1, 3);
  return playable;
}

// Every byte of a whole level means something, so the level taken in is
// judged by writing it again with the writer, whose layout is pinned on its own.
TEST(ReaderRobustness, LevelReadersTakeEveryLongEnoughStringAsItStandsAndTheGameOnlyPlayableOnes) {
  ByteStrings strings;
  TempFolder temp;
  LevelData playable = SampleLevel();
  playable.Figures[3] = {OffMapPos, 3, 0, 0};
  const std::string valid = EncodeLevel(playable);
  GameState state;
  state.Characters[3].Cont = ContCpu;  // lives and control modes are no part of a level
  state.Characters[3].Lives = 7;
  LevelData sentinel;
  sentinel.TileSetNumber = 4711;
  for (int run = 0; run < kRuns; ++run) {
    const std::string bytes = run % 2 == 0 ? strings.Mutated(valid) : strings.Random(kLevelFileSize + 200);
    const bool whole = bytes.size() >= kLevelFileSize;
    LevelData level = sentinel;
    ASSERT_EQ(static_cast<bool>(DecodeLevel(bytes, level)), whole) << run;
    if (whole) {
      ASSERT_EQ(EncodeLevel(level), bytes.substr(0, kLevelFileSize)) << run;
    } else {
      ASSERT_EQ(level, sentinel) << run;
    }
    if (run % 20 != 0) continue;  // files are slow under the sanitizers
    temp.Write("FUZZ.FL3", bytes);
    std::int32_t tileSet = -99, background = -99;
    const std::string before = EncodeLevel(LevelFromState(state, tileSet, background));
    const bool taken = whole && Playable(level);
    ASSERT_EQ(static_cast<bool>(LoadLevel(temp.Path() / "FUZZ.FL3", state, tileSet, background)), taken) << run;
    ASSERT_EQ(EncodeLevel(LevelFromState(state, tileSet, background)), taken ? bytes.substr(0, kLevelFileSize) : before);
    ASSERT_EQ((std::array{state.Characters[3].Cont, state.Characters[3].Lives}), (std::array{ContCpu, 7}));
  }
}

TEST(ReaderRobustness, NumberFilesAlwaysGiveKeysOnTheKeyboardAndSettingsTheOptionsScreenCanShow) {
  ByteStrings strings;
  for (int run = 0; run < kRuns; ++run) {
    const std::string valid = run % 2 == 0 ? "203\r\n200\r\n205\r\n208\r\n157\r\n" : "25\r\n-150\r\n40\r\n";
    const std::string text = run % 3 == 0   ? strings.Random(120)
                             : run % 3 == 1 ? strings.NumberText(60)
                                            : strings.Mutated(valid);
    KeyLayout layout{1, 2, 3, 4, 5};
    layout.ReadFileText(text);
    for (const std::int32_t code : {layout.keyLeft, layout.keyUp, layout.keyRight, layout.keyDown, layout.keyPlantBomb}) {
      ASSERT_TRUE(code >= 0 && code <= 255) << run << ": " << code;
    }
    const MusicSettings settings = ParseMusicSettings(text);
    ASSERT_TRUE(settings.MusicTempo >= 1 && settings.MusicTempo <= 100) << run;
    ASSERT_TRUE(settings.MusicVolume >= -200 && settings.MusicVolume <= 20) << run;
    ASSERT_TRUE(settings.MusicGroove >= -99 && settings.MusicGroove <= 99) << run;

    const std::string number = run % 4 == 0 ? strings.Random(16) : strings.NumberText(14);
    ASSERT_EQ(ParseWholeNumber(number), ExpectedNumber(number)) << run << ": \"" << number << "\"";
    const std::size_t count = strings.Below(8);
    ASSERT_EQ(ReadNumberLines(number, count).size(), count);
  }
}

TEST(ReaderRobustness, CodePageConversionRoundTripsEveryByteString) {
  ByteStrings strings;
  for (int run = 0; run < kRuns; ++run) {
    const std::string bytes = strings.Random(300);
    // Bytes passed on raw would come back as question marks.
    ASSERT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes) << run;
    // Read as UTF-8, random bytes give at most one byte per input byte.
    const std::size_t limit = strings.Below(300);
    ASSERT_LE(Utf8ToCp1252(bytes, limit).size(), std::min(limit, bytes.size())) << run;
  }
}

TEST(ReaderRobustness, LevelJsonRefusesOrGivesALevelThatShowsAsItself) {
  ByteStrings strings;
  const std::string valid = LevelToJson(SampleLevel()).dump();
  int accepted = 0;
  for (int run = 0; run < kRuns; ++run) {
    // Whole levels are slow to parse in the sanitizer build: one run in four.
    const std::string text = run % 4 == 0 ? strings.Mutated(valid) : strings.Random(200);
    LevelData level;
    level.TileSetNumber = 4711;
    const IoResult read = LevelFromJsonText(text, level);
    if (read) {
      ++accepted;
      // What "show" prints of an accepted level makes the same level again.
      LevelData again;
      ASSERT_TRUE(LevelFromJson(LevelToJson(level), again)) << run;
      ASSERT_EQ(again, level) << run;
    } else {
      ASSERT_EQ(level.TileSetNumber, 4711) << run;
      ASSERT_FALSE(read.reason.empty());
    }
  }
  // Unchanged texts are among the inputs, so some must pass.
  EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace fl3
