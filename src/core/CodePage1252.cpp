#include "CodePage1252.h"

#include <array>
#include <cstdint>

namespace fl3 {
namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHighControlBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    const char32_t mapped = kHighControlBlock[byte - 0x80];
    return mapped != 0 ? mapped : byte;  // undefined bytes pass through as C1 controls
  }
  return byte;
}

int CodePointToByte(char32_t point) {
  if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<int>(point);
  for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
    if (kHighControlBlock[i] == point) return static_cast<int>(0x80 + i);
  }
  if (point >= 0x80 && point <= 0x9F && kHighControlBlock[point - 0x80] == 0) return static_cast<int>(point);
  return -1;
}

void AppendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

// Decodes one UTF-8 sequence; a malformed one yields U+FFFD and consumes a byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  int extra = 0;
  char32_t point = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, point = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, point = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, point = lead & 0x07;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + static_cast<std::size_t>(extra) >= text.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i <= extra; ++i) {
    const unsigned char next = byte(pos + static_cast<std::size_t>(i));
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    point = (point << 6) | (next & 0x3F);
  }
  pos += static_cast<std::size_t>(extra) + 1;
  // Overlong forms could smuggle in characters such as '/' unseen; surrogates
  // and values past U+10FFFF are no characters at all.
  constexpr char32_t kShortestForm[] = {0, 0x80, 0x800, 0x10000};
  if (point < kShortestForm[extra] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0xFFFD;
  return point;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8, std::size_t maxChars) {
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8.size() && out.size() < maxChars) {
    const int mapped = CodePointToByte(NextCodePoint(utf8, pos));
    out += static_cast<char>(mapped < 0 ? '?' : mapped);
  }
  return out;
}

}  // namespace fl3
