#pragma once
#include <iosfwd>

#include "ToolOptions.h"

namespace fl3::netlab {

// How far the other players' figures appear to move between two drawings
// 10 ms apart on a client's screen, when they start and stop walking:
// four-machine matches with computer players over the in-memory link
// through the shim, client 1's screen sampled as the match screen draws it
// (smoothed, or as frames alone draw it with --smooth off).
int RunJumps(const ToolOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace fl3::netlab
