#include <QTest>

#include "core/KeyNames.h"
#include "media/Gamepads.h"
#include "OptionsWindowBench.h"
#include "ScriptedDevices.h"
#include "ui/options/KeyTestWindow.h"
#include "VirtualGamepad.h"

namespace fl3::testing {
namespace {

struct OptionsWindowFixture : ::testing::Test, OptionsWindowBench {};

// Faults: the pressed key not shown in the list or not reaching the layout
// (a path beside the list's own), saved or marked unlike a chosen key, Tab
// or Return taken as focus moves or clicks, Escape closing the window or
// setting key 1.
TEST_F(OptionsWindowFixture, APressedKeyIsChosenInItsListLikeAnyOtherAndEscapeCancels) {
  const struct {
    Qt::Key key;
    int player, slot;
    std::int32_t code;  // expected afterwards
  } cases[] = {{Qt::Key_Left, 2, 4, 203}, {Qt::Key_Tab, 1, 0, 15}, {Qt::Key_Return, 4, 2, 28},
                        {Qt::Key_Escape, 3, 1, 0}, {Qt::Key_F1, 3, 1, 59}};
  StartAndOpen();
  for (const auto& test : cases) {
    SCOPED_TRACE(KeyNames(test.code));
    auto* button = Find<QPushButton>("buttonSetKey" + std::to_string(test.player) + "_" + std::to_string(test.slot));
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, test.key);
    EXPECT_EQ(KeyList(test.player, test.slot)->currentText().toStdString(), KeyNames(test.code));
    EXPECT_EQ(KeySlot(state.Characters[static_cast<std::size_t>(test.player - 1)].Keys, test.slot), test.code);
    EXPECT_TRUE(window->isVisible());
  }
  Choose(1, 4, "Left");
  EXPECT_EQ(KeyList(2, 4)->toolTip().toStdString(), "Same key as: Player #1 Plant");
  Press("buttonSave");
  EXPECT_EQ(temp.Read("0.FLK3"), "15\r\n0\r\n0\r\n0\r\n203\r\n");
  EXPECT_EQ(temp.Read("1.FLK3"), "0\r\n0\r\n0\r\n0\r\n203\r\n");
}

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
  KeyTestWindow window(state, nullptr,
                       [keys](QObject&) { return std::make_unique<ScriptedKeyboard>(std::vector{keys}); });
  window.show();

  QStringList marks;
  for (int player = 1; player <= FigureCount; ++player) {
    for (int slot = 0; slot < KeySlotCount; ++slot)
      marks << window.findChild<QLabel*>(QString("keyTest%1_%2").arg(player).arg(slot))->property("keyMark").toString();
  }
  EXPECT_EQ(marks.join(",").toStdString(), "held,held,held,held,not reported,"  // the bound key missing beside held ones
                                           "up,up,up,up,up,"                    // a player holding nothing
                                           "not reported,held,held,no key,not reported,"
                                           "no key,no key,no key,no key,no key");
}

class OptionsPads : public OptionsWindowFixture {
 protected:
  ~OptionsPads() override { window.reset(); }  // before the pads it uses
  // Start-up from the folder, then the window with the pads: as after a restart.
  QComboBox* OpenWithPads(GameState& shared) {
    StartUp(shared, folder);
    window = std::make_unique<frmOptions>(shared, folder, messages, music, nullptr, pads.get());
    Reopen();
    return Find<QComboBox>("listPad2");
  }

  VirtualGamepad pad{"Option Pad"};
  std::unique_ptr<Gamepads> pads = Gamepads::Open();
};

// Faults: a plugged-in pad not offered, a damaged file taken for a choice,
// the choice not written or not read back, a chosen pad dropped from the
// list while it is unplugged.
TEST_F(OptionsPads, APluggedInPadIsOfferedAndTheChoiceOutlastsARestart) {
  temp.Write("PADS.OPT", "\r\nnot a pad\r\n");
  QComboBox* list = OpenWithPads(state);
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->itemText(0).toStdString() + "|" + list->itemText(1).toStdString(), "Keyboard only|Option Pad");
  EXPECT_EQ(list->currentIndex(), 0);
  list->setCurrentIndex(1);
  Press("buttonSave");

  pad.Unplug();
  GameState restarted;
  list = OpenWithPads(restarted);
  EXPECT_EQ(restarted.Pads[1].name, "Option Pad");
  EXPECT_EQ(restarted.Pads[1].guid.size(), 32u);
  EXPECT_EQ(list->currentText().toStdString(), "Option Pad");
  EXPECT_EQ(Find<QComboBox>("listPad1")->currentText().toStdString(), "Keyboard only");
}

}  // namespace
}  // namespace fl3::testing
