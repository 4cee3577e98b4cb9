#include "MessageText.h"

namespace fl3::sim {
namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string EchoedName(std::string_view name) {
  std::string shown;
  std::size_t end = name.size();
  if (end > kLongestEchoedName) {
    end = kLongestEchoedName - 3;
    while (end > 0 && IsUtf8Continuation(name[end])) --end;  // never half a character
  }
  for (std::size_t i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    shown += c < 0x20 || c == 0x7F ? '?' : name[i];
  }
  if (end < name.size()) shown += "...";
  return shown;
}

std::string WithEchoedNames(std::string_view text) {
  std::string shown;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t open = text.find('"', from);
    const std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
    if (close == std::string_view::npos) {
      shown += EchoedName(text.substr(from));
      break;
    }
    shown += text.substr(from, open + 1 - from);
    shown += EchoedName(text.substr(open + 1, close - open - 1));
    shown += '"';
    from = close + 1;
  }
  return shown;
}

}  // namespace fl3::sim
