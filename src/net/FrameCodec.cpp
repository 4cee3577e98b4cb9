#include <bit>

#include "core/LittleEndian.h"
#include "net/WireMessages.h"

namespace fl3::net {
namespace {

constexpr std::uint32_t kFigureBits = (1u << 5) - 1;
constexpr std::uint32_t kFrameBits = (1u << ControlFrame::kPackedBits) - 1;

void Put(LittleEndianWriter& w, const LinkStamp& link) {
  w.U16(link.sequence);
  w.U32(link.sentMs);
  w.U32(link.echoMs);
  w.U16(link.heldMs);
}

LinkStamp Take(LittleEndianReader& in) {
  LinkStamp link;
  link.sequence = static_cast<std::uint16_t>(in.U16());
  link.sentMs = in.U32();
  link.echoMs = in.U32();
  link.heldMs = static_cast<std::uint16_t>(in.U16());
  return link;
}

void PutFrame(LittleEndianWriter& w, std::uint32_t packed) {
  w.U16(packed & 0xFFFF);
  w.U8(packed >> 16);
}

std::uint32_t TakeFrame(LittleEndianReader& in) {
  const std::uint32_t low = in.U16();
  return low | in.U8() << 16;
}

}  // namespace

void Encode(const Inputs& message, std::string& out) {
  out.clear();
  LittleEndianWriter w(out);
  w.U8(static_cast<std::uint32_t>(MessageType::Inputs));
  Put(w, message.link);
  w.U32(message.played);
  w.U32(message.framesHave);
  w.U8(message.figures);
  w.U32(message.firstInput);
  w.U8(message.inputCount);
  const int bytes = message.inputCount * std::popcount(message.figures);
  for (int i = 0; i < bytes; ++i) w.U8(message.inputs[static_cast<std::size_t>(i)]);
  w.U32(message.firstHash);
  w.U8(message.hashCount);
  for (int i = 0; i < message.hashCount; ++i) w.U32(message.hashes[static_cast<std::size_t>(i)]);
}

bool Decode(std::string_view bytes, Inputs& message) {
  LittleEndianReader in(bytes);
  Inputs read;
  if (in.U8() != static_cast<std::uint32_t>(MessageType::Inputs)) return false;
  read.link = Take(in);
  read.played = in.U32();
  read.framesHave = in.U32();
  const std::uint32_t figures = in.U8();
  read.firstInput = in.U32();
  const std::uint32_t count = in.U8();
  if (!in.Good() || figures >= (1u << FigureCount) || count > kMaxInputFrames) return false;
  read.figures = static_cast<std::uint8_t>(figures);
  read.inputCount = static_cast<std::uint8_t>(count);
  const int inputBytes = static_cast<int>(count) * std::popcount(figures);
  for (int i = 0; i < inputBytes; ++i) {
    const std::uint32_t byte = in.U8();
    if (byte > kFigureBits) return false;
    read.inputs[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(byte);
  }
  read.firstHash = in.U32();
  const std::uint32_t hashes = in.U8();
  if (!in.Good() || hashes > kMaxHashes) return false;
  read.hashCount = static_cast<std::uint8_t>(hashes);
  for (std::uint32_t i = 0; i < hashes; ++i) read.hashes[i] = in.U32();
  if (!in.Good() || !in.AtEnd()) return false;
  message = read;
  return true;
}

void Encode(const Frames& message, std::string& out) {
  out.clear();
  LittleEndianWriter w(out);
  w.U8(static_cast<std::uint32_t>(MessageType::Frames));
  Put(w, message.link);
  w.U32(message.played);
  w.U32(message.inputsHave);
  w.U32(message.hashesHave);
  w.U32(message.first);
  w.U8(message.count);
  for (int i = 0; i < message.count; ++i) PutFrame(w, message.frames[static_cast<std::size_t>(i)]);
}

bool Decode(std::string_view bytes, Frames& message) {
  LittleEndianReader in(bytes);
  Frames read;
  if (in.U8() != static_cast<std::uint32_t>(MessageType::Frames)) return false;
  read.link = Take(in);
  read.played = in.U32();
  read.inputsHave = in.U32();
  read.hashesHave = in.U32();
  read.first = in.U32();
  const std::uint32_t count = in.U8();
  if (!in.Good() || count > kMaxFramesPerMessage) return false;
  read.count = static_cast<std::uint8_t>(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    read.frames[i] = TakeFrame(in);
    if (read.frames[i] > kFrameBits) return false;
  }
  if (!in.Good() || !in.AtEnd()) return false;
  message = read;
  return true;
}

}  // namespace fl3::net
