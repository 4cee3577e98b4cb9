#pragma once
#include <QPushButton>
#include <QRect>

namespace fl3 {

// A named push button at a fixed place of a fixed-size window. It never
// becomes the default button, so Return in a text field does not press it.
inline QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect where) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(where);
  button->setAutoDefault(false);
  return button;
}

}  // namespace fl3
