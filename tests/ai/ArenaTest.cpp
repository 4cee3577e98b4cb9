#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "RunProgram.h"
#include "TempFolder.h"
#include "core/LevelFile.h"

namespace fl3::testing {
namespace {

// The tournament's command line: --help and --version answer and end well;
// the seats still, dodger and hunter are taken (the tool goes on to the
// missing level folder: status 1), an unknown seat is refused (status 2).
// Catches --help read as an option wanting a value, a version that is not
// the game's, and a seat left out of the reader.
TEST(ArenaTest, AnswersHelpAndVersionAndTakesTheNewSeats) {
  const auto run = [](const std::vector<std::string>& arguments) { return RunProgram(FUSELARK3_ARENA, arguments); };
  const auto seats = [&](const std::string& list) {
    return run({"--levels", "/nonexistent", "--matches", "1", "--kind", "0", "--seed", "1", "--seats", list}).status;
  };
  const ProgramRun help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: fuselark3-arena", 0), 0u);
  const ProgramRun version = run({"--version"});
  EXPECT_EQ(std::pair(version.status, version.out), std::pair(0, std::string("fuselark3-arena ") + FUSELARK3_VERSION + "\n"));
  EXPECT_EQ(seats("still,dodger,hunter"), 1);
  EXPECT_EQ(seats("cpu:1,walker"), 2);
}

// Players 1 and 2 each walled in on an open field: nobody can hurt anybody.
LevelData TwoPockets() {
  LevelData level;
  level.TileMap.fill(CellNothing);
  level.ItemMap.fill(ItemNone);
  const std::int32_t starts[4][2] = {{3, 3}, {12, 7}, {20, 11}, {OffMapPos, OffMapPos}};
  for (std::size_t i = 0; i < 4; ++i) level.Figures[i] = {starts[i][0], starts[i][1], 0, 1};
  for (int pocket = 0; pocket < 2; ++pocket) {
    const std::int32_t x = starts[pocket][0], y = starts[pocket][1];
    for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) level.TileMap[CellIndex(x + dx, y + dy)] = CellBlock1;
  }
  return level;
}

// A quest's stages judged as the game judges them, with nobody able to hurt
// anybody: outlasting with more lives wins, a kill goal missed loses, equal
// kills are a draw. Catches the judge left out (every stage undecided), a
// verdict taken from the engine's winner (the draw would be lost or won),
// and a quest the game refuses being played.
TEST(ArenaTest, AQuestsStagesAreJudgedAsTheGameJudgesThem) {
  TempFolder folder;
  ASSERT_TRUE(WriteLevelFile(folder.Path() / "POCKETS.FL3", TwoPockets()));
  const auto stage = [](const std::string& rule, const std::string& extra) {
    return R"({"level": "POCKETS.FL3", "rule": ")" + rule + R"(", "lives": 3, "seconds": 10, )" + extra +
           R"("briefing": "", "opponents": [{"strength": "hard", "lives": 2, "character": 1}]})";
  };
  folder.Write("Q.FLQ", R"({"format": 1, "name": "Q", "about": "", "tries": 1, "stages": [)" + stage("outlast", "") + ", " +
                            stage("most kills", R"("kills": 1, )") + ", " + stage("most kills", "") + "]}");
  const ProgramRun run = RunProgram(FUSELARK3_ARENA, {"--quest", (folder.Path() / "Q.FLQ").string(), "--stand-in",
                                                      "cpu:0", "--matches", "3", "--seed", "5"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> counts;  // won/lost/draws of each stage, in stage order
  for (std::size_t at = run.out.find("\"draws\""); at != std::string::npos; at = run.out.find("\"draws\"", at + 1)) {
    const auto number = [&](const char* key) {
      const std::size_t from = run.out.find(key, at) + std::string(key).size() + 2;
      return run.out.substr(from, run.out.find_first_of(",\n", from) - from);
    };
    counts.push_back(number("\"won\"") + "/" + number("\"lost\"") + "/" + number("\"draws\""));
  }
  EXPECT_EQ(counts, (std::vector<std::string>{"3/0/0", "0/3/0", "0/0/3"}));
  folder.Write("BAD.FLQ", R"({"format": 1, "name": "Bad", "about": "", "tries": 1, "stages": []})");
  const ProgramRun bad = RunProgram(FUSELARK3_ARENA, {"--quest", (folder.Path() / "BAD.FLQ").string(), "--stand-in",
                                                      "cpu:1", "--matches", "1"});
  EXPECT_EQ(std::pair(bad.status, bad.err),
            std::pair(1, std::string("fuselark3-arena: BAD.FLQ (quest \"Bad\"): \"stages\" is []; it must be a list of 1 to 40\n")));
}

}  // namespace
}  // namespace fl3::testing
