#pragma once
#include <iosfwd>

#include "ToolOptions.h"

namespace fl3::netlab {

// One machine of a network match over ENet: prints the JSON summary and
// returns the exit status (0: the match was played to its end).
int RunHost(const ToolOptions& options, std::ostream& out, std::ostream& errors);
int RunClient(const ToolOptions& options, std::ostream& out, std::ostream& errors);

}  // namespace fl3::netlab
