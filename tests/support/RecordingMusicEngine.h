#pragma once
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/Messages.h"
#include "media/MusicEngine.h"

namespace fl3::testing {

// Writes down every call as a line of text, and counts calls made while the
// engine is not set up.
class RecordingMusicEngine : public MusicEngine {
 public:
  explicit RecordingMusicEngine(Messages& messages) : messages_(messages) {}

  bool InitMusic(int channelCount) override {
    calls.push_back("InitMusic " + std::to_string(channelCount));
    initialised = initSucceeds;
    return initSucceeds;
  }
  MusicSegmentPtr LoadMusic(const std::filesystem::path& file, bool isMidi) override {
    Use("LoadMusic " + file.filename().string() + (isMidi ? " midi" : ""));
    if (!loadSucceeds) {
      messages_.Show("Couldn't load this segment", "Couldn't load", MessageIcon::Critical);
      return nullptr;
    }
    auto segment = std::make_shared<Segment>();
    segment->number = ++segmentsLoaded;
    return segment;
  }
  void PlayMusic(MusicSegment* segment, int repeats) override {
    Use("PlayMusic " + Name(segment) + " " + std::to_string(repeats));
  }
  void StopMusic(MusicSegment* segment) override { Use("StopMusic " + Name(segment)); }
  void SetMusicTempo(float factor) override {
    std::ostringstream text;
    text << "SetMusicTempo " << factor;
    Use(text.str());
  }
  void SetMusicVolume(std::int32_t volume) override { Use("SetMusicVolume " + std::to_string(volume)); }
  void SetMusicGroove(std::int32_t level) override { Use("SetMusicGroove " + std::to_string(level)); }
  void ReleaseMusic() override {
    calls.push_back("ReleaseMusic");
    initialised = false;
  }

  // The calls since the last look, which are then forgotten.
  std::vector<std::string> TakeCalls() { return std::exchange(calls, {}); }

  std::vector<std::string> calls;
  bool initSucceeds = true;
  bool loadSucceeds = true;
  bool initialised = false;
  int callsWhileReleased = 0;
  int segmentsLoaded = 0;

 private:
  struct Segment : MusicSegment {
    int number = 0;
  };
  static std::string Name(MusicSegment* segment) {
    return segment ? "#" + std::to_string(static_cast<Segment*>(segment)->number) : "none";
  }
  void Use(const std::string& call) {
    if (!initialised) ++callsWhileReleased;
    calls.push_back(call);
  }
  Messages& messages_;
};

}  // namespace fl3::testing
