#include "OptionsWindowTestSupport.h"
#include "VirtualGamepad.h"
#include "media/Gamepads.h"

namespace fl3::testing {
namespace {

class OptionsPads : public OptionsWindowFixture {
 protected:
  ~OptionsPads() override { window.reset(); }  // before the pads it uses
  // Start-up from the folder, then the window with the pads: as after a restart.
  QComboBox* OpenWithPads(GameState& shared) {
    StartUp(shared, gameFolder);
    window = std::make_unique<frmOptions>(shared, gameFolder, messages, music, nullptr, pads.get());
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
  folder.Write("PADS.OPT", "\r\nnot a pad\r\n");
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
