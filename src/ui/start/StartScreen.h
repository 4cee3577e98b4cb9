#pragma once
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/GameState.h"
#include "ui/start/StartCharacterSheet.h"
#include "ui/start/StartControllerButton.h"
#include "ui/start/StartKinds.h"
#include "ui/start/StartMatchPreparation.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace fl3 {

class GameFolder;
class Messages;
class StartLivesFilter;

// What the start screen hands over to the rest of the program.
struct StartScreenHooks {
  // Runs one whole match and returns when it is over: the level's tileset
  // and background numbers, the character picture row of each figure and the
  // level file's name.
  std::function<void(std::int32_t tileSetNumber, std::int32_t backgroundNumber, std::int32_t choice1,
                     std::int32_t choice2, std::int32_t choice3, std::int32_t choice4, const std::string& levelName)>
      RunMatch;
  // The host's way into a network match, once the choices have passed the
  // checks and the level is loaded; the client's way in. Each returns when
  // it is over, true when a match was played.
  std::function<bool(const NetHostChoices& choices)> HostMatch;
  std::function<bool()> JoinMatch;
  // A quest, from its first window to its last; returns when it is left or over.
  std::function<void(const QuestStartChoices& choices)> PlayQuest;
  std::function<void()> OpenEditor;   // modal; returns when the editor is closed
  std::function<void()> OpenNetPlaySession;  // modal: the network play settings
  std::function<void()> OpenQuestEditor;  // modal; returns when the quest editor is closed
  std::function<void()> OpenOptions;  // modal; returns when the options are closed
  std::function<void()> OpenReplays;  // modal; returns when the list of replays is closed
  std::function<void()> Quit;         // the program ends
};

// The main window, where a match is put together: level, kind of match,
// each figure's controller, character and lives, the time, and the way to
// the editor, the network play settings, the options and the replays (below
// the others, so that every other control keeps its place).
class frmStart : public QWidget {
  Q_OBJECT

 public:
  // Opening shows its three informing messages. Without a usable character
  // sheet the screen cannot work: CharacterSheetLoaded() is then false and
  // the program should end.
  frmStart(GameState& state, const GameFolder& folder, Messages& messages, StartScreenHooks hooks = {},
           QWidget* parent = nullptr);
  ~frmStart() override;

  void SetHooks(StartScreenHooks hooks) { hooks_ = std::move(hooks); }
  bool CharacterSheetLoaded() const { return sheet_.Loaded(); }

  QLabel* picTop() const { return picTop_; }
  QPushButton* buttonPlay() const { return buttonPlay_; }
  QScrollBar* scrollPlay() const { return scrollPlay_; }
  QLabel* picChar(int i) const { return picChar_.at(static_cast<std::size_t>(i)); }
  QComboBox* listLevel() const { return listLevel_; }
  // The network host's rules: Normal, Most Kills or Most Lives.
  QComboBox* listRules() const { return listRules_; }
  // How many play a quest: one, or two as allies.
  QComboBox* listPlayers() const { return listPlayers_; }
  // In the client's kind: the host chooses the figures.
  QLabel* hostDecides() const { return hostDecides_; }
  QWidget* picLives() const { return picLives_; }
  QLineEdit* txtboxLives(int i) const { return txtboxLives_.at(static_cast<std::size_t>(i)); }
  QWidget* picTime() const { return picTime_; }
  QLineEdit* txtboxTime() const { return txtboxTime_; }
  QScrollBar* scrollChar(int i) const { return scrollChar_.at(static_cast<std::size_t>(i)); }
  QPushButton* buttonChar(int i) const { return buttonChar_.at(static_cast<std::size_t>(i)); }
  QPushButton* buttonEdit() const { return buttonEdit_; }
  QScrollBar* scrollEdit() const { return scrollEdit_; }
  QPushButton* buttonOptions() const { return buttonOptions_; }
  QPushButton* buttonQuit() const { return buttonQuit_; }
  QPushButton* buttonReplays() const { return buttonReplays_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildTitle();
  void BuildMatchControls();
  void BuildFigureColumns();
  void BuildEntryPanels();
  void BuildBottomButtons();
  void ConnectControls();
  void Open();

  void FillLevelList();
  void ShowControllers();
  void ShowPortrait(int figure);
  void ApplyKind(int value);
  void ApplyEditMode(int value);
  void CycleController(int figure);
  void DropNetworkSeats();
  std::array<SeatChoice, FigureCount> Seats() const;
  void ShowSeats(const std::array<SeatChoice, FigureCount>& seats);
  StartChoices ReadChoices() const;
  void StartMatch();
  void StartNetworkMatch(NetRole role);
  void StartQuest(QuestKind kind);
  void Edit();
  void RemoveScratchPictures();

  GameState& state_;
  const GameFolder& folder_;
  Messages& messages_;
  StartScreenHooks hooks_;
  StartCharacterSheet sheet_;
  bool matchRunning_ = false;

  QLabel* picTop_ = nullptr;
  QFrame* lineTop_ = nullptr;
  QPushButton* buttonPlay_ = nullptr;
  QScrollBar* scrollPlay_ = nullptr;
  std::array<QLabel*, FigureCount> picChar_{};
  QComboBox* listLevel_ = nullptr;
  QComboBox* listRules_ = nullptr;
  QComboBox* listPlayers_ = nullptr;
  QLabel* hostDecides_ = nullptr;  // a client's note in place of the figure choices
  QWidget* picLives_ = nullptr;
  std::array<QLineEdit*, FigureCount> txtboxLives_{};
  StartLivesFilter* livesFilter_ = nullptr;
  QWidget* picTime_ = nullptr;
  QLineEdit* txtboxTime_ = nullptr;
  std::array<QScrollBar*, FigureCount> scrollChar_{};
  std::array<QPushButton*, FigureCount> buttonChar_{};
  QPushButton* buttonEdit_ = nullptr;
  QScrollBar* scrollEdit_ = nullptr;
  QPushButton* buttonOptions_ = nullptr;
  QPushButton* buttonQuit_ = nullptr;
  QPushButton* buttonReplays_ = nullptr;
};

}  // namespace fl3
