#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

#include "core/GameFolder.h"
#include "core/GameState.h"
#include "core/Messages.h"
#include "media/MusicEngine.h"
#include "ui/options/OptionsCpuGroup.h"
#include "ui/options/OptionsInputControls.h"
#include "ui/options/OptionsKeySlots.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace fl3 {

// The options window: each player's five keys and the three music settings,
// with a tune to listen to while the sliders move. Changes reach the shared
// state at once; only "Save and Close" writes them to the game folder.
//
// Create it once per run and call OpenModal() for every opening: the key
// lists are filled once and the window keeps what it held. Child widgets carry
// the control names as object names ("listKeys1_0".."listKeys4_4",
// "scrollTempo", "scrollVolume", "scrollGroove", "labelTempo", "labelVolume",
// "labelGroove", "listMusic", "buttonMusicTest", "buttonSave", "buttonClose",
// "Frame1".."Frame5"); a key list whose key is also chosen elsewhere has the
// property "keyClash" set and says where in its tool tip. In a column to the
// right stand the gamepads (see OptionsInputControls) over the computer
// players' group (OptionsCpuGroup).
class frmOptions : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 453;  // the first controls; the column right of them adds to it
  static constexpr int kClientHeight = 394;
  static constexpr int kColumnLeft = 452;
  static constexpr int kMusicChannels = 128;

  // pads may be null: no gamepads are offered.
  frmOptions(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music,
             QWidget* parent = nullptr, GamepadSource* pads = nullptr);
  ~frmOptions() override;

  // Shows the window modally; returns once it has hidden itself.
  void OpenModal();

  // "Close", the window manager's close button and Escape all end up here:
  // changes stay in memory, nothing is written, the music engine is released.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct SoundControl {
    QScrollBar* slider = nullptr;
    QLabel* label = nullptr;
    const char* caption = "";
    std::int32_t MusicSettings::*setting = nullptr;
  };

  void BuildKeyFrame(int player, const QStringList& keyNames);
  void BuildSoundFrame();
  void BuildButtons();
  void AddSoundControl(QGroupBox* frame, int index, const char* name, const char* caption, int minimum,
                       int maximum, int largeStep, std::int32_t MusicSettings::*setting);

  void ShowCurrentValues();
  void OnKeyChosen(int player, int slot, int index);
  void MarkKeyClashes();
  void OnSliderMoved(const SoundControl& control, int value);
  void ShowSliderValue(const SoundControl& control);
  void ApplySettingsToEngine();

  bool EnsureEngine();
  void OnMusicTest();
  void StartTest();
  void StopTest();

  void OnSaveAndClose();
  std::vector<std::string> SaveEverything() const;
  void Leave(int result);

  GameState& state_;
  const GameFolder& folder_;
  Messages& messages_;
  MusicEngine& music_;

  std::array<std::array<QComboBox*, KeySlotCount>, FigureCount> keyLists_{};
  std::array<SoundControl, 3> sound_{};
  QComboBox* listMusic_ = nullptr;
  QPushButton* buttonMusicTest_ = nullptr;
  QPushButton* buttonSave_ = nullptr;
  QPushButton* buttonClose_ = nullptr;
  OptionsInputControls* input_ = nullptr;
  OptionsCpuGroup* cpuGroup_ = nullptr;

  bool engineReady_ = false;
  bool testPlaying_ = false;
  MusicSegmentPtr testSegment_;
};

}  // namespace fl3
