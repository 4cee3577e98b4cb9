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

}  // namespace fl3::sim
