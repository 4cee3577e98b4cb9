#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace fl3::testing {

struct ProgramRun {
  int status = -1;  // -1 when the program did not end by itself
  std::string out;
  std::string err;
};

// Runs a built program with the given arguments and catches both of its
// output streams whole.
inline ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
  const auto quoted = [](const std::string& text) { return "'" + text + "'"; };
  const TempFolder streams;
  std::string command = quoted(program.string());
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  command += " >" + quoted((streams.Path() / "out").string()) + " 2>" + quoted((streams.Path() / "err").string());
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, streams.Read("out"), streams.Read("err")};
}

}  // namespace fl3::testing
