#include "core/LittleEndian.h"
#include "net/WireMessages.h"

namespace fl3::net {
namespace {

constexpr char kMagic[] = "FL3N";
constexpr std::size_t kMaxRefuseText = 64;
constexpr std::size_t kMaxEndText = 200;
constexpr std::size_t kMaxSetupBytes = 8192;
constexpr std::size_t kMaxSnapshotBytes = 64 * 1024;
constexpr std::size_t kMaxTransferFrames = 1u << 20;

// Names and versions are shown to people: no control characters.
bool Printable(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

LittleEndianWriter Begin(MessageType type, std::string& out) {
  out.clear();
  LittleEndianWriter writer(out);
  writer.U8(static_cast<std::uint32_t>(type));
  return writer;
}

bool Is(LittleEndianReader& in, MessageType type) { return in.U8() == static_cast<std::uint32_t>(type) && in.Good(); }

void PadToRequestSize(std::string& out) {
  if (out.size() < kRequestBytes) out.append(kRequestBytes - out.size(), '\0');
}

bool ZeroPadding(LittleEndianReader& in) {
  for (const char c : in.Raw(in.Left())) {
    if (c != '\0') return false;
  }
  return in.Good();
}

template <std::size_t N>
void ReadBytes(LittleEndianReader& in, std::array<std::uint8_t, N>& bytes) {
  const std::string_view raw = in.Raw(N);
  for (std::size_t i = 0; i < raw.size(); ++i) bytes[i] = static_cast<std::uint8_t>(raw[i]);
}

template <std::size_t N>
void WriteBytes(LittleEndianWriter& out, const std::array<std::uint8_t, N>& bytes) {
  out.Raw(std::string_view(reinterpret_cast<const char*>(bytes.data()), N));
}

// A length (32 bits) and bytes, refused above maxBytes.
std::string_view Blob(LittleEndianReader& in, std::size_t maxBytes) {
  const std::uint32_t size = in.U32();
  if (!in.Good() || size > maxBytes) {
    in.Raw(in.Left() + 1);  // fails the reader
    return {};
  }
  return in.Raw(size);
}

void PutBlob(LittleEndianWriter& out, std::string_view bytes) {
  out.U32(static_cast<std::uint32_t>(bytes.size()));
  out.Raw(bytes);
}

}  // namespace

std::uint8_t TypeOf(std::string_view bytes) { return bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[0]); }

void Encode(const Hello& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Hello, out);
  w.Raw(kMagic);
  w.U16(message.protocol);
  w.Text(message.gameVersion.substr(0, kMaxVersionBytes));
  w.U8(static_cast<std::uint32_t>(message.role));
  w.U8(message.seats);
  w.Text(message.name.substr(0, kMaxNameBytes));
  WriteBytes(w, message.seatKey);
  PadToRequestSize(out);
}

// Magic, protocol and the game's version open every Hello of every version.
bool DecodeHelloVersions(std::string_view bytes, std::uint16_t& protocol, std::string& gameVersion) {
  LittleEndianReader in(bytes);
  if (!Is(in, MessageType::Hello) || in.Raw(4) != std::string_view(kMagic, 4)) return false;
  const std::uint32_t readProtocol = in.U16();
  std::string version = in.Text(kMaxVersionBytes);
  if (!in.Good() || !Printable(version)) return false;
  protocol = static_cast<std::uint16_t>(readProtocol);
  gameVersion = std::move(version);
  return true;
}

bool Decode(std::string_view bytes, Hello& message) {
  Hello read;
  if (bytes.size() != kRequestBytes || !DecodeHelloVersions(bytes, read.protocol, read.gameVersion)) return false;
  if (read.protocol != kProtocolVersion) return false;
  LittleEndianReader in(bytes.substr(1 + 4 + 2 + 2 + read.gameVersion.size()));
  const std::uint32_t role = in.U8();
  read.seats = static_cast<std::uint8_t>(in.U8());
  read.name = in.Text(kMaxNameBytes);
  ReadBytes(in, read.seatKey);
  if (!in.Good() || !ZeroPadding(in) || role > 1 || read.name.empty() || !Printable(read.name)) return false;
  read.role = static_cast<Role>(role);
  if (read.role == Role::Player ? (read.seats < 1 || read.seats > 2) : read.seats != 0) return false;
  message = std::move(read);
  return true;
}

void Encode(const Refuse& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Refuse, out);
  w.U8(static_cast<std::uint32_t>(message.reason));
  w.U16(message.hostProtocol);
  w.Text(message.hostVersion.substr(0, kMaxVersionBytes));
  w.Text(message.text.substr(0, kMaxRefuseText));
}

bool Decode(std::string_view bytes, Refuse& message) {
  LittleEndianReader in(bytes);
  Refuse read;
  if (!Is(in, MessageType::Refuse)) return false;
  const std::uint32_t reason = in.U8();
  read.hostProtocol = static_cast<std::uint16_t>(in.U16());
  read.hostVersion = in.Text(kMaxVersionBytes);
  read.text = in.Text(kMaxRefuseText);
  if (!in.Good() || !in.AtEnd() || reason < 1 || reason > static_cast<std::uint32_t>(RefuseReason::NoSpectators)) return false;
  if (!Printable(read.hostVersion)) return false;
  read.reason = static_cast<RefuseReason>(reason);
  message = std::move(read);
  return true;
}

void Encode(const Challenge& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Challenge, out);
  WriteBytes(w, message.nonce);
  WriteBytes(w, message.salt);
}

bool Decode(std::string_view bytes, Challenge& message) {
  LittleEndianReader in(bytes);
  Challenge read;
  if (!Is(in, MessageType::Challenge)) return false;
  ReadBytes(in, read.nonce);
  ReadBytes(in, read.salt);
  if (!in.Good() || !in.AtEnd()) return false;
  message = read;
  return true;
}

void Encode(const Answer& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Answer, out);
  WriteBytes(w, message.proof);
  PadToRequestSize(out);
}

bool Decode(std::string_view bytes, Answer& message) {
  LittleEndianReader in(bytes);
  Answer read;
  if (bytes.size() != kRequestBytes || !Is(in, MessageType::Answer)) return false;
  ReadBytes(in, read.proof);
  if (!ZeroPadding(in)) return false;
  message = read;
  return true;
}

void Encode(const Welcome& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Welcome, out);
  w.U8(static_cast<std::uint32_t>(message.role));
  w.U8(message.figures);
  WriteBytes(w, message.seatKey);
}

bool Decode(std::string_view bytes, Welcome& message) {
  LittleEndianReader in(bytes);
  if (!Is(in, MessageType::Welcome)) return false;
  const std::uint32_t role = in.U8();
  const std::uint32_t figures = in.U8();
  SeatKey key{};
  ReadBytes(in, key);
  if (!in.Good() || !in.AtEnd() || role > 1 || figures >= (1u << FigureCount)) return false;
  message.role = static_cast<Role>(role);
  message.figures = static_cast<std::uint8_t>(figures);
  message.seatKey = key;
  return true;
}

void Encode(const Lobby& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Lobby, out);
  for (const Lobby::Seat& seat : message.seats) {
    w.U8(static_cast<std::uint32_t>(seat.state));
    w.Text(seat.name.substr(0, kMaxNameBytes));
    w.U16(seat.roundTripMs);
    w.U16(seat.dropInMs);
  }
  w.U8(message.spectators);
}

bool Decode(std::string_view bytes, Lobby& message) {
  LittleEndianReader in(bytes);
  Lobby read;
  if (!Is(in, MessageType::Lobby)) return false;
  for (Lobby::Seat& seat : read.seats) {
    const std::uint32_t state = in.U8();
    seat.name = in.Text(kMaxNameBytes);
    seat.roundTripMs = static_cast<std::uint16_t>(in.U16());
    seat.dropInMs = static_cast<std::uint16_t>(in.U16());
    if (state > static_cast<std::uint32_t>(SeatState::Left) || !Printable(seat.name)) return false;
    seat.state = static_cast<SeatState>(state);
  }
  read.spectators = static_cast<std::uint8_t>(in.U8());
  if (!in.Good() || !in.AtEnd()) return false;
  message = std::move(read);
  return true;
}

void EncodeSetup(const MatchStart& start, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Setup, out);
  w.Raw(EncodeMatchStart(start));
}

bool DecodeSetup(std::string_view bytes, MatchStart& start) {
  if (TypeOf(bytes) != static_cast<std::uint8_t>(MessageType::Setup) || bytes.size() > kMaxSetupBytes) return false;
  return static_cast<bool>(DecodeMatchStart(bytes.substr(1), start));
}

void Encode(const Start& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Start, out);
  w.U32(message.firstFrameAt);
  w.U32(message.sentMs);
}

bool Decode(std::string_view bytes, Start& message) {
  LittleEndianReader in(bytes);
  if (!Is(in, MessageType::Start)) return false;
  const std::uint32_t at = in.U32();
  const std::uint32_t sent = in.U32();
  if (!in.Good() || !in.AtEnd()) return false;
  message.firstFrameAt = at;
  message.sentMs = sent;
  return true;
}

void Encode(const Transfer& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::Transfer, out);
  w.U32(message.firstOwnFrame);
  PutBlob(w, EncodeMatchStart(message.start));
  PutBlob(w, message.frames);
  PutBlob(w, message.snapshot);
}

bool Decode(std::string_view bytes, Transfer& message) {
  LittleEndianReader in(bytes);
  Transfer read;
  if (!Is(in, MessageType::Transfer)) return false;
  read.firstOwnFrame = in.U32();
  const std::string_view start = Blob(in, kMaxSetupBytes);
  read.frames = Blob(in, 3 * kMaxTransferFrames);
  read.snapshot = Blob(in, kMaxSnapshotBytes);
  if (!in.Good() || !in.AtEnd() || read.frames.size() % 3 != 0) return false;
  for (std::size_t i = 2; i < read.frames.size(); i += 3) {
    if ((static_cast<unsigned char>(read.frames[i]) >> (ControlFrame::kPackedBits - 16)) != 0) return false;
  }
  if (!DecodeMatchStart(start, read.start)) return false;
  message = std::move(read);
  return true;
}

void Encode(const End& message, std::string& out) {
  LittleEndianWriter w = Begin(MessageType::End, out);
  w.U8(static_cast<std::uint32_t>(message.reason));
  w.U32(message.frame);
  w.Text(message.text.substr(0, kMaxEndText));
}

bool Decode(std::string_view bytes, End& message) {
  LittleEndianReader in(bytes);
  End read;
  if (!Is(in, MessageType::End)) return false;
  const std::uint32_t reason = in.U8();
  read.frame = in.U32();
  read.text = in.Text(kMaxEndText);
  if (!in.Good() || !in.AtEnd() || reason < 1 || reason > static_cast<std::uint32_t>(EndReason::Excluded)) return false;
  read.reason = static_cast<EndReason>(reason);
  message = std::move(read);
  return true;
}

void EncodeLeave(std::string& out) { Begin(MessageType::Leave, out); }

bool DecodeLeave(std::string_view bytes) { return bytes.size() == 1 && TypeOf(bytes) == static_cast<std::uint8_t>(MessageType::Leave); }

void Encode(MessageType type, const DesyncState& message, std::string& out) {
  LittleEndianWriter w = Begin(type, out);
  w.U32(message.frame);
  PutBlob(w, message.snapshot);
}

bool Decode(std::string_view bytes, MessageType type, DesyncState& message) {
  LittleEndianReader in(bytes);
  DesyncState read;
  if (!Is(in, type)) return false;
  read.frame = in.U32();
  read.snapshot = Blob(in, kMaxSnapshotBytes);
  if (!in.Good() || !in.AtEnd()) return false;
  message = std::move(read);
  return true;
}

}  // namespace fl3::net
