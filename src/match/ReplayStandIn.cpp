// A stand-in for the replay recorder and file form declared in Replay.h,
// so network play links and records until the real ones land; delete this
// file then. The byte form here is provisional and marked as such.
#include "core/LittleEndian.h"
#include "match/MatchSnapshot.h"
#include "match/Replay.h"

namespace fl3 {
namespace {

constexpr char kStandInMagic[] = "FL3R-provisional";

}  // namespace

ReplayRecorder::ReplayRecorder(MatchStart start) {
  replay_.start = std::move(start);
  replay_.frames.reserve(8192);
}

void ReplayRecorder::AddFrame(const ControlFrame& frame, const MatchEngine& engineAfterFrame) {
  replay_.frames.push_back(frame);
  if (replay_.frames.size() % Replay::kHashEvery != 0) return;
  MatchSnapshot snapshot;
  engineAfterFrame.Save(snapshot);
  replay_.hashes.push_back(HashSnapshot(snapshot));
}

Replay ReplayRecorder::Finish(MatchEnd end, int winner, const MatchEngine& engineAtEnd, std::int64_t recordedAtSeconds) {
  MatchSnapshot snapshot;
  engineAtEnd.Save(snapshot);
  replay_.finalHash = HashSnapshot(snapshot);
  replay_.end = end;
  replay_.winner = winner;
  replay_.recordedAtSeconds = recordedAtSeconds;
  Replay finished = std::move(replay_);
  replay_ = Replay{};
  return finished;
}

std::string EncodeReplay(const Replay& replay) {
  std::string bytes;
  LittleEndianWriter out(bytes);
  out.Raw(kStandInMagic);
  const std::string start = EncodeMatchStart(replay.start);
  out.U32(static_cast<std::uint32_t>(start.size()));
  out.Raw(start);
  out.U32(static_cast<std::uint32_t>(replay.frames.size()));
  for (const ControlFrame& frame : replay.frames) out.U32(frame.Pack());
  out.U32(static_cast<std::uint32_t>(replay.hashes.size()));
  for (const std::uint64_t hash : replay.hashes) out.U64(hash);
  out.U64(replay.finalHash);
  out.I32(static_cast<std::int32_t>(replay.end));
  out.I32(replay.winner);
  out.U64(static_cast<std::uint64_t>(replay.recordedAtSeconds));
  return bytes;
}

IoResult DecodeReplay(std::string_view bytes, Replay& replay) {
  LittleEndianReader in(bytes);
  Replay read;
  if (in.Raw(sizeof kStandInMagic - 1) != kStandInMagic) return IoResult::Failure("not a replay");
  const std::uint32_t startSize = in.U32();
  if (startSize > in.Left()) return IoResult::Failure("the replay is cut short");
  if (IoResult result = DecodeMatchStart(in.Raw(startSize), read.start); !result) return result;
  const std::uint32_t frames = in.U32();
  if (frames > in.Left() / 4) return IoResult::Failure("the replay is cut short");
  for (std::uint32_t i = 0; i < frames; ++i) read.frames.push_back(ControlFrame::Unpack(in.U32(), ControlFrame::kNetworkFrameMs));
  const std::uint32_t hashes = in.U32();
  if (hashes > in.Left() / 8) return IoResult::Failure("the replay is cut short");
  for (std::uint32_t i = 0; i < hashes; ++i) read.hashes.push_back(in.U64());
  read.finalHash = in.U64();
  const std::int32_t end = in.I32();
  read.winner = in.I32();
  read.recordedAtSeconds = static_cast<std::int64_t>(in.U64());
  if (!in.Good() || !in.AtEnd() || end < 0 || end > 3) return IoResult::Failure("the replay is damaged");
  read.end = static_cast<MatchEnd>(end);
  replay = std::move(read);
  return IoResult::Success();
}

}  // namespace fl3
