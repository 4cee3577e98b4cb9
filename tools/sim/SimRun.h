#pragma once
#include <iosfwd>
#include <string>

#include "SimScript.h"

namespace fl3::sim {

// Runs the script in the file `scriptPath`: the trace goes to `out`, a bad
// script's one-line reason to `err`. Returns the exit status (0 or 1).
int RunScriptFile(const std::string& scriptPath, std::ostream& out, std::ostream& err);

// Runs an already read script; the level path is taken as given.
int RunScript(const SimScript& script, std::ostream& out, std::ostream& err);

// A full disk or a reader that went away: the trace is incomplete, and the
// caller must not take it for a whole match. Says so and returns status 1.
int TraceWriteFailed(std::ostream& err, int error);

}  // namespace fl3::sim
