#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace fl3 {

// Numbers in a fixed byte order for files and messages that travel between
// machines: little-endian, whatever the machine.
class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::string& out) : out_(out) {}
  void U8(std::uint32_t value) { out_ += static_cast<char>(value & 0xFF); }
  void U16(std::uint32_t value) { Unsigned(value, 2); }
  void U32(std::uint32_t value) { Unsigned(value, 4); }
  void I32(std::int32_t value) { Unsigned(static_cast<std::uint32_t>(value), 4); }
  void U64(std::uint64_t value) { Unsigned(value, 8); }
  // A length (16 bits) and then the bytes; longer text is cut.
  void Text(std::string_view text) {
    const std::size_t size = text.size() > 0xFFFF ? 0xFFFF : text.size();
    U16(static_cast<std::uint32_t>(size));
    out_.append(text.substr(0, size));
  }
  void Raw(std::string_view bytes) { out_.append(bytes); }

 private:
  void Unsigned(std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  std::string& out_;
};

// Reads what LittleEndianWriter wrote. Reading past the end fails once and for all:
// every later read gives 0, and Good() tells.
class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::string_view bytes) : bytes_(bytes) {}
  std::uint32_t U8() { return static_cast<std::uint32_t>(Unsigned(1)); }
  std::uint32_t U16() { return static_cast<std::uint32_t>(Unsigned(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Unsigned(4)); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::uint64_t U64() { return Unsigned(8); }
  // Text written by LittleEndianWriter::Text, refused (and failing) above maxBytes.
  std::string Text(std::size_t maxBytes) {
    const std::size_t size = U16();
    if (size > maxBytes) good_ = false;
    return std::string(Raw(size));
  }
  std::string_view Raw(std::size_t count) {
    if (!good_ || bytes_.size() - at_ < count) {
      good_ = false;
      return {};
    }
    const std::string_view view = bytes_.substr(at_, count);
    at_ += count;
    return view;
  }
  bool Good() const { return good_; }
  bool AtEnd() const { return at_ == bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - at_; }

 private:
  std::uint64_t Unsigned(int count) {
    const std::string_view bytes = Raw(static_cast<std::size_t>(count));
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return value;
  }
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool good_ = true;
};

}  // namespace fl3
