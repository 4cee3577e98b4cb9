#include <gtest/gtest.h>

#include "NetLab.h"
#include <fstream>
#include <set>

#include "NetTestKit.h"
#include "TempFolder.h"
#include "match/MatchDrawing.h"
#include "net/DesyncReport.h"
#include "net/FigureSmoother.h"
#include "net/RollbackRunner.h"
#include "replay/ReplayPlayback.h"

namespace fl3 {
namespace {

using netlab::LabSettings;
using netlab::RunLabMatch;

void ExpectAllEndOnTheReplay(const netlab::LabResult& result, std::size_t machines) {
  ASSERT_FALSE(result.timedOut);
  ASSERT_EQ(result.machines.size(), machines);
  EXPECT_EQ(result.desyncs, 0);
  EXPECT_NE(result.playbackHash, 0u);
  for (const netlab::LabMachine& machine : result.machines) {
    EXPECT_EQ(machine.end.reason, net::EndReason::Over) << machine.end.message;
    EXPECT_EQ(machine.finalHash, result.playbackHash);
    EXPECT_EQ(machine.endFrame, result.machines[0].endFrame);
  }
}

LabSettings FourMachines(std::int32_t kind, std::uint64_t seed, int latencyMs, int jitterMs, double loss) {
  LabSettings settings;
  settings.start = testing::NetTestStart(kind, seed);
  for (std::size_t i = 0; i < settings.shims.size(); ++i) {
    settings.shims[i] = {latencyMs, jitterMs, loss, 0.01, 0.01, seed * 10 + i};
  }
  return settings;
}

// Every machine must end on the state the host's frames give when played
// back as a replay: a machine that kept a wrong prediction, lost its own
// controls or hashed a predicted frame would end elsewhere.
TEST(NetworkMatchTest, EveryMachineEndsWhereTheReplayEnds) {
  // The last case keeps every machine at the edge of its window: corrections
  // arrive while it already stands at its deepest rollback.
  struct Case { std::int32_t kind; int latency, jitter; double loss; };
  for (const Case c : {Case{MatchNormal, 0, 0, 0.0}, Case{MatchMostKills, 100, 30, 0.05}, Case{MatchMostLives, 200, 30, 0.10},
                       Case{MatchMostKills, 430, 30, 0.05}}) {
    const netlab::LabResult result = RunLabMatch(FourMachines(c.kind, 7 + c.latency, c.latency, c.jitter, c.loss));
    SCOPED_TRACE("kind " + std::to_string(c.kind) + ", one way " + std::to_string(c.latency) + " ms");
    ExpectAllEndOnTheReplay(result, 4);
    if (c.latency > 400) {
      int deepest = 0, waited = 0;
      for (const netlab::LabMachine& machine : result.machines) {
        deepest = std::max(deepest, machine.stats.deepestRollback);
        waited += machine.stats.framesWaited;
      }
      EXPECT_EQ(deepest, net::RollbackRunner::kWindow);
      EXPECT_GT(waited, 0);
    }
  }
}

// A client killed in the middle of the match starts again and comes back by
// name (before and after the host has dropped it), and a spectator joins
// late: each gets the match as it stands and ends where everybody ends.
TEST(NetworkMatchTest, RejoinersAndLateSpectatorsEndWhereTheReplayEnds) {
  for (const std::int64_t restartAtMs : {std::int64_t{16'000}, std::int64_t{20'000}}) {
    LabSettings settings = FourMachines(MatchMostLives, 21, 60, 20, 0.03);
    settings.killClientAtMs = 15'000;
    settings.restartClientAtMs = restartAtMs;
    settings.spectatorJoinsAtMs = 10'000;
    const netlab::LabResult result = RunLabMatch(settings);
    SCOPED_TRACE("restart at " + std::to_string(restartAtMs) + " ms");
    ExpectAllEndOnTheReplay(result, 5);  // the host, two clients, the one restarted, the spectator
  }
}

// A spectator let in around the host's first frames, some of them played
// before any stands: it starts from the state before the first frame that
// stands, and ends where everybody ends. Catches the host's predicted state
// sent as the state before frame 0.
TEST(NetworkMatchTest, ASpectatorLetInBeforeAnyFrameStandsEndsWhereTheReplayEnds) {
  for (std::int64_t joinsAtMs = 1'000; joinsAtMs <= 2'000; joinsAtMs += 100) {
    LabSettings settings = FourMachines(MatchMostLives, 41, 200, 10, 0.02);
    settings.start.timeLeftMs = 8'000;
    settings.spectatorJoinsAtMs = joinsAtMs;
    SCOPED_TRACE(joinsAtMs);
    ExpectAllEndOnTheReplay(RunLabMatch(settings), 5);
  }
}

// A client and the spectator whose matches began from another state than
// the host's: the host finds the first frame whose hashes differ, each of
// the two alone leaves with a desync (the others play on to the replay's
// end), and the evidence of both sides names the field and holds both
// states. Catches one machine's desync ending everybody's match, and a
// spectator out of step that nobody notices.
TEST(NetworkMatchTest, AClientOutOfStepLeavesAloneAndItsDesyncIsNamed) {
  LabSettings settings = FourMachines(MatchMostKills, 5, 40, 10, 0.02);
  settings.spectatorJoinsAtMs = 0;
  settings.tamper = [](int client, std::string& bytes) {
    if ((client != 2 && client != 4) || net::TypeOf(bytes) != static_cast<std::uint8_t>(net::MessageType::Setup)) return;
    MatchStart start;
    ASSERT_TRUE(net::DecodeSetup(bytes, start));
    start.random ^= 1;
    net::EncodeSetup(start, bytes);
  };
  const netlab::LabResult result = RunLabMatch(settings);
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.desyncs, 2);
  ASSERT_EQ(result.machines.size(), 5u);
  for (std::size_t i = 0; i < result.machines.size(); ++i) {
    const netlab::LabMachine& machine = result.machines[i];
    const bool outOfStep = i == 2 || i == 4;
    EXPECT_EQ(machine.end.reason, outOfStep ? net::EndReason::Desync : net::EndReason::Over) << machine.name;
    if (!outOfStep) {
      EXPECT_EQ(machine.finalHash, result.playbackHash) << machine.name;
    }
  }
  ASSERT_EQ(result.evidence.size(), 4u);  // the host's and the machine's, twice
  for (const net::DesyncEvidence& evidence : result.evidence) {
    EXPECT_EQ(evidence.frame, 0);
    ASSERT_TRUE(evidence.host && evidence.client);
    const std::vector<std::string> fields = net::DifferingFields(*evidence.host, *evidence.client);
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields[0].rfind("random state", 0), 0u) << fields[0];
    EXPECT_EQ(evidence.frames.size(), 1u);
  }
  // The report: the text names the field, the replay and both states read back.
  const testing::TempFolder folder;
  std::string written;
  ASSERT_TRUE(net::WriteDesyncReport(folder.Path(), result.evidence[0], 1700000000, written));
  std::ifstream text(written);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(text), {}).find("random state"), std::string::npos);
  const std::string base = written.substr(0, written.size() - 4);
  Replay replay;
  MatchSnapshot state;
  EXPECT_TRUE(DecodeReplay(folder.Read("desyncs/" + std::filesystem::path(base + ".replay").filename().string()), replay));
  EXPECT_EQ(replay.frames.size(), 1u);
  for (const char* side : {"-host.state", "-client.state"}) {
    const std::string bytes = folder.Read("desyncs/" + std::filesystem::path(base + side).filename().string());
    EXPECT_TRUE(DecodeSnapshot(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), state)) << side;
  }
}

// Each machine on a clock of its own, one 10^6 s ahead of the host's and one
// as far behind, and rates up to 200 ppm apart: every machine plays frame 0
// at the host's moment and never waits. Catches a mapping of the host's time
// that drops the offset or the way across. (A Start that is the first
// stamped word is ClientSessionTest's.)
TEST(NetworkMatchTest, ClocksDaysApartStillPlayTheFirstFrameTogether) {
  LabSettings settings = FourMachines(MatchMostKills, 31, 60, 10, 0.02);
  settings.start.timeLeftMs = 10'000;
  settings.shims[0].jitterMs = 0, settings.shims[0].loss = 0;  // the Start comes first, not after a Frames
  settings.shims[3].latencyMs = 150;                              // the last one seated
  settings.clocks = {{{0, 0}, {-1'000'000'000, 150}, {3'600'000, -150}, {1'000'000'000, 200}, {0, 0}}};
  const netlab::LabResult result = RunLabMatch(settings);
  ExpectAllEndOnTheReplay(result, 4);
  for (const netlab::LabMachine& machine : result.machines) {
    EXPECT_NEAR(machine.firstFrameAtMs, result.machines[0].firstFrameAtMs, ControlFrame::kNetworkFrameMs) << machine.name;
    EXPECT_EQ(machine.stats.framesWaited, 0) << machine.name;
  }
}

// Figure 1 walks a square; the others hold nothing, so nobody dies. Its
// client is killed and comes back: with the key its seat was given it
// steers again (the figure moves after the rejoin); by name alone or with a
// made-up key the name is taken and the figure stands. Catches a seat given
// back without its key, and a rejoiner whose controls the host no longer
// takes.
TEST(NetworkMatchTest, OnlyTheMachineThatHeldASeatTakesItBackAndSteersAgain) {
  using Key = LabSettings::RestartKey;
  for (const Key key : {Key::Kept, Key::None, Key::Wrong}) {
    const bool withKey = key == Key::Kept;
    SCOPED_TRACE(static_cast<int>(key));
    LabSettings settings = FourMachines(MatchMostLives, 23, 60, 20, 0.03);
    settings.start.timeLeftMs = 20'000;
    settings.scripted = true;
    for (int run = 0; run < 200; ++run) {
      settings.scripts[1].insert(settings.scripts[1].end(), 6, ControlsToward(std::array{DirLeft, DirDown, DirRight, DirUp}[run % 4]));
    }
    settings.killClientAtMs = 5'000;
    settings.restartClientAtMs = 7'000;
    settings.restartKey = key;
    const netlab::LabResult result = RunLabMatch(settings);
    ASSERT_FALSE(result.timedOut);
    ASSERT_EQ(result.machines.size(), 4u);  // the host, two clients, the one started again
    EXPECT_EQ(result.machines[3].end.reason, withKey ? net::EndReason::Over : net::EndReason::Refused);
    if (!withKey) {
      EXPECT_EQ(result.machines[3].end.message, "That name is taken.");
    }
    Replay replay;
    ASSERT_TRUE(DecodeReplay(result.hostReplay, replay));
    auto state = std::make_unique<GameState>();
    ReplayPlayback playback(*state, replay);
    std::set<std::pair<int, int>> places;  // figure 1's from a second after the restart
    playback.PlayThrough([&](int frame, const FrameOutcome&) {
      if (frame > 8'000 / ControlFrame::kNetworkFrameMs) places.insert({state->Characters[1].X, state->Characters[1].Y});
    });
    EXPECT_EQ(places.size() > 1, withKey) << places.size() << " places";
  }
}

// The host ends the match with Escape while no player presses anything:
// every machine, the spectator too, ends it at once in the same frame, as
// a quit. Catches a correction that only looks at the figures' controls:
// with everybody still, only Escape differs from the prediction.
TEST(NetworkMatchTest, EscapeOnTheHostEndsEveryMachineWhileNobodyMoves) {
  LabSettings settings = FourMachines(MatchNormal, 9, 80, 20, 0.05);
  settings.scripted = true;  // empty scripts: nobody moves
  settings.spectatorJoinsAtMs = 0;
  settings.hostEscapeAtMs = 6'000;
  const netlab::LabResult result = RunLabMatch(settings);
  ExpectAllEndOnTheReplay(result, 5);
  for (const netlab::LabMachine& machine : result.machines) EXPECT_EQ(machine.end.outcome.end, MatchEnd::Quit) << machine.name;
  EXPECT_LT(result.machines[0].endFrame, 6'000 / ControlFrame::kNetworkFrameMs);
}

// The host's end message never reaches a client and the spectator, and the
// host closes at once: having played the match to its last standing frame
// (the spectator from the confirmed frames it holds), each still ends it as
// over, on the frame and state of everybody else. Catches "the connection
// was lost" told after a whole match, and a spectator stopping short.
TEST(NetworkMatchTest, WithoutTheEndMessageAMachineThatPlayedToTheEndEndsOver) {
  LabSettings settings = FourMachines(MatchMostKills, 17, 190, 30, 0.08);
  settings.start.timeLeftMs = 15'000;
  settings.spectatorJoinsAtMs = 0;
  settings.hostLingerMs = 0;
  settings.tamper = [](int client, std::string& bytes) {
    if ((client == 2 || client == 4) && net::TypeOf(bytes) == static_cast<std::uint8_t>(net::MessageType::End)) bytes.clear();
  };
  ExpectAllEndOnTheReplay(RunLabMatch(settings), 5);
}

// "Automatic" takes its frames from the round trip measured before the
// first frame, on every machine; a fixed delay stays. Catches the automatic
// setting dropped on the way (played as 0), a delay chosen before any round
// trip is measured, and the host taking the shortest player's round trip.
TEST(NetworkMatchTest, AutomaticInputDelayIsChosenFromTheRoundTripBeforeTheMatch) {
  struct Case { int oneWayMs, setting, frames; };
  for (const Case c : {Case{0, net::kAutomaticDelay, 0}, Case{75, net::kAutomaticDelay, 1}, Case{150, net::kAutomaticDelay, 2},
                       Case{150, 3, 3}}) {
    LabSettings settings = FourMachines(MatchMostKills, 31, c.oneWayMs, 0, 0.0);
    settings.inputDelay = c.setting;
    settings.maxFrames = 40;
    const netlab::LabResult result = RunLabMatch(settings);
    SCOPED_TRACE("one way " + std::to_string(c.oneWayMs) + " ms, setting " + std::to_string(c.setting));
    ASSERT_EQ(result.machines.size(), 4u);
    EXPECT_EQ(result.desyncs, 0);
    for (const netlab::LabMachine& machine : result.machines) EXPECT_EQ(machine.inputDelay, c.frames) << "machine '" << machine.name << "'";
  }
}

// Drawing the others' figures smoothed on a client, every 10 ms, leaves
// every frame alone: the same replay, hashes and end as without. Catches a
// smoother that plays, restores or steers the match it only looks at.
TEST(NetworkMatchTest, SmoothingTheOthersFiguresChangesNoFrameOrHash) {
  std::array<netlab::LabResult, 2> results;
  for (const bool smooth : {false, true}) {
    LabSettings settings = FourMachines(MatchMostKills, 23, 75, 30, 0.05);
    settings.start.timeLeftMs = 15'000;
    net::FigureSmoother smoother;
    DrawList draws;
    int moved = 0;
    settings.watchEveryMs = 10;
    settings.watch = [&](std::int64_t nowMs, const net::NetMatch& match, std::uint8_t own) {
      if (!smooth) return;
      smoother.Follow(match.Runner(), own, nowMs);
      draws.Clear();
      for (int i = 0; i < FigureCount; ++i) {
        const FigurePlace place = FigurePicturePlace(match.Runner().StateAfter(match.Runner().Current() - 1)->figures[static_cast<std::size_t>(i)]);
        draws.Add({{PictureKind::Character, static_cast<std::int8_t>(i), 1, 0}, place.x, place.y, 32, 64});
      }
      smoother.Place(draws);
      moved += smoother.CatchingUp();
    };
    results[smooth] = RunLabMatch(settings);
    EXPECT_EQ(moved > 0, smooth);  // the smoother had corrections to draw
  }
  ExpectAllEndOnTheReplay(results[1], 4);
  EXPECT_EQ(results[1].hostReplay, results[0].hostReplay);
  for (std::size_t i = 0; i < results[1].machines.size(); ++i) {
    EXPECT_EQ(results[1].machines[i].finalHash, results[0].machines[i].finalHash);
    EXPECT_EQ(results[1].machines[i].endFrame, results[0].machines[i].endFrame);
  }
}

}  // namespace
}  // namespace fl3
