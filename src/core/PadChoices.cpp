#include "PadChoices.h"

#include <algorithm>
#include <cctype>

#include "FileAccess.h"
#include "GameFolder.h"

namespace fl3 {
namespace {

constexpr std::size_t kGuidLength = 32;
constexpr std::size_t kReadLimit = 4 * 1024;

bool IsGuid(std::string_view text) {
  return text.size() == kGuidLength &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// A name goes into one line of the file, so control bytes never pass.
bool IsPrintable(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

PadIdentity ParseLine(std::string_view line) {
  if (line.size() < kGuidLength + 2 || line[kGuidLength] != ' ') return {};
  const std::string_view guid = line.substr(0, kGuidLength);
  const std::string_view name = line.substr(kGuidLength + 1);
  if (!IsGuid(guid) || !IsPrintable(name)) return {};
  return {std::string(guid), std::string(name)};
}

}  // namespace

PadChoices ParsePadChoices(std::string_view text) {
  PadChoices choices;
  for (PadIdentity& choice : choices) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    choice = ParseLine(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return choices;
}

bool AnyPadChosen(const PadChoices& choices) {
  return std::any_of(choices.begin(), choices.end(), [](const PadIdentity& choice) { return !choice.Empty(); });
}

std::string PadChoicesFileText(const PadChoices& choices) {
  std::string text;
  for (const PadIdentity& choice : choices) {
    const PadIdentity kept = ParseLine(choice.guid + " " + choice.name);
    if (!kept.Empty()) text += kept.guid + " " + kept.name;
    text += "\r\n";
  }
  return text;
}

PadChoices ReadPadChoices(const GameFolder& folder) {
  const auto path = folder.Find(kPadChoicesFileName);
  std::string text;
  if (!path || !ReadFileStart(*path, kReadLimit, text)) return {};
  return ParsePadChoices(text);
}

IoResult WritePadChoices(const GameFolder& folder, const PadChoices& choices) {
  return folder.WriteAtomically(kPadChoicesFileName, PadChoicesFileText(choices));
}

}  // namespace fl3
