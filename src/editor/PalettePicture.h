#pragma once
#include <QPixmap>
#include <QWidget>

namespace fl3 {

// A picture beside a palette choice; clicking it picks that choice.
class PalettePicture : public QWidget {
  Q_OBJECT

 public:
  PalettePicture(const QPixmap& picture, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace fl3
