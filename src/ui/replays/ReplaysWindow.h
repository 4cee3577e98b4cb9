#pragma once
#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "core/GameState.h"
#include "replay/ReplayShelf.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace fl3 {

class GameFolder;
class Messages;
class ReplayPlayback;

// The list of replays, newest first (date, level, kind, players, winner),
// with "Watch", "Keep" and "Delete". A replay is played through and checked
// before it is shown; one that cannot be read or does not play back as
// recorded is refused with its reason. Watching leaves the start screen's
// choices and the shared random source as they were.
class frmReplays : public QDialog {
  Q_OBJECT

 public:
  // Shows a played-through replay full screen; returns when the player leaves it.
  using WatchHook = std::function<void(ReplayPlayback& playback, const MatchStart& start)>;

  frmReplays(GameState& state, const GameFolder& folder, const ReplayShelf& shelf, Messages& messages,
             WatchHook watch, QWidget* parent = nullptr);

  QTreeWidget* list() const { return list_; }
  // Said in place of the list while it has nothing in it.
  QLabel* emptyNote() const { return empty_; }
  QPushButton* buttonWatch() const { return buttonWatch_; }
  QPushButton* buttonKeep() const { return buttonKeep_; }
  QPushButton* buttonDelete() const { return buttonDelete_; }

 private:
  void Fill(const std::string& select = {});
  std::string SelectedFile() const;
  void ShowButtons();
  void WatchSelected();
  void KeepSelected();
  void DeleteSelected();

  GameState& state_;
  const GameFolder& folder_;
  const ReplayShelf& shelf_;
  Messages& messages_;
  WatchHook watch_;
  QTreeWidget* list_ = nullptr;
  QLabel* empty_ = nullptr;
  QPushButton* buttonWatch_ = nullptr;
  QPushButton* buttonKeep_ = nullptr;
  QPushButton* buttonDelete_ = nullptr;
};

}  // namespace fl3
