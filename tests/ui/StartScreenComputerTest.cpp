#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

// Figures on CPU start a match like figures on MAN: as the screen opens
// (MAN against CPU), a computer demo, and a mix of four. Catches a refusal
// of CPU figures left in the checks, or CPU figures dropped from the match.
TEST_F(StartScreenTest, FiguresOnCpuStartTheMatch) {
  const std::array<std::int32_t, FigureCount> cases[] = {
      {ContMan, ContCpu, ContOff, ContOff},  // as the screen opens
      {ContCpu, ContCpu, ContOff, ContOff},  // a computer demo
      {ContMan, ContCpu, ContCpu, ContMan},
  };
  const char* captions[] = {"OFF", "MAN", "CPU"};
  WritePlayableFolder();
  for (const auto& expected : cases) {
    auto screen = Open();
    for (int i = 0; i < FigureCount; ++i) ClickUntil(*screen, i, captions[expected[static_cast<std::size_t>(i)]]);
    matches.clear();
    messages.shown.clear();
    screen->buttonPlay()->click();
    EXPECT_TRUE(messages.shown.empty()) << (messages.shown.empty() ? "" : messages.shown[0].title);
    ASSERT_EQ(matches.size(), 1u);
    for (int i = 0; i < FigureCount; ++i) {
      EXPECT_EQ(matches[0].figures[static_cast<std::size_t>(i)].Cont, expected[static_cast<std::size_t>(i)]);
    }
  }
}

}  // namespace
}  // namespace fl3::testing
