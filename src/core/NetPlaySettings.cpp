#include "NetPlaySettings.h"

#include <algorithm>

#include "FileAccess.h"
#include "GameFolder.h"
#include "TextNumbers.h"

namespace fl3 {
namespace {

constexpr std::size_t kLineLimit = 255;
constexpr std::size_t kReadLimit = 4 * 1024;
constexpr std::int32_t kHighestPort = 65535;

// Each value is one line of the file, so control bytes never pass.
bool IsLineText(std::string_view text) {
  return text.size() <= kLineLimit &&
         std::none_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
}

std::string_view TakeLine(std::string_view& text) {
  const std::size_t end = std::min(text.find('\n'), text.size());
  std::string_view line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  text.remove_prefix(std::min(end + 1, text.size()));
  return line;
}

void TakeNumber(std::string_view line, std::int32_t lowest, std::int32_t highest, std::int32_t& value) {
  const auto number = ParseWholeNumber(line);
  if (number && *number >= lowest && *number <= highest) value = *number;
}

}  // namespace

NetPlaySettings ParseNetPlaySettings(std::string_view text) {
  NetPlaySettings settings;
  for (std::string* line : {&settings.address, &settings.name}) {
    const std::string_view taken = TakeLine(text);
    if (IsLineText(taken)) *line = taken;
  }
  TakeNumber(TakeLine(text), 1, 2, settings.players);
  for (std::int32_t& layout : settings.layouts) TakeNumber(TakeLine(text), 0, 3, layout);
  TakeNumber(TakeLine(text), 0, kHighestPort, settings.hostPort);
  TakeNumber(TakeLine(text), kAutomaticInputDelay, kMostInputDelay, settings.inputDelay);
  std::int32_t spectators = settings.spectatorsAllowed ? 1 : 0;
  TakeNumber(TakeLine(text), 0, 1, spectators);
  settings.spectatorsAllowed = spectators == 1;
  if (const std::string_view password = TakeLine(text); IsLineText(password)) settings.hostPassword = password;
  return settings;
}

std::string NetPlaySettingsFileText(const NetPlaySettings& settings) {
  const auto line = [](const std::string& value) { return (IsLineText(value) ? value : std::string()) + "\r\n"; };
  return line(settings.address) + line(settings.name) +
         WriteNumberLines({settings.players, settings.layouts[0], settings.layouts[1], settings.hostPort,
                           settings.inputDelay, settings.spectatorsAllowed ? 1 : 0}) +
         line(settings.hostPassword);
}

NetPlaySettings ReadNetPlaySettings(const GameFolder& folder) {
  const auto path = folder.Find(kNetPlaySettingsFileName);
  std::string text;
  if (!path || !ReadFileStart(*path, kReadLimit, text)) return {};
  return ParseNetPlaySettings(text);
}

IoResult WriteNetPlaySettings(const GameFolder& folder, const NetPlaySettings& settings) {
  return folder.WriteAtomically(kNetPlaySettingsFileName, NetPlaySettingsFileText(settings), Readers::OwnerOnly);
}

}  // namespace fl3
