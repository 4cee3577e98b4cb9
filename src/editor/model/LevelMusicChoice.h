#pragma once
#include <optional>
#include <string>
#include <vector>

#include "media/MusicEngine.h"

namespace fl3 {

struct GameState;
class GameFolder;
class Messages;

inline constexpr const char* kMusicTestCaption = "Test";
inline constexpr const char* kMusicStopCaption = "Stop";
inline constexpr int kMusicChannels = 128;

// The text property dialog without its window: the list of tunes, the
// level's choice among them and the test playing, which lives from Start to
// Close.
class LevelMusicChoice {
 public:
  LevelMusicChoice(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music);

  // An empty first entry (no music), then the folder's "*.MID" files.
  std::vector<std::string> Entries() const;
  // The first entry equal to the level's music, letter case regarded.
  static std::optional<int> EntryOf(const std::vector<std::string>& entries, const std::string& levelMusic);

  void Start();
  // The user picked an entry; this is no change that needs saving.
  void Choose(const std::string& entry);
  // Test or Stop, by the caption; `selected` is the selected entry if any.
  void PressTest(const std::optional<std::string>& selected);
  // Stops a test and shuts the music down; safe to call more than once.
  void Close();

  const char* Caption() const { return testing_ ? kMusicStopCaption : kMusicTestCaption; }

 private:
  void StartTest(const std::string& entry);

  GameState& state_;
  const GameFolder& folder_;
  Messages& messages_;
  MusicEngine& music_;
  bool started_ = false;
  bool musicReady_ = false;
  bool testing_ = false;
  MusicSegmentPtr testSegment_;
};

}  // namespace fl3
