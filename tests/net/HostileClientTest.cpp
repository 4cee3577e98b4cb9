#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "HostileKit.h"
#include "NetLab.h"
#include "net/LinkMeter.h"
#include "net/PasswordProof.h"

namespace fl3 {
namespace {

using namespace fl3::net;
using testing::FirstOfType;
using testing::HelloFrom;

enum class Misdeed { OthersSeats, Malformed, Flood, Withholds, Trickles, LiesAboutHashes };

// A player who knows the password, takes the last seat (after the honest
// players have theirs) and then misbehaves in one way. Its messages carry
// real sequence numbers, so the host reads every one of them.
struct Intruder {
  Misdeed misdeed;
  LinkMeter link;
  bool hello = false, answered = false;
  std::int64_t startedMs = -1, lastTickMs = 0;

  void Act(std::int64_t now, netlab::HostileLink& out) {
    if (now >= 1500 && !hello) hello = true, out.Send(0, Channel::Reliable, HelloFrom("mallory"));
    if (const std::string* bytes = FirstOfType(out.Heard(0), MessageType::Challenge); bytes && !answered) {
      answered = true;
      out.Send(0, Channel::Reliable, testing::AnswerTo(*bytes, testing::kPassword, "mallory"));
    }
    if (startedMs < 0 && FirstOfType(out.Heard(0), MessageType::Start)) startedMs = now;
    if (!FirstOfType(out.Heard(0), MessageType::Setup) || now - lastTickMs < ControlFrame::kNetworkFrameMs) return;
    lastTickMs = now;
    if (startedMs < 0) return out.Send(0, Channel::Unsequenced, testing::Ready(link.Stamp(now), 0b1000));
    const int frame = static_cast<int>((now - startedMs) / ControlFrame::kNetworkFrameMs);
    for (int copy = 0; copy < (misdeed == Misdeed::Flood && frame > 60 ? 510 : 1); ++copy) out.Send(0, Channel::Unsequenced, Inputs(now, frame));
    if (misdeed == Misdeed::Malformed) {
      const std::string bytes = Inputs(now, frame);
      out.Send(0, Channel::Unsequenced, bytes.substr(0, bytes.size() / 2));
      out.Send(0, Channel::Reliable, frame == 10 ? std::string(200'000, '\x0A') : std::string(1, '\x7F'));
    }
  }

  // Its own figure holds nothing, in every frame up to a little ahead.
  std::string Inputs(std::int64_t now, int frame) {
    net::Inputs inputs;
    inputs.link = link.Stamp(now);
    inputs.played = static_cast<std::uint32_t>(frame);
    inputs.figures = misdeed == Misdeed::OthersSeats ? 0b1010 : 0b1000;
    const int upTo = misdeed == Misdeed::Withholds ? 0 : misdeed == Misdeed::Trickles ? frame / 2 : frame + 3;
    inputs.firstInput = static_cast<std::uint32_t>(std::max(0, upTo - kMaxInputFrames));
    inputs.inputCount = static_cast<std::uint8_t>(upTo - static_cast<int>(inputs.firstInput));
    for (int i = 0; misdeed == Misdeed::OthersSeats && i < inputs.inputCount; ++i) inputs.inputs[static_cast<std::size_t>(2 * i)] = 0x1F;
    if (misdeed == Misdeed::LiesAboutHashes && frame > 60) {  // a frame that stands by now
      inputs.firstHash = static_cast<std::uint32_t>(frame - 50);
      inputs.hashCount = 1;
      inputs.hashes[0] = 0x12345678;
    }
    std::string bytes;
    Encode(inputs, bytes);
    return bytes;
  }
};

// A seated player that sends controls for another's figure, malformed
// messages, a flood of 10,000 a second, no controls at all, controls at
// half the pace, or hashes it made up: the host puts it out (telling
// it why), its figure stands still, nobody waits for it longer than for a
// silent machine, and the honest machines' match ends exactly as it would
// have with a quiet player in that seat. Catches a peer put out that keeps
// its seat (every machine frozen), late controls without limit, and one
// machine's bad hash ending everybody's match.
TEST(HostileClientTest, APlayerWhoMisbehavesIsPutOutAndTheOthersPlayOn) {
  const netlab::LabResult baseline = RunLabMatch(testing::ScriptedMatch());  // figure 3 held by a quiet player
  ASSERT_FALSE(baseline.timedOut);
  ASSERT_NE(baseline.playbackHash, 0u);
  struct Row {
    Misdeed misdeed;
    EndReason told;
    SessionEvent::Kind event;
  };
  for (const Row row : {Row{Misdeed::OthersSeats, EndReason::Excluded, SessionEvent::Kind::Excluded},
                        Row{Misdeed::Malformed, EndReason::Excluded, SessionEvent::Kind::Excluded},
                        Row{Misdeed::Flood, EndReason::Excluded, SessionEvent::Kind::Excluded},
                        Row{Misdeed::Withholds, EndReason::Excluded, SessionEvent::Kind::Late},
                        Row{Misdeed::Trickles, EndReason::Excluded, SessionEvent::Kind::Late},
                        Row{Misdeed::LiesAboutHashes, EndReason::Desync, SessionEvent::Kind::OutOfStep}}) {
    SCOPED_TRACE(static_cast<int>(row.misdeed));
    netlab::LabSettings settings = testing::ScriptedMatch();
    settings.clients = 2;
    settings.hostileSeats = 1;
    auto intruder = std::make_shared<Intruder>(Intruder{row.misdeed, {}});
    std::vector<std::string> heard;
    settings.hostile = [intruder, &heard](std::int64_t now, netlab::HostileLink& link) {
      intruder->Act(now, link);
      heard = link.Heard(0);
    };
    const netlab::LabResult result = RunLabMatch(settings);
    ASSERT_FALSE(result.timedOut);
    ASSERT_EQ(result.machines.size(), 3u);
    for (const netlab::LabMachine& machine : result.machines) {
      EXPECT_EQ(machine.end.reason, EndReason::Over) << machine.end.message;
      EXPECT_EQ(machine.finalHash, baseline.playbackHash) << machine.name;
    }
    EXPECT_LE(result.machines[0].stats.waitedMs, kLateMs + 500);
    End end;
    const std::string* told = FirstOfType(heard, MessageType::End);
    ASSERT_TRUE(told && Decode(*told, end));
    EXPECT_EQ(end.reason, row.told) << end.text;
    const auto out = std::find_if(result.events.begin(), result.events.end(),
                                  [](const SessionEvent& event) { return event.name == "mallory" && event.kind != SessionEvent::Kind::Joined; });
    ASSERT_NE(out, result.events.end());
    EXPECT_EQ(out->kind, row.event);
    EXPECT_EQ(out->figures, 0b1000);
  }
}

}  // namespace
}  // namespace fl3
