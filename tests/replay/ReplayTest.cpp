#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <sstream>

#include "RecordedMatch.h"
#include "replay/ReplayPlayback.h"
#include "replay/ReplayShelf.h"
#include "replay/ReplayStreams.h"
#include "replay/ReplayWatch.h"
#include "SimReplay.h"
#include "SimRun.h"
#include "TempFolder.h"
#include "WithoutPermissionOverride.h"

namespace fl3 {
namespace {

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// Faults: a frame the loop plays but does not record (or a computer's
// decision left out), a hash taken a frame early or late, a field the file
// loses, a checker comparing the wrong hash or naming the wrong frame.
TEST(Replay, AMatchRecordedByTheFrameLoopChecksOutAndEachChangeIsNamedAtItsFirstHash) {
  GameState state;
  const Replay replay = testing::RecordLoopMatch(state);
  const int last = static_cast<int>(replay.frames.size()) - 1;
  ASSERT_GT(last, 300);
  Replay read;
  ASSERT_TRUE(DecodeReplay(EncodeReplay(replay), read));
  EXPECT_TRUE(read == replay);

  testing::TempFolder temp;
  const std::string path = (temp.Path() / "match.REPLAY").string();
  struct Change {
    const char* what;
    void (*apply)(Replay&);
    int frame;  // the first one named; -1: all agree
  };
  for (const Change& change : {
           Change{"as recorded", [](Replay&) {}, -1},
           Change{"frame 41 a second longer", [](Replay& r) { r.frames[40].frameTimeMs += 1000; }, 59},
           Change{"player 1 never plants", [](Replay& r) { for (auto& f : r.frames) f.figures[0].plant = false; }, 19},
           Change{"another end", [](Replay& r) { std::tie(r.end, r.winner) = std::pair(MatchEnd::Winner, 3); }, last},
           Change{"the last frame cut off", [](Replay& r) { r.frames.pop_back(); }, last - 1},
           Change{"a frame after the end", [](Replay& r) { r.frames.push_back(r.frames.back()); }, last}}) {
    Replay changed = replay;
    change.apply(changed);
    temp.Write("match.REPLAY", EncodeReplay(changed));
    std::ostringstream out, err;
    EXPECT_EQ(sim::CheckReplayFile(path, false, out, err), change.frame < 0 ? 0 : 1) << change.what;
    const std::string named = " differs at frame " + std::to_string(change.frame) + ": ";
    EXPECT_TRUE(change.frame < 0 ? err.str().empty() : err.str().find(named) != std::string::npos && Lines(err.str()) == 1)
        << change.what << ": " << err.str();
  }

  // The same match as a script, keys and all, with the computers playing: the
  // trace of the replay is the script's, line for line.
  temp.Write("match.REPLAY", EncodeReplay(replay));
  temp.Write("TEST.FL3", replay.start.level);
  sim::SimScript script;
  std::tie(script.level, script.kind, script.seconds) = std::tuple((temp.Path() / "TEST.FL3").string(), MatchMostKills, 20);
  script.cont = {ContMan, ContCpu, ContCpu, ContOff};
  script.keys[0] = {11, 12, 13, 14, 15};
  std::tie(script.cpuPlay, script.cpuSeed) = std::pair(true, 7);
  for (const ControlFrame& frame : replay.frames) {
    const FigureControls& held = frame.figures[0];
    script.frames.push_back({frame.frameTimeMs, {}});
    const std::pair<bool, int> keys[] = {{held.left, 11}, {held.up, 12}, {held.right, 13}, {held.down, 14}, {held.plant, 15}};
    for (const auto& [down, code] : keys) {
      if (down) script.frames.back().down.push_back(code);
    }
  }
  std::ostringstream scriptTrace, replayTrace, err;
  ASSERT_EQ(sim::RunScript(script, scriptTrace, err), 0) << err.str();
  ASSERT_EQ(sim::CheckReplayFile(path, true, replayTrace, err), 0) << err.str();
  EXPECT_EQ(Lines(replayTrace.str()), last + 2);
  EXPECT_TRUE(replayTrace.str() == scriptTrace.str());
}

ControlFrame Holding(std::uint32_t bits, std::int32_t ms = 51) { return ControlFrame::Unpack(bits, ms); }

// Faults: a run longer than one byte holds, a time beside the usual ones,
// Escape's bit or a first frame that changes nothing lost or mangled; a
// change of one control or a run of equal times costing more than a byte;
// the longest run one byte holds (15 equal times) taken for a longer one.
TEST(ReplayStreams, EveryFrameComesBackAndAChangeOrARunOfTimesCostsAByte) {
  std::vector<ControlFrame> alternating, everything{Holding(0x1FFFFF, 0)}, times, sevenHeld(7, Holding(1u << 20));
  for (int i = 0; i < 10; ++i) alternating.push_back(Holding(i % 2 == 0 ? 1u << 19 : 0));
  for (std::int32_t ms = 51; ms <= 66; ++ms) times.push_back(Holding(0, ms));
  times.push_back(Holding(0, std::numeric_limits<std::int32_t>::max()));
  struct Row {
    const char* what;
    std::vector<ControlFrame> frames;
    std::size_t controlBytes, timeBytes;
  };
  for (const Row& row : {Row{"1000 frames of nothing", std::vector<ControlFrame>(1000), 3, 3},
                         Row{"a tap every other frame", alternating, 10, 1}, Row{"all held, no time", everything, 21, 2},
                         Row{"every short time and the longest", times, 2, 15 + 2 + 6},
                         Row{"Escape held for seven frames", sevenHeld, 2, 1},
                         Row{"15 equal frames", std::vector<ControlFrame>(15), 2, 1},
                         Row{"16 equal frames", std::vector<ControlFrame>(16), 2, 2}}) {
    std::string controls, frameTimes;
    EncodeControlStream(row.frames, controls);
    EncodeFrameTimeStream(row.frames, frameTimes);
    EXPECT_EQ(std::pair(controls.size(), frameTimes.size()), std::pair(row.controlBytes, row.timeBytes)) << row.what;
    std::vector<ControlFrame> read(row.frames.size());
    EXPECT_TRUE(DecodeControlStream(controls, read) && DecodeFrameTimeStream(frameTimes, read) && read == row.frames)
        << row.what;
    read.push_back({});
    EXPECT_FALSE(DecodeControlStream(controls, read) || DecodeFrameTimeStream(frameTimes, read)) << row.what;
  }
}

// Faults: a cut or changed file taken for a replay, a newer one played
// wrongly instead of refused by name, a frame count believed before the
// frames are there.
TEST(ReplayFile, DamagedCutForeignAndNewerFilesAreRefusedWithOneReason) {
  GameState state;
  const std::string bytes = EncodeReplay(testing::RecordLoopMatch(state, 2));
  const std::string damaged = "the replay file is damaged or cut short";
  std::string newer = bytes, flipped = bytes, longer = bytes;
  newer.replace(8, 2 + 2 + GameVersion().size(), std::string("\x03\x00\x03\x00" "9.9", 7));
  flipped[bytes.size() / 2] ^= 4;
  longer.replace(8 + 2 + 2 + GameVersion().size() + 8 + 2, 4, std::string("\x00\x00\x10\x00", 4));
  const std::pair<std::string, std::string> rows[] = {
      {bytes.substr(0, bytes.size() - 1), damaged},
      {flipped, damaged},
      {testing::Resealed(longer), damaged},
      {"", "this is not a FUSELARK3 replay file"},
      {"GIF89a" + bytes, "this is not a FUSELARK3 replay file"},
      {newer, "the replay was recorded by a newer version of FUSELARK3 (9.9); this version (" +
                  std::string(GameVersion()) + ") cannot play it"}};
  for (const auto& [file, reason] : rows) {
    Replay read;
    read.winner = 9;
    const IoResult result = DecodeReplay(file, read);
    EXPECT_EQ(result.reason, reason);
    EXPECT_EQ(read.winner, 9);  // untouched
  }
}

// Faults: a file of the first format no longer read (or read with the
// labels' length words taken for frames), labels lost on the way, a long name
// cut inside a character, a label over its room taken in.
TEST(ReplayFile, LabelsComeBackTheFirstFormatStillReadsAndALongNameLosesWholeCharacters) {
  GameState state;
  Replay labelled = testing::RecordLoopMatch(state, 2);
  const Replay plain = labelled;
  labelled.occasion = "Network match";
  labelled.names = {"Ann", "", std::string(31, 'x') + "\xC3\xA9", "Bo"};
  Replay read;
  ASSERT_TRUE(DecodeReplay(EncodeReplay(labelled), read));
  EXPECT_EQ(read.occasion, "Network match");
  EXPECT_EQ(read.names, (std::array<std::string, FigureCount>{"Ann", "", std::string(31, 'x'), "Bo"}));
  // The first format: version 1 and no labels after the frame count.
  std::string first = EncodeReplay(plain);
  const std::size_t labelsAt = 8 + 2 + 2 + GameVersion().size() + 8 + 2 + 4;
  ASSERT_EQ(first.substr(labelsAt, 10), std::string(10, '\0'));
  first.erase(labelsAt, 10);
  first[8] = 1;
  ASSERT_TRUE(DecodeReplay(testing::Resealed(first), read));
  EXPECT_EQ(read, plain);
  std::string tooLong = EncodeReplay(plain);
  tooLong.replace(labelsAt, 2, std::string("\xC9\x00", 2));  // 201 bytes of occasion claimed
  EXPECT_EQ(DecodeReplay(testing::Resealed(tooLong), read).reason, "the replay file is damaged or cut short");
}

// Faults: a jump landing a frame off or on the wrong snapshot, an engine
// restored without its own fields (an ended match staying ended), 10 seconds
// counted in frames instead of in recorded time.
TEST(ReplayPlayback, AJumpAnywhereLandsOnTheFrameThatPlayingThroughGives) {
  GameState state;
  const Replay replay = testing::RecordLoopMatch(state);
  ReplayPlayback playback(state, replay);
  std::vector<std::int32_t> timeLeft;
  std::vector<CellGrid> tiles;
  const auto remember = [&](int, const FrameOutcome&) {
    timeLeft.push_back(state.TimeLeft);
    tiles.push_back(state.TileMap);
  };
  ASSERT_EQ(playback.PlayThrough(remember).differingFrame, -1);
  const int last = playback.FrameCount();
  for (const int frame : {last, 1, 100, 101, 99, 250, 37, last, 200}) {
    DrawList draw;
    playback.MoveTo(frame, &draw);
    EXPECT_EQ(playback.Position(), frame);
    EXPECT_TRUE(state.TimeLeft == timeLeft[static_cast<std::size_t>(frame - 1)] &&
                state.TileMap == tiles[static_cast<std::size_t>(frame - 1)] && draw.Size() > 0)
        << frame;
  }
  const int back = playback.FrameAfter(-ReplayWatch::kJumpMs);
  EXPECT_NEAR(timeLeft[static_cast<std::size_t>(back - 1)] - state.TimeLeft, ReplayWatch::kJumpMs, 80);
}

// Faults: a speed that does not divide the recorded times, a paused watch
// that moves on, one frame on that plays more, a jump that sounds, a watch
// that runs past the end or cannot start again.
TEST(ReplayWatch, FramesComeAtTheRecordedPaceOverTheSpeedAndPauseStepAndJumpsDoWhatTheySay) {
  GameState state;
  const Replay replay = testing::RecordLoopMatch(state);
  ReplayPlayback playback(state, replay);
  ASSERT_EQ(playback.PlayThrough().differingFrame, -1);
  DrawList draw;
  std::int64_t now = 5000;
  ReplayWatch watch(playback, now);
  // Waking when told, until `frames` have been shown: the game time that took.
  const auto playUntil = [&](int frames) {
    const std::int64_t from = now;
    for (ReplayWatch::Step step = watch.Advance(now, draw); playback.Position() < frames && step.wakeAtMs >= 0;
         step = watch.Advance(now, draw)) {
      now = std::max(now, step.wakeAtMs);
    }
    return now - from;
  };
  const auto recorded = [&](int from, int to) { return playback.ElapsedMs(to) - playback.ElapsedMs(from); };
  EXPECT_EQ(playUntil(40), recorded(0, 40));
  watch.Apply(ReplayWatch::Command::Faster, now, draw);
  watch.Apply(ReplayWatch::Command::Faster, now, draw);
  watch.Apply(ReplayWatch::Command::Faster, now, draw);  // 4 is the fastest
  EXPECT_NEAR(static_cast<double>(playUntil(80)), recorded(40, 80) / 4.0, 40.0);
  EXPECT_EQ(watch.SpeedText(), "4");
  for (int i = 0; i < 4; ++i) watch.Apply(ReplayWatch::Command::Slower, now, draw);
  EXPECT_NEAR(static_cast<double>(playUntil(100)), recorded(80, 100) * 2.0, 40.0);
  EXPECT_EQ(watch.SpeedText(), "1/2");

  EXPECT_EQ(watch.Apply(ReplayWatch::Command::PauseOrGo, now, draw).wakeAtMs, -1);
  watch.Advance(now += 60'000, draw);
  watch.Apply(ReplayWatch::Command::OneFrame, now, draw);
  EXPECT_EQ(playback.Position(), 101);
  EXPECT_EQ(watch.Apply(ReplayWatch::Command::Forward, now, draw).beeps, 0);
  EXPECT_EQ(playback.ElapsedMs(playback.Position() - 1) < playback.ElapsedMs(101) + 10'000,
            playback.ElapsedMs(playback.Position()) >= playback.ElapsedMs(101) + 10'000);
  watch.Apply(ReplayWatch::Command::Back, now, draw);
  EXPECT_NEAR(playback.Position(), 101, 1);  // frames differ in length
  watch.Apply(ReplayWatch::Command::PauseOrGo, now, draw);
  playUntil(playback.FrameCount() + 1);
  EXPECT_TRUE(watch.AtEnd() && watch.Advance(now + 60'000, draw).wakeAtMs == -1);
  watch.Apply(ReplayWatch::Command::PauseOrGo, now, draw);
  EXPECT_EQ(playback.Position(), 1);
}

// Faults: names that do not sort by time or clash within a second, the 51st
// replay not deleted or a kept one deleted, a keep that loses the file, a
// folder that cannot be written throwing or saying nothing.
TEST(ReplayShelf, NamesSortByTimeOnlyTheNewestFiftyAndKeptOnesStayAndAFolderThatRefusesSaysWhy) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  GameState state;
  Replay replay = testing::RecordLoopMatch(state, 1);
  testing::TempFolder temp;
  const ReplayShelf shelf(temp.Path() / "replays");
  replay.start.levelName = "My (kept) level.fl3";
  ASSERT_TRUE(shelf.Add(replay));
  std::string oldest = shelf.List().at(0).file;
  EXPECT_EQ(oldest, "2023-11-14 22-13-20 My__kept__level.REPLAY");
  ASSERT_TRUE(shelf.SetKept(oldest, true));
  EXPECT_EQ(oldest, "2023-11-14 22-13-20 My__kept__level (kept).REPLAY");
  replay.start.levelName = "GARDEN.FL3";
  for (int minute = 1; minute <= 51; ++minute) {
    replay.recordedAtSeconds = 1'700'000'000 + 60 * minute;
    ASSERT_TRUE(shelf.Add(replay));
  }
  ASSERT_TRUE(shelf.Add(replay));  // within the same second
  const std::vector<ReplayShelf::Entry> entries = shelf.List();
  ASSERT_EQ(entries.size(), 51u);
  EXPECT_EQ(entries[0].file, "2023-11-14 23-04-20 GARDEN.REPLAY");
  EXPECT_EQ(entries[1].file, "2023-11-14 23-04-20 GARDEN 2.REPLAY");
  EXPECT_EQ(entries[49].file, "2023-11-14 22-16-20 GARDEN.REPLAY");
  EXPECT_TRUE(entries[50].kept && entries[50].file == oldest);
  Replay read;
  EXPECT_TRUE(shelf.Read(oldest, read) && read.start.levelName == "My (kept) level.fl3");
  ASSERT_TRUE(shelf.SetKept(oldest, false) && shelf.Remove(oldest));
  EXPECT_EQ(shelf.List().size(), 50u);

  std::filesystem::permissions(shelf.Directory(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  testing::WithoutPermissionOverride asOrdinaryUser;
  EXPECT_NE(shelf.Add(replay).reason.find("cannot be written: Permission denied"), std::string::npos);
  EXPECT_NE(shelf.Remove(entries[0].file).reason.find("cannot be deleted: Permission denied"), std::string::npos);
  EXPECT_EQ(shelf.List().size(), 50u);
}

// Most changes are resealed, so they reach the reader behind the checksum.
// Faults: a count trusted before its frames are there (a huge allocation, a
// read past the end), a stream that never ends, a replay taken in that its
// own writer does not give back, a playback that trips over what it holds.
TEST(ReaderRobustness, ReplayFilesGiveOneShortReasonOrAReplayThatWritesBackAndPlays) {
  GameState state;
  const std::string valid = EncodeReplay(testing::RecordLoopMatch(state, 2));
  std::mt19937 random(24);
  int taken = 0;
  for (int run = 0; run < 4000; ++run) {
    std::string bytes = valid;
    for (int k = 0; k <= run % 4; ++k) bytes[random() % bytes.size()] = static_cast<char>(random());
    if (run % 7 == 0) bytes.resize(random() % bytes.size());
    if (run % 3 != 0 && bytes.size() >= 8) bytes = testing::Resealed(bytes);
    Replay replay;
    const IoResult read = DecodeReplay(bytes, replay);
    if (!read) {
      ASSERT_TRUE(!read.reason.empty() && read.reason.find('\n') == std::string::npos && read.reason.size() < 200) << run;
      continue;
    }
    ++taken;
    ASSERT_TRUE(replay.frames.size() <= Replay::kMaxFrames && replay.hashes.size() == replay.frames.size() / 20) << run;
    Replay again;
    ASSERT_TRUE(DecodeReplay(EncodeReplay(replay), again) && again == replay) << run;
    if (run % 10 == 0) ReplayPlayback(state, replay).PlayThrough({}, false);
  }
  EXPECT_GT(taken, 100);  // the run reaches past the checks and plays
}

}  // namespace
}  // namespace fl3
