#include "ui/netplay/PasswordRow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace fl3 {

PasswordRow MakePasswordRow(QWidget* parent, const QString& placeholder) {
  PasswordRow row;
  row.field = new QLineEdit(parent);
  row.field->setMaxLength(PasswordRow::kLongest);
  row.field->setEchoMode(QLineEdit::Password);
  row.field->setPlaceholderText(placeholder);
  row.show = new QCheckBox(QStringLiteral("Show"), parent);
  QLineEdit* field = row.field;
  QObject::connect(row.show, &QCheckBox::toggled, field,
                   [field](bool shown) { field->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password); });
  row.layout = new QHBoxLayout;
  row.layout->addWidget(row.field, 1);
  row.layout->addWidget(row.show);
  return row;
}

}  // namespace fl3
