#include <gtest/gtest.h>

#include <vector>

#include "MatchTestKit.h"
#include "match/MatchDrawing.h"
#include "match/MatchFrame.h"

namespace fl3 {
namespace {

using testing::PlaceFigure;
using Kind = PictureKind;

SpriteDraw Tile(int code, float x, float y) { return {{Kind::Tile, static_cast<std::int8_t>(code)}, x, y, 32, 32}; }
SpriteDraw Figure(int index, int step, int direction, float x, float y, float w = 32, float h = 64) {
  return {{Kind::Character, static_cast<std::int8_t>(index), static_cast<std::int8_t>(step),
           static_cast<std::int8_t>(direction)}, x, y, w, h};
}
// Digit d of the font's 8 x 8 grid: column d mod 8, row d div 8.
SpriteDraw Digit(int d, float x, float y, std::uint32_t colour = kTintWhite) {
  return {{Kind::Font}, x, y, 32, 32, (d % 8) / 8.0f, (d / 8) / 8.0f, (d % 8 + 1) / 8.0f, (d / 8 + 1) / 8.0f, colour};
}

class MatchDrawing : public ::testing::Test {
 protected:
  void SetUp() override { testing::MakeOpenField(state); }
  std::vector<SpriteDraw> Drawn() const { return draws.Draws(); }
  GameState state;
  DrawList draws;
};

TEST_F(MatchDrawing, TheMapIsDrawnColumnByColumnOverTileZeroOrOverTheBackground) {
  testing::MakeOpenField(state, {{0, 0, 5}, {1, 0, 30}, {1, 1, -3}});  // 30 and -3 have no picture
  DrawMap(draws, state, -1);
  ASSERT_EQ(draws.Size(), 375u + 1u);
  const auto d = Drawn();
  EXPECT_EQ((std::vector{d[0], d[1], d[2], d[16], d[17], d.back()}),
            (std::vector{Tile(0, 0, 0), Tile(5, 0, 0), Tile(0, 0, 32), Tile(0, 32, 0), Tile(0, 32, 32),
                         Tile(0, 768, 448)}));

  testing::MakeOpenField(state, {{24, 14, CellFireCentre}, {3, 2, CellDoodad}});
  draws.Clear();
  DrawMap(draws, state, 0);
  EXPECT_EQ(Drawn(), (std::vector{SpriteDraw{{Kind::Background}, 0, 0, 1024, 512}, Tile(0, 96, 64), Tile(24, 768, 448)}));
}

TEST_F(MatchDrawing, FiguresAreDrawnBackRowsFirstPassByPass) {
  const struct {
    std::vector<std::array<std::int32_t, 3>> figures;  // index, row, control
    std::vector<int> order;
  } cases[] = {
      {{{0, 7, ContMan}, {2, 7, ContMan}}, {0, 2}},
      // Figure 0 waits for figure 1 in the first pass; figure 2, on figure 0's
      // row, is no longer behind anyone when its turn comes in that same pass.
      {{{0, 7, ContMan}, {1, 3, ContMan}, {2, 7, ContMan}}, {1, 2, 0}},
      {{{0, 7, ContMan}, {1, 3, ContOff}, {2, 7, ContCpu}, {3, 2, ContMan}}, {3, 0, 2}},
  };
  for (const auto& [figures, order] : cases) {
    testing::MakeOpenField(state);
    for (const auto& [index, row, cont] : figures) PlaceFigure(state, index, 4, row, cont);
    std::array<int, FigureCount> drawn{};
    const int count = FigureDrawOrder(state, drawn);
    EXPECT_EQ(std::vector(drawn.begin(), drawn.begin() + count), order);
  }
}

TEST_F(MatchDrawing, PanelsShowPortraitCountsAndIconsNegativeCountsInRedAndTheTimeHalfToEven) {
  PlaceFigure(state, 3, 2, 2);
  state.Characters[3].Lives = 12;
  state.Characters[3].PowerFire = 9;
  DrawStatusPanels(draws, state);
  SpriteDraw portrait = Figure(3, 1, DirDown, 416, 512, 32, 32);
  portrait.vBottom = 0.5f;
  EXPECT_EQ(Drawn(), (std::vector{portrait, Digit(1, 448, 512), Digit(2, 480, 512), Tile(8, 512, 512),
                                  Digit(9, 544, 512), Tile(7, 608, 512), Digit(0, 640, 512)}));

  testing::MakeOpenField(state);
  PlaceFigure(state, 0, 1, 1).Lives = -2;
  PlaceFigure(state, 1, 1, 3).Lives = -1;
  PlaceFigure(state, 2, 1, 5).Lives = 0;
  draws.Clear();
  DrawStatusPanels(draws, state);
  ASSERT_EQ(draws.Size(), 3u * 6u);
  EXPECT_EQ((std::vector{Drawn()[1], Drawn()[7], Drawn()[13]}),
            (std::vector{Digit(2, 64, 480, kTintRed), Digit(1, 448, 480, kTintRed), Digit(0, 64, 512)}));

  const struct {
    std::int32_t ms;
    std::vector<SpriteDraw> digits;
  } times[] = {{12500, {Digit(1, 352, 544), Digit(2, 384, 544)}},
               {13500, {Digit(1, 352, 544), Digit(4, 384, 544)}},
               {-700, {Digit(0, 352, 544)}}};
  for (const auto& [ms, digits] : times) {
    draws.Clear();
    DrawTime(draws, ms);
    EXPECT_EQ(Drawn(), digits) << ms;
  }
}

TEST_F(MatchDrawing, AFrameDrawsMapFiguresPanelsAndTimeWithTheStepWalkedAndNothingOfFiguresOutOfPlay) {
  state.MatchKind = MatchMostKills;
  state.TimeLeft = 9051;
  PlaceFigure(state, 0, 3, 5).Lives = 0;
  PlaceFigure(state, 2, 6, 3).Lives = 0;
  MatchEngine engine(state, -1);
  SpriteDraw portrait = Figure(0, 1, DirDown, 32, 480, 32, 32);
  portrait.vBottom = 0.5f;
  for (const float x : {104, 112, 120, 128}) {  // a step right from (3, 5) shows 8 pixels a frame
    engine.RunFrame(51, x == 104 ? testing::Holding({{0, testing::Key::Right}}) : KeyState{}, &draws);
    ASSERT_EQ(draws.Size(), 375u + 2u + 2u * 6u + 1u);  // tile 0 only: every cell is -1
    const auto d = Drawn();
    EXPECT_EQ((std::vector{d[375], d[376], d[377], d.back()}),
              (std::vector{Figure(2, 1, DirLeft, 192, 64), Figure(0, 1, DirRight, x, 128), portrait,
                           Digit(9, 352, 544)}));  // 9.000 down to 8.847 seconds
  }
  state.Characters[2].Cont = ContOff;
  engine.RunFrame(51, KeyState{}, &draws);
  EXPECT_EQ(draws.Size(), 375u + 1u + 6u + 1u);
}

}  // namespace
}  // namespace fl3
