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

TEST(MusicSequencer, EventsLandOnTheirFrameAtAnyTempo) {
  MusicSequencer sequencer(kRate);
  RecordingSink sink;
  sequencer.SetTempoFactor(2.0);
  sequencer.Start(Song({0.0, 0.25, 0.5}, 1.0), 0);
  sequencer.Run(300, sink);  // 0.6 s of the song
  sequencer.Run(300, sink);
  EXPECT_EQ(sink.log, (std::vector<std::string>{"event 60 at 0", "event 61 at 125", "event 62 at 250", "release at 500"}));
  EXPECT_EQ(sink.frames, 600);
  EXPECT_FALSE(sequencer.IsPlaying());
}

TEST(MusicSequencer, ARepeatFollowsTheEndWithoutAGap) {
  MusicSequencer sequencer(kRate);
  RecordingSink sink;
  const auto song = Song({0.0, 0.3}, 0.4);
  sequencer.Start(song, 1);
  EXPECT_TRUE(sequencer.IsPlaying(song.get()));
  sequencer.Run(1000, sink);
  EXPECT_EQ(sink.log, (std::vector<std::string>{"event 60 at 0", "event 61 at 300", "event 60 at 400", "event 61 at 700",
                                                "release at 800"}));
}

TEST(MusicSequencer, TempoChangeTakesEffectFromWhereTheSongIs) {
  MusicSequencer sequencer(kRate);
  RecordingSink sink;
  sequencer.Start(Song({0.0, 1.0}, 2.0), 0);
  sequencer.Run(400, sink);  // 0.4 s in
  sequencer.SetTempoFactor(0.5);
  sequencer.Run(3300, sink);  // 0.6 s of song left to the second note, now 1.2 s away
  EXPECT_EQ(sink.log, (std::vector<std::string>{"event 60 at 0", "event 61 at 1600", "release at 3600"}));
}

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
