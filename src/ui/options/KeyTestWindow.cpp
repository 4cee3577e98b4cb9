#include "ui/options/KeyTestWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/KeyNames.h"
#include "media/Keyboard.h"
#include "media/WindowFonts.h"

namespace fl3 {
namespace {

constexpr int kWidth = 453, kHeight = 290;

const char* const kExplanation =
    "Every player holds all five keys at once. Green keys are reported as held. A key marked red should be "
    "held with the others but is not reported: many keyboards cannot report some combinations of keys held "
    "together. Ctrl, Shift, Alt and the keypad are usually safe choices.";

QString StyleOf(KeyTestMark mark) {
  switch (mark) {
    case KeyTestMark::Held: return "background: rgb(80, 200, 80); color: black;";
    case KeyTestMark::NotReported: return "background: rgb(220, 50, 50); color: white;";
    case KeyTestMark::NoKey: return "color: gray;";
    case KeyTestMark::Up: break;
  }
  return {};
}

}  // namespace

KeyTestWindow::KeyTestWindow(const GameState& state, QWidget* parent, KeyboardFactory keyboard)
    : QDialog(parent), state_(state), keyboardFactory_(std::move(keyboard)) {
  setObjectName("frmKeyTest");
  setWindowTitle("FUSELARK3 - Key Test");
  setFixedSize(kWidth, kHeight);
  setFont(WindowFont());
  auto* explanation = new QLabel(kExplanation, this);
  explanation->setObjectName("labelKeyTestHelp");
  explanation->setWordWrap(true);
  explanation->setGeometry(8, 4, kWidth - 16, 62);
  for (int player = 0; player < FigureCount; ++player) BuildPlayerColumn(player);
  auto* close = new QPushButton("Close", this);
  close->setObjectName("buttonKeyTestClose");
  close->setGeometry(kWidth - 97, kHeight - 25, 93, 21);
  close->setFocusPolicy(Qt::NoFocus);  // Space and Return are keys under test here
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  timer_.setInterval(kReadEveryMs);
  connect(&timer_, &QTimer::timeout, this, &KeyTestWindow::ReadKeys);
}

KeyTestWindow::~KeyTestWindow() = default;

const char* KeyTestWindow::MarkName(KeyTestMark mark) {
  switch (mark) {
    case KeyTestMark::NoKey: return "no key";
    case KeyTestMark::Held: return "held";
    case KeyTestMark::NotReported: return "not reported";
    case KeyTestMark::Up: break;
  }
  return "up";
}

void KeyTestWindow::BuildPlayerColumn(int player) {
  auto* frame = new QGroupBox(QString("Player #%1").arg(player + 1), this);
  frame->setGeometry(4 + 112 * player, 70, 109, 188);
  const KeyLayout& keys = state_.Characters[static_cast<std::size_t>(player)].Keys;
  for (int slot = 0; slot < KeySlotCount; ++slot) {
    auto* caption = new QLabel(QString(KeySlotName(slot)) + ":", frame);
    caption->setGeometry(6, 18 + 34 * slot, 97, 14);
    auto* label = new QLabel(QString::fromStdString(KeyNames(KeySlot(keys, slot))), frame);
    label->setObjectName(QString("keyTest%1_%2").arg(player + 1).arg(slot));
    label->setGeometry(6, 32 + 34 * slot, 97, 18);
    label->setAlignment(Qt::AlignCenter);
    labels_[static_cast<std::size_t>(player)][static_cast<std::size_t>(slot)] = label;
  }
}

void KeyTestWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The layouts may have changed since the window was made.
  for (int player = 0; player < FigureCount; ++player) {
    const KeyLayout& keys = state_.Characters[static_cast<std::size_t>(player)].Keys;
    for (int slot = 0; slot < KeySlotCount; ++slot) {
      labels_[static_cast<std::size_t>(player)][static_cast<std::size_t>(slot)]->setText(
          QString::fromStdString(KeyNames(KeySlot(keys, slot))));
    }
  }
  keyboard_ = keyboardFactory_ ? keyboardFactory_(*this) : InitKeyboard(*this);
  ReadKeys();
  timer_.start();
}

void KeyTestWindow::hideEvent(QHideEvent* event) {
  timer_.stop();
  keyboard_.reset();
  QDialog::hideEvent(event);
}

void KeyTestWindow::ReadKeys() {
  if (!keyboard_) return;
  keyboard_->ReadKeyboard(keys_);
  ShowMarks(MarkKeyTest(state_.Characters, keys_));
}

void KeyTestWindow::ShowMarks(const KeyTestMarks& marks) {
  for (std::size_t player = 0; player < marks.size(); ++player) {
    for (std::size_t slot = 0; slot < marks[player].size(); ++slot) {
      QLabel* label = labels_[player][slot];
      const char* name = MarkName(marks[player][slot]);
      if (label->property("keyMark").toString() == QLatin1String(name)) continue;
      label->setProperty("keyMark", name);
      label->setStyleSheet(StyleOf(marks[player][slot]));
      // Bold through the font: a style sheet's font would replace the window's.
      QFont weight = font();
      weight.setBold(marks[player][slot] == KeyTestMark::NotReported);
      label->setFont(weight);
      label->setToolTip(marks[player][slot] == KeyTestMark::NotReported ? "Not reported by the keyboard" : "");
    }
  }
}

}  // namespace fl3
