#include "ui/options/OptionsPadFrame.h"

#include <QComboBox>
#include <QAbstractItemView>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "core/GamepadSource.h"

namespace fl3 {
namespace {

const char* const kKeyboardOnly = "Keyboard only";

QString PadName(const PadIdentity& pad) { return QString::fromStdString(pad.name); }

}  // namespace

OptionsPadFrame::OptionsPadFrame(GameState& state, GamepadSource* pads, QWidget* parent)
    : QGroupBox("Gamepads", parent), state_(state), pads_(pads) {
  setObjectName("FramePads");
  // One player under another, each name over its list, so long pad names show.
  for (int player = 0; player < FigureCount; ++player) {
    const int y = 18 + 56 * player;
    auto* label = new QLabel(QString("Player #%1:").arg(player + 1), this);
    label->setGeometry(8, y, kWidth - 16, 15);
    auto* list = new QComboBox(this);
    list->setObjectName(QString("listPad%1").arg(player + 1));
    list->setGeometry(8, y + 16, kWidth - 16, 21);
    connect(list, &QComboBox::currentIndexChanged, this, [this, player](int index) { OnChosen(player, index); });
    lists_[static_cast<std::size_t>(player)] = list;
  }
  lookForPads_.setInterval(kLookForPadsMs);
  connect(&lookForPads_, &QTimer::timeout, this, &OptionsPadFrame::LookForPads);
  ShowPads();
}

void OptionsPadFrame::showEvent(QShowEvent* event) {
  QGroupBox::showEvent(event);
  lookForPads_.start();
}

void OptionsPadFrame::hideEvent(QHideEvent* event) {
  lookForPads_.stop();
  QGroupBox::hideEvent(event);
}

// A list is not redone under a player who has it open.
void OptionsPadFrame::LookForPads() {
  if (pads_ == nullptr) return;
  pads_->Poll();
  if (pads_->Connected() == shown_) return;
  for (const QComboBox* list : lists_) {
    if (list->view()->isVisible()) return;
  }
  ShowPads();
}

// Entry 0 is the keyboard only; the others hold the pad's identity as data.
void OptionsPadFrame::ShowPads() {
  if (pads_ != nullptr) pads_->Poll();
  shown_ = pads_ != nullptr ? pads_->Connected() : std::vector<PadIdentity>{};
  const std::vector<PadIdentity>& offered = shown_;
  for (int player = 0; player < FigureCount; ++player) {
    QComboBox* list = lists_[static_cast<std::size_t>(player)];
    const PadIdentity& chosen = state_.Pads[static_cast<std::size_t>(player)];
    std::vector<PadIdentity> entries = offered;
    if (!chosen.Empty() && std::find(entries.begin(), entries.end(), chosen) == entries.end()) {
      entries.push_back(chosen);
    }
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItem(kKeyboardOnly);
    for (const PadIdentity& pad : entries) {
      list->addItem(PadName(pad), QStringList{QString::fromStdString(pad.guid), PadName(pad)});
    }
    const auto at = std::find(entries.begin(), entries.end(), chosen);
    list->setCurrentIndex(chosen.Empty() ? 0 : 1 + static_cast<int>(at - entries.begin()));
  }
}

void OptionsPadFrame::OnChosen(int player, int index) {
  if (index < 0) return;
  PadIdentity& choice = state_.Pads[static_cast<std::size_t>(player)];
  const QStringList pad = lists_[static_cast<std::size_t>(player)]->itemData(index).toStringList();
  choice = pad.size() == 2 ? PadIdentity{pad[0].toStdString(), pad[1].toStdString()} : PadIdentity{};
  if (pads_ != nullptr) pads_->Choose(state_.Pads);
}

}  // namespace fl3
