#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/GameState.h"
#include "match/ControlFrame.h"
#include "match/MatchStart.h"
#include "replay/Replay.h"

namespace fl3::net {

// Version of these messages; a peer with another one is refused, both named.
inline constexpr std::uint16_t kProtocolVersion = 3;
// Every message a peer sends before it is admitted is padded to this size,
// and nothing sent to an unadmitted peer is larger: the host never answers
// with more bytes than it was sent.
inline constexpr std::size_t kRequestBytes = 128;
inline constexpr std::size_t kMaxNameBytes = 24;
inline constexpr std::size_t kMaxVersionBytes = 32;
inline constexpr int kMaxFramesPerMessage = 64;  // confirmed frames in one message
inline constexpr int kMaxInputFrames = 32;       // a client's frames in one message
inline constexpr int kMaxHashes = 4;

enum class MessageType : std::uint8_t {
  Hello = 1, Refuse, Challenge, Answer, Welcome, Lobby, Setup, Start, Transfer, Inputs, Frames, End, Leave,
  DesyncProbe, DesyncEvidence,
};

enum class Role : std::uint8_t { Player = 0, Spectator = 1 };

enum class RefuseReason : std::uint8_t { Version = 1, Full, Password, Name, Running, Malformed, Busy, NoSpectators };

// Dropped: this machine left. Excluded: the host put it out (controls far
// too late, a flood, malformed messages).
enum class EndReason : std::uint8_t { Over = 1, HostLeft, Desync, Refused, Dropped, Excluded };

// The host's secret for the machine it seated: only that machine may take a
// running seat back. All zero: none.
using SeatKey = std::array<std::uint8_t, 16>;

// The first message of a client.
struct Hello {
  std::uint16_t protocol = kProtocolVersion;
  std::string gameVersion;
  Role role = Role::Player;
  std::uint8_t seats = 1;  // figures wanted: 1 or 2 for a player, 0 for a spectator
  std::string name;
  SeatKey seatKey{};       // given by this host at an earlier seating, to take the seat back
};

struct Refuse {
  RefuseReason reason = RefuseReason::Malformed;
  std::uint16_t hostProtocol = kProtocolVersion;
  std::string hostVersion;
  std::string text;
};

struct Challenge {
  std::array<std::uint8_t, 32> nonce{};
  std::array<std::uint8_t, 16> salt{};
};

struct Answer {
  std::array<std::uint8_t, 32> proof{};
};

struct Welcome {
  Role role = Role::Player;
  std::uint8_t figures = 0;  // a bit per figure this peer plays
  SeatKey seatKey{};         // this machine's alone: never shown to others
};

enum class SeatState : std::uint8_t { Off, Host, Computer, Free, Taken, Left };

struct Lobby {
  struct Seat {
    SeatState state = SeatState::Off;
    std::string name;
    std::uint16_t roundTripMs = 0;
    // Taken, but the host hears nothing of it: it drops the player this
    // much later unless word comes. 0: nothing amiss.
    std::uint16_t dropInMs = 0;
  };
  std::array<Seat, FigureCount> seats{};
  std::uint8_t spectators = 0;
};

struct Start {
  std::uint32_t firstFrameAt = 0;  // when the host plays its first frame, on its stamp clock
  std::uint32_t sentMs = 0;        // the host's stamp clock when it sent this: a clock sample
};

// The running match for a peer that comes in late: its start, every
// confirmed frame so far and the state after the last of them.
struct Transfer {
  MatchStart start;
  std::uint32_t firstOwnFrame = 0;  // the newcomer's figures hold nothing before it
  std::string frames;               // three bytes a frame, ControlFrame::Pack
  std::string snapshot;             // EncodeSnapshot of the state after them
};

struct End {
  EndReason reason = EndReason::Over;
  std::uint32_t frame = 0;
  std::string text;
};

// The host asks for (and sends) the state after a frame whose hashes differ.
struct DesyncState {
  std::uint32_t frame = 0;
  std::string snapshot;
};

// Our own measure of the link, on every unsequenced message.
struct LinkStamp {
  std::uint16_t sequence = 0;
  std::uint32_t sentMs = 0;  // the sender's clock
  std::uint32_t echoMs = 0;  // the newest sentMs the sender has received
  std::uint16_t heldMs = 0;  // how long it held that one before this message
};

// Client to host, every frame: its controls not yet acknowledged, what it
// holds of the host's frames, and hashes of frames that stand.
struct Inputs {
  LinkStamp link;
  std::uint32_t played = 0;
  std::uint32_t framesHave = 0;  // confirmed frames held, all below this
  std::uint8_t figures = 0;      // the figures whose controls follow
  std::uint32_t firstInput = 0;
  std::uint8_t inputCount = 0;
  // Per frame, one byte per figure of `figures` in order: PackFigure.
  std::array<std::uint8_t, kMaxInputFrames * FigureCount> inputs{};
  std::uint32_t firstHash = 0;
  std::uint8_t hashCount = 0;
  // The low 32 bits of each state hash: a desync lasts, so a rare equal
  // half-hash only moves the first frame found.
  std::array<std::uint32_t, kMaxHashes> hashes{};
};

// Host to client or spectator, every frame: confirmed frames not yet
// acknowledged and what the host holds of the peer's.
struct Frames {
  LinkStamp link;
  std::uint32_t played = 0;
  std::uint32_t inputsHave = 0;  // the peer's controls held for frames below this
  std::uint32_t hashesHave = 0;  // hash reports taken for frames below this
  std::uint32_t first = 0;
  std::uint8_t count = 0;
  std::array<std::uint32_t, kMaxFramesPerMessage> frames{};
};

// The type byte of a message, or 0 for an empty one.
std::uint8_t TypeOf(std::string_view bytes);

// Writers replace `out`; readers accept only a message exactly as a writer
// of this protocol makes it and leave `message` untouched otherwise.
void Encode(const Hello& message, std::string& out);
// The versions of any Hello, of this protocol or another; false when the
// bytes are no Hello at all.
bool DecodeHelloVersions(std::string_view bytes, std::uint16_t& protocol, std::string& gameVersion);
bool Decode(std::string_view bytes, Hello& message);
void Encode(const Refuse& message, std::string& out);
bool Decode(std::string_view bytes, Refuse& message);
void Encode(const Challenge& message, std::string& out);
bool Decode(std::string_view bytes, Challenge& message);
void Encode(const Answer& message, std::string& out);
bool Decode(std::string_view bytes, Answer& message);
void Encode(const Welcome& message, std::string& out);
bool Decode(std::string_view bytes, Welcome& message);
void Encode(const Lobby& message, std::string& out);
bool Decode(std::string_view bytes, Lobby& message);
void EncodeSetup(const MatchStart& start, std::string& out);
bool DecodeSetup(std::string_view bytes, MatchStart& start);
void Encode(const Start& message, std::string& out);
bool Decode(std::string_view bytes, Start& message);
void Encode(const Transfer& message, std::string& out);
bool Decode(std::string_view bytes, Transfer& message);
void Encode(const End& message, std::string& out);
bool Decode(std::string_view bytes, End& message);
void EncodeLeave(std::string& out);
bool DecodeLeave(std::string_view bytes);
void Encode(MessageType type, const DesyncState& message, std::string& out);
bool Decode(std::string_view bytes, MessageType type, DesyncState& message);
void Encode(const Inputs& message, std::string& out);
bool Decode(std::string_view bytes, Inputs& message);
void Encode(const Frames& message, std::string& out);
bool Decode(std::string_view bytes, Frames& message);

}  // namespace fl3::net
