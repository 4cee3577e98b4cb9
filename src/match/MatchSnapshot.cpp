#include "match/MatchSnapshot.h"

#include <xxhash.h>

#include <algorithm>
#include <array>
#include <sstream>

#include "core/LittleEndian.h"
#include "match/SnapshotFields.h"

namespace fl3 {
namespace {

constexpr std::size_t kMaxMusicBytes = 1024;
// Music, its length, the fixed words, the bomb count and at most one bomb a cell.
constexpr std::size_t kFixedWords = 9 + 11 * FigureCount + 2 * CellCount;
constexpr std::size_t kMaxEncodedBytes = kMaxMusicBytes + 4 * (1 + kFixedWords + 1 + 11 * CellCount);

template <class T>
std::uint32_t AsWord(const T& value) {
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

// Every word of the byte form in order, music first, as `put(word)`, and the
// music's own bytes as `putByte(byte)`.
template <class PutWord, class PutByte>
void WriteSnapshot(const MatchSnapshot& snapshot, PutWord&& put, PutByte&& putByte) {
  const std::size_t music = std::min(snapshot.levelMusic.size(), kMaxMusicBytes);
  put(static_cast<std::uint32_t>(music));
  for (std::size_t i = 0; i < music; ++i) putByte(static_cast<std::uint8_t>(snapshot.levelMusic[i]));
  VisitSnapshotFields(
      snapshot, [&](FieldName, const auto& value, FieldRange) { put(AsWord(value)); },
      [&](std::size_t count) {
        put(static_cast<std::uint32_t>(count));
        return true;
      });
}


}  // namespace

void EncodeSnapshot(const MatchSnapshot& snapshot, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  WriteSnapshot(
      snapshot,
      [&](std::uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(word >> shift));
      },
      [&](std::uint8_t byte) { bytes.push_back(byte); });
}

bool DecodeSnapshot(const std::uint8_t* data, std::size_t size, MatchSnapshot& snapshot) {
  LittleEndianReader reader(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::uint32_t music = reader.U32();
  if (music > kMaxMusicBytes) return false;
  snapshot.levelMusic = reader.Raw(music);
  bool good = reader.Good();
  VisitSnapshotFields(
      snapshot,
      [&](FieldName, auto& value, FieldRange range) {
        if (!good) return;
        const std::int32_t number = reader.I32();
        good = reader.Good() && number >= range.low && number <= range.high;
        if (good) value = static_cast<std::remove_reference_t<decltype(value)>>(number);
      },
      [&](std::size_t) {
        const std::uint32_t count = good ? reader.U32() : 0;
        good = good && reader.Good() && count <= static_cast<std::uint32_t>(CellCount);
        if (good) snapshot.bombs.resize(count);
        return good;
      });
  return good && reader.AtEnd();
}

std::uint64_t HashSnapshot(const MatchSnapshot& snapshot) {
  if (snapshot.bombs.size() > static_cast<std::size_t>(CellCount)) {
    std::vector<std::uint8_t> many;  // beyond ordinary play: no stack buffer holds it
    EncodeSnapshot(snapshot, many);
    return XXH3_64bits(many.data(), many.size());
  }
  // On the stack: hashing every frame must not allocate.
  std::array<std::uint8_t, kMaxEncodedBytes> bytes;
  std::size_t at = 0;
  WriteSnapshot(
      snapshot,
      [&](std::uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8) bytes[at++] = static_cast<std::uint8_t>(word >> shift);
      },
      [&](std::uint8_t byte) { bytes[at++] = byte; });
  return XXH3_64bits(bytes.data(), at);
}

std::string FirstDifference(const MatchSnapshot& a, const MatchSnapshot& b) {
  if (a.levelMusic != b.levelMusic) return "level music: \"" + a.levelMusic + "\" / \"" + b.levelMusic + "\"";
  std::vector<std::uint32_t> values;
  VisitSnapshotFields(
      a,
      [&](FieldName, const auto& value, FieldRange) {
        values.push_back(AsWord(value));
      },
      [](std::size_t) { return true; });
  std::size_t at = 0;
  std::ostringstream text;
  bool countsDiffer = a.bombs.size() != b.bombs.size();
  VisitSnapshotFields(
      b,
      [&](FieldName name, const auto& value, FieldRange) {
        if (!text.str().empty() || at >= values.size()) return;
        const std::uint32_t mine = values[at++];
        if (mine == AsWord(value)) return;
        text << name.group;
        if (name.index >= 0 && (name.group == std::string("tile") || name.group == std::string("item"))) {
          text << " (" << name.index % MapWidth << ", " << name.index / MapWidth << ")";
        } else if (name.index >= 0) {
          text << ' ' << name.index;
        }
        if (*name.field != '\0') text << ' ' << name.field;
        text << ": " << static_cast<std::int32_t>(mine) << " / " << static_cast<std::int32_t>(AsWord(value));
      },
      [](std::size_t) { return true; });
  if (text.str().empty() && countsDiffer) text << "bomb count: " << a.bombs.size() << " / " << b.bombs.size();
  return text.str();
}

}  // namespace fl3
