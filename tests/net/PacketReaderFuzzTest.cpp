#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>

#include "NetTestKit.h"
#include "net/ClientSession.h"
#include "net/HostSession.h"
#include "net/WireMessages.h"

namespace fl3 {
namespace {

using namespace fl3::net;

// One valid message of every kind, to mutate.
std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  auto add = [&](auto&& encode) { encode(seeds.emplace_back()); };
  add([](std::string& out) { Encode(Hello{kProtocolVersion, std::string(GameVersion()), Role::Player, 2, "Ann"}, out); });
  add([](std::string& out) { Encode(Refuse{RefuseReason::Version, 3, "9.9", "old"}, out); });
  add([](std::string& out) { Encode(Challenge{}, out); });
  add([](std::string& out) { Encode(Answer{}, out); });
  add([](std::string& out) { Encode(Welcome{Role::Player, 6}, out); });
  add([](std::string& out) { Lobby lobby; lobby.seats[1] = {SeatState::Taken, "Bo", 80}; Encode(lobby, out); });
  add([](std::string& out) { EncodeSetup(testing::NetTestStart(MatchMostLives, 2), out); });
  add([](std::string& out) { Encode(Start{123456}, out); });
  add([](std::string& out) {
    Transfer transfer;
    transfer.start = testing::NetTestStart(MatchNormal, 4);
    transfer.frames = std::string(30, '\x01');
    transfer.snapshot = "state";
    Encode(transfer, out);
  });
  add([](std::string& out) { Encode(End{EndReason::Desync, 77, "gone"}, out); });
  add([](std::string& out) { EncodeLeave(out); });
  add([](std::string& out) { Encode(MessageType::DesyncProbe, DesyncState{5, "abc"}, out); });
  add([](std::string& out) {
    Inputs inputs;
    inputs.figures = 6, inputs.inputCount = 3, inputs.hashCount = 2, inputs.inputs[4] = 17;
    Encode(inputs, out);
  });
  add([](std::string& out) {
    Frames frames;
    frames.count = 5, frames.frames[2] = 0x1FFFFF;
    Encode(frames, out);
  });
  return seeds;
}

void Mutate(std::string& bytes, std::mt19937_64& random) {
  const int edits = 1 + static_cast<int>(random() % 4);
  for (int e = 0; e < edits; ++e) {
    const std::size_t at = bytes.empty() ? 0 : random() % bytes.size();
    switch (random() % 6) {
      case 0: if (!bytes.empty()) bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8))); break;
      case 1: if (!bytes.empty()) bytes[at] = static_cast<char>(random()); break;
      case 2: bytes.resize(at); break;
      case 3: bytes.insert(at, std::string(1 + random() % 8, static_cast<char>(random()))); break;
      case 4: if (bytes.size() > at + 4) for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = '\xFF'; break;
      default: if (!bytes.empty()) bytes[0] = static_cast<char>(1 + random() % 16); break;
    }
  }
}

// A reader that takes a message must take exactly what a writer makes:
// reading and writing it again gives the same bytes. Any other outcome is
// a reader that lets through what no peer of this version sends.
template <class Message>
void Strict(const std::string& bytes, std::function<void(const Message&, std::string&)> encode,
            std::function<bool(std::string_view, Message&)> decode) {
  Message message;
  if (!decode(bytes, message)) return;
  std::string again;
  encode(message, again);
  ASSERT_EQ(again, bytes) << "accepted bytes no writer makes, type " << int(TypeOf(bytes));
}

void ReadEveryWay(const std::string& bytes) {
  Strict<Hello>(bytes, [](const Hello& m, std::string& o) { Encode(m, o); }, [](std::string_view b, Hello& m) { return Decode(b, m); });
  Strict<Refuse>(bytes, [](const Refuse& m, std::string& o) { Encode(m, o); }, [](std::string_view b, Refuse& m) { return Decode(b, m); });
  Strict<Welcome>(bytes, [](const Welcome& m, std::string& o) { Encode(m, o); }, [](std::string_view b, Welcome& m) { return Decode(b, m); });
  Strict<Lobby>(bytes, [](const Lobby& m, std::string& o) { Encode(m, o); }, [](std::string_view b, Lobby& m) { return Decode(b, m); });
  Strict<MatchStart>(bytes, [](const MatchStart& m, std::string& o) { EncodeSetup(m, o); }, [](std::string_view b, MatchStart& m) { return DecodeSetup(b, m); });
  Strict<Transfer>(bytes, [](const Transfer& m, std::string& o) { Encode(m, o); }, [](std::string_view b, Transfer& m) { return Decode(b, m); });
  Strict<End>(bytes, [](const End& m, std::string& o) { Encode(m, o); }, [](std::string_view b, End& m) { return Decode(b, m); });
  Strict<Inputs>(bytes, [](const Inputs& m, std::string& o) { Encode(m, o); }, [](std::string_view b, Inputs& m) { return Decode(b, m); });
  Strict<Frames>(bytes, [](const Frames& m, std::string& o) { Encode(m, o); }, [](std::string_view b, Frames& m) { return Decode(b, m); });
  Strict<DesyncState>(bytes, [](const DesyncState& m, std::string& o) { Encode(MessageType::DesyncProbe, m, o); },
                      [](std::string_view b, DesyncState& m) { return Decode(b, MessageType::DesyncProbe, m); });
  Challenge challenge;
  Answer answer;
  Start start;
  Decode(bytes, challenge), Decode(bytes, answer), Decode(bytes, start), DecodeLeave(bytes);
}

// Mutated messages of every kind through every reader and into both
// sessions (as an admitted player and as a stranger). The sanitizer build
// turns any read out of bounds into a failure. FUSELARK3_FUZZ_INPUTS sets
// the count (a million and more for a long run).
TEST(PacketReaderFuzzTest, MutatedMessagesAreRefusedOrReadExactly) {
  const char* wanted = std::getenv("FUSELARK3_FUZZ_INPUTS");
  const long inputs = wanted ? std::strtol(wanted, nullptr, 10) : 20000;
  const std::vector<std::string> seeds = Seeds();
  std::mt19937_64 random(2025);

  GameState hostState, clientState;
  HostConfig config;
  config.start = testing::NetTestStart(MatchNormal, 1);
  config.seats = {HostSeat::Computer, HostSeat::Network, HostSeat::Off, HostSeat::Off};
  HostSession host(hostState, config);
  ClientConfig fuzzer;
  fuzzer.name = "fuzz";
  ClientSession client(clientState, fuzzer, 0);
  client.Connected(0);
  host.Connected(1, 1, 0);
  std::string hello;
  Encode(Hello{kProtocolVersion, std::string(GameVersion()), Role::Player, 1, "Ann"}, hello);
  host.Received(1, Channel::Reliable, hello, 0);
  Inputs ready;  // it holds the setup
  ready.figures = 0b0010;
  std::string readyBytes;
  Encode(ready, readyBytes);
  host.Received(1, Channel::Unsequenced, readyBytes, 0);
  ASSERT_TRUE(host.AllSeatsTaken());
  host.StartMatch(0);
  // The player comes back with the key its seat was given.
  Hello again{kProtocolVersion, std::string(GameVersion()), Role::Player, 1, "Ann", {}};
  for (const Outgoing& item : host.Out().Items()) {
    Welcome welcome;
    if (Decode(item.bytes, welcome)) again.seatKey = welcome.seatKey;
  }
  Encode(again, hello);

  for (long n = 0; n < inputs; ++n) {
    std::string bytes = seeds[static_cast<std::size_t>(random() % seeds.size())];
    Mutate(bytes, random);
    ReadEveryWay(bytes);
    if (::testing::Test::HasFatalFailure()) return;
    const std::int64_t now = n * 10;  // keeps each sender under the flood limit
    const PeerId stranger = 100 + static_cast<PeerId>(n % 50);
    host.Connected(stranger, static_cast<std::uint32_t>(stranger), now);
    host.Received(stranger, Channel::Reliable, bytes, now);
    // The player comes back by name every so often: faults get a peer disconnected.
    const PeerId player = 1000 + static_cast<PeerId>(n / 40);
    if (n % 40 == 0) {
      host.Connected(player, 1, now);
      host.Received(player, Channel::Reliable, hello, now);
    }
    host.Received(player, Channel::Unsequenced, bytes, now);
    client.Received(Channel::Reliable, bytes, now);
    host.Out().Clear();
    client.Out().Clear();
  }
  EXPECT_EQ(host.CurrentPhase(), Phase::Running);
}

}  // namespace
}  // namespace fl3
