#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/IoResult.h"
#include "match/ControlFrame.h"
#include "match/FrameRecorder.h"
#include "match/MatchFrame.h"
#include "match/MatchSnapshot.h"
#include "match/MatchStart.h"

namespace fl3 {

// A whole match as a value: its start, one control frame per frame played,
// and the state's hash every kHashEvery frames and after the last frame, to
// prove that playing it back gives the same match.
struct Replay {
  static constexpr int kHashEvery = 20;
  // Four hours of the game's shortest frames: longer matches are not kept.
  static constexpr std::size_t kMaxFrames = 4u * 3600u * 1000u / 51u;

  MatchStart start;
  std::vector<ControlFrame> frames;
  std::vector<std::uint64_t> hashes;  // after frames 20, 40, ...
  std::uint64_t finalHash = 0;        // after the last frame
  MatchEnd end = MatchEnd::Running;
  int winner = -1;
  std::int64_t recordedAtSeconds = 0;  // Unix time the match ended
  std::string gameVersion;
  // What the list of replays tells beside the match itself: the occasion
  // ("Network match", a quest's stage) and who played each seat; empty when
  // nothing is known (and in replays of the first format).
  std::string occasion;
  std::array<std::string, FigureCount> names;
  static constexpr std::size_t kMaxOccasionBytes = 200, kMaxNameBytes = 32;
  friend bool operator==(const Replay&, const Replay&) = default;
};

// The occasion of a match played over the network ("..., watched" follows it
// on a spectator's machine).
inline constexpr std::string_view kNetworkMatchOccasion = "Network match";
inline bool IsNetworkMatch(const Replay& replay) { return replay.occasion.starts_with(kNetworkMatchOccasion); }

// The version of the game that records, as replays and reports name it.
std::string_view GameVersion();

// Collects a replay while a match runs; no allocation per frame once
// reserved, no file I/O.
class ReplayRecorder : public FrameRecorder {
 public:
  explicit ReplayRecorder(MatchStart start);
  // After every frame, with the controls the frame applied and the engine
  // after it (hashed when a hash is due). Frames beyond kMaxFrames are dropped.
  void AddFrame(const ControlFrame& frame, const MatchEngine& engineAfterFrame) override;
  // The finished replay; the recorder is empty afterwards.
  Replay Finish(MatchEnd end, int winner, const MatchEngine& engineAtEnd, std::int64_t recordedAtSeconds);
  const Replay& SoFar() const { return replay_; }
  // More frames were played than a replay may hold: the replay is not whole.
  bool TooLong() const { return tooLong_; }

 private:
  Replay replay_;
  MatchSnapshot snapshot_;
  bool tooLong_ = false;
};

// The replay file's bytes, and its strict reader: a damaged, cut or hostile
// file, or one from a newer version of the game, is refused with one clear
// reason, without huge allocations.
std::string EncodeReplay(const Replay& replay);
IoResult DecodeReplay(std::string_view bytes, Replay& replay);

// No replay file is larger; readers need not take in more.
inline constexpr std::size_t kMaxReplayFileBytes = 8u << 20;

}  // namespace fl3
