#include "quest/QuestFileFields.h"

#include <algorithm>
#include <optional>

namespace fl3::quest_file {
namespace {

constexpr std::size_t kShownBytes = 40;
constexpr std::size_t kLevelNameBytes = 255;

std::size_t Characters(const std::string& utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool HasControlCharacter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

std::string Key(const char* key) { return "\"" + std::string(key) + "\""; }

}  // namespace

std::string Place::Say(const std::string& what) const {
  std::string text = file;
  if (!quest.empty()) text += " (quest \"" + quest + "\")";
  if (stage > 0) text += ", stage " + std::to_string(stage);
  if (opponent > 0) text += ", opponent " + std::to_string(opponent);
  return text + ": " + what;
}

std::string Shown(const Json& value) {
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  if (text.size() > kShownBytes) {
    std::size_t cut = kShownBytes;
    // Never in the middle of a character.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text = text.substr(0, cut) + "...";
  }
  return text;
}

void OnlyKeys(const Json& object, std::initializer_list<const char*> keys, const Place& place) {
  if (!object.is_object()) throw Refused(place.Say("is " + Shown(object) + " where an object belongs"));
  for (const auto& item : object.items()) {
    const bool known = std::any_of(keys.begin(), keys.end(), [&](const char* key) { return item.key() == key; });
    if (!known) throw Refused(place.Say("unknown key " + Shown(Json(item.key()))));
  }
}

const Json& Need(const Json& object, const char* key, const Place& place) {
  const auto found = object.find(key);
  if (found == object.end()) throw Refused(place.Say(Key(key) + " is missing"));
  return *found;
}

std::int32_t Number(const Json& object, const char* key, std::int32_t low, std::int32_t high, const Place& place) {
  const Json& value = Need(object, key, place);
  std::optional<std::int64_t> number;
  if (value.is_number_unsigned()) {
    if (value.get<std::uint64_t>() <= static_cast<std::uint64_t>(high)) number = value.get<std::int64_t>();
  } else if (value.is_number_integer()) {
    number = value.get<std::int64_t>();
  }
  if (!number || *number < low || *number > high) {
    const std::string range = low == high ? std::to_string(low) : "a whole number from " + std::to_string(low) +
                                                                      " to " + std::to_string(high);
    throw Refused(place.Say(Key(key) + " is " + Shown(value) + "; it must be " + range));
  }
  return static_cast<std::int32_t>(*number);
}

std::string Line(const Json& object, const char* key, std::size_t characters, bool mayBeEmpty, const Place& place) {
  const Json& value = Need(object, key, place);
  const std::string limit = "text of " + std::string(mayBeEmpty ? "" : "1 to ") + "at most " +
                            std::to_string(characters) + " characters on one line";
  if (!value.is_string()) throw Refused(place.Say(Key(key) + " is " + Shown(value) + "; it must be " + limit));
  const std::string text = value.get<std::string>();
  if ((text.empty() && !mayBeEmpty) || Characters(text) > characters || HasControlCharacter(text)) {
    throw Refused(place.Say(Key(key) + " is " + Shown(value) + "; it must be " + limit));
  }
  return text;
}

std::string LevelName(const Json& object, const Place& place) {
  const Json& value = Need(object, "level", place);
  const bool bare = value.is_string() && !value.get<std::string>().empty() &&
                    value.get<std::string>().size() <= kLevelNameBytes &&
                    value.get<std::string>().find_first_of("/\\") == std::string::npos &&
                    !HasControlCharacter(value.get<std::string>());
  if (!bare) throw Refused(place.Say("\"level\" is " + Shown(value) + "; it must be the name of a level file"));
  return value.get<std::string>();
}

const Json& List(const Json& object, const char* key, std::size_t fewest, std::size_t most, const Place& place) {
  const Json& value = Need(object, key, place);
  if (!value.is_array() || value.size() < fewest || value.size() > most) {
    throw Refused(place.Say(Key(key) + " is " + Shown(value) + "; it must be a list of " + std::to_string(fewest) +
                            " to " + std::to_string(most)));
  }
  return value;
}

}  // namespace fl3::quest_file
