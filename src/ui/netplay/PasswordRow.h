#pragma once
#include <QString>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace fl3 {

// A password entry, hidden as it is typed, with a "Show" box beside it.
struct PasswordRow {
  static constexpr int kLongest = 64;  // characters
  QLineEdit* field = nullptr;
  QCheckBox* show = nullptr;
  QHBoxLayout* layout = nullptr;  // both, for the window to place
};

PasswordRow MakePasswordRow(QWidget* parent, const QString& placeholder);

}  // namespace fl3
