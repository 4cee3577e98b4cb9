#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ai/CpuStrength.h"
#include "core/Clock.h"
#include "core/GameFolder.h"
#include "core/GamepadSource.h"
#include "core/GameState.h"
#include "core/KeyState.h"
#include "core/Messages.h"
#include "match/MatchFrame.h"
#include "media/MatchPictures.h"
#include "media/MusicEngine.h"
#include "media/SpriteRenderer.h"
#include "replay/Replay.h"
#include "ui/match/ScaledFrameWidget.h"

namespace fl3 {

class ExplosionSound;
class ReplayPlayback;

// The full-screen match window. YA runs one whole match: keyboard, level
// music, pictures, the frame loop, and the tear-down that leaves the shared
// state in its between-matches form.
class frmNormalGame : public ScaledFrameWidget {
  Q_OBJECT

 public:
  // Stand-ins for tests: where the keys and the time come from.
  struct Devices {
    std::function<std::unique_ptr<KeyboardSource>(QObject& window)> keyboard;
    Clock* clock = nullptr;
    // The stand-in clock runs on by itself: step again at once instead of sleeping.
    bool clockRunsByItself = false;
  };

  frmNormalGame(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music,
                ExplosionSound* sounds, QWidget* parent = nullptr);
  ~frmNormalGame() override;

  void SetDevices(Devices devices) { devices_ = std::move(devices); }
  // The players' pads, for the whole run; null: the keyboard alone.
  void SetGamepads(GamepadSource* pads) { pads_ = pads; }
  // The computer players' dice for this match: the same seed and the same
  // keys give the same match.
  void SetComputerSeed(std::uint64_t seed) { computerSeed_ = seed; }
  // The level's file name, for the replay.
  void SetLevelName(std::string name) { levelName_ = std::move(name); }
  // Where the replay of each match goes once it is over; unset: no replay.
  void SetReplaySink(std::function<void(Replay)> sink) { replaySink_ = std::move(sink); }
  // A quest's stage: each computer player at a strength of its own, and a
  // watch on every frame that may end the match (see MatchLoop::Hooks).
  void SetComputerStrengths(const std::array<CpuStrength, FigureCount>& strengths) { strengths_ = strengths; }
  void SetFrameWatch(std::function<bool(const FrameOutcome&)> watch) { frameWatch_ = std::move(watch); }
  // Covers the whole screen, also where no window manager honours a full-screen request.
  void ShowOnWholeScreen();

  void YA(std::int32_t tileSetNumber, std::int32_t backgroundNumber, std::int32_t choice1, std::int32_t choice2,
          std::int32_t choice3, std::int32_t choice4);
  // Shows a replay, played through, as its match looked, with the keys to
  // pause, step, change speed and jump shown below the panels, until Escape.
  void Watch(ReplayPlayback& playback, const MatchStart& start);
  // A match that runs elsewhere (network play): the window sets up pictures
  // and music as for a local match, hands out this machine's keyboard and
  // pads, and shows and sounds the frames it is given until EndShownMatch.
  void BeginShownMatch(const MatchStart& start);
  std::unique_ptr<KeyboardSource> OpenKeyboard();
  void PollPads();
  void ShowFrame(const DrawList& draws, const QImage* overlay) { Present(draws, overlay); }
  void Sound(int beeps);
  void NoteOutcome(const FrameOutcome& outcome);
  void EndShownMatch();

  // How the last match ended, for the caller and tests.
  MatchEnd LastEnd() const { return lastEnd_; }
  int LastWinner() const { return lastWinner_; }
  int FramesShown() const { return framesShown_; }
  const QImage& BackBuffer() const { return renderer_.BackBuffer(); }

 private:
  // Music and pictures, and the window ready for keys.
  void SetUp(std::int32_t tileSetNumber, std::int32_t backgroundNumber,
             const std::array<std::int32_t, FigureCount>& choices);
  void StartLevelMusic();
  void StopLevelMusic();
  void BuildPictures(std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                     const std::array<std::int32_t, FigureCount>& choices);
  void RunFrames(std::int32_t tileSetNumber, std::int32_t backgroundNumber,
                 const std::array<std::int32_t, FigureCount>& choices);
  void HandOverReplay(ReplayRecorder& recorder, const MatchEngine& engine);
  void RunReplay(ReplayPlayback& playback);
  void Present(const DrawList& draws, const QImage* overlay = nullptr);
  void TearDown();

  GameState& state_;
  const GameFolder& folder_;
  Messages& messages_;
  MusicEngine& music_;
  ExplosionSound* sounds_;
  Devices devices_;
  GamepadSource* pads_ = nullptr;
  SpriteRenderer renderer_;
  MatchPictures pictures_;
  MusicSegmentPtr musicSegment_;
  MatchEnd lastEnd_ = MatchEnd::Running;
  int lastWinner_ = -1;
  int framesShown_ = 0;
  std::uint64_t computerSeed_ = 0;
  std::string levelName_;
  std::function<void(Replay)> replaySink_;
  std::optional<std::array<CpuStrength, FigureCount>> strengths_;
  std::function<bool(const FrameOutcome&)> frameWatch_;
};

}  // namespace fl3
