#pragma once

namespace fl3 {

// One position of the kind spinner: the start button's caption and which
// parts of the screen the kind needs. Only the first three can be played.
struct StartKindRow {
  const char* caption;
  bool canStart;
  bool showsLevels;
  bool showsLives;
  bool showsTime;
};

inline constexpr StartKindRow kStartKinds[] = {
    {"Start Normal Level Match", true, true, true, false},
    {"Start Most Kills Level Match", true, true, false, true},
    {"Start Most Lives Level Match", true, true, false, true},
    {"Start Normal Quest", false, true, false, false},
    {"Start Game Quest", false, false, false, false},
    {"Start NetPlay Match (Host)", false, true, false, false},
    {"Start NetPlay Match (Client)", false, false, false, false},
};

struct StartEditModeRow {
  const char* caption;
  bool canEdit;
};

inline constexpr StartEditModeRow kStartEditModes[] = {
    {"Edit Level", true},
    {"Edit Quest", false},
    {"Edit NetPlay Session", false},
};

inline constexpr int kStartKindCount = sizeof(kStartKinds) / sizeof(kStartKinds[0]);
inline constexpr int kStartEditModeCount = sizeof(kStartEditModes) / sizeof(kStartEditModes[0]);

}  // namespace fl3
