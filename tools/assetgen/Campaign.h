#pragma once
#include "quest/Quest.h"
#include "quest/QuestList.h"

namespace fl3::art {

// The campaign shipped with the game: its stages in order, with their
// opponents, rules and briefings. Tuned with fuselark3-arena --quest (see the
// README's "Quests"); the table in Campaign.cpp is all there is to change.
Quest Campaign();

}  // namespace fl3::art
