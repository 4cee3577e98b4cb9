#pragma once
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;

namespace fl3 {

// An editable text field over a list that is always open: picking a list
// entry puts it into the field, and the field may also be typed into freely.
class SimpleComboBox : public QWidget {
  Q_OBJECT

 public:
  explicit SimpleComboBox(QWidget* parent = nullptr);

  QString text() const;
  void setText(const QString& text);
  // Replaces the list; the typed text stays as it was.
  void setItems(const QStringList& items);
  QStringList items() const;

  QLineEdit* editor() const { return edit_; }
  QListWidget* list() const { return list_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* edit_;
  QListWidget* list_;
};

}  // namespace fl3
