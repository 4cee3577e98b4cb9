#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "../match/MatchTestKit.h"
#include "VirtualGamepad.h"
#include "match/MatchLoop.h"
#include "media/Gamepads.h"

namespace fl3 {
namespace {

using testing::VirtualGamepad;
constexpr int kNone = -1;

PadIdentity Named(const GamepadSource& pads, const std::string& name) {
  for (const PadIdentity& pad : pads.Connected()) {
    if (pad.name == name) return pad;
  }
  ADD_FAILURE() << name << " not connected";
  return {};
}

auto Held(const PadControls& c) { return std::tuple(c.left, c.up, c.right, c.down, c.plant, c.escape); }

// Faults: a d-pad or stick direction swapped or unread, the dead zone missing
// or too wide, the east button or Start forgotten, a pad steering a player
// who did not choose it.
TEST(Gamepads, DpadStickAndFaceButtonsGiveTheChoosingPlayerControls) {
  VirtualGamepad pad("Test Pad");
  const auto pads = Gamepads::Open();
  ASSERT_NE(pads, nullptr);
  pads->Poll();
  pads->Choose({PadIdentity{}, Named(*pads, "Test Pad"), PadIdentity{}, PadIdentity{}});
  struct Case {
    int button;
    SDL_GameControllerAxis axis;
    Sint16 lean;
    PadControls expected;
  };
  const Case cases[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_AXIS_LEFTX, 0, {.left = true}},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_AXIS_LEFTX, 0, {.up = true}},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_AXIS_LEFTX, 0, {.right = true}},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_AXIS_LEFTX, 0, {.down = true}},
      {kNone, SDL_CONTROLLER_AXIS_LEFTX, -20000, {.left = true}},
      {kNone, SDL_CONTROLLER_AXIS_LEFTX, 20000, {.right = true}},
      {kNone, SDL_CONTROLLER_AXIS_LEFTY, -20000, {.up = true}},
      {kNone, SDL_CONTROLLER_AXIS_LEFTY, 20000, {.down = true}},
      {kNone, SDL_CONTROLLER_AXIS_LEFTX, -8000, {}},  // inside the dead zone
      {kNone, SDL_CONTROLLER_AXIS_RIGHTX, -20000, {}},
      {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_AXIS_LEFTX, 0, {.plant = true}},
      {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_AXIS_LEFTX, 0, {.plant = true}},
      {SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_AXIS_LEFTX, 0, {}},
      {SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_AXIS_LEFTX, 0, {.escape = true}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(::testing::Message() << "button " << test.button << " axis " << test.axis << " " << test.lean);
    pad.Set(test.button, test.axis, test.lean);
    pads->Poll();
    EXPECT_EQ(Held(pads->ControlsFor(1)), Held(test.expected));
    EXPECT_EQ(Held(pads->ControlsFor(0)), Held(PadControls{}));
  }
}

class HandClock : public Clock {
 public:
  std::int64_t NowMs() override { return now += 60; }
  std::int64_t now = 0;
};
class NoKeys : public KeyboardSource {
  void ReadKeyboard(KeyState& keys) override { keys.fill(0); }
};

// Faults: the pad not reaching the figure, an unplugged pad's last state kept
// (the figure walks on), the pad not taken back when plugged in again, the
// twin of an unplugged pad moving over to its player, Start not ending.
TEST(Gamepads, PadsSteerAndPlantInAMatchAndAnUnpluggedPadLeavesItsFigureStanding) {
  VirtualGamepad first("Twin Pad"), second("Twin Pad");
  const auto pads = Gamepads::Open();
  ASSERT_NE(pads, nullptr);
  pads->Poll();
  const PadIdentity twin = Named(*pads, "Twin Pad");
  pads->Choose({twin, twin, PadIdentity{}, PadIdentity{}});
  GameState state;
  testing::MakeOpenField(state);
  testing::PlaceFigure(state, 0, 3, 3).PowerBombs = 1;
  testing::PlaceFigure(state, 1, 20, 10);
  HandClock clock;
  NoKeys keyboard;
  MatchLoop loop(state, -1, keyboard, clock, {});
  loop.UseGamepads(*pads);
  const auto frames = [&](int count) {
    for (int i = 0; i < count; ++i) loop.Step();
  };

  first.Set(SDL_CONTROLLER_BUTTON_A);
  second.Set(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  frames(1);
  EXPECT_EQ(state.Bombs.Count(), 1);
  first.Set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  frames(4);
  EXPECT_EQ(std::pair(state.Characters[0].X, state.Characters[1].X), std::pair(4, 19));

  first.Unplug();
  frames(8);
  EXPECT_EQ(std::tuple(state.Characters[0].X, state.Characters[0].Moving, state.Characters[1].X),
            std::tuple(4, false, 17));
  first.Plug();
  first.Set(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  frames(4);
  EXPECT_EQ(std::pair(state.Characters[0].Y, state.Characters[1].X), std::pair(4, 16));
  first.Set(SDL_CONTROLLER_BUTTON_START);
  frames(1);
  EXPECT_TRUE(loop.Finished());
}

}  // namespace
}  // namespace fl3
