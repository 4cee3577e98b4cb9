#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "media/MusicEngine.h"

namespace fl3::testing {

// Records every call as one line of text; loading succeeds for files that
// exist, as a real engine's would for a readable tune.
class FakeMusicEngine : public MusicEngine {
 public:
  struct Segment : MusicSegment {
    std::string name;
  };

  bool InitMusic(int channelCount) override {
    calls.push_back("InitMusic " + std::to_string(channelCount));
    return initSucceeds;
  }
  MusicSegmentPtr LoadMusic(const std::filesystem::path& file, bool isMidi) override {
    calls.push_back("LoadMusic " + file.filename().string() + (isMidi ? " midi" : ""));
    if (!std::filesystem::exists(file)) return nullptr;
    auto segment = std::make_shared<Segment>();
    segment->name = file.filename().string();
    return segment;
  }
  void PlayMusic(MusicSegment* segment, int repeats) override {
    calls.push_back("PlayMusic " + Name(segment) + " " + std::to_string(repeats));
  }
  void StopMusic(MusicSegment* segment) override { calls.push_back("StopMusic " + Name(segment)); }
  void SetMusicTempo(float factor) override { calls.push_back("SetMusicTempo " + std::to_string(factor)); }
  void SetMusicVolume(std::int32_t volume) override { calls.push_back("SetMusicVolume " + std::to_string(volume)); }
  void SetMusicGroove(std::int32_t level) override { calls.push_back("SetMusicGroove " + std::to_string(level)); }
  void ReleaseMusic() override { calls.push_back("ReleaseMusic"); }

  std::vector<std::string> calls;
  bool initSucceeds = true;

 private:
  static std::string Name(MusicSegment* segment) {
    return segment ? static_cast<Segment*>(segment)->name : std::string("none");
  }
};

}  // namespace fl3::testing
