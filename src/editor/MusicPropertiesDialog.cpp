#include "editor/MusicPropertiesDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "core/GameState.h"
#include "media/WindowFonts.h"

namespace fl3 {

frmNormalEditPropT::frmNormalEditPropT(GameState& state, const GameFolder& folder, Messages& messages,
                                       MusicEngine& music, QWidget* parent)
    : QDialog(parent), choice_(state, folder, messages, music) {
  setObjectName("frmNormalEditPropT");
  setWindowTitle("Extended Level Properties (Alphanumerical)");
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);

  auto* label = new QLabel("Level Music : ", this);
  label->setGeometry(4, 6, 100, 17);
  listMusic_ = new QComboBox(this);
  listMusic_->setObjectName("listMusic");
  listMusic_->setGeometry(108, 4, 149, 21);
  buttonMusicTest_ = new QPushButton(choice_.Caption(), this);
  buttonMusicTest_->setObjectName("buttonMusicTest");
  buttonMusicTest_->setGeometry(260, 4, 49, 21);
  buttonMusicTest_->setAutoDefault(false);
  buttonClose_ = new QPushButton("Close", this);
  buttonClose_->setObjectName("buttonClose");
  buttonClose_->setGeometry(244, 368, 65, 21);
  buttonClose_->setAutoDefault(false);

  const std::vector<std::string> entries = choice_.Entries();
  for (const std::string& entry : entries) listMusic_->addItem(QString::fromStdString(entry));
  listMusic_->setCurrentIndex(LevelMusicChoice::EntryOf(entries, state.LevelMusic).value_or(-1));
  choice_.Start();

  connect(listMusic_, &QComboBox::activated, this,
          [this](int index) { choice_.Choose(listMusic_->itemText(index).toStdString()); });
  connect(buttonMusicTest_, &QPushButton::clicked, this, &frmNormalEditPropT::OnTest);
  connect(buttonClose_, &QPushButton::clicked, this, &frmNormalEditPropT::reject);
}

frmNormalEditPropT::~frmNormalEditPropT() { choice_.Close(); }

void frmNormalEditPropT::reject() {
  choice_.Close();
  QDialog::reject();
}

void frmNormalEditPropT::OnTest() {
  const int index = listMusic_->currentIndex();
  choice_.PressTest(index < 0 ? std::nullopt : std::optional<std::string>(listMusic_->itemText(index).toStdString()));
  buttonMusicTest_->setText(choice_.Caption());
}

}  // namespace fl3
