#pragma once
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "../WindowBench.h"
#include "ui/options/OptionsWindow.h"

namespace fl3::testing {

// The options window on its own folder, reached through its controls' names.
struct OptionsWindowBench : WindowBench {
  // Start-up from the folder as it stands, then the window's first opening.
  void StartAndOpen() {
    StartUp(state, folder);
    window = std::make_unique<frmOptions>(state, folder, messages, music);
    Reopen();
  }
  void Reopen() {
    window->show();
    QApplication::processEvents();
  }
  template <typename Widget>
  Widget* Find(const std::string& name) const {
    auto* widget = window->findChild<Widget*>(QString::fromStdString(name));
    if (widget == nullptr) ADD_FAILURE() << "no control " << name;
    return widget;
  }
  // player 1..4, slot 0..4 (left, up, right, down, plant)
  QComboBox* KeyList(int player, int slot) const {
    return Find<QComboBox>("listKeys" + std::to_string(player) + "_" + std::to_string(slot));
  }
  void Choose(int player, int slot, const char* keyName) const {
    QComboBox* list = KeyList(player, slot);
    const int index = list->findText(keyName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << keyName;
    list->setCurrentIndex(index);
  }
  QScrollBar* Slider(const std::string& name) const { return Find<QScrollBar>("scroll" + name); }
  std::string Label(const std::string& name) const { return Find<QLabel>("label" + name)->text().toStdString(); }
  std::string TestCaption() const { return Find<QPushButton>("buttonMusicTest")->text().toStdString(); }
  void Press(const std::string& name) const { Find<QPushButton>(name)->click(); }

  std::unique_ptr<frmOptions> window;
};

}  // namespace fl3::testing
