#include "ui/start/StartLevelList.h"

#include <algorithm>
#include <cctype>

#include "core/GameFolder.h"
#include "core/RandomSource.h"
#include "core/Rounding.h"

namespace fl3 {
namespace {

// Sort key of one character: class first (symbol, digit, letter), then the
// character itself without regard to case.
int CollationKey(char c) {
  const auto u = static_cast<unsigned char>(c);
  const int lower = std::tolower(u);
  int group = 0;
  if (std::isdigit(u)) {
    group = 1;
  } else if (std::isalpha(u) || u >= 0x80) {
    group = 2;
  }
  return group * 256 + lower;
}

}  // namespace

bool LevelEntryLess(std::string_view a, std::string_view b) {
  const auto byKey = [](char x, char y) { return CollationKey(x) < CollationKey(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byKey)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byKey)) return false;
  return a < b;  // names differing only in case keep one fixed order
}

std::vector<std::string> LevelListEntries(const GameFolder& folder) {
  std::vector<std::string> entries = folder.List("*.FL3");
  entries.emplace_back(kRandomLevelEntry);
  std::sort(entries.begin(), entries.end(),
            [](const std::string& a, const std::string& b) { return LevelEntryLess(a, b); });
  return entries;
}

std::size_t PickRandomLevel(const std::vector<std::string>& entries, RandomSource& random) {
  const bool anyLevel = std::any_of(entries.begin(), entries.end(),
                                    [](const std::string& entry) { return entry != kRandomLevelEntry; });
  if (!anyLevel) return 0;  // nothing to draw; never loop forever
  const double last = static_cast<double>(entries.size() - 1);
  for (;;) {
    const auto position = static_cast<std::size_t>(RoundHalfEven(last * random.Next()));
    if (entries[position] != kRandomLevelEntry) return position;
  }
}

}  // namespace fl3
