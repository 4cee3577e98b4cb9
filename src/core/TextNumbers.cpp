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
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::optional<std::int32_t>> ReadNumberLines(std::string_view text, std::size_t count) {
  std::vector<std::optional<std::int32_t>> values(count);
  for (std::size_t i = 0; i < count && !text.empty(); ++i) {
    const std::size_t end = text.find('\n');
    values[i] = ParseWholeNumber(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return values;
}

}  // namespace fl3
