#pragma once
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "RecordingMessages.h"
#include "RecordingMusicEngine.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "ui/OptionsWindow.h"

namespace fl3::testing {

// Files, shared state, message and music recorders and the window under test.
class OptionsWindowFixture : public ::testing::Test {
 protected:
  ~OptionsWindowFixture() override { window.reset(); }

  // Start-up from the folder as it stands, then the window's first opening.
  void StartAndOpen() {
    StartUp(state, gameFolder);
    window = std::make_unique<frmOptions>(state, gameFolder, messages, music);
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
  std::string ShownKey(int player, int slot) const { return KeyList(player, slot)->currentText().toStdString(); }
  void Choose(int player, int slot, const QString& keyName) const {
    QComboBox* list = KeyList(player, slot);
    const int index = list->findText(keyName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << keyName.toStdString();
    list->setCurrentIndex(index);
  }
  QScrollBar* Slider(const std::string& name) const { return Find<QScrollBar>("scroll" + name); }
  std::string LabelText(const std::string& name) const {
    return Find<QLabel>("label" + name)->text().toStdString();
  }
  QPushButton* Button(const std::string& name) const { return Find<QPushButton>(name); }
  std::string TestCaption() const { return Button("buttonMusicTest")->text().toStdString(); }
  void Press(const std::string& name) const { Button(name)->click(); }

  TempFolder folder;
  GameFolder gameFolder{folder.Path()};
  GameState state;
  RecordingMessages messages;
  RecordingMusicEngine music{messages};
  std::unique_ptr<frmOptions> window;
};

}  // namespace fl3::testing
