#include <gtest/gtest.h>

#include <vector>

#include "MatchTestKit.h"
#include "match/MatchDrawing.h"
#include "match/MatchFrame.h"

namespace fl3 {
namespace {

using testing::GiveKeys;
using testing::Hold;
using testing::Key;
using testing::MakeOpenField;
using testing::PlaceFigure;
using testing::SetCell;

std::vector<SpriteDraw> OfKind(const DrawList& list, PictureKind kind) {
  std::vector<SpriteDraw> found;
  for (const SpriteDraw& draw : list.Draws()) {
    if (draw.picture.kind == kind) found.push_back(draw);
  }
  return found;
}

// Draws from a given one on, up to the end of the list.
std::vector<SpriteDraw> Tail(const DrawList& list, std::size_t from) {
  return {list.Draws().begin() + static_cast<std::ptrdiff_t>(from), list.Draws().end()};
}

void ExpectDraw(const SpriteDraw& draw, PictureKind kind, int index, float x, float y, float w, float h) {
  EXPECT_EQ(draw.picture.kind, kind);
  EXPECT_EQ(draw.picture.index, index);
  EXPECT_EQ(draw.x, x);
  EXPECT_EQ(draw.y, y);
  EXPECT_EQ(draw.width, w);
  EXPECT_EQ(draw.height, h);
}

void ExpectDigit(const SpriteDraw& draw, int digit, float x, float y, std::uint32_t colour) {
  ExpectDraw(draw, PictureKind::Font, 0, x, y, 32, 32);
  EXPECT_EQ(draw.uLeft, (digit % 8) / 8.0f);
  EXPECT_EQ(draw.uRight, (digit % 8 + 1) / 8.0f);
  EXPECT_EQ(draw.vTop, (digit / 8) / 8.0f);
  EXPECT_EQ(draw.vBottom, (digit / 8 + 1) / 8.0f);
  EXPECT_EQ(draw.colour, colour);
}

class MatchDrawing : public ::testing::Test {
 protected:
  void SetUp() override { MakeOpenField(state); }
  GameState state;
  DrawList draws;
};

TEST_F(MatchDrawing, WithoutBackgroundTileZeroLiesUnderEveryCell) {
  SetCell(state, 0, 0, 5);
  SetCell(state, 0, 1, CellNothing);
  SetCell(state, 1, 0, 30);  // no tile picture
  SetCell(state, 1, 1, -3);
  DrawMap(draws, state, -1);
  const auto& d = draws.Draws();
  ASSERT_EQ(draws.Size(), 375u + 1u);
  ExpectDraw(d[0], PictureKind::Tile, 0, 0, 0, 32, 32);
  ExpectDraw(d[1], PictureKind::Tile, 5, 0, 0, 32, 32);
  ExpectDraw(d[2], PictureKind::Tile, 0, 0, 32, 32, 32);  // column by column
  ExpectDraw(d[16], PictureKind::Tile, 0, 32, 0, 32, 32);
  ExpectDraw(d[17], PictureKind::Tile, 0, 32, 32, 32, 32);
  ExpectDraw(d.back(), PictureKind::Tile, 0, 768, 448, 32, 32);
  for (const SpriteDraw& draw : d) {
    EXPECT_EQ(draw.colour, kTintWhite);
    EXPECT_EQ(draw.uRight, 1.0f);
    EXPECT_EQ(draw.vBottom, 1.0f);
  }
}

TEST_F(MatchDrawing, ABackgroundReplacesTileZeroAndOverhangsTheScreen) {
  state.TileMap.fill(CellNothing);
  SetCell(state, 24, 14, CellFireCentre);
  SetCell(state, 3, 2, CellDoodad);
  DrawMap(draws, state, 0);
  ASSERT_EQ(draws.Size(), 3u);
  ExpectDraw(draws.Draws()[0], PictureKind::Background, 0, 0, 0, 1024, 512);
  ExpectDraw(draws.Draws()[1], PictureKind::Tile, 0, 96, 64, 32, 32);
  ExpectDraw(draws.Draws()[2], PictureKind::Tile, 24, 768, 448, 32, 32);
}

TEST_F(MatchDrawing, AFigureSteppingRightSlidesEightPixelsAFrame) {
  Character& figure = PlaceFigure(state, 1, 3, 5);
  GiveKeys(figure, 1);
  PlaceFigure(state, 0, 20, 12);
  MatchEngine engine(state, 2);
  KeyState right{};
  Hold(right, 1, Key::Right);
  const float expectedX[] = {104, 112, 120, 128};
  for (const float x : expectedX) {
    engine.RunFrame(51, right, &draws);
    const auto figures = OfKind(draws, PictureKind::Character);
    // Two figures and two portraits.
    ASSERT_EQ(figures.size(), 4u);
    const SpriteDraw& walker = figures[0];  // row 5 before row 12
    ExpectDraw(walker, PictureKind::Character, 1, x, 128, 32, 64);
    EXPECT_EQ(walker.picture.step, 1);
    EXPECT_EQ(walker.picture.direction, DirRight);
    right = KeyState{};
  }
}

TEST_F(MatchDrawing, BackRowsAreDrawnFirstPassByPass) {
  PlaceFigure(state, 0, 4, 7);
  PlaceFigure(state, 2, 9, 7);
  std::array<int, FigureCount> order{};
  ASSERT_EQ(FigureDrawOrder(state, order), 2);
  EXPECT_EQ(order[0], 0);
  EXPECT_EQ(order[1], 2);

  // Figure 0 waits for figure 1 in the first pass; figure 2, on figure 0's
  // row, is no longer behind anyone when its turn comes in that same pass.
  PlaceFigure(state, 1, 4, 3);
  ASSERT_EQ(FigureDrawOrder(state, order), 3);
  EXPECT_EQ(order[0], 1);
  EXPECT_EQ(order[1], 2);
  EXPECT_EQ(order[2], 0);

  PlaceFigure(state, 3, 1, 2);
  state.Characters[1].Cont = ContOff;  // out of play: not drawn at all
  ASSERT_EQ(FigureDrawOrder(state, order), 3);
  EXPECT_EQ(order[0], 3);
  EXPECT_EQ(order[1], 0);
  EXPECT_EQ(order[2], 2);
  EXPECT_EQ(state.Characters[3].Y, 2);
}

TEST_F(MatchDrawing, StatusPanelsShowCountsIconsAndPortraitsAndNegativeCountsInRed) {
  Character& figure = PlaceFigure(state, 3, 2, 2);
  figure.Lives = 12;
  figure.PowerFire = 9;
  figure.PowerBombs = 0;
  DrawStatusPanels(draws, state);
  const auto& d = draws.Draws();
  ASSERT_EQ(d.size(), 7u);
  ExpectDraw(d[0], PictureKind::Character, 3, 416, 512, 32, 32);
  EXPECT_EQ(d[0].picture.step, 1);
  EXPECT_EQ(d[0].picture.direction, DirDown);
  EXPECT_EQ(d[0].vTop, 0.0f);
  EXPECT_EQ(d[0].vBottom, 0.5f);
  EXPECT_EQ(d[0].uRight, 1.0f);
  ExpectDigit(d[1], 1, 448, 512, kTintWhite);
  ExpectDigit(d[2], 2, 480, 512, kTintWhite);
  ExpectDraw(d[3], PictureKind::Tile, 8, 512, 512, 32, 32);
  ExpectDigit(d[4], 9, 544, 512, kTintWhite);
  ExpectDraw(d[5], PictureKind::Tile, 7, 608, 512, 32, 32);
  ExpectDigit(d[6], 0, 640, 512, kTintWhite);

  MakeOpenField(state);
  draws.Clear();
  PlaceFigure(state, 0, 1, 1).Lives = -2;
  PlaceFigure(state, 1, 1, 3).Lives = -1;
  PlaceFigure(state, 2, 1, 5).Lives = 0;
  DrawStatusPanels(draws, state);
  const auto fonts = OfKind(draws, PictureKind::Font);
  ASSERT_EQ(fonts.size(), 9u);  // lives, fire and bombs of three figures
  ExpectDigit(fonts[0], 2, 64, 480, kTintRed);
  ExpectDigit(fonts[3], 1, 448, 480, kTintRed);
  ExpectDigit(fonts[6], 0, 64, 512, kTintWhite);
}

TEST_F(MatchDrawing, TimeRoundsHalfToEvenAndNeverShowsBelowZero) {
  DrawTime(draws, 12500);
  ASSERT_EQ(draws.Size(), 2u);
  ExpectDigit(draws.Draws()[0], 1, 352, 544, kTintWhite);
  ExpectDigit(draws.Draws()[1], 2, 384, 544, kTintWhite);
  draws.Clear();
  DrawTime(draws, 13500);
  ExpectDigit(draws.Draws()[1], 4, 384, 544, kTintWhite);
  draws.Clear();
  DrawTime(draws, -700);
  ASSERT_EQ(draws.Size(), 1u);
  ExpectDigit(draws.Draws()[0], 0, 352, 544, kTintWhite);
}

TEST_F(MatchDrawing, AFrameDrawsMapFiguresPanelsAndTimeInThatOrder) {
  state.MatchKind = MatchMostKills;
  state.TimeLeft = 9051;
  PlaceFigure(state, 0, 4, 4).Lives = 0;
  PlaceFigure(state, 2, 6, 6).Lives = 0;
  MatchEngine engine(state, -1);
  engine.RunFrame(51, KeyState{}, &draws);
  const std::size_t mapDraws = 375;  // tile 0 only: every cell is -1
  ASSERT_EQ(draws.Size(), mapDraws + 2 + 2 * 6 + 1);
  const auto rest = Tail(draws, mapDraws);
  ExpectDraw(rest[0], PictureKind::Character, 0, 128, 96, 32, 64);
  ExpectDraw(rest[1], PictureKind::Character, 2, 192, 160, 32, 64);
  ExpectDraw(rest[2], PictureKind::Character, 0, 32, 480, 32, 32);
  ExpectDraw(rest[8], PictureKind::Character, 2, 32, 512, 32, 32);
  ExpectDigit(rest.back(), 9, 352, 544, kTintWhite);

  // A figure taken out of play loses its figure and its panel.
  state.Characters[2].Cont = ContOff;
  engine.RunFrame(51, KeyState{}, &draws);
  EXPECT_EQ(OfKind(draws, PictureKind::Character).size(), 2u);
}

}  // namespace
}  // namespace fl3
