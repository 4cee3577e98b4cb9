#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "VirtualGamepad.h"
#include "media/Gamepads.h"

namespace fl3 {
namespace {

using testing::VirtualGamepad;

PadIdentity Find(const GamepadSource& pads, const std::string& name) {
  const auto connected = pads.Connected();
  const auto at = std::find_if(connected.begin(), connected.end(), [&](const PadIdentity& pad) { return pad.name == name; });
  return at == connected.end() ? PadIdentity{} : *at;
}

bool Steers(const PadControls& c) { return c.left || c.up || c.right || c.down || c.plant || c.escape; }

// Faults: a d-pad or stick direction swapped or unread, the dead zone missing
// or too wide, the east button or Start forgotten, a pad steering a player
// who did not choose it.
TEST(Gamepads, DpadStickAndFaceButtonsGiveThePlayersControls) {
  VirtualGamepad pad("Test Pad");
  const auto pads = Gamepads::Open();
  ASSERT_NE(pads, nullptr);
  pads->Poll();
  const PadIdentity identity = Find(*pads, "Test Pad");
  ASSERT_FALSE(identity.Empty());
  EXPECT_EQ(identity.guid.size(), 32u);
  pads->Choose({PadIdentity{}, identity, PadIdentity{}, PadIdentity{}});

  struct Case {
    const char* name;
    int button;  // -1: none
    SDL_GameControllerAxis axis;
    Sint16 lean;
    PadControls expected;
  };
  const Case cases[] = {
      {"d-pad left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_AXIS_LEFTX, 0, {.left = true}},
      {"d-pad up", SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_AXIS_LEFTX, 0, {.up = true}},
      {"d-pad right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_AXIS_LEFTX, 0, {.right = true}},
      {"d-pad down", SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_AXIS_LEFTX, 0, {.down = true}},
      {"stick left", -1, SDL_CONTROLLER_AXIS_LEFTX, -20000, {.left = true}},
      {"stick right", -1, SDL_CONTROLLER_AXIS_LEFTX, 20000, {.right = true}},
      {"stick up", -1, SDL_CONTROLLER_AXIS_LEFTY, -20000, {.up = true}},
      {"stick down", -1, SDL_CONTROLLER_AXIS_LEFTY, 20000, {.down = true}},
      {"stick inside the dead zone", -1, SDL_CONTROLLER_AXIS_LEFTX, -8000, {}},
      {"right stick", -1, SDL_CONTROLLER_AXIS_RIGHTX, -20000, {}},
      {"south button", SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_AXIS_LEFTX, 0, {.plant = true}},
      {"east button", SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_AXIS_LEFTX, 0, {.plant = true}},
      {"north button", SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_AXIS_LEFTX, 0, {}},
      {"Start", SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_AXIS_LEFTX, 0, {.escape = true}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    pad.Release();
    if (test.button >= 0) pad.Button(static_cast<SDL_GameControllerButton>(test.button), true);
    pad.Axis(test.axis, test.lean);
    pads->Poll();
    const PadControls got = pads->ControlsFor(1);
    const PadControls& want = test.expected;
    EXPECT_EQ(std::tie(got.left, got.up, got.right, got.down, got.plant, got.escape),
              std::tie(want.left, want.up, want.right, want.down, want.plant, want.escape));
    EXPECT_FALSE(Steers(pads->ControlsFor(0)));
  }
}

// Faults: an unplugged pad's last state kept (the figure walks on), the pad
// not taken back when plugged in again, two pads of one kind both given to
// the first player who chose that kind, the twin left moving to the player
// whose pad was unplugged.
TEST(Gamepads, UnpluggingStopsAPadAndPluggingItInAgainGivesItBackAtOnce) {
  VirtualGamepad first("Twin Pad");
  VirtualGamepad second("Twin Pad");
  const auto pads = Gamepads::Open();
  ASSERT_NE(pads, nullptr);
  pads->Poll();
  const PadIdentity twin = Find(*pads, "Twin Pad");
  ASSERT_EQ(pads->Connected().size(), 1u);
  pads->Choose({twin, PadIdentity{}, twin, PadIdentity{}});

  first.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  second.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  pads->Poll();
  EXPECT_TRUE(pads->ControlsFor(0).right);
  EXPECT_TRUE(pads->ControlsFor(2).left);

  first.Unplug();
  pads->Poll();
  EXPECT_FALSE(Steers(pads->ControlsFor(0)));
  EXPECT_TRUE(pads->ControlsFor(2).left);

  first.Plug();
  first.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
  pads->Poll();
  EXPECT_TRUE(pads->ControlsFor(0).down);
  EXPECT_TRUE(pads->ControlsFor(2).left);
}

}  // namespace
}  // namespace fl3
