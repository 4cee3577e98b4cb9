#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

// Figures on CPU start a match like figures on MAN: as the screen opens
// (MAN against CPU), a computer demo, and a mix of four. Catches a refusal
// of CPU figures left in the checks, or CPU figures dropped from the match.
TEST_F(StartScreenTest, FiguresOnCpuStartTheMatch) {
  struct Case {
    const char* name;
    std::array<const char*, FigureCount> controllers;  // nullptr: as the screen opens
  };
  const Case cases[] = {
      {"as it opens", {nullptr, nullptr, nullptr, nullptr}},
      {"computer demo", {"CPU", "CPU", "OFF", "OFF"}},
      {"mix of four", {"MAN", "CPU", "CPU", "MAN"}},
  };
  WritePlayableFolder();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto screen = Open();
    std::array<std::int32_t, FigureCount> expected{ContMan, ContCpu, ContOff, ContOff};
    for (int i = 0; i < FigureCount; ++i) {
      const char* caption = c.controllers[static_cast<std::size_t>(i)];
      if (caption == nullptr) continue;
      ClickUntil(*screen, i, caption);
      const std::string text = caption;
      expected[static_cast<std::size_t>(i)] = text == "MAN" ? ContMan : text == "CPU" ? ContCpu : ContOff;
    }
    matches.clear();
    messages.shown.clear();
    screen->buttonPlay()->click();
    EXPECT_TRUE(messages.shown.empty()) << (messages.shown.empty() ? "" : messages.shown[0].title);
    ASSERT_EQ(matches.size(), 1u);
    for (int i = 0; i < FigureCount; ++i) {
      EXPECT_EQ(matches[0].figures[static_cast<std::size_t>(i)].Cont, expected[static_cast<std::size_t>(i)]) << i;
    }
  }
}

}  // namespace
}  // namespace fl3::testing
