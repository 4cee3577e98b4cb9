#pragma once

namespace fl3 {

enum class NetRole { None, Host, Client };
enum class QuestKind { None, Normal, Game };

// One position of the kind spinner: the start button's caption and which
// parts of the screen the kind needs. The host of a network match picks its
// rules with a chooser of its own, which then decides between lives and time;
// a client's figures are the host's choice; a quest asks how many play.
struct StartKindRow {
  const char* caption;
  bool canStart;
  bool showsLevels;
  bool showsLives;
  bool showsTime;
  NetRole net = NetRole::None;
  QuestKind quest = QuestKind::None;
};

inline constexpr StartKindRow kStartKinds[] = {
    {"Start Normal Level Match", true, true, true, false},
    {"Start Most Kills Level Match", true, true, false, true},
    {"Start Most Lives Level Match", true, true, false, true},
    {"Start Normal Quest", true, true, false, false, NetRole::None, QuestKind::Normal},
    {"Start Game Quest", true, false, false, false, NetRole::None, QuestKind::Game},
    {"Start NetPlay Match (Host)", true, true, false, false, NetRole::Host},
    {"Start NetPlay Match (Client)", true, false, false, false, NetRole::Client},
};

struct StartEditModeRow {
  const char* caption;
  bool canEdit;
};

inline constexpr StartEditModeRow kStartEditModes[] = {
    {"Edit Level", true},
    {"Edit Quest", true},
    {"Edit NetPlay Session", true},
};

inline constexpr int kStartKindCount = sizeof(kStartKinds) / sizeof(kStartKinds[0]);
// The rules a network host can choose, in the order of the match kinds.
inline constexpr const char* kNetRules[] = {"Normal", "Most Kills", "Most Lives"};
// How many play a quest, at one keyboard.
inline constexpr const char* kQuestPlayers[] = {"One player", "Two players"};

inline constexpr int kEditQuestMode = 1;
inline constexpr int kStartEditModeCount = sizeof(kStartEditModes) / sizeof(kStartEditModes[0]);
inline constexpr int kEditNetPlaySession = 2;

}  // namespace fl3
