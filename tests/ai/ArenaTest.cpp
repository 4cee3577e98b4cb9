#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "TempFolder.h"
#include "core/LevelFile.h"

namespace fl3::testing {
namespace {

// A level of one open room, 5 x 3 cells, a figure's start in each corner.
std::string RoomLevel() {
  LevelData level;
  level.TileMap.fill(CellBlock1);
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 5; ++x) level.TileMap[static_cast<std::size_t>(CellIndex(x, y))] = CellNothing;
  }
  level.Figures = {{{1, 1, 0, 2}, {5, 3, 0, 2}, {5, 1, 0, 2}, {1, 3, 0, 2}}};
  return EncodeLevel(level);
}

// The tournament's command line: --help and --version answer and end well,
// the seats that stand still and that only dodge play (a hard computer
// player beats a figure that stands still every time), an unknown seat is
// refused. Catches --help read as an option wanting a value, a version that
// is not the game's, and the new seats left out of the reader.
TEST(ArenaTest, AnswersHelpAndVersionAndSeatsStillAndDodger) {
  TempFolder levels;
  levels.Write("ROOM.FL3", RoomLevel());
  const std::string folder = levels.Path().string();
  const auto play = [&](const std::string& seats) -> std::vector<std::string> {
    return {"--levels", folder, "--matches", "4", "--kind", "0", "--lives", "1", "--seed", "3", "--seats", seats};
  };
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string out;  // the start of standard output
  } rows[] = {
      {{"--help"}, 0, "usage: fuselark3-arena"},
      {{"--version"}, 0, std::string("fuselark3-arena ") + FUSELARK3_VERSION + "\n"},
      {play("cpu:1,walker"), 2, ""},
      {play("cpu:2,still"), 0, "{"},
      {play("dodger,dodger"), 0, "{"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.arguments.back());
    const ProgramRun run = RunProgram(FUSELARK3_ARENA, row.arguments);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_EQ(run.out.substr(0, row.out.size()), row.out);
  }
  const auto still = nlohmann::json::parse(RunProgram(FUSELARK3_ARENA, play("cpu:2,still")).out)["seats"];
  EXPECT_EQ(still[0]["wins"], 4);
  // Figures that never plant can only end the match by the ten-minute stop.
  const auto dodgers = nlohmann::json::parse(RunProgram(FUSELARK3_ARENA, play("dodger,dodger")).out);
  EXPECT_EQ(dodgers["stopped_after_10_minutes"], 4);
}

}  // namespace
}  // namespace fl3::testing
