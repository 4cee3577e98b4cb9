#pragma once
#include <iosfwd>

#include "ToolOptions.h"

namespace fl3::netlab {

// Many four-machine matches over the in-memory link, computer players in
// every seat, round trips and losses spread over the given ranges; prints
// one JSON summary. Exit status 0 only when every machine of every match
// ended on the hash of the host's replay.
int RunSoak(const ToolOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace fl3::netlab
