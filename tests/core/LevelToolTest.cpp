#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "SampleLevel.h"
#include "TempFolder.h"
#include "core/LevelFile.h"
#include "level/LevelJson.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::SampleLevel;
using testing::TempFolder;
using Arguments = std::vector<std::string>;

testing::ProgramRun RunTool(const Arguments& arguments) { return testing::RunProgram(FUSELARK3_LEVEL_TOOL, arguments); }

TEST(LevelTool, MakeThenShowGivesBackEveryFieldWithTheMusicNameCut) {
  TempFolder temp;
  json original = LevelToJson(SampleLevel());
  original["music"] = "  Café €" + std::string(252, 'm');
  temp.Write("level.json", original.dump(2));
  const std::string level = (temp.Path() / "NEW.FL3").string();

  const auto make = RunTool({"make", (temp.Path() / "level.json").string(), level});
  EXPECT_EQ(make.status, 0);
  EXPECT_EQ(make.err, "");
  LevelData expected = SampleLevel();
  expected.LevelMusic = "  Café €" + std::string(248, 'm');
  EXPECT_EQ(temp.Read("NEW.FL3"), EncodeLevel(expected));
  EXPECT_EQ(temp.Read("NEW.FL3").substr(3072, 8), "  Caf\xE9 \x80");

  const auto show = RunTool({"show", level});
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.err, "");
  LevelData back;
  ASSERT_TRUE(LevelFromJsonText(show.out, back));
  EXPECT_EQ(back, expected);
  // The keys as level makers read them, worked out by hand.
  EXPECT_EQ(json::parse(show.out)["figures"][3], json::parse(R"({"x":-7,"y":2147483647,"bombs":-2147483648,"fire":9})"));
  // Rows of the field stay rows in the text: a line holds one row of 25.
  EXPECT_NE(show.out.find("\n    -1, 0, 1, 2, 3, 4, 5, 6, -1, 0, 1, 2, 3, 4, 5, 6, -1, 0, 1, 2, 3, 4, 5, 6, -1,\n"),
            std::string::npos);
}

TEST(LevelTool, RefusesWithOneLineAndStatusOneAndWritesNothing) {
  TempFolder temp;
  const auto in = [&](const char* name) { return (temp.Path() / name).string(); };
  json noItems = LevelToJson(SampleLevel());
  noItems.erase("items");
  temp.Write("no-items.json", noItems.dump());
  temp.Write("good.json", LevelToJson(SampleLevel()).dump());
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
      {{"show", in("short.FL3")}, "\"short.FL3\": the level file is too short (100 of 3328 bytes)\n"},
      {{"show", in("gone.FL3")}, "\"gone.FL3\": the file does not exist\n"},
      {{"make", in("absent.json"), in("NEW.FL3")}, "\"absent.json\": the file does not exist\n"},
      {{"make", in("no-items.json"), in("OLD.FL3")},
       "\"" + in("no-items.json") + "\": missing key \"items\"; nothing written\n"},
      {{"make", in("broken.json"), in("OLD.FL3")}, "\"" + in("broken.json") + "\": not valid JSON: parse error at line 2"},
      {{"make", in("good.json"), in("missing/NEW.FL3")}, "\"NEW.FL3\": cannot be written: No such file or directory\n"},
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

}  // namespace
}  // namespace fl3
