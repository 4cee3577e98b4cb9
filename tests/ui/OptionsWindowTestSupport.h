#pragma once
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "RecordingMessages.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "media/MusicEngine.h"
#include "ui/OptionsWindow.h"

namespace fl3::testing {

// Writes down every call as a line of text, and counts calls made while the
// engine is not set up.
class RecordingMusicEngine : public MusicEngine {
 public:
  explicit RecordingMusicEngine(Messages& messages) : messages_(messages) {}

  bool InitMusic(int channelCount) override {
    Record("InitMusic " + std::to_string(channelCount));
    initialised = initSucceeds;
    return initSucceeds;
  }
  MusicSegmentPtr LoadMusic(const std::filesystem::path& file, bool isMidi) override {
    Use("LoadMusic " + file.filename().string() + (isMidi ? " midi" : ""));
    if (!loadSucceeds) {
      messages_.Show("Couldn't load this segment", "Couldn't load", MessageIcon::Critical);
      return nullptr;
    }
    auto segment = std::make_shared<Segment>();
    segment->number = ++segmentsLoaded;
    return segment;
  }
  void PlayMusic(MusicSegment* segment, int repeats) override {
    Use("PlayMusic " + Name(segment) + " " + std::to_string(repeats));
  }
  void StopMusic(MusicSegment* segment) override { Use("StopMusic " + Name(segment)); }
  void SetMusicTempo(float factor) override {
    std::ostringstream text;
    text << "SetMusicTempo " << factor;
    Use(text.str());
  }
  void SetMusicVolume(std::int32_t volume) override { Use("SetMusicVolume " + std::to_string(volume)); }
  void SetMusicGroove(std::int32_t level) override { Use("SetMusicGroove " + std::to_string(level)); }
  void ReleaseMusic() override {
    Record("ReleaseMusic");
    initialised = false;
  }

  // The calls since the last look, which are then forgotten.
  std::vector<std::string> TakeCalls() { return std::exchange(calls, {}); }

  std::vector<std::string> calls;
  bool initSucceeds = true;
  bool loadSucceeds = true;
  bool initialised = false;
  int callsWhileReleased = 0;
  int segmentsLoaded = 0;

 private:
  struct Segment : MusicSegment {
    int number = 0;
  };
  static std::string Name(MusicSegment* segment) {
    return segment ? "#" + std::to_string(static_cast<Segment*>(segment)->number) : "none";
  }
  void Record(const std::string& call) { calls.push_back(call); }
  void Use(const std::string& call) {
    if (!initialised) ++callsWhileReleased;
    Record(call);
  }
  Messages& messages_;
};

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
