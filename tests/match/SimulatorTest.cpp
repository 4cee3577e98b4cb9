#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimRun.h"
#include "TempFolder.h"
#include "core/LevelFile.h"

namespace fl3 {
namespace {

using nlohmann::json;

class Simulator : public ::testing::Test {
 protected:
  Simulator() {
    level.TileMap.fill(CellNothing);
    level.TileSetNumber = 3;
    level.BackgroundNumber = -1;
    level.Figures[0] = {5, 5, 0, 1};
    level.Figures[1] = {6, 5, 0, 1};
    level.Figures[2] = {20, 2, 0, 1};
    level.Figures[3] = {20, 12, 0, 1};
    script = {{"kind", 0},
              {"lives", {3, 1, 2, 2}},
              {"seconds", 60},
              {"cont", {1, 1, 0, 0}},
              {"keys", {{11, 12, 13, 14, 15}, {21, 22, 23, 24, 25}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}},
              {"frames", json::array()}};
  }

  // Figure 0 plants in frame 0 and walks up two cells; then nobody touches a key.
  void PlantAndWalkAway(int frames) {
    for (int k = 0; k < frames; ++k) {
      json down = json::array();
      if (k == 0) down.push_back(15);
      if (k < 8) down.push_back(12);
      script["frames"].push_back({{"ms", 51}, {"down", down}});
    }
  }

  void Idle(int frames, int ms = 51) {
    for (int k = 0; k < frames; ++k) script["frames"].push_back({{"ms", ms}, {"down", json::array()}});
  }

  int Run() {
    WriteFiles();
    std::ostringstream out;
    std::ostringstream err;
    const int status = sim::RunScriptFile((folder.Path() / "match.json").string(), out, err);
    errors = err.str();
    lines.clear();
    rawLines.clear();
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) {
      rawLines.push_back(line);
      lines.push_back(json::parse(line));
    }
    return status;
  }

  void WriteFiles() {
    ASSERT_TRUE(WriteLevelFile(folder.Path() / "ARENA.FL3", level));
    if (!script.contains("level")) script["level"] = (folder.Path() / "ARENA.FL3").string();
    folder.Write("match.json", script.dump());
  }

  testing::TempFolder folder;
  LevelData level;
  json script;
  std::vector<json> lines;
  std::vector<std::string> rawLines;
  std::string errors;
};

int TileAt(const json& line, int x, int y) { return line["tiles"][static_cast<std::size_t>(25 * y + x)].get<int>(); }

TEST_F(Simulator, TracesAMatchToItsWinner) {
  script["draw"] = true;
  PlantAndWalkAway(80);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(errors, "");
  ASSERT_EQ(lines.size(), 1u + 59u);  // header, frames 0..58
  EXPECT_EQ(rawLines[0], R"({"tileset":3,"background":-1})");
  EXPECT_EQ(rawLines[1].rfind(R"({"frame":0,"time_left":60000,"beeps":0,"end":null,"winner":null,"tiles":[-1,)", 0), 0u);
  EXPECT_NE(rawLines[1].find(R"("figures":[{"x":5,"y":5,"cont":1,"dir":1,"lives":3,"fire":1,"bombs":0,"moving":true,"step":8,"anim_time":199,"anim_frame":0},)"), std::string::npos);
  EXPECT_NE(rawLines[1].find(R"("bombs":[{"x":5,"y":5,"fuse":2949,"reach":1,"left":0,"up":0,"right":0,"down":0,"duration":100,"exploded":false,"owner":0}],"draw":[["tile:0",)"), std::string::npos);
  EXPECT_EQ(TileAt(lines[1], 5, 5), 11);
  EXPECT_EQ(lines[1]["figures"][2]["x"], 50);

  const json& last = lines.back();
  EXPECT_EQ(last["frame"], 58);
  EXPECT_EQ(last["end"], "winner");
  EXPECT_EQ(last["winner"], 0);
  EXPECT_EQ(last["beeps"], 4);
  EXPECT_EQ(last["figures"][0]["y"], 3);
  EXPECT_EQ(last["figures"][1], json::parse(R"({"x":50,"y":50,"cont":0,"dir":0,"lives":0,"fire":1,"bombs":0,
      "moving":false,"step":0,"anim_time":0,"anim_frame":0})"));
  EXPECT_EQ(last["bombs"][0], json::parse(R"({"x":5,"y":5,"fuse":-9,"reach":1,"left":4,"up":4,"right":6,
      "down":6,"duration":100,"exploded":true,"owner":0})"));
  // The cross of reach 1: left, up, centre, right, down.
  EXPECT_EQ((std::array{TileAt(last, 4, 5), TileAt(last, 5, 4), TileAt(last, 5, 5), TileAt(last, 6, 5), TileAt(last, 5, 6)}),
            (std::array{22, 23, 24, 20, 21}));

  const json& draws = last["draw"];
  EXPECT_EQ(draws[0], json::parse(R"(["tile:0",0,0,32,32,0,0,1,1,"FFFFFF"])"));
  EXPECT_EQ(draws.back(), json::parse(R"(["win:0",272,172,256,256,0,0,1,1,"FFFFFF"])"));
  // Only figure 0 is left: its figure (row 3, walking up, step picture 1) and panel.
  const json figure = json::parse(R"(["char:0:1:1",160,64,32,64,0,0,1,1,"FFFFFF"])");
  EXPECT_EQ(std::count(draws.begin(), draws.end(), figure), 1);
  EXPECT_EQ(std::count_if(draws.begin(), draws.end(), [](const json& draw) { return draw[0] == "char:1:1:0"; }), 0);
  EXPECT_EQ(draws[draws.size() - 2], json::parse(R"(["font",256,480,32,32,0,0,0.125,0.125,"FFFFFF"])"));
}

TEST_F(Simulator, AfterAnEarlierMatchFiguresOutOfPlayHoldFiveLives) {
  script["kind"] = 1;
  script["seconds"] = 0.102;
  script["after_match"] = true;
  Idle(5);
  ASSERT_EQ(Run(), 0);
  ASSERT_EQ(lines.size(), 3u);
  const json& last = lines.back();
  EXPECT_EQ(last["time_left"], 0);
  EXPECT_EQ(last["end"], "none");  // 0 kills each: a tie
  EXPECT_EQ(last["figures"][0]["lives"], 0);
  EXPECT_EQ(last["figures"][2]["lives"], 5);
  EXPECT_EQ(last["figures"][3]["x"], 50);
  EXPECT_EQ(last["figures"][1]["fire"], 1);
  EXPECT_FALSE(last.contains("draw"));
}

TEST_F(Simulator, TimeIsRoundedHalfToEvenAndOnlyTimedKindsCountIt) {
  script["kind"] = 2;
  script["seconds"] = 0.0025;
  Idle(3);
  ASSERT_EQ(Run(), 0);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1]["time_left"], 2 - 51);
  EXPECT_EQ(lines[1]["figures"][0]["lives"], 99);
  EXPECT_EQ(lines[1]["end"], "none");

  script["seconds"] = 0.0035;
  script["frames"] = json::array();
  Idle(1, 3);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(lines[1]["time_left"], 1);
  EXPECT_TRUE(lines[1]["end"].is_null());

  script["kind"] = 0;
  script["seconds"] = 12.5;
  Idle(3);
  ASSERT_EQ(Run(), 0);
  ASSERT_EQ(lines.size(), 1u + 4u);  // runs to the last script frame
  EXPECT_EQ(lines.back()["time_left"], 12500);
  EXPECT_EQ(lines.back()["figures"][1]["lives"], 1);
}

TEST_F(Simulator, DrawsFromTheSharedRandomSourceAfterTheSkippedValues) {
  level.TileMap[5 * 25 + 4] = CellBox1;  // left of figure 0's bomb
  level.ItemMap[5 * 25 + 4] = ItemRandom;
  level.Figures[1] = {20, 5, 0, 1};
  PlantAndWalkAway(60);
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(TileAt(lines.back(), 4, 5), CellItemFire);  // 71

  script["rng_skip"] = 15;
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(TileAt(lines.back(), 4, 5), CellItemFire2);  // 96
}

TEST_F(Simulator, EscapeEndsTheTraceWithQuit) {
  script["frames"] = json::parse(R"([{"ms":51,"down":[1]},{"ms":51,"down":[]}])");
  ASSERT_EQ(Run(), 0);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1]["end"], "quit");
  EXPECT_TRUE(lines[1]["winner"].is_null());
}

TEST_F(Simulator, BadScriptsGetOneLineAndStatusOne) {
  const auto expectRefused = [&](const std::string& why) {
    EXPECT_EQ(Run(), 1) << why;
    EXPECT_TRUE(lines.empty()) << why;
    ASSERT_FALSE(errors.empty()) << why;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << why;
  };
  Idle(2);
  const json good = script;
  script.erase("frames");
  expectRefused("missing frames");
  script = good;
  script["kind"] = "0";
  expectRefused("kind as text");
  script = good;
  script["keys"][1] = {1, 2, 3};
  expectRefused("four keys");
  script = good;
  script["frames"][1]["ms"] = 51.5;
  expectRefused("fractional ms");
  script = good;
  script["frames"][0]["down"] = {300};
  expectRefused("key code beyond the keyboard");
  script = good;
  script["after_match"] = 1;
  expectRefused("flag as number");
  script = good;
  script["level"] = (folder.Path() / "NONE.FL3").string();
  expectRefused("missing level");
  EXPECT_NE(errors.find("NONE.FL3"), std::string::npos);

  folder.Write("short.FL3", std::string(100, '\0'));
  script = good;
  script["level"] = (folder.Path() / "short.FL3").string();
  expectRefused("short level");

  std::ostringstream out;
  std::ostringstream err;
  folder.Write("broken.json", "{\"level\": ");
  EXPECT_EQ(sim::RunScriptFile((folder.Path() / "broken.json").string(), out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_FALSE(err.str().empty());
}

TEST_F(Simulator, LevelPathsAreRelativeToTheCurrentFolder) {
  const auto before = std::filesystem::current_path();
  script["level"] = "ARENA.FL3";
  Idle(1);
  std::filesystem::current_path(folder.Path());
  const int status = Run();
  std::filesystem::current_path(before);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(lines.size(), 2u);
}

}  // namespace
}  // namespace fl3
