#pragma once
#include <string>
#include <vector>

#include "core/GameState.h"

namespace fl3 {

class GameFolder;
class Messages;

// The full paths of the font and winner pictures a match about to start will
// read (the winner pictures of the figures that take part) that are there but
// unusable: damaged, not a picture, or too large.
std::vector<std::string> UnusableMatchPictures(const GameState& state, const GameFolder& folder);

// The match runs without such pictures; the players are told which file is
// to blame before it starts, in one message.
void ReportUnusableMatchPictures(const GameState& state, const GameFolder& folder, Messages& messages);

}  // namespace fl3
