#include <QLabel>

#include "QtTestApplication.h"
#include "ui/KeyTestWindow.h"

namespace fl3::testing {
namespace {

struct FixedKeyboard : KeyboardSource {
  explicit FixedKeyboard(KeyState held) : held(held) {}
  void ReadKeyboard(KeyState& keys) override { keys = held; }
  KeyState held;
};

// Faults: a key that should be held but is not reported left unmarked, a
// player who holds nothing marked as missing, a slot without a key counted
// as missing, a keyboard other than the given one read.
TEST(KeyTestWindow, MarksHeldKeysAndTheBoundKeysNotReportedBesideThem) {
  GameState state;
  state.Characters[0].Keys = KeyLayout{203, 200, 205, 208, 157};
  state.Characters[1].Keys = KeyLayout{30, 17, 32, 31, 29};
  state.Characters[2].Keys = KeyLayout{36, 23, 38, 0, 57};
  KeyState keys{};
  for (int code : {203, 200, 205, 208, 23, 38}) keys[static_cast<std::size_t>(code)] = 0x80;
  KeyTestWindow window(state, nullptr, [keys](QObject&) { return std::make_unique<FixedKeyboard>(keys); });
  window.show();

  const char* const expected[FigureCount][KeySlotCount] = {{"held", "held", "held", "held", "not reported"},
                                                           {"up", "up", "up", "up", "up"},
                                                           {"not reported", "held", "held", "no key", "not reported"},
                                                           {"no key", "no key", "no key", "no key", "no key"}};
  for (int player = 0; player < FigureCount; ++player) {
    for (int slot = 0; slot < KeySlotCount; ++slot) {
      auto* label = window.findChild<QLabel*>(QString("keyTest%1_%2").arg(player + 1).arg(slot));
      EXPECT_EQ(label->property("keyMark").toString().toStdString(), expected[player][slot]) << player << slot;
    }
  }
  EXPECT_EQ(window.findChild<QLabel*>("keyTest1_4")->text().toStdString(), "Right CTRL key");
}

}  // namespace
}  // namespace fl3::testing
