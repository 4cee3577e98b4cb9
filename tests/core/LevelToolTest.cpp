#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "TempFolder.h"
#include "core/LevelFile.h"
#include "level/LevelJson.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::TempFolder;

LevelData SampleLevel() {
  LevelData level;
  level.Figures[0] = {1, 1, 1, 2};
  level.Figures[1] = {23, 13, 2, 1};
  level.Figures[2] = {OffMapPos, OffMapPos, 0, 0};
  level.Figures[3] = {-7, 2147483647, -2147483647 - 1, 9};
  for (int i = 0; i < CellCount; ++i) {
    level.TileMap[static_cast<std::size_t>(i)] = i % 8 - 1;
    level.ItemMap[static_cast<std::size_t>(i)] = i % 5 - 1;
  }
  level.TileMap[CellIndex(1, 0)] = CellBlock2;   // 5
  level.TileMap[CellIndex(0, 1)] = CellNothing;  // -1
  level.ItemMap[CellIndex(24, 14)] = ItemRandom;
  level.TileSetNumber = 2;
  level.BackgroundNumber = -1;
  level.LevelMusic = "  Café €.MID";
  return level;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun RunTool(const std::string& arguments) {
  TempFolder streams;
  const std::string command = Quoted(FUSELARK3_LEVEL_TOOL) + " " + arguments + " >" +
                              Quoted(streams.Path() / "out") + " 2>" + Quoted(streams.Path() / "err");
  const int raw = std::system(command.c_str());
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = streams.Read("out");
  run.err = streams.Read("err");
  return run;
}

bool OneLine(const std::string& text) {
  return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

TEST(LevelTool, MakeThenShowGivesBackEveryField) {
  TempFolder temp;
  const json original = LevelToJson(SampleLevel());
  temp.Write("level.json", original.dump(2));

  const ToolRun make = RunTool("make " + Quoted(temp.Path() / "level.json") + " " + Quoted(temp.Path() / "NEW.FL3"));
  EXPECT_EQ(make.status, 0);
  EXPECT_EQ(make.err, "");
  const std::string bytes = temp.Read("NEW.FL3");
  ASSERT_EQ(bytes.size(), 3328u);
  // X -7 and Y 2147483647 of figure 3, then bombs 1 and fire 2 of figure 0.
  EXPECT_EQ(bytes.substr(24, 16), std::string("\xF9\xFF\xFF\xFF\xFF\xFF\xFF\x7F\x01\x00\x00\x00\x02\x00\x00\x00", 16));
  EXPECT_EQ(bytes.substr(56, 8), std::string("\x00\x00\x00\x80\x09\x00\x00\x00", 8));  // figure 3
  EXPECT_EQ(bytes.substr(68, 4), std::string("\x05\x00\x00\x00", 4));   // cell (1, 0)
  EXPECT_EQ(bytes.substr(3060, 4), "\xFF\xFF\xFF\xFF");                  // item of (24, 14)
  EXPECT_EQ(bytes.substr(3064, 8), std::string("\x02\x00\x00\x00\xFF\xFF\xFF\xFF", 8));
  EXPECT_EQ(bytes.substr(3072), "  Caf\xE9 \x80.MID" + std::string(244, ' '));

  const ToolRun show = RunTool("show " + Quoted(temp.Path() / "NEW.FL3"));
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.err, "");
  const json shown = json::parse(show.out);
  EXPECT_EQ(shown["figures"][3], json::parse(R"({"x":-7,"y":2147483647,"bombs":-2147483648,"fire":9})"));
  EXPECT_EQ(shown["tiles"][25], -1);
  EXPECT_EQ(shown["music"], "  Café €.MID");
  LevelData back;
  ASSERT_TRUE(LevelFromJson(shown, back));
  EXPECT_EQ(back, SampleLevel());
  // Rows of the field stay rows in the text: 15 of them per grid.
  EXPECT_NE(show.out.find("\n    -1, 0, 1, 2, 3, 4, 5, 6, -1,"), std::string::npos);
}

TEST(LevelTool, MakeCutsTheMusicNameTo256Characters) {
  TempFolder temp;
  json level = LevelToJson(SampleLevel());
  level["music"] = std::string(256, 'm') + "TAIL";
  temp.Write("long.json", level.dump());
  ASSERT_EQ(RunTool("make " + Quoted(temp.Path() / "long.json") + " " + Quoted(temp.Path() / "L.FL3")).status, 0);
  const ToolRun show = RunTool("show " + Quoted(temp.Path() / "L.FL3"));
  EXPECT_EQ(json::parse(show.out)["music"], std::string(256, 'm'));
}

TEST(LevelTool, ShowRefusesShortAndMissingFilesInOneLine) {
  TempFolder temp;
  temp.Write("short.FL3", std::string(100, '\x01'));
  const ToolRun shortFile = RunTool("show " + Quoted(temp.Path() / "short.FL3"));
  EXPECT_EQ(shortFile.status, 1);
  EXPECT_EQ(shortFile.out, "");
  EXPECT_EQ(shortFile.err, "fuselark3-level: \"short.FL3\": the level file is too short (100 of 3328 bytes)\n");

  const ToolRun missing = RunTool("show " + Quoted(temp.Path() / "gone.FL3"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "fuselark3-level: \"gone.FL3\": the file does not exist\n");
}

TEST(LevelTool, MakeRefusesBadJsonAndWritesNothing) {
  TempFolder temp;
  json noItems = LevelToJson(SampleLevel());
  noItems.erase("items");
  temp.Write("no-items.json", noItems.dump());
  temp.Write("broken.json", "{\"figures\": [\n");
  temp.Write("OLD.FL3", "old level");

  for (const char* source : {"no-items.json", "broken.json", "absent.json"}) {
    for (const char* target : {"NEW.FL3", "OLD.FL3"}) {
      const ToolRun make = RunTool("make " + Quoted(temp.Path() / source) + " " + Quoted(temp.Path() / target));
      EXPECT_EQ(make.status, 1) << source;
      EXPECT_TRUE(OneLine(make.err)) << make.err;
      EXPECT_EQ(make.err.rfind("fuselark3-level: ", 0), 0u) << make.err;
    }
  }
  EXPECT_FALSE(fs::exists(temp.Path() / "NEW.FL3"));
  EXPECT_EQ(temp.Read("OLD.FL3"), "old level");
  const ToolRun noItemsRun =
      RunTool("make " + Quoted(temp.Path() / "no-items.json") + " " + Quoted(temp.Path() / "NEW.FL3"));
  EXPECT_NE(noItemsRun.err.find("missing key \"items\"; nothing written"), std::string::npos) << noItemsRun.err;

  const ToolRun noFolder = RunTool("make " + Quoted(temp.Path() / "no-items.json") + " " +
                                   Quoted(temp.Path() / "missing" / "NEW.FL3"));
  EXPECT_EQ(noFolder.status, 1);
  // Only the files this test made are there: no temporary file was left.
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 3);
}

TEST(LevelTool, WrongCommandsGetTheUsage) {
  for (const char* arguments : {"", "show", "make a.json", "show a b", "print a.FL3"}) {
    const ToolRun run = RunTool(arguments);
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_EQ(run.err, "fuselark3-level: usage: fuselark3-level show FILE | fuselark3-level make JSON_FILE LEVEL_FILE\n");
  }
}

// Checks that changing a valid level object with `change` is refused with
// `reason` and leaves the target alone.
void ExpectRefused(const std::function<void(json&)>& change, const std::string& reason) {
  json object = LevelToJson(SampleLevel());
  change(object);
  LevelData level;
  level.TileSetNumber = 99;
  const IoResult result = LevelFromJson(object, level);
  EXPECT_FALSE(result) << reason;
  EXPECT_EQ(result.reason, reason);
  EXPECT_EQ(level.TileSetNumber, 99);
}

TEST(LevelJson, RefusesMissingKeysAndWrongTypes) {
  const std::string number = " must be a whole number from -2147483648 to 2147483647";
  ExpectRefused([](json& j) { j.erase("tiles"); }, "missing key \"tiles\"");
  ExpectRefused([](json& j) { j["figures"][1].erase("fire"); }, "missing key \"figures[1].fire\"");
  ExpectRefused([](json& j) { j["figures"].erase(3); }, "\"figures\" must be an array of 4 objects");
  ExpectRefused([](json& j) { j["figures"][2] = 5; }, "\"figures[2]\" must be an object");
  ExpectRefused([](json& j) { j["figures"][0]["x"] = "3"; }, "\"figures[0].x\"" + number);
  ExpectRefused([](json& j) { j["figures"][3]["bombs"] = 2.5; }, "\"figures[3].bombs\"" + number);
  ExpectRefused([](json& j) { j["tiles"].erase(0); }, "\"tiles\" must be an array of 375 whole numbers (it has 374)");
  ExpectRefused([](json& j) { j["items"] = "0"; }, "\"items\" must be an array of 375 whole numbers");
  ExpectRefused([](json& j) { j["items"][100] = 1.0; }, "\"items[100]\"" + number);
  ExpectRefused([](json& j) { j["tileset"] = 2147483648LL; }, "\"tileset\"" + number);
  ExpectRefused([](json& j) { j["tileset"] = true; }, "\"tileset\"" + number);
  ExpectRefused([](json& j) { j["background"] = 18446744073709551615ULL; }, "\"background\"" + number);
  ExpectRefused([](json& j) { j["music"] = 5; }, "\"music\" must be a string");
  ExpectRefused([](json& j) { j["music"] = "曲.MID"; },
                "\"music\" holds a character that a level file cannot store (Windows-1252 only)");
  ExpectRefused([](json& j) { j = json::array({j}); }, "the JSON must be one object");
}

TEST(LevelJson, TakesTheWhole32BitRangeAndIgnoresOtherKeys) {
  json object = LevelToJson(SampleLevel());
  object["tileset"] = -2147483648LL;
  object["background"] = 2147483647ULL;
  object["comment"] = "made by hand";
  LevelData level;
  ASSERT_TRUE(LevelFromJson(object, level));
  EXPECT_EQ(level.TileSetNumber, -2147483647 - 1);
  EXPECT_EQ(level.BackgroundNumber, 2147483647);
  EXPECT_EQ(level.TileMap, SampleLevel().TileMap);

  const IoResult broken = LevelFromJsonText("{\"tiles\": [1, 2", level);
  EXPECT_FALSE(broken);
  EXPECT_EQ(broken.reason.rfind("not valid JSON: parse error at line 1, column 16", 0), 0u) << broken.reason;
}

}  // namespace
}  // namespace fl3
