// What Start does with the choices on the screen, without the screen.
#include <regex>

#include "../WindowBench.h"
#include "ui/start/StartMatchPreparation.h"

namespace fl3::testing {
namespace {

constexpr std::int32_t M = ContMan, O = ContOff;
constexpr std::int32_t kUntouched = 42;
constexpr auto kCritical = MessageIcon::Critical, kInfo = MessageIcon::Information;
using Entries = std::array<const char*, FigureCount>;

struct Bench : WindowBench {
  Bench() {
    for (const char* name : {"a1.bmp", "A2.BMP", "A3.BMP", "b2.BMP"}) WritePicture(name);
    for (const auto& [name, tileSet, background] : {std::tuple{"Bare.FL3", 1, -1}, {"Beta.FL3", 2, -1},
                                                    {"Deep.FL3", 3, 2}, {"Broken.FL3", 6, -1}, {"Sky.FL3", 1, 12}}) {
      WriteLevel(name, tileSet, background);
    }
    temp.Write("Short.FL3", std::string(100, '\x01'));
    // Marks that show what the preparation changed.
    for (Character& figure : state.Characters) figure.Lives = kUntouched;
    state.MatchKind = kUntouched;
    state.TimeLeft = kUntouched;
    state.Tile(0, 0) = kUntouched;
  }
  std::optional<MatchLevel> Prepare(const std::array<std::int32_t, FigureCount>& conts, std::int32_t kind,
                                    const Entries& lives, const char* time, std::vector<std::string> levels,
                                    std::size_t selected = 1) {
    for (std::size_t i = 0; i < conts.size(); ++i) state.Characters[i].Cont = conts[i];
    StartChoices choices{kind, {lives[0], lives[1], lives[2], lives[3]}, time, std::move(levels), selected};
    return PrepareMatch(choices, state, folder, messages);
  }
};

constexpr const char* kAllOff = "You cannot have all the characters being on OFF";
constexpr const char* kNoLives = "You cannot have a character on MAN or CPU with no lives.";
constexpr const char* kAlone = "You cannot play this game alone.";
constexpr const char* kShort = "You cannot play this game for less than 1 second.";
// The folder where levels belong is added to the end.
constexpr const char* kNoLevels = "You do not have any levels to play.  Please create some, or put some in ";
constexpr const char* kUnplayable = "The map you have selected cannot be played.\n\"@/";  // "@": the folder
constexpr Entries kFive = {"5", "5", "5", "5"}, kZero = {"0", "0", "0", "0"};

// Each row fails its own check and every later one, so a check moved out of
// its place shows another message. Without a level only "~Random" is listed.
TEST(StartRefusals, TheFirstFailingCheckIsExplainedAndNothingBeforeTheLoadChanges) {
  const struct {
    std::array<std::int32_t, FigureCount> conts;
    std::int32_t kind;
    Entries lives;
    const char* time;
    std::string level;  // empty: no level in the list
    std::string text;   // empty: refused without a word
    const char* title;
    MessageIcon icon;
    std::int32_t cellAfter;  // the level is loaded before its pictures are checked
  } rows[] = {
      {{O, O, O, O}, 3, kZero, "0", "", "", "", kInfo, kUntouched},
      {{O, O, O, O}, 0, kZero, "0", "", kAllOff, "All OFFs", kCritical, kUntouched},
      {{M, O, O, O}, 0, {"0", "5", "5", "5"}, "0", "", kNoLives, "Character 0 has no lives", kInfo, kUntouched},
      {{M, O, M, O}, 0, {"5", "0", "0", "5"}, "0", "", kNoLives, "Character 2 has no lives", kInfo, kUntouched},
      {{M, O, M, O}, 0, {"", "5", "5", "5"}, "0", "", kNoLives, "Character 0 has no lives", kInfo, kUntouched},
      {{M, O, O, O}, 0, {"5", "0", "0", "0"}, "0", "", kAlone, "Only one MAN/CPU??", kInfo, kUntouched},
      {{M, O, M, O}, 1, kZero, "0", "", kShort, "Time less than 1!", kInfo, kUntouched},
      {{M, O, M, O}, 2, kFive, "0.9", "", kShort, "Time less than 1!", kInfo, kUntouched},
      {{M, O, M, O}, 2, kFive, "", "", kShort, "Time less than 1!", kInfo, kUntouched},
      {{M, O, M, O}, 2, kFive, "abc", "", kShort, "Time less than 1!", kInfo, kUntouched},
      {{M, O, M, O}, 2, kFive, "inf", "", kShort, "Time less than 1!", kInfo, kUntouched},
      {{M, O, M, O}, 2, kFive, "nan", "", kShort, "Time less than 1!", kInfo, kUntouched},
      {{M, O, M, O}, 2, kFive, "1", "", kNoLevels, "No FL3's...", kCritical, kUntouched},
      {{M, O, M, O}, 0, kFive, "0", "", kNoLevels, "No FL3's...", kCritical, kUntouched},
      {{M, O, M, O}, 1, kFive, "60", "Short.FL3",
       std::string(kUnplayable) + "Short.FL3\": the level file is too short (100 of 3328 bytes)", "Map Error", kCritical,
       kUntouched},
      {{M, O, M, O}, 1, kFive, "60", "Gone.FL3",
       std::string(kUnplayable) + "Gone.FL3\": cannot be read: No such file or directory", "Map Error", kCritical,
       kUntouched},
      {{M, O, M, O}, 1, kFive, "60", "Broken.FL3",
       "The map you have selected refers to the missing file \\A6.BMP\n"
       "Either get that file or change the Map's TileSet to a valid one.",
       "Map Error", kCritical, 6},
      {{M, O, M, O}, 1, kFive, "60", "Sky.FL3",
       "The map you have selected refers to the missing file \\B12.BMP\nEither get that file, change the Map's "
       "Background to a valid one or change the Map's Background to none (-1).",
       "Map Error", kCritical, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text + " " + row.time + " " + row.level);
    Bench bench;
    std::vector<std::string> levels{"~Random"};
    if (!row.level.empty()) levels.push_back(row.level);
    EXPECT_FALSE(bench.Prepare(row.conts, row.kind, row.lives, row.time, levels));
    ASSERT_EQ(bench.messages.shown.size(), row.text.empty() ? 0u : 1u);
    if (!row.text.empty()) {
      const std::string text = std::regex_replace(row.text == kNoLevels ? row.text + "@" : row.text, std::regex("@"),
                                                  bench.temp.Path().string());
      EXPECT_EQ(bench.Shown(0), std::tuple(text, row.title, row.icon, MessageButtons::Ok));
    }
    EXPECT_EQ(bench.state.Tile(0, 0), row.cellAfter);
    EXPECT_EQ(std::pair(bench.state.MatchKind, bench.state.TimeLeft), std::pair(kUntouched, kUntouched));
    EXPECT_NE(bench.state.Characters[3].X, OffMapPos);
  }
}

TEST(StartPreparation, KindTimeAndLivesAreSetAndOffFiguresLeaveTheField) {
  const struct {
    std::int32_t kind;
    Entries lives;
    const char* time;
    const char* level;
    std::int32_t tileSet, background, timeLeft;
    std::array<std::int32_t, FigureCount> livesAfter;
  } rows[] = {
      // A normal match leaves the time alone; OFF figures get no lives.
      {0, {"7", "0", "12", ""}, "0", "Deep.FL3", 3, 2, kUntouched, {7, kUntouched, 12, kUntouched}},
      {1, kZero, "90", "Bare.FL3", 1, -1, 90000, {0, kUntouched, 0, kUntouched}},
      // Seconds to milliseconds, halves to the even neighbour.
      {2, kZero, "1.5625", "Bare.FL3", 1, -1, 1562, {99, kUntouched, 99, kUntouched}},
      {2, kZero, " 1.4375 ", "Bare.FL3", 1, -1, 1438, {99, kUntouched, 99, kUntouched}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.time);
    Bench bench;
    const auto level = bench.Prepare({M, O, M, O}, row.kind, row.lives, row.time, {"~Random", row.level});
    ASSERT_TRUE(level) << bench.messages.shown.at(0).text;
    EXPECT_EQ(std::tuple(level->tileSetNumber, level->backgroundNumber, bench.state.MatchKind, bench.state.TimeLeft),
              std::tuple(row.tileSet, row.background, row.kind, row.timeLeft));
    for (std::size_t i = 0; i < FigureCount; ++i) {
      const Character& figure = bench.state.Characters[i];
      const std::int32_t x = i % 2 ? OffMapPos : static_cast<std::int32_t>(2 * i + 1), y = i % 2 ? OffMapPos : 1;
      EXPECT_EQ(std::tuple(figure.Lives, figure.X, figure.Y), std::tuple(row.livesAfter[i], x, y)) << i;
    }
  }
}

// The shared generator starts 0.7055475, 0.5334240, 0.5795186, 0.2895625, 0.3019480, 0.7747401,
// 0.0140176, 0.7607236, 0.8144900, 0.7090379, 0.0453528, 0.4140327, 0.8626193. With "~Random" and
// three levels the position is round(3 r), drawn again while it is 0; a chosen level draws nothing.
TEST(StartPreparation, RandomLevelsFollowTheSharedSequence) {
  Bench bench;
  const std::vector<std::string> levels = {"~Random", "Bare.FL3", "Beta.FL3", "Deep.FL3"};
  const std::size_t chosen[] = {0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::vector<std::int32_t> tileSets;
  for (const std::size_t entry : chosen) {
    const auto level = bench.Prepare({M, O, M, O}, 0, kFive, "0", levels, entry);
    ASSERT_TRUE(level);
    tileSets.push_back(level->tileSetNumber);
  }
  // 2.117, chosen, 1.600, 1.739, 0.869, 0.906, 2.324, 0.042 then 2.282, 2.443, 2.127, 0.136 then 1.242, 2.588.
  EXPECT_EQ(tileSets, (std::vector<std::int32_t>{2, 3, 2, 2, 1, 1, 2, 2, 2, 2, 1, 3}));
}

}  // namespace
}  // namespace fl3::testing
