#include "media/MidiFileWriter.h"

#include <algorithm>

namespace fl3 {
namespace {

char Byte(int value) { return static_cast<char>(value & 0xFF); }
int Data(int value) { return std::clamp(value, 0, 127); }
int Status(int kind, int channel) { return kind | (channel & 0x0F); }

std::string VariableLength(std::uint32_t value) {
  std::string reversed(1, Byte(value & 0x7F));
  while ((value >>= 7) != 0) reversed += Byte(0x80 | (value & 0x7F));
  return {reversed.rbegin(), reversed.rend()};
}

std::string BigEndian(std::uint32_t value, int count) {
  std::string bytes;
  for (int i = count - 1; i >= 0; --i) bytes += Byte(value >> (8 * i));
  return bytes;
}

std::string Meta(int type, std::string_view data) {
  return std::string{Byte(0xFF), Byte(type)} + VariableLength(static_cast<std::uint32_t>(data.size())) +
         std::string(data);
}

}  // namespace

void MidiTrackWriter::Add(std::uint32_t tick, Order order, std::string bytes) {
  entries_.push_back({tick, order, std::move(bytes)});
}

void MidiTrackWriter::Name(std::string_view text) { Add(0, kSetting, Meta(0x03, text)); }

void MidiTrackWriter::Tempo(std::uint32_t tick, std::uint32_t microsPerQuarter) {
  Add(tick, kSetting, Meta(0x51, BigEndian(microsPerQuarter, 3)));
}

void MidiTrackWriter::TimeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
  // 24 clocks per metronome click, 8 thirty-seconds per quarter: the usual values.
  Add(tick, kSetting, Meta(0x58, std::string{Byte(numerator), Byte(denominatorPower), Byte(24), Byte(8)}));
}

void MidiTrackWriter::Program(std::uint32_t tick, int channel, int program) {
  Add(tick, kSetting, std::string{Byte(Status(0xC0, channel)), Byte(Data(program))});
}

void MidiTrackWriter::Controller(std::uint32_t tick, int channel, int controller, int value) {
  Add(tick, kSetting, std::string{Byte(Status(0xB0, channel)), Byte(Data(controller)), Byte(Data(value))});
}

void MidiTrackWriter::PitchBend(std::uint32_t tick, int channel, int value) {
  const int bend = std::clamp(value, 0, 16383);
  Add(tick, kSetting, std::string{Byte(Status(0xE0, channel)), Byte(bend & 0x7F), Byte(bend >> 7)});
}

void MidiTrackWriter::NoteOn(std::uint32_t tick, int channel, int key, int velocity) {
  Add(tick, kNoteOn, std::string{Byte(Status(0x90, channel)), Byte(Data(key)), Byte(std::clamp(velocity, 1, 127))});
}

void MidiTrackWriter::NoteOff(std::uint32_t tick, int channel, int key) {
  Add(tick, kNoteOff, std::string{Byte(Status(0x80, channel)), Byte(Data(key)), Byte(64)});
}

void MidiTrackWriter::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  NoteOn(tick, channel, key, velocity);
  NoteOff(tick + std::max<std::uint32_t>(length, 1), channel, key);
}

std::string MidiTrackWriter::Chunk(std::uint32_t endTick) const {
  std::vector<Entry> sorted = entries_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Entry& a, const Entry& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::string body;
  std::uint32_t tick = 0;
  for (const Entry& entry : sorted) {
    body += VariableLength(entry.tick - tick) + entry.bytes;
    tick = entry.tick;
  }
  body += VariableLength(std::max(endTick, tick) - tick) + Meta(0x2F, "");
  return "MTrk" + BigEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

std::string EncodeMidiFile(int ticksPerQuarter, const std::vector<MidiTrackWriter>& tracks, std::uint32_t endTick) {
  const int format = tracks.size() == 1 ? 0 : 1;
  std::string file = "MThd" + BigEndian(6, 4) + BigEndian(format, 2) +
                     BigEndian(static_cast<std::uint32_t>(tracks.size()), 2) + BigEndian(ticksPerQuarter, 2);
  for (const MidiTrackWriter& track : tracks) file += track.Chunk(endTick);
  return file;
}

}  // namespace fl3
