#pragma once
#include "quest/Quest.h"

namespace fl3::art {

inline constexpr const char* kCampaignFileName = "CAMPAIGN.FLQ";

// The campaign shipped with the game: its stages in order, with their
// opponents, rules and briefings. Tuned with fuselark3-arena --quest (see the
// README's "Quests"); the table below is all there is to change.
Quest Campaign();

}  // namespace fl3::art
