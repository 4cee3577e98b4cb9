#pragma once
#include <cstdint>

#include "core/Clock.h"
#include "core/GameFolder.h"
#include "core/GamepadSource.h"
#include "core/GameState.h"
#include "core/KeyState.h"
#include "core/Messages.h"
#include "match/SeatLayoutControls.h"
#include "media/MusicEngine.h"
#include "ui/match/MatchWindow.h"
#include "ui/netplay/NetPlayLinks.h"
#include "ui/start/StartMatchPreparation.h"

class QWidget;

namespace fl3 {

class ExplosionSound;
class NetPlayPump;

// The windows of a network game, from the start screen's Start to its
// return: the host's waiting room, the client's "Join" and waiting room, the
// match, and a clear message for every way it can fail.
class NetPlayFlow {
 public:
  struct Parts {
    GameState& state;
    const GameFolder& folder;
    Messages& messages;
    MusicEngine& music;
    ExplosionSound* sounds = nullptr;
    GamepadSource* pads = nullptr;
    Clock& clock;
    QWidget* parent = nullptr;
    // Stand-ins for the match window's keyboard and clock, for tests.
    frmNormalGame::Devices devices;
    // Where the replay of each match played goes, once its window is gone.
    std::function<void(Replay)> replaySink;
  };

  NetPlayFlow(Parts parts, NetPlayLinks& links);

  // Each returns true when a match was played.
  bool Host(const NetHostChoices& choices, std::uint64_t cpuSeed);
  bool Join();

 private:
  bool Play(NetPlayPump& pump);
  void Leave(NetPlayPump& pump);
  void Tell(const NetPlayEnd& end);
  bool AskToWatch(const NetPlayEnd& end);

  Parts parts_;
  NetPlayLinks& links_;
  KeyState keys_{};
  SeatLayoutControls players_;
};

}  // namespace fl3
