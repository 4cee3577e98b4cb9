#include "media/MidiSong.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>

#include "media/PlayableSong.h"

namespace fl3 {
namespace {

constexpr std::uint32_t kDefaultMicrosPerQuarter = 500000;  // 120 beats a minute

// Reads big-endian numbers and variable-length quantities, remembering
// whether it ever ran past the end, so callers check once per step.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  bool Failed() const { return failed_; }
  std::size_t Remaining() const { return failed_ ? 0 : bytes_.size() - pos_; }

  std::uint8_t Byte() {
    if (pos_ >= bytes_.size()) return Fail();
    return bytes_[pos_++];
  }
  std::uint8_t Peek() {
    if (pos_ >= bytes_.size()) return Fail();
    return bytes_[pos_];
  }
  std::uint32_t BigEndian(int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | Byte();
    return value;
  }
  // At most four bytes, as the file format allows.
  std::uint32_t VariableLength() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t byte = Byte();
      value = (value << 7) | (byte & 0x7F);
      if ((byte & 0x80) == 0) return value;
    }
    return Fail();
  }
  std::span<const std::uint8_t> Take(std::size_t count) {
    if (count > Remaining()) {
      Fail();
      return {};
    }
    const auto part = bytes_.subspan(pos_, count);
    pos_ += count;
    return part;
  }

 private:
  std::uint8_t Fail() {
    failed_ = true;
    pos_ = bytes_.size();
    return 0;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

struct TickedEvent {
  std::uint64_t tick;
  MidiEvent event;
};

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t microsPerQuarter;
};

struct Tracks {
  std::vector<TickedEvent> events;  // track after track, each in its own order
  std::vector<TempoChange> tempos;
  std::uint64_t endTick = 0;
};

int DataBytesOf(std::uint8_t status) {
  const int kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

bool ReadMeta(ByteReader& in, std::uint64_t tick, Tracks& out, bool& trackEnded) {
  const std::uint8_t type = in.Byte();
  const std::uint32_t length = in.VariableLength();
  const auto data = in.Take(length);
  if (in.Failed()) return false;
  if (type == 0x2F) trackEnded = true;
  if (type == 0x51 && length == 3) {
    const std::uint32_t micros = (data[0] << 16) | (data[1] << 8) | data[2];
    // A tempo of zero would squeeze the rest of the song into no time.
    if (micros > 0) out.tempos.push_back({tick, micros});
  }
  return true;
}

bool ReadTrack(std::span<const std::uint8_t> chunk, Tracks& out) {
  ByteReader in(chunk);
  std::uint64_t tick = 0;
  std::uint8_t runningStatus = 0;
  bool trackEnded = false;
  while (!in.AtEnd() && !trackEnded) {
    tick += in.VariableLength();
    std::uint8_t status = in.Peek();
    if (status & 0x80) {
      in.Byte();
    } else {
      if (runningStatus == 0) return false;
      status = runningStatus;
    }
    if (status == 0xFF) {
      if (!ReadMeta(in, tick, out, trackEnded)) return false;
    } else if (status == 0xF0 || status == 0xF7) {
      in.Take(in.VariableLength());
      runningStatus = 0;
    } else if (status >= 0xF0) {
      return false;  // real-time and common messages have no place in a file
    } else {
      runningStatus = status;
      MidiEvent event{0.0, status, in.Byte(), 0};
      if (DataBytesOf(status) == 2) event.data2 = in.Byte();
      if ((event.data1 | event.data2) & 0x80) return false;
      out.events.push_back({tick, event});
    }
    if (in.Failed()) return false;
  }
  out.endTick = std::max(out.endTick, tick);
  return true;
}

// Seconds per tick at a tempo, or fixed when the file counts SMPTE frames.
class TickClock {
 public:
  explicit TickClock(std::uint16_t division) {
    if (division & 0x8000) {
      const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
      const int ticksPerFrame = division & 0xFF;
      smpteSecondsPerTick_ = 1.0 / (framesPerSecond * ticksPerFrame);
    } else {
      ticksPerQuarter_ = division;
    }
  }
  double SecondsPerTick(std::uint32_t microsPerQuarter) const {
    if (smpteSecondsPerTick_ > 0) return smpteSecondsPerTick_;
    return microsPerQuarter / 1e6 / ticksPerQuarter_;
  }

 private:
  double smpteSecondsPerTick_ = 0.0;
  int ticksPerQuarter_ = 0;
};

bool DivisionIsUsable(std::uint16_t division) {
  if (division & 0x8000) {
    const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
    return framesPerSecond > 0 && (division & 0xFF) > 0;
  }
  return division > 0;
}

// Walks the tick line once, turning ticks into seconds through the tempo map.
class TempoMap {
 public:
  TempoMap(std::vector<TempoChange> changes, TickClock clock) : changes_(std::move(changes)), clock_(clock) {
    std::stable_sort(changes_.begin(), changes_.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  }
  // Ticks must be asked for in rising order.
  double SecondsAt(std::uint64_t tick) {
    while (next_ < changes_.size() && changes_[next_].tick <= tick) {
      Advance(changes_[next_].tick);
      micros_ = changes_[next_++].microsPerQuarter;
    }
    Advance(tick);
    return seconds_;
  }

 private:
  void Advance(std::uint64_t tick) {
    seconds_ += static_cast<double>(tick - tick_) * clock_.SecondsPerTick(micros_);
    tick_ = tick;
  }

  std::vector<TempoChange> changes_;
  TickClock clock_;
  std::size_t next_ = 0;
  std::uint64_t tick_ = 0;
  std::uint32_t micros_ = kDefaultMicrosPerQuarter;
  double seconds_ = 0.0;
};

MidiSong ToSong(Tracks tracks, std::uint16_t division) {
  std::stable_sort(tracks.events.begin(), tracks.events.end(),
                   [](const TickedEvent& a, const TickedEvent& b) { return a.tick < b.tick; });
  TempoMap tempoMap(std::move(tracks.tempos), TickClock(division));
  MidiSong song;
  song.events.reserve(tracks.events.size());
  for (TickedEvent& ticked : tracks.events) {
    ticked.event.seconds = tempoMap.SecondsAt(ticked.tick);
    song.events.push_back(ticked.event);
  }
  song.lengthSeconds = tempoMap.SecondsAt(tracks.endTick);
  return song;
}

bool ChunkIs(std::span<const std::uint8_t> id, std::string_view name) {
  return std::equal(id.begin(), id.end(), name.begin(), name.end());
}

}  // namespace

std::optional<MidiSong> ParseMidiFile(std::span<const std::uint8_t> bytes) {
  ByteReader in(bytes);
  if (!ChunkIs(in.Take(4), "MThd")) return std::nullopt;
  const std::uint32_t headerLength = in.BigEndian(4);
  ByteReader header(in.Take(headerLength));
  const std::uint16_t format = header.BigEndian(2);
  const std::uint16_t trackCount = header.BigEndian(2);
  const std::uint16_t division = header.BigEndian(2);
  if (in.Failed() || header.Failed() || format > 2 || trackCount == 0 || !DivisionIsUsable(division)) {
    return std::nullopt;
  }
  Tracks tracks;
  int tracksRead = 0;
  while (tracksRead < trackCount && !in.AtEnd()) {
    const auto id = in.Take(4);
    const auto chunk = in.Take(in.BigEndian(4));
    if (in.Failed()) return std::nullopt;
    if (!ChunkIs(id, "MTrk")) continue;  // unknown chunks are skipped by design of the format
    if (!ReadTrack(chunk, tracks)) return std::nullopt;
    ++tracksRead;
  }
  if (tracksRead < trackCount) return std::nullopt;
  MidiSong song = ToSong(std::move(tracks), division);
  DropZeroLengthNotes(song);
  return song;
}

std::optional<MidiSong> ReadMidiFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) return std::nullopt;
  stream.seekg(0, std::ios::end);
  const std::streamoff size = stream.tellg();
  if (size <= 0 || static_cast<std::uint64_t>(size) > kLargestMidiFile) return std::nullopt;
  stream.seekg(0, std::ios::beg);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!stream.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return ParseMidiFile(bytes);
}

}  // namespace fl3
