#include "replay/Replay.h"

#include <xxhash.h>

#include <algorithm>
#include <utility>

#include "core/LittleEndian.h"
#include "replay/ReplayStreams.h"

namespace fl3 {
namespace {

// The file: magic, format version, the game's version, when, how the match
// ended, the frame count, the start (its words packed), the two streams, the
// hashes, and an XXH3 of everything before it. Later formats keep the first three in place,
// so that an older game can name the newer version it refuses. Format 2 adds
// the occasion and the players' names after the frame count.
constexpr std::string_view kMagic = "FL3RPLAY";
constexpr std::uint32_t kFormatVersion = 2;
constexpr std::uint32_t kFirstFormatWithLabels = 2;
constexpr std::size_t kMaxGameVersionBytes = 32;
constexpr std::size_t kReservedFrames = 10u * 60u * 1000u / 51u;
constexpr std::uint32_t kNoWinner = 0xFF;
// A start holds the level (3328 bytes), a name of at most 255 and some numbers.
constexpr std::size_t kMaxStartBytes = 4096;

constexpr std::string_view kDamaged = "the replay file is damaged or cut short";

std::uint64_t Checksum(std::string_view bytes) { return XXH3_64bits(bytes.data(), bytes.size()); }

IoResult Damaged() { return IoResult::Failure(std::string(kDamaged)); }

// A label longer than its room loses its tail, never half a UTF-8 character.
std::string_view CutToWholeCharacters(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

// The header as far as every format version shares it.
IoResult ReadVersion(LittleEndianReader& in, std::string& gameVersion, std::uint32_t& format) {
  if (in.Raw(kMagic.size()) != kMagic) return IoResult::Failure("this is not a FUSELARK3 replay file");
  format = in.U16();
  gameVersion = in.Text(kMaxGameVersionBytes);
  if (!in.Good() || format == 0) return Damaged();
  if (format > kFormatVersion) {
    return IoResult::Failure("the replay was recorded by a newer version of FUSELARK3 (" + gameVersion +
                             "); this version (" + std::string(GameVersion()) + ") cannot play it");
  }
  return IoResult::Success();
}

bool ReadEnd(std::uint32_t endCode, std::uint32_t winnerCode, Replay& replay) {
  if (endCode > static_cast<std::uint32_t>(MatchEnd::Winner)) return false;
  replay.end = static_cast<MatchEnd>(endCode);
  const bool hasWinner = replay.end == MatchEnd::Winner;
  if (hasWinner != (winnerCode < FigureCount) || (!hasWinner && winnerCode != kNoWinner)) return false;
  replay.winner = hasWinner ? static_cast<int>(winnerCode) : -1;
  return true;
}

std::string_view Section(LittleEndianReader& in) {
  const std::uint32_t size = in.U32();
  return in.Raw(size);
}

void ReadLabels(LittleEndianReader& in, Replay& replay) {
  replay.occasion = in.Text(Replay::kMaxOccasionBytes);
  for (std::string& name : replay.names) name = in.Text(Replay::kMaxNameBytes);
}

IoResult ReadBody(LittleEndianReader& in, std::uint32_t format, Replay& replay) {
  replay.recordedAtSeconds = static_cast<std::int64_t>(in.U64());
  const std::uint32_t endCode = in.U8(), winnerCode = in.U8();
  const std::uint32_t frameCount = in.U32();
  if (format >= kFirstFormatWithLabels) ReadLabels(in, replay);
  const std::string_view start = Section(in), controls = Section(in), times = Section(in);
  if (!in.Good()) return Damaged();
  if (!ReadEnd(endCode, winnerCode, replay) || frameCount == 0 || frameCount > Replay::kMaxFrames) return Damaged();
  std::string startBytes;
  if (!UnpackWords(start, kMaxStartBytes, startBytes)) return Damaged();
  if (const IoResult read = DecodeMatchStart(startBytes, replay.start); !read) return read;
  // The count is bounded above, so this is at most a few megabytes.
  replay.frames.assign(frameCount, ControlFrame{});
  if (!DecodeControlStream(controls, replay.frames) || !DecodeFrameTimeStream(times, replay.frames) ||
      in.Left() != 8u * (frameCount / Replay::kHashEvery + 1)) {
    return Damaged();
  }
  replay.hashes.resize(frameCount / Replay::kHashEvery);
  for (std::uint64_t& hash : replay.hashes) hash = in.U64();
  replay.finalHash = in.U64();
  return IoResult::Success();
}

void WriteSection(LittleEndianWriter& out, const std::string& bytes) {
  out.U32(static_cast<std::uint32_t>(bytes.size()));
  out.Raw(bytes);
}

}  // namespace

std::string_view GameVersion() { return FUSELARK3_VERSION; }

ReplayRecorder::ReplayRecorder(MatchStart start) {
  replay_.start = std::move(start);
  replay_.gameVersion = GameVersion();
  replay_.frames.reserve(kReservedFrames);
  replay_.hashes.reserve(kReservedFrames / Replay::kHashEvery);
}

void ReplayRecorder::AddFrame(const ControlFrame& frame, const MatchEngine& engineAfterFrame) {
  if (replay_.frames.size() >= Replay::kMaxFrames) {
    tooLong_ = true;
    return;
  }
  replay_.frames.push_back(frame);
  if (replay_.frames.size() % Replay::kHashEvery != 0) return;
  engineAfterFrame.Save(snapshot_);
  replay_.hashes.push_back(HashSnapshot(snapshot_));
}

Replay ReplayRecorder::Finish(MatchEnd end, int winner, const MatchEngine& engineAtEnd,
                              std::int64_t recordedAtSeconds) {
  engineAtEnd.Save(snapshot_);
  replay_.finalHash = HashSnapshot(snapshot_);
  replay_.end = end;
  replay_.winner = end == MatchEnd::Winner ? winner : -1;
  replay_.recordedAtSeconds = recordedAtSeconds;
  Replay finished = std::move(replay_);
  replay_ = Replay{};
  return finished;
}

std::string EncodeReplay(const Replay& replay) {
  std::string bytes, section;
  LittleEndianWriter out(bytes);
  out.Raw(kMagic);
  out.U16(kFormatVersion);
  out.Text(replay.gameVersion.substr(0, kMaxGameVersionBytes));
  out.U64(static_cast<std::uint64_t>(replay.recordedAtSeconds));
  out.U8(static_cast<std::uint32_t>(replay.end));
  out.U8(replay.end == MatchEnd::Winner ? static_cast<std::uint32_t>(replay.winner) : kNoWinner);
  out.U32(static_cast<std::uint32_t>(replay.frames.size()));
  out.Text(CutToWholeCharacters(replay.occasion, Replay::kMaxOccasionBytes));
  for (const std::string& name : replay.names) out.Text(CutToWholeCharacters(name, Replay::kMaxNameBytes));
  PackWords(EncodeMatchStart(replay.start), section);
  WriteSection(out, std::exchange(section, {}));
  EncodeControlStream(replay.frames, section);
  WriteSection(out, std::exchange(section, {}));
  EncodeFrameTimeStream(replay.frames, section);
  WriteSection(out, section);
  for (std::size_t i = 0; i < replay.frames.size() / Replay::kHashEvery; ++i) {
    out.U64(i < replay.hashes.size() ? replay.hashes[i] : 0);
  }
  out.U64(replay.finalHash);
  out.U64(Checksum(bytes));
  return bytes;
}

IoResult DecodeReplay(std::string_view bytes, Replay& replay) {
  if (bytes.size() > kMaxReplayFileBytes) return IoResult::Failure("the file is too large to be a replay");
  Replay read;
  // A newer format is named before its checksum, which may lie elsewhere.
  LittleEndianReader header(bytes);
  std::uint32_t format = 0;
  if (const IoResult version = ReadVersion(header, read.gameVersion, format); !version) return version;
  const std::string_view content = bytes.substr(0, bytes.size() - std::min<std::size_t>(8, bytes.size()));
  if (bytes.size() < 8 || Checksum(content) != LittleEndianReader(bytes.substr(content.size())).U64()) {
    return Damaged();
  }
  LittleEndianReader in(content);
  ReadVersion(in, read.gameVersion, format);
  if (const IoResult body = ReadBody(in, format, read); !body) return body;
  replay = std::move(read);
  return IoResult::Success();
}

}  // namespace fl3
