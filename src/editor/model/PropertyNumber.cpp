#include "editor/model/PropertyNumber.h"

#include <cctype>
#include <charconv>
#include <string>

#include "core/Rounding.h"

namespace fl3 {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// Checks the form by hand, so that nothing the locale or the library would
// also accept (hexadecimal, "inf", "nan") slips through.
bool HasNumberForm(std::string_view text) {
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
  const std::size_t wholeEnd = SkipDigits(text, pos);
  std::size_t digits = wholeEnd - pos;
  pos = wholeEnd;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t fractionEnd = SkipDigits(text, pos + 1);
    digits += fractionEnd - (pos + 1);
    pos = fractionEnd;
  }
  if (digits == 0) return false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t exponentEnd = SkipDigits(text, pos);
    if (exponentEnd == pos) return false;
    pos = exponentEnd;
  }
  return pos == text.size();
}

// For a value too large or too small for a double: whether it is tiny, that
// is below 0.1 and so rounds to 0. The value is 0.d... x 10^order with d the
// first non-zero digit.
bool IsTiny(std::string_view text) {
  std::int64_t wholeDigits = 0, leadingZeros = 0;
  bool seenPoint = false, seenNonZero = false;
  std::size_t pos = 0;
  for (; pos < text.size() && text[pos] != 'e' && text[pos] != 'E'; ++pos) {
    const char c = text[pos];
    if (c == '.') {
      seenPoint = true;
    } else if (IsDigit(c)) {
      if (!seenPoint) ++wholeDigits;
      if (c != '0') seenNonZero = true;
      if (!seenNonZero) ++leadingZeros;
    }
  }
  std::int64_t exponent = 0;
  if (pos < text.size()) {
    const bool negative = text[pos + 1] == '-';
    for (++pos; pos < text.size(); ++pos) {
      if (IsDigit(text[pos]) && exponent < 1'000'000'000) exponent = exponent * 10 + (text[pos] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return !seenNonZero || wholeDigits - leadingZeros + exponent < 0;
}

}  // namespace

std::optional<std::int32_t> ParsePropertyNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!HasNumberForm(text)) return std::nullopt;
  // from_chars takes no plus sign and ignores the locale.
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return IsTiny(text) ? std::optional<std::int32_t>(0) : std::nullopt;
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // Halves at the ends round inwards or outwards by the even rule:
  // -2147483648.5 gives -2147483648, 2147483647.5 gives 2147483648.
  if (!(value >= -2147483648.5 && value < 2147483647.5)) return std::nullopt;
  return RoundHalfEven(value);
}

}  // namespace fl3
