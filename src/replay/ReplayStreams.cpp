#include "replay/ReplayStreams.h"

#include <algorithm>
#include <limits>

namespace fl3 {
namespace {

constexpr std::uint32_t kNoFlip = 31;
constexpr std::uint32_t kLongHold = 7;
constexpr std::int32_t kBaseTimeMs = ControlFrame::kNetworkFrameMs;
constexpr std::uint32_t kExactTime = 15;
constexpr std::uint32_t kLongRun = 15;

// How many frames from `first` on equal frames[first] in what `same` compares.
template <typename Same>
std::size_t RunFrom(const std::vector<ControlFrame>& frames, std::size_t first, Same same) {
  std::size_t end = first + 1;
  while (end < frames.size() && same(frames[end], frames[first])) ++end;
  return end - first;
}

void PutFlip(std::string& out, std::uint32_t bit, std::uint32_t hold) {
  out += static_cast<char>(bit | std::min(hold, kLongHold) << 5);
  if (hold >= kLongHold) PutVarint(out, hold - kLongHold);
}

}  // namespace

void PutVarint(std::string& out, std::uint64_t value) {
  while (value >= 0x80) {
    out += static_cast<char>(value | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

bool GetVarint(std::string_view bytes, std::size_t& at, std::uint64_t& value) {
  value = 0;
  for (int shift = 0; shift < 64 && at < bytes.size(); shift += 7) {
    const auto byte = static_cast<std::uint8_t>(bytes[at++]);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return shift < 63 || byte <= 1;
  }
  return false;
}

void PackWords(std::string_view bytes, std::string& out) {
  PutVarint(out, bytes.size());
  std::vector<std::uint32_t> words((bytes.size() + 3) / 4, 0);
  for (std::size_t i = 0; i < bytes.size(); ++i) words[i / 4] |= std::uint32_t{static_cast<std::uint8_t>(bytes[i])} << (8 * (i % 4));
  for (std::size_t first = 0; first < words.size();) {
    std::size_t end = first + 1;
    while (end < words.size() && words[end] == words[first]) ++end;
    const std::uint32_t zigzag = words[first] << 1 ^ (0u - (words[first] >> 31));
    PutVarint(out, std::uint64_t{zigzag} << 1 | (end - first > 1 ? 1 : 0));
    if (end - first > 1) PutVarint(out, end - first - 2);
    first = end;
  }
}

bool UnpackWords(std::string_view packed, std::size_t maxBytes, std::string& bytes) {
  std::size_t at = 0;
  std::uint64_t size = 0, token = 0, more = 0;
  if (!GetVarint(packed, at, size) || size > maxBytes) return false;
  std::string unpacked;
  unpacked.reserve((size + 3) / 4 * 4);
  while (at < packed.size()) {
    if (!GetVarint(packed, at, token) || token >> 33 != 0) return false;
    more = 0;
    if ((token & 1) != 0 && (!GetVarint(packed, at, more) || more > size)) return false;
    const auto zigzag = static_cast<std::uint32_t>(token >> 1);
    const std::uint32_t word = zigzag >> 1 ^ (0u - (zigzag & 1));
    for (std::uint64_t n = more + 1 + (token & 1); n > 0 && unpacked.size() < size + 4; --n) {
      for (int shift = 0; shift < 32; shift += 8) unpacked += static_cast<char>(word >> shift);
    }
  }
  if (unpacked.size() != (size + 3) / 4 * 4) return false;
  unpacked.resize(size);
  bytes = std::move(unpacked);
  return true;
}

void EncodeControlStream(const std::vector<ControlFrame>& frames, std::string& out) {
  const auto sameControls = [](const ControlFrame& a, const ControlFrame& b) { return a.Pack() == b.Pack(); };
  std::uint32_t held = 0;
  for (std::size_t first = 0; first < frames.size();) {
    const std::size_t run = RunFrom(frames, first, sameControls);
    std::uint32_t changed = frames[first].Pack() ^ held;
    if (changed == 0) PutFlip(out, kNoFlip, static_cast<std::uint32_t>(run));
    while (changed != 0) {
      const auto bit = static_cast<std::uint32_t>(__builtin_ctz(changed));
      changed &= changed - 1;
      PutFlip(out, bit, changed == 0 ? static_cast<std::uint32_t>(run) : 0);
    }
    held = frames[first].Pack();
    first += run;
  }
}

bool DecodeControlStream(std::string_view bytes, std::vector<ControlFrame>& frames) {
  std::uint32_t held = 0;
  std::size_t filled = 0, at = 0;
  while (at < bytes.size()) {
    const auto token = static_cast<std::uint8_t>(bytes[at++]);
    const std::uint32_t bit = token & 31u;
    std::uint32_t hold = token >> 5;
    if (bit != kNoFlip && bit >= static_cast<std::uint32_t>(ControlFrame::kPackedBits)) return false;
    if (bit != kNoFlip) held ^= 1u << bit;
    if (hold == kLongHold) {
      std::uint64_t more = 0;
      if (!GetVarint(bytes, at, more) || more > frames.size()) return false;
      hold += static_cast<std::uint32_t>(more);
    }
    if (hold > frames.size() - filled) return false;
    for (; hold > 0; --hold, ++filled) {
      frames[filled] = ControlFrame::Unpack(held, frames[filled].frameTimeMs);
    }
  }
  return filled == frames.size();
}

void EncodeFrameTimeStream(const std::vector<ControlFrame>& frames, std::string& out) {
  const auto sameTime = [](const ControlFrame& a, const ControlFrame& b) { return a.frameTimeMs == b.frameTimeMs; };
  for (std::size_t first = 0; first < frames.size();) {
    const std::size_t run = RunFrom(frames, first, sameTime);
    const std::int64_t offset = std::int64_t{frames[first].frameTimeMs} - kBaseTimeMs;
    const std::uint32_t time = offset >= 0 && offset < kExactTime ? static_cast<std::uint32_t>(offset) : kExactTime;
    const std::uint32_t count = run <= kLongRun ? static_cast<std::uint32_t>(run - 1) : kLongRun;
    out += static_cast<char>(time | count << 4);
    if (time == kExactTime) PutVarint(out, static_cast<std::uint32_t>(std::max(0, frames[first].frameTimeMs)));
    if (count == kLongRun) PutVarint(out, static_cast<std::uint32_t>(run - kLongRun - 1));
    first += run;
  }
}

bool DecodeFrameTimeStream(std::string_view bytes, std::vector<ControlFrame>& frames) {
  std::size_t filled = 0, at = 0;
  while (at < bytes.size()) {
    const auto token = static_cast<std::uint8_t>(bytes[at++]);
    std::uint64_t time = (token & 15u) + kBaseTimeMs;
    std::uint64_t count = (token >> 4) + 1u;
    if ((token & 15u) == kExactTime && (!GetVarint(bytes, at, time) || time > std::numeric_limits<std::int32_t>::max())) {
      return false;
    }
    if (count == kLongRun + 1) {
      std::uint64_t more = 0;
      if (!GetVarint(bytes, at, more) || more > frames.size()) return false;
      count += more;
    }
    if (count > frames.size() - filled) return false;
    for (; count > 0; --count) frames[filled++].frameTimeMs = static_cast<std::int32_t>(time);
  }
  return filled == frames.size();
}

}  // namespace fl3
