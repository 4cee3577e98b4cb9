#pragma once
#include <optional>
#include <ostream>
#include <string_view>

namespace fl3 {

// The version every program we ship reports.
std::string_view ProgramVersion();

// Answers "--help" (the usage text) and "--version" (name and version) given
// as the first argument, on `out`, and returns exit status 0; any other
// command line is left to the program and gives nothing.
std::optional<int> AnswerHelpOrVersion(int argc, char** argv, std::string_view program, std::string_view usage,
                                       std::ostream& out);

}  // namespace fl3
