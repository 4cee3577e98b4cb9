#include "TextNumbers.h"

#include <charconv>

namespace fl3 {
namespace {

std::string_view Trim(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Splits off the first line; CR LF, a lone CR and a lone LF all end a line,
// as files edited on any system may hold any of them.
std::string_view TakeLine(std::string_view& text) {
  const std::size_t end = text.find_first_of("\r\n");
  const std::string_view line = text.substr(0, end);
  if (end == std::string_view::npos) {
    text = {};
  } else {
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crLf ? 2 : 1));
  }
  return line;
}

}  // namespace

std::string WriteNumberLines(const std::vector<std::int32_t>& values) {
  std::string text;
  for (const std::int32_t value : values) {
    text += std::to_string(value);
    text += "\r\n";
  }
  return text;
}

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  text = Trim(text);
  // A '+' may only stand before digits: "+-5" is not a number.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || !IsDigit(text.front())) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::optional<std::int32_t>> ReadNumberLines(std::string_view text, std::size_t count) {
  std::vector<std::optional<std::int32_t>> values(count);
  for (std::size_t i = 0; i < count && !text.empty(); ++i) values[i] = ParseWholeNumber(TakeLine(text));
  return values;
}

}  // namespace fl3
