#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "SimRun.h"
#include "TempFolder.h"
#include "core/LevelFile.h"

namespace fl3 {
namespace {

using nlohmann::json;

// Figures 0 and 1 side by side at (5, 5) and (6, 5) with reach 1, the others
// off; figure 0 plants with key 15.
class Simulator : public ::testing::Test {
 protected:
  Simulator() {
    level.TileMap.fill(CellNothing);
    level.TileSetNumber = 3;
    level.BackgroundNumber = -1;
    level.Figures = {{{5, 5, 0, 1}, {6, 5, 0, 1}, {20, 2, 0, 1}, {20, 12, 0, 1}}};
    script = json::parse(R"({"kind": 0, "lives": [3, 1, 2, 2], "seconds": 60, "cont": [1, 1, 0, 0], "frames": [],
        "keys": [[11, 12, 13, 14, 15], [21, 22, 23, 24, 25], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0]]})");
  }
  void Idle(int frames, int ms = 51) {
    for (int k = 0; k < frames; ++k) script["frames"].push_back({{"ms", ms}, {"down", json::array()}});
  }
  int Run() {
    EXPECT_TRUE(WriteLevelFile(folder.Path() / "ARENA.FL3", level));
    if (!script.contains("level")) script["level"] = (folder.Path() / "ARENA.FL3").string();
    folder.Write(scriptName, script.dump());
    std::ostringstream out, err;
    const int status = sim::RunScriptFile((folder.Path() / scriptName).string(), out, err);
    errors = err.str();
    lines.clear();
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return status;
  }
  json Last() const { return json::parse(lines.back()); }

  testing::TempFolder folder;
  std::string scriptName = "match.json";
  LevelData level;
  json script;
  std::vector<std::string> lines;
  std::string errors;
};

TEST_F(Simulator, TracesEachFrameAsOneJsonLineToTheEnd) {
  level.TileMap[CellIndex(4, 5)] = CellBox1;
  level.ItemMap[CellIndex(4, 5)] = ItemRandom;
  script["draw"] = true;
  script["rng_skip"] = 15;  // the 16th value gives 96: a double-fire item
  script["frames"] = json::parse(R"([{"ms":1000,"down":[15]}])");
  Idle(5, 1000);  // the bomb bursts in frame 3
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(errors, "");
  ASSERT_EQ(lines.size(), 1u + 4u);
  EXPECT_EQ(lines[0], R"({"tileset":3,"background":-1})");
  EXPECT_EQ(lines[1].rfind(R"({"frame":0,"time_left":60000,"beeps":0,"end":null,"winner":null,"tiles":[-1,)", 0), 0u);
  EXPECT_NE(lines[1].find(R"("figures":[{"x":5,"y":5,"cont":1,"dir":0,"lives":3,"fire":1,"bombs":0,"moving":false,)"
                          R"("step":0,"anim_time":0,"anim_frame":0},)"),
            std::string::npos);
  EXPECT_NE(lines[1].find(R"("bombs":[{"x":5,"y":5,"fuse":2000,"reach":1,"left":0,"up":0,"right":0,"down":0,)"
                          R"("duration":100,"exploded":false,"owner":0}],"draw":[["tile:0",0,0,32,32,0,0,1,1,"FFFFFF"],)"),
            std::string::npos);
  const json last = Last();
  EXPECT_EQ((std::array{last["frame"], last["end"], last["winner"], last["beeps"], last["tiles"][CellIndex(4, 5)]}),
            (std::array<json, 5>{3, "winner", 0, 3, CellItemFire2}));
  EXPECT_EQ(last["draw"].back(), json::parse(R"(["win:0",272,172,256,256,0,0,1,1,"FFFFFF"])"));
}

// The match rules are the frame's own; the simulator only sets the match up.
TEST_F(Simulator, SetsTheTypedSecondsHalfToEvenTheLivesOfTheKindAndTheResetOfAnEarlierMatch) {
  const struct {
    int kind;
    double seconds;
    bool afterMatch;
    int timeLeft, lives;  // after one frame of 1 ms
  } cases[] = {{0, 12.5, false, 12500, 3}, {1, 0.0035, true, 4 - 1, 0}, {2, 0.0025, false, 2 - 1, 99}};
  for (const auto& c : cases) {
    script.update({{"kind", c.kind}, {"seconds", c.seconds}, {"after_match", c.afterMatch}, {"frames", json::array()}});
    Idle(1, 1);
    ASSERT_EQ(Run(), 0) << errors;
    EXPECT_EQ((std::array<json, 3>{Last()["time_left"], Last()["figures"][0]["lives"], Last()["figures"][2]["lives"] == 5}),
              (std::array<json, 3>{c.timeLeft, c.lives, c.afterMatch})) << c.seconds;
  }
  // A level named without a folder is looked for in the current one, not in the script's.
  const auto before = std::filesystem::current_path();
  script["level"] = "ARENA.FL3";
  scriptName = "scripts/match.json";
  std::filesystem::create_directory(folder.Path() / "scripts");
  std::filesystem::current_path(folder.Path());
  const int status = Run();
  std::filesystem::current_path(before);
  EXPECT_EQ(status, 0) << errors;
}

TEST_F(Simulator, BadScriptsGetOneLineAndStatusOne) {
  Idle(2);
  const json good = script;
  const std::pair<const char*, std::function<void(json&)>> cases[] = {
      {"missing frames", [](json& s) { s.erase("frames"); }},
      {"kind as text", [](json& s) { s["kind"] = "0"; }},
      {"four keys", [](json& s) { s["keys"][1] = {1, 2, 3}; }},
      {"fractional ms", [](json& s) { s["frames"][1]["ms"] = 51.5; }},
      {"key code beyond the keyboard", [](json& s) { s["frames"][0]["down"] = {300}; }},
      {"flag as number", [](json& s) { s["after_match"] = 1; }},
      {"missing level", [this](json& s) { s["level"] = (folder.Path() / "NONE.FL3").string(); }},
  };
  for (const auto& [what, change] : cases) {
    script = good;
    change(script);
    EXPECT_EQ(Run(), 1) << what;
    EXPECT_TRUE(lines.empty()) << what;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << what << ": " << errors;
  }
}

}  // namespace
}  // namespace fl3
