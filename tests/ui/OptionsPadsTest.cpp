#include "OptionsWindowTestSupport.h"
#include "VirtualGamepad.h"
#include "media/Gamepads.h"

namespace fl3::testing {
namespace {

class OptionsPads : public OptionsWindowFixture {
 protected:
  ~OptionsPads() override { window.reset(); }  // before the pads it uses
  // Start-up from the folder, then the window with the pads; as after a restart.
  QComboBox* OpenWithPads(GameState& shared) {
    StartUp(shared, gameFolder);
    window = std::make_unique<frmOptions>(shared, gameFolder, messages, music, nullptr, pads.get());
    Reopen();
    return Find<QComboBox>("listPad2");
  }
  static QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
  }

  VirtualGamepad pad{"Option Pad"};
  std::unique_ptr<Gamepads> pads = Gamepads::Open();
};

// Faults: plugged-in pads not offered, the choice not written or read back
// (lost across a restart), a chosen pad that is unplugged dropped from the list.
TEST_F(OptionsPads, APluggedInPadIsOfferedAndTheChoiceOutlastsARestart) {
  ASSERT_NE(pads, nullptr);
  QComboBox* list = OpenWithPads(state);
  EXPECT_EQ(Entries(list), (QStringList{"Keyboard only", "Option Pad"}));
  EXPECT_EQ(list->currentIndex(), 0);
  list->setCurrentIndex(1);
  EXPECT_EQ(state.Pads[1].name, "Option Pad");
  Press("buttonSave");

  pad.Unplug();
  GameState restarted;
  list = OpenWithPads(restarted);
  EXPECT_EQ(restarted.Pads[1], state.Pads[1]);
  EXPECT_EQ(list->currentText().toStdString(), "Option Pad");
  EXPECT_EQ(Find<QComboBox>("listPad1")->currentText().toStdString(), "Keyboard only");
}

// Faults: a damaged line taken for a pad, or spoiling the lines after it.
TEST(PadChoicesFile, DamagedLinesStandForTheKeyboardOnly) {
  const std::string guid = "030000005e0400008e02000010010000";
  const PadChoices read = ParsePadChoices("not a pad\r\n" + guid + " Pad One\r\n" + guid.substr(1) + " Short\r\n" +
                                          guid + "\r\n");
  EXPECT_EQ(read, (PadChoices{PadIdentity{}, PadIdentity{guid, "Pad One"}, PadIdentity{}, PadIdentity{}}));
  EXPECT_EQ(PadChoicesFileText(read), "\r\n" + guid + " Pad One\r\n\r\n\r\n");
}

}  // namespace
}  // namespace fl3::testing
