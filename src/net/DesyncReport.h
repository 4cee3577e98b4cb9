#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "core/IoResult.h"
#include "match/MatchSnapshot.h"
#include "net/SessionTypes.h"
#include "replay/Replay.h"

namespace fl3::net {

// Every field in which two states differ, named for a person ("figure 2 X:
// 5 / 6"), at most `most` of them.
std::vector<std::string> DifferingFields(const MatchSnapshot& a, const MatchSnapshot& b, std::size_t most = 40);

// The match up to the desync's frame as a replay.
Replay ReplayOf(const DesyncEvidence& evidence);

// Writes the report of a desync into the folder's "desyncs" folder: a text
// naming every field that differs, both machines' states and the replay up
// to the frame. `written` gets the text file's path.
IoResult WriteDesyncReport(const std::filesystem::path& playersFolder, const DesyncEvidence& evidence,
                           std::int64_t unixSeconds, std::string& written);

}  // namespace fl3::net
