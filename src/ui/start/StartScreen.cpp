#include "ui/start/StartScreen.h"

#include <algorithm>
#include <string>

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "ui/start/StartControllerButton.h"
#include "ui/start/StartKinds.h"
#include "ui/start/StartLevelList.h"
#include "ui/start/StartMatchPreparation.h"

namespace fl3 {
namespace {

constexpr int kClientWidth = 312;
constexpr int kClientHeight = 320;

void Inform(Messages& messages, const std::string& text) {
  messages.Show(text, kProgramTitle, MessageIcon::Critical, MessageButtons::Ok);
}

// The player's folder is named because installed, the game's own files lie
// elsewhere and cannot be written.
std::string NoCharacterSheet(const GameFolder& folder) {
  return "Cannot find the character pictures file.  Please find or create the file C.BMP in " +
         folder.Directory().string() + "  Make sure it follows the standard size.";
}

}  // namespace

frmStart::frmStart(GameState& state, const GameFolder& folder, Messages& messages, StartScreenHooks hooks,
                   QWidget* parent)
    : QWidget(parent), state_(state), folder_(folder), messages_(messages), hooks_(std::move(hooks)) {
  setWindowTitle(QString());
  setFixedSize(kClientWidth, kClientHeight);
  // The controls are laid out in pixels for a small dialog font.
  QFont dialogFont = font();
  dialogFont.setPixelSize(11);
  setFont(dialogFont);
  BuildControls();
  ConnectControls();
  Open();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  buttonPlay_->setFocus();
}

frmStart::~frmStart() = default;

void frmStart::ConnectControls() {
  connect(scrollPlay_, &QScrollBar::valueChanged, this, &frmStart::ApplyKind);
  connect(scrollEdit_, &QScrollBar::valueChanged, this, &frmStart::ApplyEditMode);
  connect(listRules_, &QComboBox::currentIndexChanged, this, [this] { ApplyKind(scrollPlay_->value()); });
  for (int i = 0; i < FigureCount; ++i) {
    connect(buttonChar(i), &QPushButton::clicked, this, [this, i] { CycleController(i); });
    connect(scrollChar(i), &QScrollBar::valueChanged, this, [this, i] { ShowPortrait(i); });
  }
  connect(buttonPlay_, &QPushButton::clicked, this, &frmStart::StartMatch);
  connect(buttonEdit_, &QPushButton::clicked, this, &frmStart::Edit);
  connect(buttonOptions_, &QPushButton::clicked, this, [this] {
    if (hooks_.OpenOptions) hooks_.OpenOptions();
  });
  connect(buttonQuit_, &QPushButton::clicked, this, &QWidget::close);
  connect(buttonReplays_, &QPushButton::clicked, this, [this] {
    if (!matchRunning_ && hooks_.OpenReplays) hooks_.OpenReplays();
  });
}

void frmStart::Open() {
  const std::string playersFolder = folder_.Directory().string();
  if (!folder_.Exists("C.BMP")) Inform(messages_, NoCharacterSheet(folder_));
  if (folder_.List("*.FL3").empty()) {
    Inform(messages_, "Cannot find any map files.  Please find or create *.FL3 in " + playersFolder);
  }
  if (folder_.List("A*.BMP").empty()) {
    Inform(messages_, "Cannot find any tileset picture files.  Please find or create A*.BMP in " + playersFolder +
                          "  Make sure it follows the standard size.");
  }
  FillLevelList();
  state_.Characters[0].Cont = ContMan;
  state_.Characters[1].Cont = ContCpu;
  ShowControllers();

  if (!sheet_.Load(folder_)) {
    // A sheet that is there but unreadable or too small gets the same word.
    if (folder_.Exists("C.BMP")) Inform(messages_, NoCharacterSheet(folder_));
    return;
  }
  for (int i = 0; i < FigureCount; ++i) {
    QScrollBar* scroll = scrollChar(i);
    const QSignalBlocker quiet(scroll);
    scroll->setRange(0, sheet_.Rows() - 1);
    scroll->setValue(i);
    ShowPortrait(i);
  }
}

void frmStart::FillLevelList() {
  listLevel_->clear();
  for (const std::string& entry : LevelListEntries(folder_)) listLevel_->addItem(QString::fromStdString(entry));
  listLevel_->setCurrentIndex(0);
}

void frmStart::ShowControllers() {
  for (int i = 0; i < FigureCount; ++i) ShowSeat(*buttonChar(i), SeatOfCont(state_.Characters[static_cast<std::size_t>(i)].Cont));
}

std::array<SeatChoice, FigureCount> frmStart::Seats() const {
  std::array<SeatChoice, FigureCount> seats{};
  for (int i = 0; i < FigureCount; ++i) {
    seats[static_cast<std::size_t>(i)] = SeatOfCaption(buttonChar(i)->text()).value_or(SeatChoice::Off);
  }
  return seats;
}

void frmStart::ShowSeats(const std::array<SeatChoice, FigureCount>& seats) {
  for (int i = 0; i < FigureCount; ++i) {
    const SeatChoice seat = seats[static_cast<std::size_t>(i)];
    state_.Characters[static_cast<std::size_t>(i)].Cont = ContOfSeat(seat);
    ShowSeat(*buttonChar(i), seat);
  }
}

// A seat for another machine means nothing in a local match.
void frmStart::DropNetworkSeats() {
  std::array<SeatChoice, FigureCount> seats = Seats();
  for (SeatChoice& seat : seats) {
    if (seat == SeatChoice::Net) seat = SeatChoice::Off;
  }
  ShowSeats(seats);
}

void frmStart::ShowPortrait(int figure) {
  if (!sheet_.Loaded()) return;
  picChar(figure)->setPixmap(sheet_.Portrait(scrollChar(figure)->value()));
}

void frmStart::ApplyKind(int value) {
  if (value < 0 || value >= kStartKindCount) return;
  const StartKindRow& row = kStartKinds[value];
  buttonPlay_->setText(QString::fromLatin1(row.caption));
  buttonPlay_->setEnabled(row.canStart);
  listLevel_->setVisible(row.showsLevels);
  const bool hostRules = row.net == NetRole::Host;
  const bool timed = listRules_->currentIndex() != MatchNormal;
  listRules_->setVisible(hostRules);
  // A quest seats its players and opponents itself.
  listPlayers_->setVisible(row.quest != QuestKind::None);
  for (QPushButton* button : buttonChar_) button->setVisible(row.quest == QuestKind::None);
  picLives_->setVisible(hostRules ? !timed : row.showsLives);
  picTime_->setVisible(hostRules ? timed : row.showsTime);
  // A client plays the figures the host gives it: its own choices would
  // count for nothing, so they cannot be made, and the screen says why.
  const bool hostDecides = row.net == NetRole::Client;
  for (int i = 0; i < FigureCount; ++i) {
    scrollChar(i)->setEnabled(!hostDecides);
    buttonChar(i)->setEnabled(!hostDecides);
  }
  hostDecides_->setVisible(hostDecides);
  if (row.net == NetRole::None) DropNetworkSeats();
}

void frmStart::ApplyEditMode(int value) {
  if (value < 0 || value >= kStartEditModeCount) return;
  buttonEdit_->setText(QString::fromLatin1(kStartEditModes[value].caption));
  buttonEdit_->setEnabled(kStartEditModes[value].canEdit);
}

void frmStart::CycleController(int figure) {
  const auto seat = SeatOfCaption(buttonChar(figure)->text());
  if (!seat) return;
  const int kind = scrollPlay_->value();
  const bool network = kind >= 0 && kind < kStartKindCount && kStartKinds[kind].net != NetRole::None;
  const SeatChoice next = NextSeat(*seat, network);
  state_.Characters[static_cast<std::size_t>(figure)].Cont = ContOfSeat(next);
  ShowSeat(*buttonChar(figure), next);
}

bool frmStart::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buttonPlay_ && event->type() == QEvent::KeyPress) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && !key.isAutoRepeat()) {
      buttonPlay_->click();
      return true;
    }
  }
  // Releasing the mouse over a controller button hands the focus to Start,
  // so that Enter starts the match. The button sees its release first: a
  // button losing the focus while held down would drop the click.
  if (event->type() == QEvent::MouseButtonRelease &&
      std::find(buttonChar_.begin(), buttonChar_.end(), watched) != buttonChar_.end()) {
    watched->event(event);
    buttonPlay_->setFocus(Qt::MouseFocusReason);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

StartChoices frmStart::ReadChoices() const {
  StartChoices choices;
  choices.kind = scrollPlay_->value();
  for (int i = 0; i < FigureCount; ++i) choices.livesEntries[static_cast<std::size_t>(i)] = txtboxLives(i)->text().toStdString();
  choices.timeEntry = txtboxTime_->text().toStdString();
  for (int i = 0; i < listLevel_->count(); ++i) choices.levelEntries.push_back(listLevel_->itemText(i).toStdString());
  choices.selectedEntry = static_cast<std::size_t>(std::max(0, listLevel_->currentIndex()));
  return choices;
}

void frmStart::StartMatch() {
  if (matchRunning_ || !sheet_.Loaded()) return;
  const int kind = scrollPlay_->value();
  if (kind >= 0 && kind < kStartKindCount && kStartKinds[kind].net != NetRole::None) {
    return StartNetworkMatch(kStartKinds[kind].net);
  }
  if (kind >= 0 && kind < kStartKindCount && kStartKinds[kind].quest != QuestKind::None) {
    return StartQuest(kStartKinds[kind].quest);
  }
  const std::optional<MatchLevel> level = PrepareMatch(ReadChoices(), state_, folder_, messages_);
  if (!level) return;
  matchRunning_ = true;
  if (hooks_.RunMatch) {
    hooks_.RunMatch(level->tileSetNumber, level->backgroundNumber, scrollChar(0)->value(), scrollChar(1)->value(),
                    scrollChar(2)->value(), scrollChar(3)->value(), level->name);
  }
  matchRunning_ = false;
  // The match's tear-down has put the controllers back to MAN, CPU, OFF, OFF.
  ShowControllers();
}

// A match that was played leaves the controllers as after any match; one
// that never began leaves the screen as it was.
void frmStart::StartNetworkMatch(NetRole role) {
  const std::array<SeatChoice, FigureCount> seats = Seats();
  bool played = false;
  matchRunning_ = true;
  if (role == NetRole::Client) {
    if (hooks_.JoinMatch) played = hooks_.JoinMatch();
  } else {
    StartChoices choices = ReadChoices();
    choices.kind = listRules_->currentIndex();
    if (const std::optional<MatchLevel> level = PrepareMatch(choices, state_, folder_, messages_)) {
      NetHostChoices host{*level, {}, seats};
      for (int i = 0; i < FigureCount; ++i) host.characters[static_cast<std::size_t>(i)] = scrollChar(i)->value();
      if (hooks_.HostMatch) played = hooks_.HostMatch(host);
    }
  }
  matchRunning_ = false;
  if (played) {
    ShowControllers();
  } else {
    ShowSeats(seats);
  }
}

// Players 1 and 2 play the quest whatever their controller buttons say; the
// buttons show the controllers as after any match once it is over.
void frmStart::StartQuest(QuestKind kind) {
  const StartChoices read = ReadChoices();
  QuestStartChoices choices;
  choices.kind = kind;
  choices.players = listPlayers_->currentIndex() + 1;
  choices.characters = {scrollChar(0)->value(), scrollChar(1)->value()};
  choices.levelEntries = read.levelEntries;
  choices.selectedEntry = read.selectedEntry;
  matchRunning_ = true;
  if (hooks_.PlayQuest) hooks_.PlayQuest(choices);
  matchRunning_ = false;
  ShowControllers();
}

void frmStart::Edit() {
  if (matchRunning_) return;
  if (scrollEdit_->value() == kEditNetPlaySession) {
    if (hooks_.OpenNetPlaySession) hooks_.OpenNetPlaySession();
    return;
  }
  if (scrollEdit_->value() == kEditQuestMode) {
    if (hooks_.OpenQuestEditor) hooks_.OpenQuestEditor();
    // A stage tried there ended like any match.
    ShowControllers();
  } else if (hooks_.OpenEditor) {
    hooks_.OpenEditor();
  }
  // Levels saved in the editor, or brought in with a quest, show up at once.
  FillLevelList();
}

void frmStart::RemoveScratchPictures() {
  for (const char* name : {"T.BMP", "T1.BMP", "T2.BMP", "T3.BMP", "T4.BMP"}) folder_.Remove(name);
}

void frmStart::closeEvent(QCloseEvent* event) {
  if (matchRunning_) {
    event->ignore();
    return;
  }
  RemoveScratchPictures();
  event->accept();
  if (hooks_.Quit) hooks_.Quit();
}

}  // namespace fl3
