// FUSELARK3: start-up, the shared state, and the wiring of the windows.
#include <QApplication>
#include <QScrollBar>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

#include "app/DisplayCheck.h"
#include "core/GameFolder.h"
#include "core/GameFolderChoice.h"
#include "core/GameState.h"
#include "core/ProgramOptions.h"
#include "core/RunningLock.h"
#include "core/SteadyClock.h"
#include "editor/EditorWindow.h"
#include "editor/QuestEditorWindow.h"
#include "media/ExplosionSound.h"
#include "media/FluidSynthMusic.h"
#include "media/Gamepads.h"
#include "replay/ReplayShelf.h"
#include "ui/match/MatchPictureCheck.h"
#include "ui/match/MatchWindow.h"
#include "ui/netplay/EnetNetPlayLinks.h"
#include "ui/netplay/NetPlayFlow.h"
#include "ui/netplay/NetPlaySessionWindow.h"
#include "ui/options/OptionsWindow.h"
#include "ui/quest/QtQuestScreens.h"
#include "ui/quest/QuestFlow.h"
#include "ui/replays/ReplaysWindow.h"
#include "ui/shared/DesktopIdentity.h"
#include "ui/shared/QtMessages.h"
#include "ui/start/StartScreen.h"

namespace {

constexpr const char* kHelp =
    "usage: fuselark3 [--help | --version]\n"
    "FUSELARK3, an arena game for two to four players on one keyboard. It opens\n"
    "its start screen on the desktop; the player's keys, settings and levels are\n"
    "kept in $XDG_DATA_HOME/fuselark3 (~/.local/share/fuselark3). See fuselark3(6).\n";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// HOME may be unset under some launchers; the password database still knows.
std::string HomeDirectory() {
  std::string home = Environment("HOME");
  if (home.empty()) {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) home = entry->pw_dir;
  }
  return home;
}

fl3::GameFolder FindGameFolder() {
  fl3::GameFolderPlaces places;
  places.executableDirectory = QCoreApplication::applicationDirPath().toStdString();
  places.shippedFromExecutable = FUSELARK3_SHIPPED_FROM_BIN;
  places.xdgDataHome = Environment("XDG_DATA_HOME");
  places.home = HomeDirectory();
  return fl3::ChooseGameFolder(places);
}

class Game {
 public:
  Game(fl3::GameFolder folder, fl3::IoResult prepared)
      : folder_(std::move(folder)), prepared_(std::move(prepared)), music_(messages_), start_(state_, folder_, messages_) {
    messages_.SetParent(&start_);
    if (pads_) pads_->Choose(state_.Pads);
    fl3::StartScreenHooks hooks;
    hooks.RunMatch = [this](std::int32_t tileSet, std::int32_t background, std::int32_t c1, std::int32_t c2,
                            std::int32_t c3, std::int32_t c4, const std::string& levelName) {
      RunMatch(tileSet, background, {c1, c2, c3, c4}, levelName);
    };
    hooks.HostMatch = [this](const fl3::NetHostChoices& choices) { return netPlay_.Host(choices, matchesStarted_++); };
    hooks.JoinMatch = [this] { return netPlay_.Join(); };
    hooks.PlayQuest = [this](const fl3::QuestStartChoices& choices) { quests_.Play(choices); };
    hooks.OpenEditor = [this] {
      fl3::frmNormalEdit editor(state_, folder_, messages_, music_, &start_);
      editor.OpenModal();
    };
    hooks.OpenNetPlaySession = [this] {
      fl3::NetPlaySessionWindow session(folder_, messages_, &start_);
      session.exec();
    };
    hooks.OpenQuestEditor = [this] { OpenQuestEditor(); };
    hooks.OpenOptions = [this] { OpenOptions(); };
    hooks.OpenReplays = [this] { OpenReplays(); };
    hooks.Quit = [] { QApplication::quit(); };
    start_.SetHooks(std::move(hooks));
  }

  bool Usable() const { return start_.CharacterSheetLoaded(); }
  void Show() {
    start_.show();
    // Once, now, rather than at a failed save much later; the game goes on.
    if (!prepared_) messages_.Show(fl3::UnwritableFolderText(prepared_), fl3::kProgramTitle, fl3::MessageIcon::Critical);
  }

 private:
  // A quest's stage adds each opponent's strength, a watch on every frame,
  // and the occasion and players that its replay names.
  void RunMatch(std::int32_t tileSet, std::int32_t background, const std::array<std::int32_t, 4>& characters,
                const std::string& levelName, const fl3::QuestMatch* stage = nullptr) {
    fl3::ReportUnusableMatchPictures(state_, folder_, messages_);
    std::optional<fl3::Replay> replay;
    {
      fl3::frmNormalGame match(state_, folder_, messages_, music_, &sounds_);
      match.SetGamepads(pads_.get());
      // Matches are counted from start-up, so a run repeats match by match.
      match.SetComputerSeed(matchesStarted_++);
      match.SetLevelName(levelName);
      match.SetReplaySink([&replay, stage](fl3::Replay finished) {
        if (stage) {
          finished.occasion = stage->occasion();
          finished.names = stage->names;
        }
        replay = std::move(finished);
      });
      if (stage) {
        match.SetComputerStrengths(stage->strengths);
        match.SetFrameWatch(stage->afterFrame);
      }
      match.ShowOnWholeScreen();
      QApplication::processEvents();
      match.YA(tileSet, background, characters[0], characters[1], characters[2], characters[3]);
      QApplication::processEvents();
      match.hide();
    }
    if (replay) KeepReplay(*replay);
  }

  // Written once the match is over and its window gone; a disk that refuses
  // costs only the replay.
  void KeepReplay(const fl3::Replay& replay) {
    if (const fl3::IoResult saved = replays_.Add(replay); !saved) {
      messages_.Show("The replay of this match could not be saved: " + saved.reason, "Replays",
                     fl3::MessageIcon::Information);
    }
  }

  void OpenReplays() {
    fl3::frmReplays list(state_, folder_, replays_, messages_,
                         [this](fl3::ReplayPlayback& playback, const fl3::MatchStart& start) {
                           fl3::frmNormalGame match(state_, folder_, messages_, music_, &sounds_);
                           match.ShowOnWholeScreen();
                           QApplication::processEvents();
                           match.Watch(playback, start);
                           QApplication::processEvents();
                           match.hide();
                         },
                         &start_);
    list.exec();
  }

  // A stage tried there is played by the players' pictures chosen on the start screen.
  void OpenQuestEditor() {
    fl3::frmQuestEdit editor(folder_, messages_, [this](const fl3::Quest& quest, int stage, int players) {
      fl3::QuestStartChoices choices;
      choices.players = players;
      choices.characters = {start_.scrollChar(0)->value(), start_.scrollChar(1)->value()};
      quests_.TryStage(quest, stage, choices);
    }, &start_);
    editor.exec();
  }

  void OpenOptions() {
    // Created on the first opening and kept, so it shows what it held.
    if (!options_) {
      options_ = std::make_unique<fl3::frmOptions>(state_, folder_, messages_, music_, &start_, pads_.get());
    }
    options_->OpenModal();
  }

  fl3::GameState state_;
  fl3::GameFolder folder_;
  fl3::IoResult prepared_;
  // Key layouts and music settings are read before any window opens.
  bool startedUp_ = (fl3::StartUp(state_, folder_), true);
  fl3::QtMessages messages_;
  fl3::FluidSynthMusic music_;
  fl3::ExplosionSound sounds_;
  // Null when the pads cannot be used; the keyboard alone then steers.
  std::unique_ptr<fl3::Gamepads> pads_ = fl3::Gamepads::Open();
  fl3::frmStart start_;
  // In the player's folder, or beside the game run from its build folder.
  fl3::ReplayShelf replays_{folder_.Directory() / "replays"};
  std::unique_ptr<fl3::frmOptions> options_;
  std::uint64_t matchesStarted_ = 0;
  fl3::SteadyClock clock_;
  fl3::QtQuestScreens questScreens_{folder_, pads_.get(), &start_};
  fl3::QuestFlow quests_{state_, folder_, messages_, questScreens_, [this](const fl3::QuestMatch& stage) {
                           RunMatch(stage.tileSetNumber, stage.backgroundNumber, stage.characters, stage.levelName, &stage);
                         }};
  fl3::EnetNetPlayLinks netLinks_{state_, folder_};
  fl3::NetPlayFlow netPlay_{{state_, folder_, messages_, music_, &sounds_, pads_.get(), clock_, &start_, {},
                             [this](const fl3::Replay& replay) { KeepReplay(replay); }},
                            netLinks_};
};

}  // namespace

int main(int argc, char* argv[]) {
  if (const auto answered = fl3::AnswerHelpOrVersion(argc, argv, "fuselark3", kHelp, std::cout)) return *answered;
  fl3::DisplayCheck display;
  if (const auto missing = display.MissingDisplay()) {
    std::cerr << "fuselark3: " << *missing << std::endl;
    return 1;
  }
  fl3::PrepareDesktopIdentity();
  QApplication app(argc, argv);
  fl3::ApplyDesktopIdentity();
  fl3::GameFolder folder = FindGameFolder();
  // Made first, so that the very first start holds the lock too.
  fl3::IoResult prepared = fl3::PreparePlayersFolder(folder);
  const fl3::RunningLock running = fl3::RunningLock::Take(folder.Directory());
  if (running.HeldByAnother()) {
    fl3::QtMessages messages;
    messages.Show(fl3::kAlreadyRunningText, fl3::kProgramTitle, fl3::MessageIcon::Information);
    return 1;
  }
  Game game(std::move(folder), std::move(prepared));
  if (!game.Usable()) return 1;
  game.Show();
  return QApplication::exec();
}
