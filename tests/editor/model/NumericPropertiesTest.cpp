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
};

TEST(NumericProperties, FreshEditorShowsZeroEverywhereAndLoadedValuesInBoxOrder) {
  NumericBench bench;
  for (const std::string& text : bench.dialog.CurrentTexts()) EXPECT_EQ(text, "0");
  EXPECT_STREQ(bench.dialog.Title(), "Extended Level Properties (Numerical)");

  bench.editor.TileSetNumber = 3;
  bench.editor.BackgroundNumber = -1;
  bench.state.Characters[1].Y = 14;
  bench.state.Characters[3].X = 50;
  bench.state.Characters[2].PowerFire = 6;
  bench.state.Characters[3].PowerBombs = 9;
  const Texts texts = bench.dialog.CurrentTexts();
  EXPECT_EQ(texts[0], "3");
  EXPECT_EQ(texts[1], "-1");
  EXPECT_EQ(texts[5], "14");
  EXPECT_EQ(texts[8], "50");
  EXPECT_EQ(texts[14], "6");
  EXPECT_EQ(texts[17], "9");
}

TEST(NumericProperties, EveryAcceptedChangeTakesAllEighteenValuesOver) {
  NumericBench bench;
  Texts texts;
  for (int row = 0; row < kPropertyCount; ++row) texts[static_cast<std::size_t>(row)] = std::to_string(row + 1);
  texts[2] = "2.5";
  texts[3] = "3.5";
  texts[4] = "1e1";

  EXPECT_TRUE(bench.dialog.TextsChanged(texts));

  EXPECT_EQ(bench.editor.TileSetNumber, 1);
  EXPECT_EQ(bench.editor.BackgroundNumber, 2);
  EXPECT_EQ(bench.state.Characters[0].X, 2);
  EXPECT_EQ(bench.state.Characters[0].Y, 4);
  EXPECT_EQ(bench.state.Characters[1].X, 10);
  EXPECT_EQ(bench.state.Characters[1].Y, 6);
  EXPECT_EQ(bench.state.Characters[3].Y, 10);
  EXPECT_EQ(bench.state.Characters[0].PowerFire, 11);
  EXPECT_EQ(bench.state.Characters[0].PowerBombs, 12);
  EXPECT_EQ(bench.state.Characters[3].PowerFire, 17);
  EXPECT_EQ(bench.state.Characters[3].PowerBombs, 18);
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
