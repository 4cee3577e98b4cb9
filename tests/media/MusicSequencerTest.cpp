#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "media/MusicSequencer.h"

namespace fl3::testing {
namespace {

// Writes down what the sequencer does, frame by frame.
class RecordingSink final : public MusicSink {
 public:
  void Send(const MidiEvent& event) override { log.push_back("event " + std::to_string(event.data1) + " at " + std::to_string(frames)); }
  void ReleaseNotes() override { log.push_back("release at " + std::to_string(frames)); }
  void Synthesize(int count) override { frames += count; }

  long frames = 0;
  std::vector<std::string> log;
};

std::shared_ptr<const MidiSong> Song(std::vector<double> times, double length) {
  auto song = std::make_shared<MidiSong>();
  int key = 60;
  for (double time : times) song->events.push_back({time, 0x90, static_cast<std::uint8_t>(key++), 100});
  song->lengthSeconds = length;
  return song;
}

// A thousand frames a second keeps the numbers round.
constexpr int kRate = 1000;

TEST(MusicSequencer, SongWithoutLengthLoopingForEverCannotStallTheClock) {
  MusicSequencer sequencer(kRate);
  RecordingSink sink;
  sequencer.Start(Song({0.0}, 0.0), -1);
  sequencer.Run(50, sink);
  EXPECT_EQ(sink.frames, 50);
  EXPECT_GE(sink.log.size(), 50u);  // a pass at least every frame
  const auto passes = sink.log.size();
  sequencer.Stop();
  sequencer.Run(10, sink);
  EXPECT_EQ(sink.frames, 60);
  EXPECT_EQ(sink.log.size(), passes);
}

}  // namespace
}  // namespace fl3::testing
