#pragma once
#include <QDialog>
#include <array>

#include "editor/model/NumericProperties.h"

class QLineEdit;
class QPushButton;

namespace fl3 {

class EditorModel;

// "Extended Level Properties (Numerical)": the tileset and background
// numbers and every figure's start cell, bombs and fire, taken over as they
// are typed. Boxes are "txtboxProp_0".."txtboxProp_17".
class frmNormalEditPropN : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 312;
  static constexpr int kClientHeight = 392;

  frmNormalEditPropN(EditorModel& editor, QWidget* parent = nullptr);

  QLineEdit* txtboxProp(int i) const { return boxes_.at(static_cast<std::size_t>(i)); }
  QPushButton* buttonClose() const { return buttonClose_; }

 private:
  void LoadValues();
  void OnTextChanged();

  NumericProperties properties_;
  std::array<QLineEdit*, kPropertyCount> boxes_{};
  QPushButton* buttonClose_ = nullptr;
};

}  // namespace fl3
