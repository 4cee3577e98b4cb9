#include <gtest/gtest.h>

#include "EditorTestBench.h"
#include "editor/model/NumericProperties.h"
#include "editor/model/PropertyNumber.h"

namespace fl3 {
namespace {

using testing::EditorTestBench;
using Texts = std::array<std::string, kPropertyCount>;

TEST(PropertyNumber, AcceptsSignDigitsOnePointAndAnExponentWithBlanksAroundRoundedHalfToEven) {
  const std::pair<const char*, std::int32_t> numbers[] = {
      {"2.5", 2},      {"3.5", 4},     {"1e1", 10},       {"  -12  ", -12}, {"+7", 7},   {".5", 0},
      {"5.", 5},       {"-2.5", -2},   {"25E-1", 2},      {"1.5e+1", 15},   {"007", 7},  {"\t50", 50},
      {"1e-400", 0},  // too small for a double, still a number
      {"2147483647", 2147483647},      {"-2147483648", -2147483647 - 1}, {"2147483647.4", 2147483647},
      {"-2147483648.5", -2147483647 - 1},  // the even neighbour is inside
  };
  for (const auto& [text, value] : numbers) EXPECT_EQ(ParsePropertyNumber(text), value) << '"' << text << '"';
}

TEST(PropertyNumber, EverythingElseAndNumbersOutsideThe32BitRangeAreNoNumbers) {
  for (const char* text : {"", " ", "-", "+", ".", "1.2.3", "1e", "e5", "1e+", "--1", "1-", "0x10", "&H10", "1,000",
                           "$5", "1 2", "inf", "nan", "1,5", "12a", "- 1", "1e1.5",
                           "2147483647.5",  // rounds to 2147483648
                           "2147483648", "-2147483649", "1e10", "1e400"}) {
    EXPECT_EQ(ParsePropertyNumber(text), std::nullopt) << '"' << text << '"';
  }
}

struct NumericBench : EditorTestBench {
  NumericProperties dialog{editor};

  // The places the eighteen boxes stand for, in box order: tileset,
  // background, X and Y of figures 0 to 3, then fire and bombs of each.
  std::array<std::int32_t*, kPropertyCount> Places() {
    auto& c = state.Characters;
    return {&editor.TileSetNumber, &editor.BackgroundNumber, &c[0].X, &c[0].Y, &c[1].X, &c[1].Y,
            &c[2].X, &c[2].Y, &c[3].X, &c[3].Y, &c[0].PowerFire, &c[0].PowerBombs, &c[1].PowerFire,
            &c[1].PowerBombs, &c[2].PowerFire, &c[2].PowerBombs, &c[3].PowerFire, &c[3].PowerBombs};
  }
};

TEST(NumericProperties, FreshEditorShowsZeroEverywhereAndLoadedValuesInBoxOrder) {
  NumericBench bench;
  for (const std::string& text : bench.dialog.CurrentTexts()) EXPECT_EQ(text, "0");
  EXPECT_STREQ(bench.dialog.Title(), "Extended Level Properties (Numerical)");

  const auto places = bench.Places();
  for (int box = 0; box < kPropertyCount; ++box) *places[static_cast<std::size_t>(box)] = 100 - 10 * box;
  const Texts expected = {"100", "90", "80", "70", "60", "50", "40", "30", "20",
                          "10",  "0",  "-10", "-20", "-30", "-40", "-50", "-60", "-70"};
  EXPECT_EQ(bench.dialog.CurrentTexts(), expected);
}

TEST(NumericProperties, EveryAcceptedChangeTakesAllEighteenValuesOver) {
  NumericBench bench;
  Texts texts;
  for (int row = 0; row < kPropertyCount; ++row) texts[static_cast<std::size_t>(row)] = std::to_string(row + 1);
  texts[2] = "2.5";
  texts[3] = "3.5";
  texts[4] = "1e1";

  EXPECT_TRUE(bench.dialog.TextsChanged(texts));

  std::array<std::int32_t, kPropertyCount> taken{};
  const auto places = bench.Places();
  for (std::size_t box = 0; box < taken.size(); ++box) taken[box] = *places[box];
  EXPECT_EQ(taken, (std::array<std::int32_t, kPropertyCount>{1, 2, 2, 4, 10, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                                             17, 18}));
  EXPECT_TRUE(bench.editor.FileChanged);

  // Unchanged values still mark the level changed.
  bench.editor.FileChanged = false;
  EXPECT_TRUE(bench.dialog.TextsChanged(bench.dialog.CurrentTexts()));
  EXPECT_TRUE(bench.editor.FileChanged);
}

TEST(NumericProperties, OneBadBoxStopsAllAndTheWarningTitleStays) {
  NumericBench bench;
  Texts texts = bench.dialog.CurrentTexts();
  // Box 3 emptied: a digit typed into box 5 takes nothing over.
  texts[3] = "";
  texts[5] = "7";
  EXPECT_FALSE(bench.dialog.TextsChanged(texts));
  EXPECT_STREQ(bench.dialog.Title(), "!!Something not numerical, all will fail if not fixed!!");
  EXPECT_EQ(bench.state.Characters[1].Y, 0);
  EXPECT_FALSE(bench.editor.FileChanged);

  texts[3] = "4";
  texts[1] = "-1";
  texts[6] = "50";
  texts[7] = "50";
  texts[2] = "99";
  EXPECT_TRUE(bench.dialog.TextsChanged(texts));
  EXPECT_EQ(bench.editor.BackgroundNumber, -1);
  EXPECT_EQ(bench.state.Characters[0].Y, 4);
  EXPECT_EQ(bench.state.Characters[1].Y, 7);
  EXPECT_EQ(bench.state.Characters[2].X, 50);
  EXPECT_EQ(bench.state.Characters[2].Y, 50);
  EXPECT_EQ(bench.state.Characters[0].X, 99);
  EXPECT_TRUE(bench.editor.FileChanged);
  EXPECT_STREQ(bench.dialog.Title(), "!!Something not numerical, all will fail if not fixed!!");

  NumericProperties reopened(bench.editor);
  EXPECT_STREQ(reopened.Title(), "Extended Level Properties (Numerical)");
}

TEST(NumericProperties, NothingIsTakenOverWhileTheBoxesAreFilled) {
  NumericBench bench;
  Texts texts = bench.dialog.CurrentTexts();
  texts[0] = "5";
  bench.dialog.NumericLoading = true;
  EXPECT_FALSE(bench.dialog.TextsChanged(texts));
  texts[0] = "x";
  EXPECT_FALSE(bench.dialog.TextsChanged(texts));
  EXPECT_EQ(bench.editor.TileSetNumber, 0);
  EXPECT_FALSE(bench.editor.FileChanged);
  EXPECT_STREQ(bench.dialog.Title(), "Extended Level Properties (Numerical)");
}

}  // namespace
}  // namespace fl3
