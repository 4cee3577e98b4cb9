#include <gtest/gtest.h>

#include "MatchTestKit.h"
#include "match/MatchSnapshot.h"

namespace fl3 {
namespace {

using testing::Key;

// A few frames into a match with bombs, fire and walking figures.
void PlayAFewFrames(GameState& state, MatchEngine& engine) {
  testing::MakeOpenField(state, {{5, 5, CellBox2}, {9, 2, CellBlock1}});
  testing::PlaceFigure(state, 0, 4, 5).PowerFire = 2;
  testing::PlaceFigure(state, 2, 9, 3, ContCpu);
  state.LevelMusic = "BATTLE.MID";
  engine.RunFrame(51, testing::Holding({{0, Key::Plant}}), nullptr);
  for (int frame = 0; frame < 40; ++frame) engine.RunFrame(52, testing::Holding({{0, Key::Up}}), nullptr);
}

TEST(ControlFrame, EachControlHasItsOwnBitAndEscapeComesLast) {
  ControlFrame frame;
  frame.figures[0].left = true;    // bit 0
  frame.figures[1].up = true;      // bit 6
  frame.figures[3].plant = true;   // bit 19
  frame.escape = true;             // bit 20
  EXPECT_EQ(frame.Pack(), 0b1'1000'0000'0000'0100'0001u);
  EXPECT_EQ(ControlFrame::Unpack(frame.Pack() | 0xFFE00000u, 51), frame);
  frame.figures[2] = {false, true, false, true, false};
  EXPECT_EQ(ControlFrame::Unpack(frame.Pack(), 77).figures, frame.figures);
  EXPECT_EQ(ControlFrame::Unpack(0, 77).frameTimeMs, 77);
}

TEST(MatchSnapshot, TheByteFormReadsBackAndRefusesWhatNoMatchHolds) {
  GameState state;
  MatchEngine engine(state, -1);
  PlayAFewFrames(state, engine);
  MatchSnapshot saved;
  engine.Save(saved);
  ASSERT_FALSE(saved.bombs.empty());
  std::vector<std::uint8_t> bytes;
  EncodeSnapshot(saved, bytes);
  EXPECT_LT(bytes.size(), 8u * 1024);

  MatchSnapshot read;
  ASSERT_TRUE(DecodeSnapshot(bytes.data(), bytes.size(), read));
  EXPECT_EQ(FirstDifference(saved, read), "");
  EXPECT_EQ(HashSnapshot(read), HashSnapshot(saved));

  // Music length, then 9 fixed words, then figure 0's X at word 10.
  const std::size_t music = 4 + saved.levelMusic.size();
  const auto word = [&](std::size_t index) { return music + 4 * index; };
  const std::size_t figureX = word(9), figureCont = word(11), firstTile = word(9 + 44);
  struct Damage {
    const char* what;
    std::size_t at;
    std::uint8_t value;
    std::size_t keep;  // bytes kept
  };
  for (const Damage& damage : {Damage{"cut short", 0, 0, bytes.size() - 1},
                               Damage{"a byte too many", 0, 0, bytes.size() + 1},
                               Damage{"figure X 51", figureX, 51, bytes.size()},
                               Damage{"figure Cont 3", figureCont, 3, bytes.size()},
                               Damage{"tile 25", firstTile, 25, bytes.size()},
                               Damage{"huge music length", 3, 0x7F, bytes.size()}}) {
    std::vector<std::uint8_t> bad = bytes;
    if (damage.at > 0 || damage.value > 0) bad[damage.at] = damage.value;
    bad.resize(damage.keep);
    EXPECT_FALSE(DecodeSnapshot(bad.data(), bad.size(), read)) << damage.what;
  }
}

TEST(MatchSnapshot, RestoringGivesTheSameFramesAndAnyChangedFieldChangesTheHashAndIsNamed) {
  GameState state;
  MatchEngine engine(state, -1);
  PlayAFewFrames(state, engine);
  MatchSnapshot before, first, again;
  engine.Save(before);
  const KeyLayout ownKeys = state.Characters[0].Keys;
  for (int frame = 0; frame < 30; ++frame) engine.RunFrame(53, testing::Holding({{0, Key::Right}, {0, Key::Plant}}), nullptr);
  engine.Save(first);
  const ControlFrame last = engine.LastControls();
  EXPECT_TRUE(last.figures[0].right && last.figures[0].plant && !last.figures[2].plant);

  engine.Restore(before);
  state.Characters[0].Keys = KeyLayout{};  // restoring keeps each machine's own keys
  engine.Restore(before);
  EXPECT_EQ(state.Characters[0].Keys, KeyLayout{});
  state.Characters[0].Keys = ownKeys;
  for (int frame = 0; frame < 30; ++frame) engine.RunFrame(last, nullptr);
  engine.Save(again);
  EXPECT_EQ(FirstDifference(first, again), "");
  EXPECT_EQ(HashSnapshot(first), HashSnapshot(again));

  struct Change {
    void (*apply)(MatchSnapshot&);
    const char* named;
  };
  for (const Change& change : {Change{[](MatchSnapshot& s) { s.figures[2].X += 1; }, "figure 2 X: "},
                               Change{[](MatchSnapshot& s) { s.tiles[CellIndex(3, 4)] = 7; }, "tile (3, 4): "},
                               Change{[](MatchSnapshot& s) { s.bombs[0].Exploded = !s.bombs[0].Exploded; }, "bomb 1 Exploded: "},
                               Change{[](MatchSnapshot& s) { s.random ^= 1; }, "random state: "},
                               Change{[](MatchSnapshot& s) { s.bombs.pop_back(); }, "bomb count: "},
                               Change{[](MatchSnapshot& s) { s.levelMusic.clear(); }, "level music: "}}) {
    MatchSnapshot changed = first;
    change.apply(changed);
    EXPECT_NE(HashSnapshot(changed), HashSnapshot(first)) << change.named;
    EXPECT_EQ(FirstDifference(first, changed).rfind(change.named, 0), 0u) << FirstDifference(first, changed);
  }
}

}  // namespace
}  // namespace fl3
