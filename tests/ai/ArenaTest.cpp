#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "RunProgram.h"

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

}  // namespace
}  // namespace fl3::testing
