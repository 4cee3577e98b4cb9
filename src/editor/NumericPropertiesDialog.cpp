#include "editor/NumericPropertiesDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "media/WindowFonts.h"

namespace fl3 {

frmNormalEditPropN::frmNormalEditPropN(EditorModel& editor, QWidget* parent)
    : QDialog(parent), properties_(editor) {
  setObjectName("frmNormalEditPropN");
  setWindowTitle(properties_.Title());
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  QStringList labels, hints;
  for (const PropertyRow& row : kPropertyRows) {
    labels << row.label;
    hints << row.hint;
  }
  const QFont labelFont = FittingFont(font(), labels, 103);
  const QFont hintFont = FittingFont(font(), hints, 146);
  for (int row = 0; row < kPropertyCount; ++row) {
    const PropertyRow& texts = kPropertyRows[static_cast<std::size_t>(row)];
    auto* label = new QLabel(texts.label, this);
    label->setObjectName(QString("txtProp_%1").arg(row));
    label->setFont(labelFont);
    label->setGeometry(4, 6 + 20 * row, 104, 17);
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("txtboxProp_%1").arg(row));
    box->setGeometry(108, 4 + 20 * row, 53, 19);
    boxes_[static_cast<std::size_t>(row)] = box;
    if (*texts.hint != '\0') {
      auto* hint = new QLabel(texts.hint, this);
      hint->setObjectName(QString("txtHint_%1").arg(row));
      hint->setFont(hintFont);
      hint->setGeometry(164, 6 + 20 * row, 146, 17);
    }
  }
  buttonClose_ = new QPushButton("Close", this);
  buttonClose_->setObjectName("buttonClose");
  buttonClose_->setGeometry(244, 368, 65, 21);
  buttonClose_->setAutoDefault(false);
  connect(buttonClose_, &QPushButton::clicked, this, &QDialog::accept);

  LoadValues();
  for (QLineEdit* box : boxes_) connect(box, &QLineEdit::textChanged, this, &frmNormalEditPropN::OnTextChanged);
}

void frmNormalEditPropN::LoadValues() {
  properties_.NumericLoading = true;
  const auto texts = properties_.CurrentTexts();
  for (std::size_t row = 0; row < texts.size(); ++row) boxes_[row]->setText(QString::fromStdString(texts[row]));
  properties_.NumericLoading = false;
}

void frmNormalEditPropN::OnTextChanged() {
  std::array<std::string, kPropertyCount> texts;
  for (std::size_t row = 0; row < texts.size(); ++row) texts[row] = boxes_[row]->text().toStdString();
  properties_.TextsChanged(texts);
  setWindowTitle(properties_.Title());
}

}  // namespace fl3
