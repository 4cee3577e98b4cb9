#pragma once
#include <QPointer>
#include <QWidget>

#include "core/Messages.h"

namespace fl3 {

// Modal Qt message boxes over a parent window; a box without a title of its
// own carries the program title.
class QtMessages : public Messages {
 public:
  explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                     MessageButtons buttons = MessageButtons::Ok) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace fl3
