#pragma once
#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "core/GameState.h"
#include "core/KeyState.h"
#include "ui/options/KeyTestMarks.h"

class QLabel;

namespace fl3 {

// Shows live which of the twenty player keys the keyboard reports as held,
// read the way a match reads it, and marks the keys that should be held but
// are not reported.
class KeyTestWindow : public QDialog {
  Q_OBJECT

 public:
  // Where the keys come from; the match's keyboard unless a test says otherwise.
  using KeyboardFactory = std::function<std::unique_ptr<KeyboardSource>(QObject& window)>;
  static constexpr int kReadEveryMs = 51;

  KeyTestWindow(const GameState& state, QWidget* parent, KeyboardFactory keyboard = {});
  ~KeyTestWindow() override;

  // Reads the keyboard once and shows what it reports; the timer calls it.
  void ReadKeys();
  // Each key's label carries its mark as the property "keyMark":
  // "no key", "up", "held" or "not reported". Labels are "keyTest1_0".."keyTest4_4".
  static const char* MarkName(KeyTestMark mark);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildPlayerColumn(int player);
  void ShowMarks(const KeyTestMarks& marks);

  const GameState& state_;
  KeyboardFactory keyboardFactory_;
  std::unique_ptr<KeyboardSource> keyboard_;
  QTimer timer_;
  KeyState keys_{};
  std::array<std::array<QLabel*, KeySlotCount>, FigureCount> labels_{};
};

}  // namespace fl3
