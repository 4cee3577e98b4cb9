#pragma once
#include <iosfwd>

#include "ToolOptions.h"

namespace fl3::netlab {

// Many five-machine matches (the host, three clients, a spectator) over real
// ENet on 127.0.0.1, each machine with its own ENet host, the shim's relay
// and its own clock, several matches at once (one thread each; they are
// mostly idle); prints one JSON summary with a table by round trip and loss.
// Exit status 0 only when no machine was dropped, none went out of step and
// every one ended on the hash of the host's replay.
int RunEnetSoak(const ToolOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace fl3::netlab
