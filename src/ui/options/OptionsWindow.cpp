#include "ui/options/OptionsWindow.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringList>

#include "core/CpuSettings.h"
#include "core/KeyNames.h"
#include "media/WindowControls.h"
#include "media/WindowFonts.h"

namespace fl3 {
namespace {

constexpr const char* kTestCaption = "Test";
constexpr const char* kStopCaption = "Stop";
constexpr const char* kFileNotFoundTitle = "File not found!";
// Amber: readable on light themes, not the red of an error.
const QColor kClashColour(255, 196, 87);

QString Text(const std::string& text) { return QString::fromStdString(text); }

QStringList AllKeyNames() {
  QStringList names;
  for (int code = 0; code < 256; ++code) names << Text(KeyNames(code));
  return names;
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, QRect where) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  frame->setGeometry(where);
  return frame;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect where) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(where);
  return label;
}

void MarkAsClash(QComboBox* list, const std::string& clashText) {
  const bool clash = !clashText.empty();
  if (list->property("keyClash").toBool() == clash && list->toolTip() == Text(clashText)) return;
  list->setProperty("keyClash", clash);
  list->setToolTip(Text(clashText));
  QPalette colours = list->parentWidget()->palette();
  if (clash) {
    colours.setColor(QPalette::Button, kClashColour);
    colours.setColor(QPalette::Base, kClashColour);
  }
  list->setPalette(colours);
}

}  // namespace

frmOptions::frmOptions(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music,
                       QWidget* parent, GamepadSource* pads)
    : QDialog(parent), state_(state), folder_(folder), messages_(messages), music_(music) {
  setObjectName("frmOptions");
  setWindowTitle("FUSELARK3 - Options");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(WindowFont());
  setModal(true);
  const QStringList keyNames = AllKeyNames();
  for (int player = 0; player < FigureCount; ++player) BuildKeyFrame(player, keyNames);
  BuildSoundFrame();
  BuildButtons();
  // The later groups stand in a column right of the key and sound frames, so
  // that the first controls keep their places and the buttons that leave the
  // window stay its last row.
  input_ = new OptionsInputControls(*this, state_, pads, keyLists_, QPoint(kColumnLeft, 4));
  cpuGroup_ = new OptionsCpuGroup(state_, this);
  cpuGroup_->setGeometry(kColumnLeft, 252, OptionsCpuGroup::kWidth, OptionsCpuGroup::kHeight);
  setFixedSize(kColumnLeft + OptionsCpuGroup::kWidth + 4, kClientHeight);
  ShowCurrentValues();
}

frmOptions::~frmOptions() {
  StopTest();
  if (engineReady_) music_.ReleaseMusic();
}

void frmOptions::OpenModal() { exec(); }

void frmOptions::BuildKeyFrame(int player, const QStringList& keyNames) {
  static constexpr QRect kFrames[FigureCount] = {
      {4, 4, 221, 121}, {228, 4, 221, 121}, {4, 128, 221, 121}, {228, 128, 221, 121}};
  const std::string number = std::to_string(player + 1);
  QGroupBox* frame = MakeFrame(this, ("Frame" + number).c_str(), Text("Player #" + number + " - Keys"),
                               kFrames[player]);
  for (int slot = 0; slot < KeySlotCount; ++slot) {
    QLabel* label = MakeLabel(frame, QString(KeySlotName(slot)) + ":", QRect(4, 20 + 20 * slot, 32, 15));
    label->setFont(FittingFont(font(), {"Left:", "Up:", "Right:", "Down:", "Plant:"}, label->width()));
    auto* list = new QComboBox(frame);
    list->setObjectName(Text("listKeys" + number + "_" + std::to_string(slot)));
    list->setGeometry(36, 16 + 20 * slot, 159, 21);
    list->addItems(keyNames);
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, player, slot](int index) { OnKeyChosen(player, slot, index); });
    keyLists_[static_cast<std::size_t>(player)][static_cast<std::size_t>(slot)] = list;
  }
}

void frmOptions::BuildSoundFrame() {
  QGroupBox* frame = MakeFrame(this, "Frame5", "Sound", QRect(4, 252, 445, 113));
  AddSoundControl(frame, 0, "Tempo", "Music Tempo(", MusicSettings::kTempoMin, MusicSettings::kTempoMax, 10,
                  &MusicSettings::MusicTempo);
  AddSoundControl(frame, 1, "Volume", "Music Volume(", MusicSettings::kVolumeMin, MusicSettings::kVolumeMax, 20,
                  &MusicSettings::MusicVolume);
  AddSoundControl(frame, 2, "Groove", "Music Groove(", MusicSettings::kGrooveMin, MusicSettings::kGrooveMax, 20,
                  &MusicSettings::MusicGroove);

  listMusic_ = new QComboBox(frame);
  listMusic_->setObjectName("listMusic");
  listMusic_->setGeometry(8, 84, 149, 21);
  for (const std::string& name : folder_.List("*.MID")) listMusic_->addItem(Text(name));
  listMusic_->setCurrentIndex(-1);

  buttonMusicTest_ = MakeButton(frame, "buttonMusicTest", kTestCaption, QRect(160, 84, 49, 21));
  connect(buttonMusicTest_, &QPushButton::clicked, this, &frmOptions::OnMusicTest);
}

void frmOptions::AddSoundControl(QGroupBox* frame, int index, const char* name, const char* caption,
                                 int minimum, int maximum, int largeStep, std::int32_t MusicSettings::*setting) {
  SoundControl& control = sound_[static_cast<std::size_t>(index)];
  control.caption = caption;
  control.setting = setting;
  control.label = MakeLabel(frame, QString(), QRect(8, 16 + 24 * index, 96, 15));
  control.label->setObjectName(QString("label") + name);
  control.label->setFont(FittingFont(font(), {"Music Tempo(100) :", "Music Volume(-200) :", "Music Groove(-99) :"},
                                        control.label->width()));
  control.slider = new QScrollBar(Qt::Horizontal, frame);
  control.slider->setObjectName(QString("scroll") + name);
  control.slider->setGeometry(104, 12 + 24 * index, 337, 21);
  control.slider->setRange(minimum, maximum);
  control.slider->setSingleStep(1);
  control.slider->setPageStep(largeStep);
  connect(control.slider, &QScrollBar::valueChanged, this,
          [this, &control](int value) { OnSliderMoved(control, value); });
}

void frmOptions::BuildButtons() {
  buttonSave_ = MakeButton(this, "buttonSave", "Save and Close", QRect(252, 368, 101, 21));
  buttonClose_ = MakeButton(this, "buttonClose", "Close", QRect(356, 368, 93, 21));
  connect(buttonSave_, &QPushButton::clicked, this, &frmOptions::OnSaveAndClose);
  connect(buttonClose_, &QPushButton::clicked, this, &frmOptions::reject);
}

// The shared state only changes through this window, so this shows what the
// window held when it was last hidden.
void frmOptions::ShowCurrentValues() {
  for (int player = 0; player < FigureCount; ++player) {
    const KeyLayout& keys = state_.Characters[static_cast<std::size_t>(player)].Keys;
    for (int slot = 0; slot < KeySlotCount; ++slot) {
      QComboBox* list = keyLists_[static_cast<std::size_t>(player)][static_cast<std::size_t>(slot)];
      const QSignalBlocker quiet(list);
      list->setCurrentIndex(KeySlot(keys, slot));
    }
  }
  MarkKeyClashes();
  for (const SoundControl& control : sound_) {
    const QSignalBlocker quiet(control.slider);
    control.slider->setValue(state_.Music.*control.setting);
    ShowSliderValue(control);
  }
}

void frmOptions::OnKeyChosen(int player, int slot, int index) {
  if (index < 0) return;
  KeySlot(state_.Characters[static_cast<std::size_t>(player)].Keys, slot) = index;
  MarkKeyClashes();
}

void frmOptions::MarkKeyClashes() {
  for (int player = 0; player < FigureCount; ++player) {
    for (int slot = 0; slot < KeySlotCount; ++slot) {
      MarkAsClash(keyLists_[static_cast<std::size_t>(player)][static_cast<std::size_t>(slot)],
                  KeyClashText(OtherUsesOfKey(state_.Characters, player, slot)));
    }
  }
}

void frmOptions::OnSliderMoved(const SoundControl& control, int value) {
  state_.Music.*control.setting = value;
  ShowSliderValue(control);
  ApplySettingsToEngine();
}

void frmOptions::ShowSliderValue(const SoundControl& control) {
  control.label->setText(QString("%1%2) :").arg(control.caption).arg(control.slider->value()));
}

void frmOptions::ApplySettingsToEngine() {
  if (engineReady_) ApplyMusicSettings(music_, state_.Music);
}

void frmOptions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowCurrentValues();
  input_->ShowPads();
  EnsureEngine();
  ApplySettingsToEngine();
}

// The engine belongs to one opening of the window: set up when shown,
// released when hidden, so an opening never finds it released under it.
bool frmOptions::EnsureEngine() {
  if (!engineReady_) engineReady_ = music_.InitMusic(kMusicChannels);
  return engineReady_;
}

void frmOptions::OnMusicTest() {
  if (testPlaying_) {
    StopTest();
    return;
  }
  if (listMusic_->currentIndex() < 0) {
    messages_.Show("File not selected.", kFileNotFoundTitle, MessageIcon::Critical);
    return;
  }
  StartTest();
}

void frmOptions::StartTest() {
  const auto file = folder_.Find(listMusic_->currentText().toStdString());
  if (!file) {
    messages_.Show("File does not exsist.", kFileNotFoundTitle, MessageIcon::Critical);
    return;
  }
  // Without a sound device the test runs silently, so the button behaves the
  // same for every player; the reason was told when the engine failed.
  if (EnsureEngine()) {
    testSegment_ = music_.LoadMusic(*file, true);
    ApplySettingsToEngine();
    music_.PlayMusic(testSegment_.get(), -1);
  }
  testPlaying_ = true;
  buttonMusicTest_->setText(kStopCaption);
}

void frmOptions::StopTest() {
  if (!testPlaying_) return;
  if (engineReady_) music_.StopMusic(testSegment_.get());
  testSegment_.reset();
  testPlaying_ = false;
  buttonMusicTest_->setText(kTestCaption);
  if (cpuGroup_) cpuGroup_->ShowCurrentValue();
}

void frmOptions::OnSaveAndClose() {
  const std::vector<std::string> failures = SaveEverything();
  if (failures.empty()) {
    Leave(QDialog::Accepted);
    return;
  }
  std::string text = "Not everything could be saved:";
  for (const std::string& failure : failures) text += "\n" + failure;
  text += "\nThe settings stay in effect until the game ends.";
  messages_.Show(text, kProgramTitle, MessageIcon::Critical);
}

// Every file is attempted even after a failure, so one bad file loses no more
// than itself.
std::vector<std::string> frmOptions::SaveEverything() const {
  std::vector<std::string> failures;
  for (int player = 0; player < FigureCount; ++player) {
    const IoResult saved = state_.Characters[static_cast<std::size_t>(player)].Keys.Save(folder_, std::to_string(player));
    if (!saved) failures.push_back(saved.reason);
  }
  const IoResult saved = WriteMusicSettings(folder_, state_.Music);
  if (!saved) failures.push_back(saved.reason);
  // Players who never chose a pad get no file for it.
  if (AnyPadChosen(state_.Pads) || folder_.Exists(kPadChoicesFileName)) {
    const IoResult padsSaved = WritePadChoices(folder_, state_.Pads);
    if (!padsSaved) failures.push_back(padsSaved.reason);
  }
  const IoResult savedCpu = WriteCpuStrengthSetting(folder_, state_.CpuStrength);
  if (!savedCpu) failures.push_back(savedCpu.reason);
  return failures;
}

void frmOptions::reject() { Leave(QDialog::Rejected); }

void frmOptions::Leave(int result) {
  StopTest();
  if (engineReady_) music_.ReleaseMusic();
  engineReady_ = false;
  QDialog::done(result);
}

}  // namespace fl3
