#pragma once
// The quest reader's checks of single fields, each refusal naming where it is.
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

namespace fl3::quest_file {

using Json = nlohmann::ordered_json;

struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// File, quest, stage and opponent, as far as they are known.
struct Place {
  std::string file;
  std::string quest;
  int stage = 0;
  int opponent = 0;

  Place Stage(int number) const { return {file, quest, number, 0}; }
  Place Opponent(int number) const { return {file, quest, stage, number}; }
  std::string Say(const std::string& what) const;
};

// A value as the file has it, cut short when long.
std::string Shown(const Json& value);

void OnlyKeys(const Json& object, std::initializer_list<const char*> keys, const Place& place);
const Json& Need(const Json& object, const char* key, const Place& place);
std::int32_t Number(const Json& object, const char* key, std::int32_t low, std::int32_t high, const Place& place);
// One line of text of at most `characters` characters.
std::string Line(const Json& object, const char* key, std::size_t characters, bool mayBeEmpty, const Place& place);
std::string LevelName(const Json& object, const Place& place);
const Json& List(const Json& object, const char* key, std::size_t fewest, std::size_t most, const Place& place);

template <typename Value>
Value Choice(const Json& object, const char* key, std::initializer_list<std::pair<const char*, Value>> choices,
             const Place& place) {
  const Json& value = Need(object, key, place);
  std::string names;
  for (const auto& [name, meaning] : choices) {
    if (value.is_string() && value.get<std::string>() == name) return meaning;
    names += (names.empty() ? "\"" : ", \"") + std::string(name) + "\"";
  }
  throw Refused(place.Say("\"" + std::string(key) + "\" is " + Shown(value) + "; it must be one of " + names));
}

}  // namespace fl3::quest_file
