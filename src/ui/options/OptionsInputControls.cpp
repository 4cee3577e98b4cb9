#include "ui/options/OptionsInputControls.h"

#include <QComboBox>
#include <QDialog>

#include "media/WindowControls.h"
#include "ui/options/KeyCaptureButton.h"
#include "ui/options/KeyTestWindow.h"
#include "ui/options/OptionsPadFrame.h"

namespace fl3 {

OptionsInputControls::OptionsInputControls(QDialog& window, GameState& state, GamepadSource* pads,
                                           const KeyLists& keyLists, QPoint padFrameAt)
    : QObject(&window), window_(window), state_(state) {
  for (int player = 0; player < FigureCount; ++player) {
    for (int slot = 0; slot < KeySlotCount; ++slot) {
      AddCaptureButton(keyLists[static_cast<std::size_t>(player)][static_cast<std::size_t>(slot)], player, slot);
    }
  }
  buttonKeyTest_ = MakeButton(&window, "buttonKeyTest", "Key Test...", QRect(4, 368, 101, 21));
  connect(buttonKeyTest_, &QPushButton::clicked, this, &OptionsInputControls::OpenKeyTest);

  padFrame_ = new OptionsPadFrame(state, pads, &window);
  padFrame_->setGeometry(QRect(padFrameAt, QSize(OptionsPadFrame::kWidth, OptionsPadFrame::kHeight)));
}

void OptionsInputControls::ShowPads() { padFrame_->ShowPads(); }

// The button sits where the list used to end; the captured key is chosen in
// the list itself, so the window hears of it as of any other choice.
void OptionsInputControls::AddCaptureButton(QComboBox* list, int player, int slot) {
  auto* button = new KeyCaptureButton(list->parentWidget());
  button->setObjectName(QString("buttonSetKey%1_%2").arg(player + 1).arg(slot));
  button->setGeometry(list->x() + list->width() + 2, list->y(), 20, list->height());
  connect(button, &KeyCaptureButton::keyCaptured, list, [list](int code) { list->setCurrentIndex(code); });
}

void OptionsInputControls::OpenKeyTest() {
  if (keyTest_ == nullptr) keyTest_ = new KeyTestWindow(state_, &window_);
  keyTest_->open();
}

}  // namespace fl3
