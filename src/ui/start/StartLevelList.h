#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace fl3 {

class GameFolder;
class RandomSource;

inline constexpr const char* kRandomLevelEntry = "~Random";

// Level list order: letter case ignored, and symbols before digits before
// letters, so that "~Random" heads the list.
bool LevelEntryLess(std::string_view a, std::string_view b);

// "~Random" and every "*.FL3" file of the folder, in list order.
std::vector<std::string> LevelListEntries(const GameFolder& folder);

// Position of a random level: round((entries - 1) * r), halves to even,
// drawn again while it lands on "~Random". Without any level entry: 0.
std::size_t PickRandomLevel(const std::vector<std::string>& entries, RandomSource& random);

}  // namespace fl3
