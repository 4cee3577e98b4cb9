#include <gtest/gtest.h>

#include "NetLab.h"
#include <fstream>

#include "NetTestKit.h"
#include "TempFolder.h"
#include "net/DesyncReport.h"
#include "net/RollbackRunner.h"

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

// A client whose match began from another state than the host's: the host
// finds the first frame whose hashes differ, every machine ends with a
// desync, and the evidence names the field and holds both states.
TEST(NetworkMatchTest, ADesyncIsFoundAndNamed) {
  LabSettings settings = FourMachines(MatchMostKills, 5, 40, 10, 0.02);
  settings.tamper = [](int client, std::string& bytes) {
    if (client != 2 || net::TypeOf(bytes) != static_cast<std::uint8_t>(net::MessageType::Setup)) return;
    MatchStart start;
    ASSERT_TRUE(net::DecodeSetup(bytes, start));
    start.random ^= 1;
    net::EncodeSetup(start, bytes);
  };
  const netlab::LabResult result = RunLabMatch(settings);
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.desyncs, 1);
  for (const netlab::LabMachine& machine : result.machines) EXPECT_EQ(machine.end.reason, net::EndReason::Desync);
  ASSERT_EQ(result.evidence.size(), 2u);  // the host's and the client's
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

}  // namespace
}  // namespace fl3
