#pragma once
#include <iosfwd>
#include <string>

namespace fl3::sim {

// Plays the replay file at `path` from its control frames and compares every
// hash it holds. Returns 0 when all agree; otherwise 1 after one line on
// `err` naming the first frame that differs (counted as traces count) or why
// the file cannot be read. With `trace`, prints the trace as for a script.
int CheckReplayFile(const std::string& path, bool trace, std::ostream& out, std::ostream& err);

}  // namespace fl3::sim
