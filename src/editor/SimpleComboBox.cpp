#include "editor/SimpleComboBox.h"

#include <QLineEdit>
#include <QListWidget>

namespace fl3 {
namespace {
constexpr int kFieldHeight = 20;
}

SimpleComboBox::SimpleComboBox(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), list_(new QListWidget(this)) {
  edit_->setObjectName("listFilesText");
  list_->setObjectName("listFilesList");
  list_->setFocusPolicy(Qt::NoFocus);
  list_->setUniformItemSizes(true);
  setFocusProxy(edit_);
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { edit_->setText(item->text()); });
}

QString SimpleComboBox::text() const { return edit_->text(); }

void SimpleComboBox::setText(const QString& text) { edit_->setText(text); }

void SimpleComboBox::setItems(const QStringList& items) {
  const QString typed = edit_->text();
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    list_->addItems(items);
  }
  edit_->setText(typed);
}

QStringList SimpleComboBox::items() const {
  QStringList names;
  for (int row = 0; row < list_->count(); ++row) names << list_->item(row)->text();
  return names;
}

void SimpleComboBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  edit_->setGeometry(0, 0, width(), kFieldHeight);
  list_->setGeometry(0, kFieldHeight - 1, width(), height() - kFieldHeight + 1);
}

}  // namespace fl3
